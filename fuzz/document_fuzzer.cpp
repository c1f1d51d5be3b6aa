// Any bytes must either load or be refused with a message: no crash, no
// hang, no allocation out of proportion to the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/brinnowdoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CBrinnowDoc doc;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (doc.LoadFromBytes(bytes, "fuzz")) {
        // What loads saves in the one canonical form, which loads and saves
        // back to itself (a file may hold longer string prefixes or wide
        // strings that are never written).
        const std::string saved = doc.SaveToBytes();
        if (!doc.LoadFromBytes(saved, "saved") || doc.SaveToBytes() != saved) __builtin_trap();
    } else if (doc.ErrorMessage().empty()) {
        __builtin_trap();
    }
    return 0;
}
