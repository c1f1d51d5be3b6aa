#include "platform/largepages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {

constexpr std::uintptr_t kLargePage = kLargePageBytes;

std::uintptr_t SmallPage() { return std::uintptr_t(sysconf(_SC_PAGESIZE)); }

std::uintptr_t RoundUp(std::uintptr_t value, std::uintptr_t unit) {
    return (value + unit - 1) / unit * unit;
}

}  // namespace

void UseLargePages(void* begin, std::size_t bytes) {
    if (bytes == 0) return;
    const auto page = SmallPage();
    const auto start = reinterpret_cast<std::uintptr_t>(begin) / page * page;
    const auto end = reinterpret_cast<std::uintptr_t>(begin) + bytes;
    madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

char* MapLargePages(std::size_t bytes) {
    const std::uintptr_t length = RoundUp(bytes, SmallPage());
    if (length < bytes || length + kLargePage < length) return nullptr;
    // Map a large page more than needed, then trim the two ends so that the
    // mapping starts on a boundary.
    void* mapped = mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    const auto base = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t start = RoundUp(base, kLargePage);
    if (start > base) munmap(mapped, start - base);
    const std::uintptr_t tail = base + length + kLargePage - (start + length);
    if (tail > 0) munmap(reinterpret_cast<void*>(start + length), tail);
    auto* memory = reinterpret_cast<char*>(start);
    UseLargePages(memory, length);
    return memory;
}

void UnmapLargePages(char* memory, std::size_t bytes) {
    if (memory != nullptr) munmap(memory, RoundUp(bytes, SmallPage()));
}
