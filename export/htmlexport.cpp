#include "export/htmlexport.h"

#include <cstdio>

#include "export/imagenames.h"
#include "model/archive.h"
#include "model/brinnowdoc.h"
#include "model/scenario.h"
#include "platform/codepage.h"
#include "platform/filestore.h"
#include "platform/safefile.h"
#include "print/printframework.h"

namespace {

constexpr std::size_t kFailuresListed = 10;

// Two ships draw the same card when their records are the same.
std::string RecordBytes(const VxShip& ship) {
    std::string bytes;
    CArchive ar(CArchive::AppendTo(bytes));
    VxShip(ship).Serialize(ar);
    ar.Flush();
    return bytes;
}

std::string FailedImagesMessage(const std::string& pagePath,
                                const std::vector<std::string>& failed) {
    std::string message = "The page \"" + pagePath + "\" was written, but " +
                          std::to_string(failed.size()) +
                          (failed.size() == 1 ? " card image" : " card images") +
                          " could not be, and those ships show no picture:";
    for (std::size_t i = 0; i < failed.size() && i < kFailuresListed; ++i) {
        message += "\n" + failed[i];
    }
    if (failed.size() > kFailuresListed) {
        message += "\n(and " + std::to_string(failed.size() - kFailuresListed) + " more)";
    }
    return message;
}

}  // namespace

bool HtmlExport::WriteImage(const std::string& fileName, const std::string& bytes) {
    const std::string path = JoinPath(folder, Cp1252ToUtf8(fileName));
    if (bytes.empty()) {
        failedImages.push_back("Cannot make the card image \"" + path + "\".");
        return false;
    }
    SafeFile file(path, SafeFile::Durability::NoWait);
    if (!file.Open() || !file.Write(bytes) || !file.Commit()) {
        failedImages.push_back(file.Error());
        return false;
    }
    if (!file.ReplacedExisting()) createdFiles.push_back(path);
    return true;
}

const std::string& HtmlExport::ImageFile(const VxShip& ship, bool blank,
                                         const std::function<std::string()>& encode) {
    const std::string*& ofRecord = m_fileOfRecord[blank ? 1 : 0][&ship];
    if (ofRecord != nullptr) return *ofRecord;
    const auto [ofCard, isNew] = m_fileOfCard.try_emplace((blank ? "b" : "c") + RecordBytes(ship));
    ofRecord = &ofCard->second;
    if (!isNew) return ofCard->second;
    const std::string fileName = m_names.Claim(ship.m_strName);
    if (WriteImage(fileName, encode())) ofCard->second = fileName;
    return ofCard->second;
}

const VxShip& HtmlExport::FindShip(const CString& name) {
    if (m_firstShipNamed.empty()) {
        for (std::size_t i = ships.size(); i-- > 0;) m_firstShipNamed[ships[i].m_strName] = i;
    }
    const auto found = m_firstShipNamed.find(name);
    return found == m_firstShipNamed.end() ? m_newShip : ships[found->second];
}

std::string ScenarioPage(const VxScenario& scenario, HtmlExport& html) {
    std::string page;
    page += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n";
    page += "<HTML>\n";
    page += "<HEAD><TITLE>" + scenario.GetName() + "</TITLE></HEAD>\n";
    page += "<BODY BGCOLOR=\"#FFFFFF\">\n";
    page += scenario.HtmlSection(html);
    page += std::string("<H5><CENTER>") + kCopyrightNotice + "</CENTER></H5>";
    page += "</BODY>\n";
    page += "</HTML>\n";
    return page;
}

bool ExportScenarioHtml(const CBrinnowDoc& doc, const VxScenario& scenario,
                        const std::string& pagePath, std::string& error) {
    HtmlExport html(doc.m_ships, doc.m_armaments, FolderOf(pagePath));
    const std::string page = ScenarioPage(scenario, html);
    if (!WriteFileSafely(pagePath, WithCrLf(page), error)) {
        for (const std::string& image : html.createdFiles) std::remove(image.c_str());
        return false;
    }
    if (html.failedImages.empty()) return true;
    error = FailedImagesMessage(pagePath, html.failedImages);
    return false;
}
