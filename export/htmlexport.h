#pragma once

#include <string>
#include <vector>

#include "model/armament.h"
#include "model/ship.h"
#include "platform/types.h"

class CBrinnowDoc;
class VxScenario;

// What every section of a scenario page is given: the card scale, the
// document's lists and the folder the images go to. It also keeps the image
// files written so far and the first failure, so that a failed export can
// take its images back.
struct HtmlExport {
    static constexpr double kCardScale = 5.9;

    double p = kCardScale;
    const CArray<VxShip>& ships;
    const CArray<VxArmament>& armaments;
    std::string folder;  // UTF-8, as the file system names it
    std::vector<std::string> writtenFiles;
    std::string error;

    // Writes one card image; false (with error set) when it cannot.
    bool WriteImage(const std::string& fileName, const std::string& bytes);
};

// The whole page of one scenario, as it is written to the file.
std::string ScenarioPage(const VxScenario& scenario, HtmlExport& html);

// Writes the scenario page to pagePath with every ship's card image beside
// it. On failure nothing is left behind and error names the file and reason.
bool ExportScenarioHtml(const CBrinnowDoc& doc, const VxScenario& scenario,
                        const std::string& pagePath, std::string& error);
