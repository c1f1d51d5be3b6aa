// Whatever loads as a document goes through JSON and back to the same saved
// bytes; and the same input taken as JSON is imported or refused with a
// message, never anything else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "interchange/campaignjsonexport.h"
#include "interchange/campaignjsonimport.h"
#include "model/brinnowdoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CBrinnowDoc doc;
    static CBrinnowDoc imported;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (doc.LoadFromBytes(bytes, "fuzz")) {
        if (!ImportCampaignJson(CampaignJson(doc), "fuzz.json", imported, error) ||
            imported.SaveToBytes() != doc.SaveToBytes()) {
            __builtin_trap();
        }
    }
    error.clear();
    if (!ImportCampaignJson(bytes, "fuzz.json", imported, error) && error.empty()) {
        __builtin_trap();
    }
    return 0;
}
