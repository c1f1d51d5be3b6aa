#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

// One run of records a recording saw change: the records at positions at to
// at + count of the list as it is now stood, before the recording began, as
// before holds them. Records outside every run are the ones from before.
template <class T>
struct RecordedRun {
    std::size_t at = 0;
    std::vector<T> before;
    std::size_t count = 0;

    std::size_t End() const { return at + count; }
};

// One of the document's lists. Reading is a vector's; every write goes
// through a member that, while a recording runs, first keeps the records it
// is about to change. So the edit history learns what a command changed at
// the cost of the change, whatever the size of the list.
template <class T>
class RecordList {
  public:
    using value_type = T;
    using const_iterator = typename std::vector<T>::const_iterator;
    using iterator = const_iterator;

    RecordList() = default;
    RecordList(std::initializer_list<T> records) : m_records(records) {}
    // A copy or a move takes the records, never the recording.
    RecordList(const RecordList& other) : m_records(other.m_records) {}
    RecordList(RecordList&& other) noexcept : m_records(std::move(other.m_records)) {}
    RecordList& operator=(const RecordList& other) {
        if (this != &other) ChangeAll([&](std::vector<T>& all) { all = other.m_records; });
        return *this;
    }
    RecordList& operator=(RecordList&& other) {
        if (this != &other) {
            other.ChangeAll([&](std::vector<T>& theirs) {
                ChangeAll([&](std::vector<T>& all) { all = std::move(theirs); });
                theirs.clear();
            });
        }
        return *this;
    }

    const std::vector<T>& Records() const { return m_records; }
    operator const std::vector<T>&() const { return m_records; }
    std::size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    const T& operator[](std::size_t index) const { return m_records[index]; }
    const T& front() const { return m_records.front(); }
    const T& back() const { return m_records.back(); }
    const_iterator begin() const { return m_records.begin(); }
    const_iterator end() const { return m_records.end(); }

    // The record to change in place. The reference lasts until the list
    // next grows or shrinks.
    T& Modify(std::size_t index) {
        if (m_recording) Cover(index, index + 1);
        return m_records[index];
    }
    void insert(const_iterator position, T record) {
        const std::size_t index = Index(position);
        Grow(index, 1);
        m_records.insert(m_records.begin() + std::ptrdiff_t(index), std::move(record));
    }
    void push_back(T record) { insert(end(), std::move(record)); }
    template <class... Args>
    T& emplace_back(Args&&... args) {
        Grow(size(), 1);
        return m_records.emplace_back(std::forward<Args>(args)...);
    }
    void erase(const_iterator first, const_iterator last) {
        const std::size_t from = Index(first), to = Index(last);
        if (from == to) return;
        if (m_recording) {
            const std::size_t run = Cover(from, to);
            m_runs[run].count -= to - from;
            ShiftRunsAfter(run, -std::ptrdiff_t(to - from));
        }
        m_records.erase(first, last);
    }
    void erase(const_iterator position) { erase(position, position + 1); }
    void pop_back() { erase(end() - 1); }
    void clear() {
        ChangeAll([](std::vector<T>& all) { all.clear(); });
    }
    void assign(std::size_t count, const T& record) {
        ChangeAll([&](std::vector<T>& all) { all.assign(count, record); });
    }
    void resize(std::size_t count) {
        ChangeAll([&](std::vector<T>& all) { all.resize(count); });
    }
    void reserve(std::size_t count) { m_records.reserve(count); }
    // Any change to the list as a whole, such as a sort or a splice: a
    // recording keeps all of it.
    template <class Change>
    void ChangeAll(Change&& change) {
        if (!m_recording) {
            change(m_records);
            return;
        }
        Cover(0, size());
        change(m_records);
        m_runs.front().count = size();
    }

    bool IsRecording() const { return m_recording; }
    void StartRecording() {
        m_recording = true;
        m_runs.clear();
    }
    // What changed since the recording started, in list order; ends it.
    std::vector<RecordedRun<T>> StopRecording() {
        m_recording = false;
        return std::exchange(m_runs, {});
    }

  private:
    // Past this many separate runs they become one: the bookkeeping of a
    // write stays small whatever a command does.
    static constexpr std::size_t kMaxRuns = 64;

    std::size_t Index(const_iterator position) const {
        return std::size_t(position - m_records.begin());
    }
    // Records count new records about to stand at index.
    void Grow(std::size_t index, std::size_t count) {
        if (!m_recording) return;
        const std::size_t run = Cover(index, index);
        m_runs[run].count += count;
        ShiftRunsAfter(run, std::ptrdiff_t(count));
    }
    void ShiftRunsAfter(std::size_t run, std::ptrdiff_t delta) {
        for (std::size_t i = run + 1; i < m_runs.size(); ++i) {
            m_runs[i].at = std::size_t(std::ptrdiff_t(m_runs[i].at) + delta);
        }
    }
    void AppendUnchanged(std::vector<T>& before, std::size_t from, std::size_t to) const {
        before.insert(before.end(), m_records.begin() + std::ptrdiff_t(from),
                      m_records.begin() + std::ptrdiff_t(to));
    }
    // Makes one run span the positions first to last, taking in every run
    // it meets or touches, and returns its place among the runs.
    std::size_t Cover(std::size_t first, std::size_t last) {
        auto meets = std::lower_bound(
            m_runs.begin(), m_runs.end(), first,
            [](const RecordedRun<T>& run, std::size_t position) { return run.End() < position; });
        auto past = std::find_if(meets, m_runs.end(),
                                 [last](const RecordedRun<T>& run) { return run.at > last; });
        const std::size_t place = std::size_t(meets - m_runs.begin());
        RecordedRun<T> merged;
        merged.at = meets == past ? first : std::min(first, meets->at);
        const std::size_t end = meets == past ? last : std::max(last, std::prev(past)->End());
        std::size_t next = merged.at;
        for (auto run = meets; run != past; ++run) {
            AppendUnchanged(merged.before, next, run->at);
            std::move(run->before.begin(), run->before.end(), std::back_inserter(merged.before));
            next = run->End();
        }
        AppendUnchanged(merged.before, next, end);
        merged.count = end - merged.at;
        const auto kept = m_runs.erase(meets, past);
        m_runs.insert(kept, std::move(merged));
        if (m_runs.size() <= kMaxRuns) return place;
        Cover(m_runs.front().at, m_runs.back().End());
        return 0;
    }

    std::vector<T> m_records;
    bool m_recording = false;
    std::vector<RecordedRun<T>> m_runs;
};
