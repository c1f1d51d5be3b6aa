#include "print/cardpainter.h"

#include <algorithm>
#include <cstdlib>

#include "model/shiptables.h"
#include "platform/numbers.h"
#include "platform/textformat.h"
#include "print/cardgeometry.h"
#include "print/printframework.h"
#include "print/textlayout.h"

namespace {

constexpr double kLabelFont = 1.6;
constexpr double kNameFont = 2.2;
constexpr double kValueFont = 1.6;
constexpr double kBigFigureFont = 3;
constexpr double kSmallFigureFont = 1.9;
constexpr double kTorpedoFont = 2.8;
constexpr double kSpeedFont = 2.3;
constexpr double kNotesFont = 3;
// The smallest figure a screen shrinks a split figure to, in pixels.
constexpr int kSmallestFigure = 5;
constexpr int kSmallBoxes = 18;
constexpr int kWingTurretPen = 5;

bool IsMerchant(int shipType) { return shipType >= 0 && shipType <= kLastMerchantType; }

CString TorpedoFigure(int value) { return value > 0 ? std::to_string(value) : "-"; }

// The secondary factor and the torpedo factor of AF box i, as the split
// layout writes them.
CString SplitFigureText(const VxShip& ship, int i) {
    const CString secondary =
        ship.HasSecondary() ? FormatG3(ship.m_dSecondaryAF[std::size_t(i)]) : "";
    if (!ship.HasTorpedoes()) return secondary;
    const CString torpedo = TorpedoFigure(ship.m_nTorpedoAF[std::size_t(i)]);
    return secondary + (ship.HasTwentyOneInchTorpedoes() ? " (" + torpedo + " )" : "  " + torpedo);
}

}  // namespace

CardPainter::CardPainter(CDC& dc, double p, int x, int y)
    : m_dc(dc), m_p(p), m_x(x), m_y(y), m_w(Mm(10.5)), m_y7(y + Mm(7)) {}

int CardPainter::Mm(double k) const { return ::Mm(m_p, k); }

CFont CardPainter::MakeFont(double mm, BOOL bold) const { return FontOfHeight(Mm(mm), bold); }

CFont CardPainter::FontOfHeight(int pixels, BOOL bold) const {
    CFont font;
    MakePrintFont(m_dc, font, pixels, "Arial", bold, FALSE);
    return font;
}

int CardPainter::LabelTextHeight() { return m_dc.GetTextExtent("TextHeight").cy; }

void CardPainter::DrawFrame() {
    m_dc.SetBkMode(TRANSPARENT);
    const CardGeometry card(m_p, m_x, m_y);
    m_dc.Rectangle(card.Left(), card.Top(), card.OuterRight(), card.OuterBottom());
    for (const int row : {0, 1}) {
        m_dc.MoveTo(card.Left(), card.RowBottom(row));
        m_dc.LineTo(card.RuleRight(), card.RowBottom(row));
    }
    for (const int i : {0, 1, 2}) {
        m_dc.MoveTo(card.UpperColumn(i), card.Top());
        m_dc.LineTo(card.UpperColumn(i), card.RowBottom(1));
    }
    for (const int i : {0, 1, 2, 3}) {
        m_dc.MoveTo(card.LowerColumn(i), card.RowBottom(1));
        m_dc.LineTo(card.LowerColumn(i), card.RowBottom(2));
    }
    m_dc.MoveTo(card.DiagonalStart().x, card.DiagonalStart().y);
    m_dc.LineTo(card.DiagonalEnd().x, card.DiagonalEnd().y);
    for (int i = 0; i < kSmallBoxes; ++i) {
        const CardGeometry::Quad box = card.Place(CardMark(int(CardMark::Box1) + i));
        m_dc.Rectangle(box[0].x, box[0].y, box[2].x, box[2].y);
    }
}

void CardPainter::DrawLabels(const VxShip& ship, const CArray<VxArmament>* armaments) {
    ScopedSelection<CFont> font(m_dc, MakeFont(kLabelFont, FALSE));
    m_dc.SetTextAlign(TA_LEFT | TA_TOP);
    const int th = LabelTextHeight();
    const int yS = m_y + static_cast<int>(7 * m_p - 2 * th);
    const int yM = yS + th;
    if (armaments == nullptr || (ship.HasSecondary() && !ship.IsCarrier(*armaments))) {
        m_dc.TextOut(m_x, yS, "S=");
    }
    m_dc.TextOut(m_x, yM, "M=");

    const int m = (m_w - m_dc.GetTextExtent("CONTROL").cx) / 2;
    const int ty = m_y7 + static_cast<int>((5 * m_p - 2 * th) / 2);
    m_dc.TextOut(m_x + m, ty, "FIRE");
    m_dc.TextOut(m_x + m, ty + th, "CONTROL");
    m_dc.TextOut(m_x + m_w + m, ty, "DAMAGE");
    m_dc.TextOut(m_x + m_w + m, ty + th, "CONTROL");
    m_dc.TextOut(m_x + 2 * m_w + 2, m_y7 + 2, "BRIDGE");
    m_dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    m_dc.TextOut(m_x + 3 * m_w - 5, m_y7 + Mm(5) - 3, "RUDDER");
    m_dc.SetTextAlign(TA_LEFT | TA_TOP);
}

void CardPainter::DrawData(const VxShip& ship, const CArray<VxArmament>& armaments) {
    ScopedSelection<CFont> font(m_dc, MakeFont(kNameFont, TRUE));
    m_dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    m_dc.TextOut(m_x + Mm(21), m_y + static_cast<int>(7 * m_p - 2), ToUpperAnsi(ship.m_strName));

    const bool carrier = ship.IsCarrier(armaments);
    DrawArmamentLines(ship, armaments, carrier);
    const bool split = (ship.HasSecondary() && !carrier) || ship.HasTorpedoes();
    DrawMainFigures(ship, carrier, split);
    if (ship.m_bWingTurrets) DrawWingTurrets();
    if (!ship.m_bFlotilla && !carrier) {
        DrawSplitFigures(ship);
    } else if (ship.HasTorpedoes()) {
        DrawTorpedoOnlyFigures(ship);
    }
    DrawAARating(ship);
    DrawTurnSpeeds(ship);
    m_dc.SetTextAlign(TA_LEFT | TA_TOP);
}

void CardPainter::DrawArmamentLines(const VxShip& ship, const CArray<VxArmament>& armaments,
                                    bool carrier) {
    m_dc.SelectObject(MakeFont(kLabelFont, FALSE));
    const int th = LabelTextHeight();
    const int sS = m_dc.GetTextExtent("S= ").cx;
    const int yS = m_y + static_cast<int>(7 * m_p - 2 * th);
    const int yM = yS + th;

    m_dc.SetTextAlign(TA_LEFT | TA_TOP);
    m_dc.SelectObject(MakeFont(kValueFont, TRUE));
    CString secondary;
    if (carrier) {
        secondary = std::to_string(TruncatedInt(ship.m_dSecondaryAF[0])) + " A/C";
    } else if (const VxArmament* gun = ship.SecondaryArmamentIn(armaments);
               ship.HasSecondary() && gun) {
        secondary = gun->GetLabel();
    }
    m_dc.TextOut(m_x + sS, yS, secondary);
    const VxArmament* main = ship.MainArmamentIn(armaments);
    m_dc.TextOut(m_x + sS, yM, main ? main->GetLabel() : CString());

    m_dc.SetTextAlign(TA_RIGHT | TA_TOP);
    const int xR = static_cast<int>(m_x + 42 * m_p);
    m_dc.TextOut(xR, yS, ship.m_strIdentifier);
    m_dc.TextOut(xR, yM,
                 FormatG3(ship.m_dDF) + ShipTypeAbbreviation(ship.m_nShipType) +
                     (ship.m_bPoorUP ? "*" : ""));
}

void CardPainter::DrawMainFigures(const VxShip& ship, bool carrier, bool split) {
    const bool merchant = IsMerchant(ship.m_nShipType);
    m_dc.SelectObject(
        MakeFont(ship.m_nShipType > kLastMerchantType ? kBigFigureFont : kSmallFigureFont, TRUE));
    const int x1 = m_x + static_cast<int>(42 * m_p * (split ? 1.0 / 16 : 1.0 / 8));
    const int c8 = m_dc.GetTextExtent("8").cy;
    const int ty = m_y + static_cast<int>(7.5 * m_p + 7 * m_p - c8 / 2);
    m_dc.SetTextAlign(TA_CENTER | TA_TOP);
    for (int i = 0; i < 4; ++i) {
        const double value = ship.m_dMainAF[std::size_t(i)];
        CString text;
        if (value > 0) {
            text = FormatG3(value);
            if (carrier && ship.m_nShipType == kAeroplaneCarrier) {
                text += i % 2 == 0 ? " FD" : " HD";
            } else if (merchant) {
                text += "/Cargo";
            }
        } else if (merchant) {
            text = "Cargo";
        }
        if (!text.empty()) m_dc.TextOut(x1 + i * m_w, ty, text);
    }
}

void CardPainter::DrawWingTurrets() {
    ScopedSelection<CPen> pen(m_dc, CPen{kWingTurretPen, RGB(0, 0, 0)});
    const double p = m_p;
    m_dc.MoveTo(m_x, m_y + static_cast<int>(5 * p + 7 * p));
    m_dc.LineTo(m_x + m_w, m_y + Mm(5) + Mm(7));
    m_dc.LineTo(m_x + m_w, m_y + Mm(7) + Mm(10));
    m_dc.LineTo(m_x, m_y + static_cast<int>(10 * p + 7 * p));
    m_dc.LineTo(m_x, m_y + static_cast<int>(5 * p + 7 * p));
}

void CardPainter::DrawSplitFigures(const VxShip& ship) {
    if (ship.HasSecondary() || ship.HasTorpedoes()) {
        const int yr = m_y + static_cast<int>(7.5 * m_p + 7 * m_p);
        for (const auto& [from, to] :
             {std::pair{5.25, 10.5}, {15.75, 21.0}, {26.25, 31.5}, {36.75, 42.0}}) {
            m_dc.MoveTo(m_x + Mm(from), yr);
            m_dc.LineTo(m_x + Mm(to), yr);
        }
    }
    m_dc.SelectObject(MakeFont(kLabelFont, FALSE));
    const int th = LabelTextHeight();
    const int xm = m_x + Mm(5.25);
    const int ym = m_y + Mm(7.5) + Mm(7);
    const bool ringed = ship.HasTorpedoes() && !ship.HasTwentyOneInchTorpedoes();
    for (int i = 0; i < 4; ++i) {
        const int xt = xm + i * m_w;
        const CString text = SplitFigureText(ship, i);
        m_dc.SelectObject(MakeFont(kSmallFigureFont, TRUE));
        SplitPlace place{ym - 2, ym + 2};
        if (m_dc.KeepsFiguresInBoxes() && !text.empty())
            place = FitSplitFigure(text, xt, AFBoxRight(i), ym);
        if (ringed) {
            const int value = ship.m_nTorpedoAF[std::size_t(i)];
            DrawRingedTorpedo(text, std::to_string(value), xt, place, th);
        }
        m_dc.SetTextAlign(TA_LEFT | TA_BOTTOM);
        m_dc.TextOut(xt, place.above, text);
        m_dc.SetTextAlign(TA_LEFT | TA_TOP);
        m_dc.TextOut(xt, place.below, text);
    }
}

// The paper's place, 2 pixels either side of the half rule, leaves a
// screen's small row no room: there the copies move towards the half rule
// as far as they must and the font shrinks until the figure fits between
// the rules, or is as small as it may be.
CardPainter::SplitPlace CardPainter::FitSplitFigure(const CString& text, int xt, int right,
                                                    int ym) {
    const int ruleAbove = m_y7 + Mm(5);
    const int ruleBelow = m_y7 + Mm(10);
    const int halfRule = m_y + static_cast<int>(7.5 * m_p + 7 * m_p);
    SplitPlace place{ym - 2, ym + 2};
    for (int size = Mm(kSmallFigureFont); size >= kSmallestFigure; --size) {
        m_dc.SelectObject(FontOfHeight(size, TRUE));
        const CSize extent = m_dc.GetTextExtent(text);
        place.above = std::min(std::max(ym - 2, ruleAbove + 1 + extent.cy), halfRule);
        place.below = std::max(std::min(ym + 2, ruleBelow - extent.cy), halfRule + 1);
        const bool fits = place.above - extent.cy > ruleAbove &&
                          place.below + extent.cy <= ruleBelow && xt + extent.cx <= right;
        if (fits) break;
    }
    return place;
}

// The x of the rule that closes AF box i (0 to 3) on the right.
int CardPainter::AFBoxRight(int i) const {
    return i < 3 ? m_x + Mm(10.5 * (i + 1)) : static_cast<int>(m_x + 42 * m_p) - 1;
}

void CardPainter::DrawRingedTorpedo(const CString& text, const CString& figure, int xt,
                                    const SplitPlace& place, int th) {
    const CSize extent = m_dc.GetTextExtent(text);
    const int f = m_dc.GetTextExtent(figure).cx;
    int left = xt + extent.cx - f;
    int right = xt + extent.cx;
    if (f != th) {
        left -= (th - f) / 2;
        right += (th - f) / 2;
    }
    m_dc.Ellipse(left, place.above - extent.cy, right, place.above);
    m_dc.Ellipse(left, place.below, right, place.below + extent.cy);
}

void CardPainter::DrawTorpedoOnlyFigures(const VxShip& ship) {
    const CFont font = MakeFont(kTorpedoFont, FALSE);
    m_dc.SelectObject(font);
    const int d = static_cast<int>(1.2 * std::abs(font.lfHeight));
    const int c8 = m_dc.GetTextExtent("8").cy;
    const int ty = m_y + static_cast<int>(7.5 * m_p + 7 * m_p - c8 / 2);
    const int xt0 = m_x + static_cast<int>(42 * m_p * 0.0625) + static_cast<int>(42 * m_p * 0.1);
    m_dc.SetTextAlign(TA_CENTER | TA_TOP);
    for (int i = 0; i < 4; ++i) {
        const int xt = xt0 + i * m_w;
        const CString figure = TorpedoFigure(ship.m_nTorpedoAF[std::size_t(i)]);
        if (ship.HasTwentyOneInchTorpedoes()) {
            m_dc.TextOut(xt, ty, " (" + figure + " )");
        } else {
            m_dc.Ellipse(xt - d / 3, ty, xt + (2 * d) / 3, ty + d);
            m_dc.TextOut(xt, ty, "  " + figure);
        }
    }
}

void CardPainter::DrawAARating(const VxShip& ship) {
    m_dc.SelectObject(MakeFont(kLabelFont, FALSE));
    const int th = LabelTextHeight();
    m_dc.SelectObject(MakeFont(kValueFont, TRUE));
    m_dc.SetTextAlign(TA_LEFT | TA_TOP);
    const CString text = CString("AA=") + AARatingText(ship.m_nAARating);
    const int a = m_dc.GetTextExtent(text).cx;
    m_dc.TextOut(m_x + 3 * m_w + (m_w - a) / 2,
                 m_y + static_cast<int>(7 * m_p + (5 * m_p - th) * 0.5), text);
}

void CardPainter::DrawTurnSpeeds(const VxShip& ship) {
    m_dc.SelectObject(MakeFont(kSpeedFont, FALSE));
    m_dc.SetTextAlign(TA_CENTER | TA_TOP);
    const int c8 = m_dc.GetTextExtent("8").cy;
    const int ty = m_y + static_cast<int>(12.5 * m_p + 7 * m_p - c8 / 2);
    const int first = m_x + static_cast<int>(8.4 * m_p * 0.5);
    for (int i = 0; i < 5; ++i) {
        const int speed = ship.m_nTurnSpeed[std::size_t(i)];
        if (speed > 0) m_dc.TextOut(first + i * Mm(8.4), ty, std::to_string(speed));
    }
}

int CardPainter::NotesColumn(double p) { return 44 + ::Mm(p, 64); }

int CardPainter::NotesWrapWidth(double p, int width) {
    // Up to the right edge of the printable area, which starts at the margin;
    // never so narrow that words fall apart letter by letter.
    return std::max(width + ::Mm(p, 10) - NotesColumn(p), ::Mm(p, 30));
}

int CardPainter::NarrowestNotesRight(double p) { return NotesColumn(p) + ::Mm(p, 30); }

void CardPainter::DrawNotes(const VxShip& ship, int width) {
    const CFont notesFont = MakeFont(kNotesFont, FALSE);
    ScopedSelection<CFont> font(m_dc, notesFont);
    ScopedTextAlign align(m_dc, TA_LEFT | TA_TOP);
    DrawWrappedText(m_dc, NotesColumn(m_p), static_cast<int>(m_y + 7 * m_p),
                    NotesWrapWidth(m_p, width), std::abs(notesFont.lfHeight), ship.m_strNotes);
}

int CardPainter::Height(CDC& dc, double p, const VxShip& ship, int mode, int width) {
    const int cell = ::Mm(p, 22);
    if (mode == 0) return cell;
    CFont notesFont;
    MakePrintFont(dc, notesFont, ::Mm(p, kNotesFont), "Arial", FALSE, FALSE);
    const int wrap = NotesWrapWidth(p, width);
    CStringArray lines;
    SplitLines(ship.m_strNotes, lines);
    int notesHeight = ::Mm(p, 7);
    const int surfaceHeight = dc.GetDeviceCaps(VERTRES);
    for (std::size_t i = 0; i < lines.size() && notesHeight <= surfaceHeight; ++i) {
        notesHeight += TextBlockHeight(dc, notesFont, wrap, lines[i]);
    }
    return notesHeight > cell ? notesHeight : cell + ::Mm(p, 1.5);
}
