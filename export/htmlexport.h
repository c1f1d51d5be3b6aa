#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "model/armament.h"
#include "model/ship.h"
#include "platform/types.h"
#include "print/cardimage.h"

class CBrinnowDoc;
class VxScenario;

// What every section of a scenario page is given: the card scale, the
// document's lists and the folder the images go to. It also keeps the image
// files written so far and the first failure, so that a failed export can
// take its images back.
struct HtmlExport {
    static constexpr double kCardScale = 5.9;

    HtmlExport(const CArray<VxShip>& shipList, const CArray<VxArmament>& armamentList,
               std::string imageFolder)
        : ships(shipList), armaments(armamentList), folder(std::move(imageFolder)) {}

    double p = kCardScale;
    const CArray<VxShip>& ships;
    const CArray<VxArmament>& armaments;
    std::string folder;  // UTF-8, as the file system names it
    std::vector<std::string> writtenFiles;
    std::string error;
    CardImage card;  // drawn anew for every ship

    // Writes one card image; false (with error set) when it cannot.
    bool WriteImage(const std::string& fileName, const std::string& bytes);
    // FindShipByName through an index made on first use, as squadrons name
    // their ships and a campaign may hold a hundred thousand.
    VxShip FindShip(const CString& name);

  private:
    std::unordered_map<CString, std::size_t> m_firstShipNamed;
};

// The whole page of one scenario, as it is written to the file.
std::string ScenarioPage(const VxScenario& scenario, HtmlExport& html);

// Writes the scenario page to pagePath with every ship's card image beside
// it. On failure nothing is left behind and error names the file and reason.
bool ExportScenarioHtml(const CBrinnowDoc& doc, const VxScenario& scenario,
                        const std::string& pagePath, std::string& error);
