#pragma once

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/archive.h"
#include "model/brinnowdoc.h"
#include "platform/types.h"

// One list's change as the run of records that differ between two versions
// of it: where the run starts, the records there before and after. Undo and
// redo swap one run for the other, so a change holds only what it changed.
template <class T>
class ListSplice {
  public:
    using Member = CArray<T> CBrinnowDoc::*;

    // The change from before to after, or nothing when both hold the same
    // bytes. Records compare as the file stores them, so the document
    // comes back byte for byte.
    static std::optional<ListSplice> Between(Member list, CArray<T>& before, CArray<T>& after) {
        std::string beforeBytes, afterBytes;
        const std::vector<std::size_t> beforeEnds = StoreRecords(before, beforeBytes);
        const std::vector<std::size_t> afterEnds = StoreRecords(after, afterBytes);
        const auto same = [&](std::size_t i, std::size_t j) {
            const std::size_t beforeStart = i == 0 ? 0 : beforeEnds[i - 1];
            const std::size_t afterStart = j == 0 ? 0 : afterEnds[j - 1];
            const std::size_t size = beforeEnds[i] - beforeStart;
            return size == afterEnds[j] - afterStart &&
                   std::memcmp(beforeBytes.data() + beforeStart, afterBytes.data() + afterStart,
                               size) == 0;
        };
        const std::size_t n = before.size(), m = after.size();
        std::size_t head = 0;
        while (head < n && head < m && same(head, head)) ++head;
        if (head == n && head == m) return std::nullopt;
        std::size_t tail = 0;
        while (tail < n - head && tail < m - head && same(n - 1 - tail, m - 1 - tail)) ++tail;

        ListSplice splice;
        splice.m_list = list;
        splice.m_at = head;
        splice.m_before.assign(before.begin() + head, before.end() - tail);
        splice.m_after.assign(after.begin() + head, after.end() - tail);
        splice.m_cost = RunBytes(beforeEnds, head, n - tail) + RunBytes(afterEnds, head, m - tail) +
                        (splice.m_before.size() + splice.m_after.size()) * sizeof(T);
        return splice;
    }

    void Undo(CBrinnowDoc& doc) const { Replace(doc.*m_list, m_after.size(), m_before); }
    void Redo(CBrinnowDoc& doc) const { Replace(doc.*m_list, m_before.size(), m_after); }
    // About the memory the change holds, in bytes.
    std::size_t Cost() const { return m_cost; }
    std::size_t At() const { return m_at; }
    std::size_t RemovedCount() const { return m_before.size(); }
    std::size_t InsertedCount() const { return m_after.size(); }

  private:
    // The records one after another as the file holds them, and where each ends.
    static std::vector<std::size_t> StoreRecords(CArray<T>& list, std::string& bytes) {
        std::vector<std::size_t> ends;
        ends.reserve(list.size());
        CArchive ar(CArchive::AppendTo(bytes));
        ar.m_nObjectSchema = 2;
        for (T& record : list) {
            record.Serialize(ar);
            ends.push_back(ar.GetPosition());
        }
        ar.Flush();
        return ends;
    }
    static std::size_t RunBytes(const std::vector<std::size_t>& ends, std::size_t first,
                                std::size_t last) {
        if (first == last) return 0;
        return ends[last - 1] - (first == 0 ? 0 : ends[first - 1]);
    }
    // Puts with in place of the count records at the run's start; a list
    // that no longer has them is left alone rather than damaged.
    void Replace(CArray<T>& list, std::size_t count, const std::vector<T>& with) const {
        if (m_at > list.size() || count > list.size() - m_at) return;
        const auto at = list.begin() + std::ptrdiff_t(m_at);
        list.erase(at, at + std::ptrdiff_t(count));
        list.insert(list.begin() + std::ptrdiff_t(m_at), with.begin(), with.end());
    }

    Member m_list = nullptr;
    std::size_t m_at = 0;
    std::vector<T> m_before;
    std::vector<T> m_after;
    std::size_t m_cost = 0;
};
