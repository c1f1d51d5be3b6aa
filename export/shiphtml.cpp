// The HTML section of VxShip: its card as a GIF image beside the page.
#include "export/gifencoder.h"
#include "export/htmlexport.h"
#include "export/imagenames.h"
#include "model/ship.h"
#include "print/cardimage.h"

namespace {
// The logical screen the card images have always declared.
constexpr int kScreenWidth = 44;
constexpr int kScreenHeight = 22;
}  // namespace

CString VxShip::HtmlSection(HtmlExport& html, bool blank, bool withTag) const {
    // Drawn and encoded only the first time the export meets this card.
    const auto encode = [&] {
        CardImage& card = html.card;
        CreateCardBitmap(card, html.p, html.armaments, blank);
        return EncodeGreyGif(card.GreyPixels(), card.Width(), card.Height(), kScreenWidth,
                             kScreenHeight);
    };
    const std::string& fileName = html.ImageFile(*this, blank, encode);
    if (fileName.empty()) return CString();
    if (!withTag) return JoinPath(html.folder, "");
    return "<IMG SRC=\"" + ImageSourceAttribute(fileName) + "\" ALT=\"" + AltAttribute(m_strName) +
           "\">";
}
