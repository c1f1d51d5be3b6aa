#include "charts/comparewindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QGuiApplication>
#include <QImage>
#include <QLegend>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "charts/barchartbuilder.h"
#include "charts/opencomparison.h"
#include "compare/comparetable.h"
#include "desktop/printcommand.h"
#include "platform/qpainterdc.h"
#include "table/tablewindow.h"
#include "tests/game/gamefixture.h"
#include "tests/support/recordingdc.h"

namespace {

QBarSeries* Bars(const CompareWindow& window) {
    const auto series = window.Chart()->series();
    return series.isEmpty() ? nullptr : qobject_cast<QBarSeries*>(series.front());
}

QStringList SetNames(const CompareWindow& window) {
    QStringList names;
    for (const QBarSet* set : Bars(window)->barSets()) names << set->label();
    return names;
}

QString Cell(const CompareWindow& window, int row, int column) {
    auto* model = window.TableView().model();
    return model->data(model->index(row, column)).toString();
}

class CompareWindowTest : public ::testing::Test {
  protected:
    void TearDown() override { SetPrintHook({}); }

    std::unique_ptr<TableWindow> OpenTable() {
        auto window = std::make_unique<TableWindow>(ScenarioSnapshot::Of(doc, doc.m_scenarios[0]),
                                                    GameSession({}, GamePath()), "");
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    std::string GamePath() const { return dir.filePath("g.game.json").toStdString(); }

    CBrinnowDoc doc = GameCampaign();
    QTemporaryDir dir;
};

}  // namespace

TEST_F(CompareWindowTest, ShowsABarSetPerForceWithLegendTableAndEveryChartItChooses) {
    QWidget owner;
    CompareWindow* window = OpenScenarioComparison(&owner, doc, doc.m_scenarios[0]);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(SetNames(*window), (QStringList{"1 Home", "2 Away"}));
    EXPECT_TRUE(window->Chart()->legend()->isVisible());
    // Home: Alpha, Bravo, Charlie, Delta, Echo, Foxtrot. The figures
    // themselves are the core's, pinned in compare_test.cpp.
    EXPECT_EQ(Bars(*window)->barSets()[0]->at(0), 6);
    EXPECT_EQ(window->TableView().model()->columnCount(), 2);
    EXPECT_EQ(Cell(*window, 0, 0), "6");
    // On screen the bars are told by colour alone; each row of the table
    // leaves its text room.
    EXPECT_EQ(Bars(*window)->barSets()[0]->pen().style(), Qt::NoPen);
    // Every figure stands over its bar, within the plot, for every force.
    const QRectF plot = window->Chart()->plotArea();
    int labels = 0;
    for (const QGraphicsItem* item : window->Chart()->childItems()) {
        if (!dynamic_cast<const QGraphicsSimpleTextItem*>(item)) continue;
        ++labels;
        const double middle = item->mapToParent(item->boundingRect().center()).x();
        EXPECT_GT(middle, plot.left());
        EXPECT_LT(middle, plot.right());
    }
    EXPECT_EQ(labels, 2 * Bars(*window)->barSets()[0]->count());
    // The chooser stays where it is put.
    EXPECT_FALSE(window->findChild<QToolBar*>("compareToolBar")->isMovable());
    EXPECT_GT(window->TableView().rowHeight(0), window->TableView().fontMetrics().height());

    // Choosing the main armament as a user does: the chart shows its four bands.
    window->ChartChooser().setFocus();
    QTest::keyClick(&window->ChartChooser(), Qt::Key_Down);
    QTest::keyClick(&window->ChartChooser(), Qt::Key_Down);
    EXPECT_EQ(window->Chart()->title(), "Main armament");
    EXPECT_EQ(Bars(*window)->barSets()[0]->count(), 4);

    // Night Colours darkens the chart and keeps the chart shown.
    window->findChild<QAction*>("nightColours")->trigger();
    EXPECT_LT(window->Chart()->backgroundBrush().color().lightness(), 64);
    EXPECT_LT(window->TableView().palette().color(QPalette::Base).lightness(), 64);
    EXPECT_GT(window->TableView().palette().color(QPalette::Text).lightness(), 192);
    EXPECT_EQ(window->Chart()->title(), "Main armament");
    window->findChild<QAction*>("nightColours")->trigger();
    EXPECT_GT(window->Chart()->backgroundBrush().color().lightness(), 192);
    EXPECT_EQ(window->TableView().palette().color(QPalette::Base),
              QApplication::palette(&window->TableView()).color(QPalette::Base));

    // Copy puts the table on the clipboard as text.
    QGuiApplication::clipboard()->clear();
    QTest::keySequence(window, QKeySequence::Copy);
    const std::string expected =
        CompareTable::Of(CompareForces(ScenarioSnapshot::Of(doc, doc.m_scenarios[0]))).Text();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);

    // It fits a small screen of 1024 x 576, frame and all.
    EXPECT_LE(window->frameGeometry().width(), 1024);
    EXPECT_LE(window->frameGeometry().height(), 576);

    // Made smaller still, the table gives way before the chart does.
    window->resize(400, 300);
    QApplication::processEvents();
    const QWidget* chart = window->findChild<QWidget*>("compareChart");
    EXPECT_GE(chart->width(), 320);
    EXPECT_GE(chart->height(), 240);
}

TEST_F(CompareWindowTest, AtTheTableFollowsEachMarkAndShowsNowBesideStart) {
    auto table = OpenTable();
    table->Action("compareForces")->trigger();
    CompareWindow* window = table->Comparison();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(SetNames(*window).size(), 2);

    // Now beside start; how marks count is the core's (compare_test.cpp).
    table->ToggleMark(1, CardMark::Sunk);  // Bravo
    EXPECT_EQ(Bars(*window)->barSets()[0]->at(0), 5);
    EXPECT_EQ(Cell(*window, 0, 0), "5");
    EXPECT_EQ(Cell(*window, 0, 1), "6");
    table->Undo();
    EXPECT_EQ(Cell(*window, 0, 0), "6");
    // Asked again, the same window comes forward.
    table->Action("compareForces")->trigger();
    EXPECT_EQ(table->Comparison(), window);
}

TEST_F(CompareWindowTest, PrintsTitleChartAndTableOnOnePageBlackOnWhite) {
    QWidget owner;
    CompareWindow* window = OpenScenarioComparison(&owner, doc, doc.m_scenarios[0]);
    PrinterJob printed;
    bool previewed = false;
    SetPrintHook([&](const std::string&, const PrinterJob& job, bool preview) {
        printed = job;
        previewed = preview;
    });
    window->findChild<QAction*>("nightColours")->trigger();
    window->findChild<QAction*>("printPreview")->trigger();
    ASSERT_TRUE(printed);
    EXPECT_TRUE(previewed);

    // On paper each bar is outlined, its force told by its pattern.
    std::unique_ptr<QChart> paper(BuildBarChart(window->Charts().front(), ChartInk::Paper));
    const QBarSet* bars = qobject_cast<QBarSeries*>(paper->series().front())->barSets()[0];
    EXPECT_EQ(bars->pen().color(), QColor(Qt::black));
    EXPECT_NE(bars->pen().style(), Qt::NoPen);
    EXPECT_EQ(bars->brush().color(), QColor(Qt::black));

    RecordingDC recording;
    printed(recording, Unwatched());
    EXPECT_EQ(recording.Find("StartDoc Skirmish - forces compared"),
              std::vector<std::string>{"StartDoc Skirmish - forces compared"});
    EXPECT_EQ(recording.Find("StartPage").size(), 1u);
    EXPECT_NE(recording.TextEntry("Skirmish - forces compared"), "");
    EXPECT_NE(recording.TextEntry("1 Home"), "");
    EXPECT_NE(recording.TextEntry("Ships"), "");

    // On a page of pixels the chart is drawn too, in greys only.
    QImage page(840, 1188, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    QPainterDC dc(painter);
    printed(dc, Unwatched());
    painter.end();
    int dark = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            ASSERT_TRUE(pixel.red() == pixel.green() && pixel.green() == pixel.blue())
                << x << "," << y;
            dark += pixel.lightness() < 128 ? 1 : 0;
        }
    }
    // The chart's upper half of the page holds more than the title's ink.
    EXPECT_GT(dark, 5000);
}
