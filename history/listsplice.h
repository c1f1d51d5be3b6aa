#pragma once

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/archive.h"
#include "model/brinnowdoc.h"
#include "model/recordlist.h"

// One list's change as the runs of records that differ between two versions
// of it: where each run starts, the records there before and after. Undo and
// redo swap one for the other, so a change holds only what it changed.
template <class T>
class ListSplice {
  public:
    using Member = RecordList<T> CBrinnowDoc::*;
    // Positions are those of the list after the change, and runs come in
    // list order: redo goes from the first run, undo from the last, so that
    // each finds the runs before it as the change left them.
    struct Run {
        std::size_t at = 0;
        std::vector<T> before;
        std::vector<T> after;
    };

    // Ends the list's recording and keeps what it saw change, or nothing
    // when every record holds the bytes it held before. Records compare as
    // the file stores them, so the document comes back byte for byte.
    static std::optional<ListSplice> Recorded(Member list, CBrinnowDoc& doc) {
        ListSplice splice;
        splice.m_list = list;
        for (RecordedRun<T>& recorded : (doc.*list).StopRecording()) {
            splice.AddDiffering(std::move(recorded), doc.*list);
        }
        if (splice.m_runs.empty()) return std::nullopt;
        return splice;
    }

    void Undo(CBrinnowDoc& doc) const {
        for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run) {
            Replace(doc.*m_list, run->at, run->after.size(), run->before);
        }
    }
    void Redo(CBrinnowDoc& doc) const {
        for (const Run& run : m_runs) Replace(doc.*m_list, run.at, run.before.size(), run.after);
    }
    // About the memory the change holds, in bytes.
    std::size_t Cost() const { return m_cost; }
    const std::vector<Run>& Runs() const { return m_runs; }

  private:
    // The records one after another as the file holds them, and where each ends.
    template <class Records>
    static std::vector<std::size_t> StoreRecords(const Records& records, std::size_t first,
                                                 std::size_t count, std::string& bytes) {
        std::vector<std::size_t> ends;
        ends.reserve(count);
        CArchive ar(CArchive::AppendTo(bytes), kRunBuffer);
        ar.m_nObjectSchema = 2;
        for (std::size_t i = first; i < first + count; ++i) {
            const_cast<T&>(records[i]).Serialize(ar);  // storing only reads
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

    // Keeps the part of a recorded run whose records differ: a record
    // written with what it held, or put back, is no change.
    void AddDiffering(RecordedRun<T> recorded, const RecordList<T>& list) {
        std::string beforeBytes, afterBytes;
        const std::vector<std::size_t> beforeEnds =
            StoreRecords(recorded.before, 0, recorded.before.size(), beforeBytes);
        const std::vector<std::size_t> afterEnds =
            StoreRecords(list, recorded.at, recorded.count, afterBytes);
        const auto same = [&](std::size_t i, std::size_t j) {
            const std::size_t beforeStart = i == 0 ? 0 : beforeEnds[i - 1];
            const std::size_t afterStart = j == 0 ? 0 : afterEnds[j - 1];
            const std::size_t size = beforeEnds[i] - beforeStart;
            return size == afterEnds[j] - afterStart &&
                   std::memcmp(beforeBytes.data() + beforeStart, afterBytes.data() + afterStart,
                               size) == 0;
        };
        const std::size_t n = recorded.before.size(), m = recorded.count;
        std::size_t head = 0;
        while (head < n && head < m && same(head, head)) ++head;
        if (head == n && head == m) return;
        std::size_t tail = 0;
        while (tail < n - head && tail < m - head && same(n - 1 - tail, m - 1 - tail)) ++tail;

        Run run;
        run.at = recorded.at + head;
        run.before.assign(std::make_move_iterator(recorded.before.begin() + head),
                          std::make_move_iterator(recorded.before.end() - tail));
        run.after.assign(list.begin() + run.at, list.begin() + (recorded.End() - tail));
        m_cost += RunBytes(beforeEnds, head, n - tail) + RunBytes(afterEnds, head, m - tail) +
                  (run.before.size() + run.after.size()) * sizeof(T) + sizeof(Run);
        m_runs.push_back(std::move(run));
    }
    // Puts with in place of the count records at position at; a list that
    // no longer has them is left alone rather than damaged.
    static void Replace(RecordList<T>& list, std::size_t at, std::size_t count,
                        const std::vector<T>& with) {
        if (at > list.size() || count > list.size() - at) return;
        list.ChangeAll([&](std::vector<T>& records) {
            const auto first = records.begin() + std::ptrdiff_t(at);
            records.erase(first, first + std::ptrdiff_t(count));
            records.insert(records.begin() + std::ptrdiff_t(at), with.begin(), with.end());
        });
    }

    static constexpr std::size_t kRunBuffer = 64 << 10;

    Member m_list = nullptr;
    std::vector<Run> m_runs;
    std::size_t m_cost = 0;
};
