#include "table/joincardspage.h"

#include <algorithm>

#include "platform/cdc.h"
#include "platform/qtstrings.h"
#include "print/printframework.h"
#include "share/qrcode.h"

namespace {

constexpr double kMarginMm = 12;
constexpr double kTitleMm = 6;
constexpr double kTextMm = 3.5;
constexpr double kLinkMm = 2.6;
constexpr double kGapMm = 6;
constexpr double kLargestCodeMm = 60;
constexpr int kColumns = 2;

struct Cell {
    int left, top, width, height;
};

void DrawCard(CDC& dc, const JoinCard& card, const Cell& cell, double pxPerMm) {
    const int title = int(kTextMm * pxPerMm);
    const int link = int(kLinkMm * pxPerMm);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    SelectArial(dc, title, TRUE);
    const int middle = cell.left + cell.width / 2;
    dc.TextOut(middle, cell.top, FromQt(card.title));
    const QrCode code(card.link.toEncoded());
    const int room =
        std::min({cell.width, cell.height - 2 * title - 2 * link, int(kLargestCodeMm * pxPerMm)});
    const int modules = code.Size() + 2 * kQrQuietModules;
    const int module = std::max(1, room / std::max(modules, 1));
    const int side = module * code.Size();
    const int codeTop = cell.top + 2 * title;
    DrawQrCode(dc, code, middle - side / 2, codeTop + module * kQrQuietModules, module);
    SelectArial(dc, link, FALSE);
    dc.TextOut(middle, codeTop + module * modules + link / 2,
               std::string(card.link.toEncoded().constData()));
}

}  // namespace

void DrawQrCode(CDC& dc, const QrCode& code, int left, int top, int module) {
    ScopedSelection<CPen> pen(dc, CPen{0, RGB(0, 0, 0)});
    ScopedSelection<CBrush> brush(dc, CBrush{RGB(0, 0, 0)});
    for (int y = 0; y < code.Size(); ++y) {
        // A run of dark modules is one rectangle.
        for (int x = 0; x < code.Size();) {
            if (!code.Dark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < code.Size() && code.Dark(x, y)) ++x;
            dc.Rectangle(left + start * module, top + y * module, left + x * module,
                         top + (y + 1) * module);
        }
    }
}

void DrawJoinCardsPage(CDC& dc, const QString& gameTitle, const std::vector<JoinCard>& cards) {
    const double pxPerMm = double(dc.GetDeviceCaps(HORZRES)) / dc.GetDeviceCaps(HORZSIZE);
    const int margin = int(kMarginMm * pxPerMm);
    const int gap = int(kGapMm * pxPerMm);
    const int width = dc.GetDeviceCaps(HORZRES) - 2 * margin;
    const int height = dc.GetDeviceCaps(VERTRES) - 2 * margin;
    const std::string title = FromQt(gameTitle);
    dc.StartDoc(title);
    dc.StartPage();
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    SelectArial(dc, int(kTitleMm * pxPerMm), TRUE);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(margin, margin, title);
    SelectArial(dc, int(kTextMm * pxPerMm), FALSE);
    dc.TextOut(margin, margin + int(kTitleMm * 1.5 * pxPerMm),
               "Scan your seat's code with your phone's camera, or open its link, on the "
               "network of this room.");
    const int top = margin + int(kTitleMm * 3 * pxPerMm);
    const int rows = std::max(1, (int(cards.size()) + kColumns - 1) / kColumns);
    const int cellWidth = (width - gap) / kColumns;
    const int cellHeight = (margin + height - top) / rows - gap;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const int column = int(i) % kColumns;
        const int row = int(i) / kColumns;
        DrawCard(dc, cards[i],
                 {margin + column * (cellWidth + gap), top + row * (cellHeight + gap), cellWidth,
                  cellHeight},
                 pxPerMm);
    }
    dc.EndPage();
    dc.EndDoc();
}
