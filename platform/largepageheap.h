#pragma once

#include <cstddef>

// While a large document is built, lets the heap grow in one large step and
// asks for large pages behind what it grew by, so that its strings cost a
// page fault per 2 MB rather than per 4 KB. The ordinary growth step comes
// back when this goes out of scope. Below a few megabytes it does nothing.
class LargePageHeap {
  public:
    explicit LargePageHeap(std::size_t expectedBytes);
    ~LargePageHeap();
    LargePageHeap(const LargePageHeap&) = delete;
    LargePageHeap& operator=(const LargePageHeap&) = delete;

    // Advises what the heap grew by since the last call. Called often while
    // building; costs nothing when the heap did not grow.
    void AdviseGrowth();

  private:
    bool m_active = false;
    char* m_advisedEnd = nullptr;
};
