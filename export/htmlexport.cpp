#include "export/htmlexport.h"

#include <sys/stat.h>

#include "export/gifencoder.h"
#include "export/imagenames.h"
#include "model/archive.h"
#include "model/brinnowdoc.h"
#include "model/scenario.h"
#include "platform/codepage.h"
#include "platform/filestore.h"
#include "platform/orderedworkers.h"
#include "platform/safefile.h"
#include "platform/writetarget.h"
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
constexpr const char* kWritingImages = "Writing card images:";

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
    std::string message = "The page \"" + pagePath + "\" was not written, because " +
                          std::to_string(failed.size()) +
                          (failed.size() == 1 ? " card image" : " card images") +
                          " could not be; the folder is as it was:";
    for (std::size_t i = 0; i < failed.size() && i < kFailuresListed; ++i) {
        message += "\n" + failed[i];
    }
    if (failed.size() > kFailuresListed) {
        message += "\n(and " + std::to_string(failed.size() - kFailuresListed) + " more)";
    }
    return message;
}

std::string PageFooter() {
    return std::string("<H5><CENTER>") + kCopyrightNotice + "</CENTER></H5>";
}

}  // namespace

HtmlExport::HtmlExport(const CArray<VxShip>& shipList, const CArray<VxArmament>& armamentList,
                       std::string imageFolder, std::unordered_set<std::string> earlierImageNames)
    : ships(shipList),
      armaments(armamentList),
      folder(std::move(imageFolder)),
      earlierImages(std::move(earlierImageNames)),
      m_shipLookup(shipList),
      m_names([this](const std::string& fileName) { return TakenByAnotherFile(fileName); }) {}

bool HtmlExport::MayReplace(const std::string& fileName) const {
    struct stat info {};
    return earlierImages.count(fileName) != 0 &&
           ::lstat(JoinPath(folder, Cp1252ToUtf8(fileName)).c_str(), &info) == 0 &&
           S_ISREG(info.st_mode);
}

bool HtmlExport::TakenByAnotherFile(const std::string& fileName) const {
    struct stat info {};
    return ::lstat(JoinPath(folder, Cp1252ToUtf8(fileName)).c_str(), &info) == 0 &&
           !MayReplace(fileName);
}

void HtmlExport::WriteImage(const std::string& fileName, const std::string& bytes) {
    const std::string path = JoinPath(folder, Cp1252ToUtf8(fileName));
    if (bytes.empty()) {
        failedImages.push_back("Cannot make the card image \"" + path + "\".");
        return;
    }
    // A file that turned up under a free name meanwhile is not replaced either.
    const auto placement =
        MayReplace(fileName) ? SafeFile::Placement::Replace : SafeFile::Placement::NeverReplace;
    SafeFile& file = files.Add(path, SafeFile::Durability::NoWait, placement);
    if (!file.Write(bytes) || !file.Finish()) failedImages.push_back(file.Error());
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
        m_unwritten.push_back({&ship, blank, &ofCard->second, {}});
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

bool HtmlExport::WriteImages(Progress& progress) {
    const std::size_t failedBefore = failedImages.size();
    const auto total = std::int64_t(m_unwritten.size());
    progress.Step(0, total, kWritingImages);
    const std::size_t workers = OrderedWorkers::WorkerCount(m_unwritten.size());
    std::vector<CardImage> images(workers);
    const auto draw = [&](std::size_t card, std::size_t worker) {
        const Card& job = m_unwritten[card];
        return CardGif(*job.ship, job.blank, job.marks, p, armaments, images[worker]);
    };
    const auto write = [&](std::size_t card, std::string&& gif) {
        WriteImage(*m_unwritten[card].fileName, gif);
        progress.Step(std::int64_t(card + 1), total, kWritingImages);
    };
    OrderedWorkers::Run(m_unwritten.size(), workers, kCardsInFlight, draw, write);
    m_unwritten.clear();
    return failedImages.size() == failedBefore;
}

std::string ScenarioPage(const VxScenario& scenario, HtmlExport& html,
                         const std::string& afterScenario) {
    std::string page;
    page += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n";
    page += "<HTML>\n";
    page += "<HEAD><TITLE>" + scenario.GetName() + "</TITLE></HEAD>\n";
    page += "<BODY BGCOLOR=\"#FFFFFF\">\n";
    page += scenario.HtmlSection(html);
    page += afterScenario;
    page += PageFooter();
    page += "</BODY>\n";
    page += "</HTML>\n";
    return page;
}

std::unordered_set<std::string> ImagesOfEarlierExport(const std::string& pagePath) {
    std::string page, error;
    if (!ReadWholeFile(pagePath, page, error) || page.find(PageFooter()) == std::string::npos) {
        return {};
    }
    std::unordered_set<std::string> names;
    static const std::string kSource = "<IMG SRC=\"";
    for (std::size_t at = page.find(kSource); at != std::string::npos;
         at = page.find(kSource, at)) {
        at += kSource.size();
        const std::size_t end = page.find('"', at);
        if (end == std::string::npos) break;
        names.insert(FileNameOfSource(page.substr(at, end - at)));
    }
    return names;
}

bool ExportScenarioHtml(const CBrinnowDoc& doc, const VxScenario& scenario,
                        const std::string& pagePath, std::string& error,
                        const CardMarksSource* marks, Progress& progress,
                        const std::string& afterScenario) {
    if (WriteTarget::Of(pagePath).kind == WriteTarget::Kind::Stream) {
        error = "Cannot write \"" + pagePath +
                "\": a page needs a folder of its own for its card images.";
        return false;
    }
    HtmlExport html(doc.m_ships, doc.m_armaments, FolderOf(pagePath),
                    ImagesOfEarlierExport(pagePath));
    html.marks = marks;
    const std::string page = ScenarioPage(scenario, html, afterScenario);
    if (html.NamesAnImage(Cp1252FromUtf8(FileNameOf(pagePath)))) {
        error = "Cannot write the page as \"" + pagePath +
                "\": one of its card images has that name. Give the page a name ending in .htm.";
        return false;
    }
    if (!html.WriteImages(progress)) {
        error = FailedImagesMessage(pagePath, html.failedImages);
        return false;
    }
    html.files.Add(pagePath, SafeFile::Durability::WaitForDisk, SafeFile::Placement::Replace)
        .Write(WithCrLf(page));
    return html.files.Commit(error);
}
