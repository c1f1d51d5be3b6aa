#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "export/uniqueimagenames.h"
#include "model/armament.h"
#include "model/ship.h"
#include "platform/progress.h"
#include "platform/safefilegroup.h"
#include "platform/types.h"
#include "print/cardoverlay.h"
#include "print/shiplookup.h"

class CBrinnowDoc;
class VxScenario;

// What every section of a scenario page is given: the card scale, the
// document's lists and the folder the images go to. It also keeps the image
// file of each distinct card and the images that could not be written.
//
// The sections only name the images; WriteImages then draws, encodes and
// writes them all at once, on every processor, beside their names in files,
// which move into place with the page only when all of it was written. An
// image never takes the name of a file in the folder that is not one of
// earlierImages: the user's own files stay as they are.
struct HtmlExport {
    static constexpr double kCardScale = 5.9;

    HtmlExport(const CArray<VxShip>& shipList, const CArray<VxArmament>& armamentList,
               std::string imageFolder, std::unordered_set<std::string> earlierImageNames = {});

    double p = kCardScale;
    const CArray<VxShip>& ships;
    const CArray<VxArmament>& armaments;
    std::string folder;  // UTF-8, as the file system names it
    // The images of an earlier export of the same page, which this one may
    // replace (names in the page's code page).
    std::unordered_set<std::string> earlierImages;
    // The written images, waiting to move into place.
    SafeFileGroup files;
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
    // they were named, into files beside their names, reporting the images
    // written; false when any could not be.
    bool WriteImages(Progress& progress = Unwatched());
    // The first ship of that name, through the export's one lookup; a name
    // that matches no ship gives a new ship.
    const VxShip& FindShip(const CString& name) const { return m_shipLookup.Find(name); }
    // Whether a card image of the export was given that file name.
    bool NamesAnImage(const std::string& fileName) const { return m_names.Claimed(fileName); }

  private:
    struct Card {
        const VxShip* ship;
        bool blank;
        std::string* fileName;
        CardMarks marks;
    };

    void WriteImage(const std::string& fileName, const std::string& bytes);
    const std::string& MarkedImageFile(const VxShip& ship, const CardMarks& marked);
    bool MayReplace(const std::string& fileName) const;
    bool TakenByAnotherFile(const std::string& fileName) const;

    ShipLookup m_shipLookup;
    // Distinct records first, then their cards: equal records share a file.
    std::unordered_map<const VxShip*, const std::string*> m_fileOfRecord[2];
    std::unordered_map<std::string, std::string> m_fileOfCard;
    UniqueImageNames m_names;  // after earlierImages, which it uses
    std::vector<Card> m_unwritten;
};

// The whole page of one scenario, as it is written to the file, with
// afterScenario (HTML of the page's code page) after the scenario's section.
std::string ScenarioPage(const VxScenario& scenario, HtmlExport& html,
                         const std::string& afterScenario = {});

// The image names of the page at pagePath if it is one this program wrote,
// which a new export of the same page may replace.
std::unordered_set<std::string> ImagesOfEarlierExport(const std::string& pagePath);

// Writes the scenario page to pagePath with every card image beside it and
// returns true when all of it was written. Nothing changes unless all of it
// could be: when the page or any image cannot be written, the old page and
// every file in the folder stay as they were, and error is a sentence naming
// the files and the reasons. Marks, when given, are drawn on the cards they
// belong to. A cancelled export leaves the folder as it was too. A page
// named as one of its card images would be ("Lion.gif") is refused.
// afterScenario is put after the scenario's section, as ScenarioPage does.
bool ExportScenarioHtml(const CBrinnowDoc& doc, const VxScenario& scenario,
                        const std::string& pagePath, std::string& error,
                        const CardMarksSource* marks = nullptr, Progress& progress = Unwatched(),
                        const std::string& afterScenario = {});
