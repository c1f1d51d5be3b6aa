#include "platform/largepages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

void UseLargePages(void* begin, std::size_t bytes) {
    if (bytes == 0) return;
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(begin) / page * page;
    const auto end = reinterpret_cast<std::uintptr_t>(begin) + bytes;
    madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}
