#pragma once

#include <cstddef>

// Asks for large pages behind memory that is about to be filled: a page
// fault per 4 KB costs more on a virtual machine than filling the page.
// Contents are left as they are; a hint only, failures are ignored.
void UseLargePages(void* begin, std::size_t bytes);
