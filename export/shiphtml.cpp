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
    CardImage& card = html.card;
    CreateCardBitmap(card, html.p, html.armaments, blank);
    const std::string fileName = ImageFileName(m_strName);
    const std::string gif =
        EncodeGreyGif(card.GreyPixels(), card.Width(), card.Height(), kScreenWidth, kScreenHeight);
    if (!html.WriteImage(fileName, gif)) return CString();
    if (!withTag) return JoinPath(html.folder, "");
    return "<IMG SRC=\"" + ImageSourceAttribute(fileName) + "\" ALT=\"" + AltAttribute(m_strName) +
           "\">";
}
