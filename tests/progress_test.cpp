// Long work reports how far it is, and a cancel at any step leaves every
// target as it was and nothing of the run behind.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <functional>

#include "export/htmlexport.h"
#include "export/textexport.h"
#include "interchange/campaignjsonexport.h"
#include "interchange/campaignjsonimport.h"
#include "interchange/shipcsv.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "platform/pdfsurface.h"
#include "print/multiprintjob.h"
#include "print/scenarioprintjob.h"
#include "print/shipcardjob.h"
#include "print/squadronprintjob.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/failingfilesystem.h"
#include "tests/support/steprecorder.h"

namespace {

// One kind of work writing to its target; false, with error set, when it failed.
using Work = std::function<bool(const CBrinnowDoc&, const std::string& target, std::string& error,
                                Progress&)>;

// A print job run into a PDF at the target.
Work Printing(std::function<void(const CBrinnowDoc&, CDC&, Progress&)> job) {
    return [job](auto& doc, auto& target, auto&, auto& progress) {
        PdfSurface pdf(target, QPageSize(QPageSize::A4), 72);
        job(doc, pdf.Dc(), progress);
        return pdf.Finish();
    };
}

const std::pair<const char*, Work> kCases[] = {
    {"card print", Printing([](auto& doc, auto& dc, auto& progress) {
         ShipCardJob(doc).Print(dc, "Brinnow", progress);
     })},
    {"multi print", Printing([](auto& doc, auto& dc, auto& progress) {
         MultiPrintSelection selection;
         for (const VxShip& ship : doc.m_ships) selection.ships.push_back(ship.m_strName);
         selection.squadrons.push_back(doc.m_squadrons[0].m_strName);
         selection.scenarios.push_back(doc.m_scenarios[0].m_strName);
         MultiPrintJob(doc, selection).Print(dc, progress);
     })},
    {"squadron print", Printing([](auto& doc, auto& dc, auto& progress) {
         RunSquadronPrintJob(dc, doc.m_squadrons[0], doc.m_ships, doc.m_armaments, progress);
     })},
    {"scenario print", Printing([](auto& doc, auto& dc, auto& progress) {
         RunScenarioPrintJob(dc, doc.m_scenarios[0], doc.m_ships, doc.m_armaments, nullptr,
                             progress);
     })},
    {"HTML export",
     [](auto& doc, auto& target, auto& error, auto& progress) {
         return ExportScenarioHtml(doc, doc.m_scenarios[0], target, error, nullptr, progress);
     }},
    {"text export", [](auto& doc, auto& target, auto& error,
                       auto& progress) { return ExportShipsText(doc, target, error, progress); }},
    {"CSV export",
     [](auto& doc, auto& target, auto& error, auto& progress) {
         return ExportShipsCsv(doc, target, error, CsvCells::Protected, progress);
     }},
    {"JSON export",
     [](auto& doc, auto& target, auto& error, auto& progress) {
         return ExportCampaignJson(doc, target, error, progress);
     }},
    {"save",
     [](auto& doc, auto& target, auto&, auto& progress) {
         CBrinnowDoc saved(doc);
         return saved.OnSaveDocument(target, progress);
     }},
};

class LongWork : public ::testing::Test {
  protected:
    LongWork() {
        GenerateDocument(m_doc, {200, 6, 2, 3, 8});
        m_target = m_dir.path().toStdString() + "/target";
    }
    QTemporaryDir m_dir;
    CBrinnowDoc m_doc;
    std::string m_target;
};

TEST(Progress, HowEverLongTheWorkItIsShownAboutAThousandTimesAndAlwaysAtItsEnd) {
    for (const std::int64_t total : {1, 999, 1000, 1001, 1500, 123456789}) {
        StepRecorder recorder;
        for (std::int64_t done = 0; done <= total; done += 1 + total / 100000)
            recorder.Step(done, total, "Working");
        recorder.Step(total, total, "Working");
        EXPECT_LE(recorder.steps.size(), std::size_t(Progress::kReportsPerRun) + 2) << total;
        EXPECT_GE(recorder.steps.size(), std::size_t(std::min<std::int64_t>(total, 500))) << total;
        EXPECT_EQ(recorder.steps.back().done, total);
    }
}

// Progress only moves forward and reaches the total; a cancel at any step
// leaves the target and its folder as they were.
TEST_F(LongWork, ProgressMovesForwardAndACancelAtAnyStepLeavesTheTarget) {
    for (const auto& [name, work] : kCases) {
        SCOPED_TRACE(name);
        StepRecorder counted;
        std::string error;
        ASSERT_TRUE(work(m_doc, m_target, error, counted)) << error;
        const std::size_t steps = counted.steps.size();
        ASSERT_GE(steps, 3u);
        EXPECT_EQ(counted.steps.front().done, 0);
        for (std::size_t i = 1; i < steps; ++i) {
            EXPECT_GE(counted.steps[i].done, counted.steps[i - 1].done) << i;
            EXPECT_EQ(counted.steps[i].total, counted.steps[0].total) << i;
        }
        EXPECT_EQ(counted.steps.back().done, counted.steps.back().total);
        ASSERT_TRUE(WriteFileSafely(m_target, "the old target", error));
        const auto before = FolderContents(m_dir.path().toStdString());
        for (const std::size_t cancelAt : {std::size_t(0), steps / 2, steps - 1}) {
            SCOPED_TRACE("cancelled at step " + std::to_string(cancelAt));
            StepRecorder cancelling(cancelAt);
            EXPECT_THROW(work(m_doc, m_target, error, cancelling), WorkCancelled);
            EXPECT_EQ(cancelling.steps.size(), cancelAt + 1);
            // The target's bytes too.
            EXPECT_EQ(FolderContents(m_dir.path().toStdString()), before);
        }
    }
}

TEST_F(LongWork, ReadingReportsItsBytesAndACancelKeepsTheDocumentItReadsInto) {
    const std::string brn = m_dir.filePath("campaign.brn").toStdString();
    const std::string json = m_dir.filePath("campaign.json").toStdString();
    // Large enough to be read in several steps.
    CBrinnowDoc campaign;
    GenerateDocument(campaign, {3000, 6, 2, 3, 8});
    std::string error;
    ASSERT_TRUE(campaign.OnSaveDocument(brn));
    ASSERT_TRUE(ExportCampaignJson(campaign, json, error));
    using Read = std::function<bool(CBrinnowDoc&, Progress&)>;
    const std::pair<const char*, Read> reads[] = {
        {"open",
         [&](CBrinnowDoc& doc, Progress& progress) { return doc.OnOpenDocument(brn, progress); }},
        {"JSON import",
         [&](CBrinnowDoc& doc, Progress& progress) {
             return ImportCampaignJsonFile(json, doc, error, progress);
         }},
    };
    for (const auto& [name, read] : reads) {
        SCOPED_TRACE(name);
        StepRecorder counted;
        CBrinnowDoc whole;
        ASSERT_TRUE(read(whole, counted));
        EXPECT_EQ(whole.SaveToBytes(), campaign.SaveToBytes());
        ASSERT_GE(counted.steps.size(), 3u);
        for (std::size_t i = 1; i < counted.steps.size(); ++i)
            EXPECT_GT(counted.steps[i].done, counted.steps[i - 1].done) << i;
        EXPECT_EQ(counted.steps.back().done, counted.steps.back().total);
        EXPECT_EQ(std::size_t(counted.steps.back().total),
                  std::filesystem::file_size(name == reads[0].first ? brn : json));
        for (const std::size_t cancelAt : {std::size_t(0), counted.steps.size() / 2}) {
            CBrinnowDoc doc;
            StepRecorder cancelling(cancelAt);
            EXPECT_THROW(read(doc, cancelling), WorkCancelled);
            EXPECT_EQ(doc.SaveToBytes(), CBrinnowDoc().SaveToBytes());
        }
    }
}

}  // namespace
