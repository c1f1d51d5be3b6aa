// The main window's cards as a desktop user sees them: drawn in device
// pixels, their lines thin and their figures clear of the rules at every
// zoom; and placement through a window manager.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <sstream>

#include "app/brinnowview.h"
#include "app/commandids.h"
#include "app/mainframe.h"
#include "desktop/nightcolours.h"
#include "model/brinnowdoc.h"
#include "platform/qpainterdc.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/sampleship.h"
#include "tests/support/screenmetricsdc.h"

namespace {

// The cards at the screen's device pixel ratio: under QT_SCALE_FACTOR=2 the
// same card twice as sharp, its lines one device pixel wide.
class OnScreenCards : public Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        GenerateDocument(frame->Document(), {3, 2, 1, 1, 2, 3});
        frame->View().OnUpdate();
        frame->resize(1000, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    // The first run of dark pixels along a row, from x0 rightwards.
    static std::pair<int, int> DarkRun(const QImage& image, int x0, int y) {
        int x = x0;
        while (x < image.width() && qGray(image.pixel(x, y)) > 128) ++x;
        const int left = x;
        while (x < image.width() && qGray(image.pixel(x, y)) <= 128) ++x;
        return {left, x - left};
    }
};

TEST_F(OnScreenCards, NightColoursTurnTheCardsDarkAndKeepTheHighlight) {
    CBrinnowView& view = frame->View();
    view.SetCurrentShip(0);
    const auto shade = [&view] {
        const QImage image = view.viewport()->grab().toImage();
        double light = 0;
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4) light += qGray(image.pixel(x, y));
        }
        return light / ((image.height() + 3) / 4 * ((image.width() + 3) / 4)) / 255;
    };
    const auto highlight = [&view] { return view.viewport()->grab().toImage().pixelColor(4, 10); };
    const QColor dayHighlight = highlight();
    EXPECT_GT(shade(), 0.8);
    NightColours::Instance().Set(true);
    QApplication::processEvents();
    EXPECT_LT(shade(), 0.2);
    EXPECT_EQ(highlight(), view.palette().color(QPalette::Highlight));
    NightColours::Instance().Set(false);
    QApplication::processEvents();
    EXPECT_GT(shade(), 0.8);
    EXPECT_EQ(highlight(), dayHighlight);
}

TEST_F(OnScreenCards, LinesAreOneDevicePixelActualSizeIsThePrintedSizeAndWideCardsScroll) {
    CBrinnowView& view = frame->View();
    view.SetZoom(2);
    view.SetCurrentShip(-1);  // no highlight over the lines measured
    const QPixmap shot = view.viewport()->grab();
    const QImage image = shot.toImage();
    const double dpr = shot.devicePixelRatio();
    const double p = view.ScreenScale() * dpr;
    // The card's size in logical pixels follows the desktop's text size,
    // whatever the ratio: 42 mm at the zoom over its dots per inch.
    EXPECT_NEAR(view.ScreenScale(), view.logicalDpiX() / 25.4 * 2, 1e-9);
    const int margin = int(p * 10);
    // The card frame's left edge, just below its top rule.
    const auto [left, thickness] = DarkRun(image, 0, int(p * 7) + int(p * 1));
    EXPECT_EQ(left, margin);
    EXPECT_EQ(thickness, 1);
    // Its right edge, 42 mm further.
    const auto [right, rightThickness] = DarkRun(image, margin + int(p * 40), int(p * 8));
    EXPECT_NEAR(right - margin, p * 42, 2);
    EXPECT_LE(rightThickness, 2);

    frame->Action(ID_VIEW_ZOOM_RESET)->trigger();
    // The card's 42 mm measure 42 mm of the screen's physical size.
    const double pixelsPerMm = view.screen()->physicalDotsPerInchX() / 25.4;
    EXPECT_NEAR(view.ScreenScale() * 42, pixelsPerMm * 42, 0.5);

    // Wide cards scroll sideways.
    view.SetZoom(2);
    EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    view.SetZoom(CBrinnowView::kMaxZoom);
    EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QScrollBar* bar = view.horizontalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    // At the far right the notes' column ends inside the window.
    bar->setValue(bar->maximum());
    const QImage wide = view.viewport()->grab().toImage();
    EXPECT_EQ(wide.pixelColor(wide.width() - 1, wide.height() / 2), QColor(Qt::white));
    view.SetZoom(2);
    EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

// The scales, in device pixels per millimetre, of every zoom the view
// offers: in and out as far as it goes from its first zoom and from Actual
// Size.
std::set<double> OfferedScales(CBrinnowView& view) {
    std::set<double> scales;
    const double dpr = view.viewport()->devicePixelRatioF();
    for (const double start : {view.Zoom(), view.ActualSizeZoom()}) {
        for (void (CBrinnowView::*step)() : {&CBrinnowView::ZoomIn, &CBrinnowView::ZoomOut}) {
            view.SetZoom(start);
            double before;
            do {
                before = view.Zoom();
                scales.insert(view.ScreenScale() * dpr);
                (view.*step)();
            } while (view.Zoom() != before);
        }
    }
    return scales;
}

// Ships whose cards write the widest figures into their boxes: halves with
// torpedo counts of both kinds, two-digit factors, speeds and AA rating,
// wing turrets, flotillas, an aeroplane carrier, a merchant; every name as
// long as a name may be.
std::vector<VxShip> WidestFigures(CBrinnowDoc& doc) {
    VxArmament aircraft("Aircraft", 1, 1);
    aircraft.m_bGun = FALSE;
    const int planes = doc.InsertArmament(aircraft);
    std::vector<VxShip> ships(7, ShipWithWideFigures());
    ships[1].m_nTorpedo = 0;  // 18-inch: ringed
    ships[2].m_nTorpedoAF = {0, 0, 0, 0};
    for (VxShip* flotilla : {&ships[3], &ships[4]}) {
        flotilla->m_nShipType = 11;
        flotilla->m_bFlotilla = TRUE;
        flotilla->m_nTorpedoAF = {10, 12, 1, 0};
    }
    ships[4].m_nTorpedo = 0;
    ships[5].m_nShipType = 10;
    ships[5].m_nSecondaryArmament = planes;
    ships[5].m_dSecondaryAF = {12, 0, 0, 0};
    ships[6].m_nShipType = 1;
    ships[6].m_dMainAF = {1.5, 0, 10, 0.5};
    return ships;
}

// A card's rules: its horizontal and vertical lines and the edges of its
// rectangles, as segments with both ends drawn.
struct Rule {
    int x1, y1, x2, y2;
};

std::vector<Rule> RulesOf(const RecordingDC& dc) {
    std::vector<Rule> rules;
    for (const std::string& entry : dc.log) {
        std::istringstream in(entry);
        std::string kind;
        int a = 0, b = 0, c = 0, d = 0;
        in >> kind >> a >> b >> c >> d;
        if (kind == "Line" && (a == c || b == d)) {
            rules.push_back({std::min(a, c), std::min(b, d), std::max(a, c), std::max(b, d)});
        } else if (kind == "Rectangle") {
            rules.insert(rules.end(), {{a, b, c - 1, b},
                                       {a, d - 1, c - 1, d - 1},
                                       {a, b, a, d - 1},
                                       {c - 1, b, c - 1, d - 1}});
        }
    }
    return rules;
}

// The first rule that runs through the text's box, as "x1 y1 x2 y2", or "".
std::string CrossedRule(const ScreenMetricsDC::PlacedText& text, const std::vector<Rule>& rules) {
    for (const Rule& r : rules) {
        if (std::max(text.left, r.x1) <= std::min(text.right - 1, r.x2) &&
            std::max(text.top, r.y1) <= std::min(text.bottom - 1, r.y2)) {
            std::ostringstream out;
            out << r.x1 << " " << r.y1 << " " << r.x2 << " " << r.y2;
            return out.str();
        }
    }
    return {};
}

struct DrawnCard {
    std::vector<ScreenMetricsDC::PlacedText> texts;
    std::vector<Rule> rules;
};

DrawnCard Draw(const VxShip& ship, const CArray<VxArmament>& armaments, double p, bool screen) {
    ScreenMetricsDC dc(screen);
    ship.DrawCard(dc, p, 0, 0, armaments, 0, 0);
    return {dc.texts, RulesOf(dc)};
}

// A figure clear of the rules on paper stays clear of them on the screen,
// whatever the zoom: none is drawn over a box's edge or cut by it. A half
// factor with a 21-inch count, "0.5 (2 )", runs over its half box even on
// paper; the screen keeps it in as well. At the largest zoom, where the
// boxes have room, the screen draws every figure that fits on paper as large
// as the paper does: it shrinks only what would not fit.
TEST_F(OnScreenCards, FiguresClearOfTheRulesOnPaperAreClearAtEveryZoomAndShrinkOnlyToFit) {
    const std::set<double> scales = OfferedScales(frame->View());
    const double largest = *scales.rbegin();
    CBrinnowDoc doc;
    const std::vector<VxShip> ships = WidestFigures(doc);
    for (std::size_t n = 0; n < ships.size(); ++n) {
        const DrawnCard paper = Draw(ships[n], doc.m_armaments, 23, false);
        const DrawnCard large = Draw(ships[n], doc.m_armaments, largest, false);
        for (const double p : scales) {
            const DrawnCard screen = Draw(ships[n], doc.m_armaments, p, true);
            ASSERT_EQ(screen.texts.size(), paper.texts.size());
            for (std::size_t i = 0; i < paper.texts.size(); ++i) {
                const ScreenMetricsDC::PlacedText& text = screen.texts[i];
                if (p == largest && CrossedRule(large.texts[i], large.rules).empty()) {
                    EXPECT_EQ(text.bottom - text.top, large.texts[i].bottom - large.texts[i].top)
                        << '"' << text.text << "\" of ship " << n << " shrunk";
                }
                const bool bracketed = paper.texts[i].text.find(" (") != std::string::npos;
                if (!bracketed && !CrossedRule(paper.texts[i], paper.rules).empty()) continue;
                EXPECT_EQ(CrossedRule(text, screen.rules), "")
                    << '"' << text.text << "\" of ship " << n << " at " << p << " px/mm";
            }
        }
    }
}

// A screen that tells no physical size, or nonsense, shows the cards at 1;
// any other is kept within the zooms the view offers.
TEST(ActualSize, IsThePhysicalOverTheLogicalResolutionWithinTheOfferedZooms) {
    EXPECT_DOUBLE_EQ(CBrinnowView::ActualSizeZoom(192, 96), 2);
    EXPECT_DOUBLE_EQ(CBrinnowView::ActualSizeZoom(1, 96), 0.1);
    EXPECT_DOUBLE_EQ(CBrinnowView::ActualSizeZoom(1e6, 96), CBrinnowView::kMaxZoom);
    for (const auto& [physical, logical] : {std::pair{0.0, 96.0},
                                            {-96.0, 96.0},
                                            {std::nan(""), 96.0},
                                            {std::numeric_limits<double>::infinity(), 96.0},
                                            {96.0, 0.0}})
        EXPECT_DOUBLE_EQ(CBrinnowView::ActualSizeZoom(physical, logical), 1)
            << physical << " over " << logical;
}

// Outlines given for a 600-dpi printer stay thin on a coarse screen, so a
// wing-turret frame does not swallow the figure beside it.
TEST(ScreenPens, ThickPrinterPensDrawThinOnAScreen) {
    const auto widthDrawn = [](double scale, int penWidth) {
        QImage image(40, 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterDC dc(painter);
        dc.SetPenScale(scale);
        dc.SelectObject(CPen{penWidth, RGB(0, 0, 0)});
        dc.MoveTo(20, 0);
        dc.LineTo(20, 10);
        painter.end();
        int dark = 0;
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, 5)) < 128;
        return dark;
    };
    EXPECT_EQ(widthDrawn(1.0, 5), 5);
    EXPECT_EQ(widthDrawn(3 / 23.6, 5), 1);
    EXPECT_EQ(widthDrawn(15 / 23.6, 5), 3);
    EXPECT_EQ(widthDrawn(3 / 23.6, 1), 1);
    // A screen finer than the printer never thickens them; nonsense is 1.
    EXPECT_EQ(widthDrawn(4.0, 5), 5);
    EXPECT_EQ(widthDrawn(std::nan(""), 5), 5);
}

// Placement through a real window manager; run by scripts/window-check.sh.
TEST(OnScreenPlacement, SizePositionAndMaximisedStateComeBack) {
    if (qEnvironmentVariableIsEmpty("BRINNOW_ON_SCREEN")) {
        GTEST_SKIP() << "needs a window manager: scripts/window-check.sh";
    }
    QSettings().clear();
    // Shows a window and gives the window manager time to place it.
    const auto shown = [](CMainFrame& window) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300);
    };
    QRect placed;
    {
        CMainFrame first;
        first.setGeometry(100, 100, 900, 700);
        shown(first);
        placed = first.geometry();
        ASSERT_TRUE(first.close());
    }
    {
        CMainFrame second;
        shown(second);
        EXPECT_EQ(second.geometry(), placed);
        second.showMaximized();
        QTest::qWait(300);
        ASSERT_TRUE(second.close());
    }
    CMainFrame third;
    shown(third);
    EXPECT_TRUE(third.isMaximized());
}

}  // namespace
