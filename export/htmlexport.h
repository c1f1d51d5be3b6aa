#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "export/uniqueimagenames.h"
#include "model/armament.h"
#include "model/ship.h"
#include "platform/types.h"
#include "print/cardoverlay.h"
#include "print/shiplookup.h"

class CBrinnowDoc;
class VxScenario;

// What every section of a scenario page is given: the card scale, the
// document's lists and the folder the images go to. It also keeps the image
// file of each distinct card, the files this run created (so that a failed
// export can take them back) and the images that could not be written.
//
// The sections only name the images; WriteImages then draws, encodes and
// writes them all at once, on every processor. A page made after that names
// no image that failed.
struct HtmlExport {
    static constexpr double kCardScale = 5.9;

    HtmlExport(const CArray<VxShip>& shipList, const CArray<VxArmament>& armamentList,
               std::string imageFolder)
        : ships(shipList),
          armaments(armamentList),
          folder(std::move(imageFolder)),
          m_shipLookup(shipList) {}

    double p = kCardScale;
    const CArray<VxShip>& ships;
    const CArray<VxArmament>& armaments;
    std::string folder;  // UTF-8, as the file system names it
    std::vector<std::string> createdFiles;
    std::vector<std::string> failedImages;  // a sentence for each
    // Marks over the cards, if any, and where the card being named stands in
    // the scenario: a marked card has an image of its own.
    const CardMarksSource* marks = nullptr;
    ShipPlace place;
    CString placeName;

    void Place(ShipRole role, std::size_t position, const CString& name) {
        place.role = role;
        place.position = int(position);
        placeName = name;
    }

    // The file (in the page's code page) holding the card of ship drawn with
    // blank. Empty once WriteImages found that it could not be written. The
    // ship must outlive the export: a record met again costs no more than a
    // look-up.
    const std::string& ImageFile(const VxShip& ship, bool blank);
    // Writes the images of the cards named since the last call, in the order
    // they were named; false when any could not be.
    bool WriteImages();
    // The first ship of that name, through the export's one lookup; a name
    // that matches no ship gives a new ship.
    const VxShip& FindShip(const CString& name) const { return m_shipLookup.Find(name); }

  private:
    struct Card {
        const VxShip* ship;
        bool blank;
        std::string* fileName;
        CardMarks marks;
    };

    bool WriteImage(const std::string& fileName, const std::string& bytes);
    const std::string& MarkedImageFile(const VxShip& ship, const CardMarks& marked);

    ShipLookup m_shipLookup;
    // Distinct records first, then their cards: equal records share a file.
    std::unordered_map<const VxShip*, const std::string*> m_fileOfRecord[2];
    std::unordered_map<std::string, std::string> m_fileOfCard;
    UniqueImageNames m_names;
    std::vector<Card> m_unwritten;
};

// The whole page of one scenario, as it is written to the file.
std::string ScenarioPage(const VxScenario& scenario, HtmlExport& html);

// Writes the scenario page to pagePath with every card image beside it and
// returns true when all of it was written. When the page cannot be written,
// the images this run created are removed again; when only some images cannot
// be, the page is kept (those ships show no picture) and error lists them.
// Either way error is a sentence naming the files and the reasons. Marks,
// when given, are drawn on the cards they belong to.
bool ExportScenarioHtml(const CBrinnowDoc& doc, const VxScenario& scenario,
                        const std::string& pagePath, std::string& error,
                        const CardMarksSource* marks = nullptr);
