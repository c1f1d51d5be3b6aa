#include "platform/largepageheap.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>

#include "platform/largepages.h"

namespace {

constexpr std::size_t kWorthIt = std::size_t(4) << 20;
// Each growth asks for this much more than it needs: enough that a large
// campaign grows in a few steps, little enough that a tight memory limit
// still lets the load through.
constexpr std::size_t kLargestStep = std::size_t(64) << 20;
// The C library's documented default.
constexpr int kDefaultTopPad = 128 * 1024;
// Setting the pad ends the C library's adaptive choice of which blocks get
// memory mapped afresh. Fixed where that adaptation settles for a program
// that frees blocks of megabytes (page streams, images), so that those are
// reused rather than mapped and faulted in anew each time.
constexpr int kMapBlocksFrom = 4 << 20;
constexpr int kTrimFrom = 2 * kMapBlocksFrom;

char* HeapEnd() { return static_cast<char*>(sbrk(0)); }

}  // namespace

LargePageHeap::LargePageHeap(std::size_t expectedBytes) {
    if (expectedBytes < kWorthIt) return;
    m_active = true;
    m_advisedEnd = HeapEnd();
    mallopt(M_TOP_PAD, int(std::min(expectedBytes, kLargestStep)));
}

LargePageHeap::~LargePageHeap() {
    if (!m_active) return;
    mallopt(M_TOP_PAD, kDefaultTopPad);
    mallopt(M_MMAP_THRESHOLD, kMapBlocksFrom);
    mallopt(M_TRIM_THRESHOLD, kTrimFrom);
}

void LargePageHeap::AdviseGrowth() {
    if (!m_active) return;
    char* end = HeapEnd();
    if (end <= m_advisedEnd) return;
    UseLargePages(m_advisedEnd, std::size_t(end - m_advisedEnd));
    m_advisedEnd = end;
}
