#include "export/htmlexport.h"

#include <cstdio>

#include "export/gifencoder.h"
#include "export/imagenames.h"
#include "model/archive.h"
#include "model/brinnowdoc.h"
#include "model/scenario.h"
#include "platform/codepage.h"
#include "platform/filestore.h"
#include "platform/orderedworkers.h"
#include "platform/safefile.h"
#include "print/cardimage.h"
#include "print/printframework.h"

namespace {

constexpr std::size_t kFailuresListed = 10;
// The logical screen the card images have always declared.
constexpr int kScreenWidth = 44;
constexpr int kScreenHeight = 22;
// How far the drawing may run ahead of the writing: enough to keep every
// processor busy, little enough to hold in memory.
constexpr std::size_t kCardsInFlight = 64;

// Two ships draw the same card when their records are the same.
std::string RecordBytes(const VxShip& ship) {
    constexpr std::size_t kRecordBuffer = 4096;
    std::string bytes;
    CArchive ar(CArchive::AppendTo(bytes), kRecordBuffer);
    VxShip(ship).Serialize(ar);
    ar.Flush();
    return bytes;
}

// The GIF bytes of one card with its marks; empty when it cannot be encoded.
std::string CardGif(const VxShip& ship, bool blank, const CardMarks& marks, double p,
                    const CArray<VxArmament>& armaments, CardImage& image) {
    if (marks.Empty()) {
        ship.CreateCardBitmap(image, p, armaments, blank);
    } else {
        image.Render(p, [&](CDC& dc) {
            ship.DrawCard(dc, p, 0, 0, armaments, 0, 0);
            DrawCardMarks(dc, p, 0, 0, marks);
        });
    }
    return EncodeGreyGif(image.GreyPixels(), image.Width(), image.Height(), kScreenWidth,
                         kScreenHeight);
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
    SafeFile file(path, SafeFile::Durability::NoWait, SafeFile::Placement::InPlaceWhenNew);
    if (!file.Open() || !file.Write(bytes) || !file.Commit()) {
        failedImages.push_back(file.Error());
        return false;
    }
    if (!file.ReplacedExisting()) createdFiles.push_back(path);
    return true;
}

const std::string& HtmlExport::ImageFile(const VxShip& ship, bool blank) {
    if (const CardMarks* marked = marks ? marks->MarksOf(place, placeName) : nullptr;
        marked && !blank) {
        return MarkedImageFile(ship, *marked);
    }
    const std::string*& ofRecord = m_fileOfRecord[blank ? 1 : 0][&ship];
    if (ofRecord != nullptr) return *ofRecord;
    const auto [ofCard, isNew] = m_fileOfCard.try_emplace((blank ? "b" : "c") + RecordBytes(ship));
    ofRecord = &ofCard->second;
    if (isNew) {
        ofCard->second = m_names.Claim(ship.m_strName);
        m_unwritten.push_back({&ship, blank, &ofCard->second});
    }
    return ofCard->second;
}

const std::string& HtmlExport::MarkedImageFile(const VxShip& ship, const CardMarks& marked) {
    const auto [ofCard, isNew] =
        m_fileOfCard.try_emplace("m" + marked.bits.to_string() + RecordBytes(ship));
    if (isNew) {
        ofCard->second = m_names.Claim(ship.m_strName);
        m_unwritten.push_back({&ship, false, &ofCard->second, marked});
    }
    return ofCard->second;
}

bool HtmlExport::WriteImages() {
    const std::size_t failedBefore = failedImages.size();
    const std::size_t workers = OrderedWorkers::WorkerCount(m_unwritten.size());
    std::vector<CardImage> images(workers);
    const auto draw = [&](std::size_t card, std::size_t worker) {
        const Card& job = m_unwritten[card];
        return CardGif(*job.ship, job.blank, job.marks, p, armaments, images[worker]);
    };
    const auto write = [&](std::size_t card, std::string&& gif) {
        std::string& fileName = *m_unwritten[card].fileName;
        if (!WriteImage(fileName, gif)) fileName.clear();
    };
    OrderedWorkers::Run(m_unwritten.size(), workers, kCardsInFlight, draw, write);
    m_unwritten.clear();
    return failedImages.size() == failedBefore;
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
                        const std::string& pagePath, std::string& error,
                        const CardMarksSource* marks) {
    HtmlExport html(doc.m_ships, doc.m_armaments, FolderOf(pagePath));
    html.marks = marks;
    const auto removeCreatedImages = [&html] {
        for (const std::string& image : html.createdFiles) std::remove(image.c_str());
    };
    bool written = false;
    try {
        std::string page = ScenarioPage(scenario, html);
        // Made again without the images that failed, which are rare.
        if (!html.WriteImages()) page = ScenarioPage(scenario, html);
        written = WriteFileSafely(pagePath, WithCrLf(page), error);
    } catch (...) {
        removeCreatedImages();
        throw;
    }
    if (!written) {
        removeCreatedImages();
        return false;
    }
    if (html.failedImages.empty()) return true;
    error = FailedImagesMessage(pagePath, html.failedImages);
    return false;
}
