// Any bytes as a CSV of ships, read against a small campaign: refused with
// a reason, or imported; and the campaign an import makes reads its own
// export back without a change.
#include <cstddef>
#include <cstdint>
#include <string>

#include "interchange/shipcsv.h"
#include "interchange/shipcsvimport.h"
#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"

namespace {

// The shape of the corpus's seed "generated2", so that its CSV reads.
constexpr DocumentShape kCsvFuzzShape = {8, 2, 1, 2, 3, 3};

const CBrinnowDoc& Campaign() {
    static const CBrinnowDoc doc = [] {
        CBrinnowDoc generated;
        GenerateDocument(generated, kCsvFuzzShape);
        return generated;
    }();
    return doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ShipCsvImport import(Campaign());
    if (!import.Read(bytes)) {
        if (import.Refusals().empty()) __builtin_trap();
        return 0;
    }
    CBrinnowDoc imported = Campaign();
    import.Apply(imported);
    ShipCsvImport again(imported);
    if (!again.Read(ShipsCsv(imported)) || again.ChangesAnything()) __builtin_trap();
    return 0;
}
