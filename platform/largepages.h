#pragma once

#include <cstddef>

// A page fault per 4 KB costs more on a virtual machine than filling the
// page, so memory that is about to be filled in bulk asks for large pages.

inline constexpr std::size_t kLargePageBytes = std::size_t(2) << 20;

// Advises large pages behind existing memory. Contents are left as they are;
// a hint only, failures are ignored.
void UseLargePages(void* begin, std::size_t bytes);

// Fresh anonymous memory for at least `bytes` (more than zero), its start on
// a large-page boundary so that every whole large page of it can be one.
// Nothing is zero-filled up front. nullptr when there is no memory. Give it
// back with UnmapLargePages and the same size.
char* MapLargePages(std::size_t bytes);
void UnmapLargePages(char* memory, std::size_t bytes);
