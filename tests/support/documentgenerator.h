#pragma once

#include <cstdint>
#include <string>

class CBrinnowDoc;

// Fills a document with reproducible made-up content that uses every field:
// multi-line notes, bytes above 0x7F, carriers, flotillas, both torpedo
// types, squadrons that name missing ships, forces with copies.
struct DocumentShape {
    int ships = 50;
    int squadrons = 5;
    int scenarios = 2;
    int forcesPerScenario = 2;
    int shipsPerSquadron = 4;
    std::uint32_t seed = 1;
};

void GenerateDocument(CBrinnowDoc& doc, const DocumentShape& shape);

// Every byte value once, in order.
inline std::string AllBytes() {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) bytes += static_cast<char>(byte);
    return bytes;
}
