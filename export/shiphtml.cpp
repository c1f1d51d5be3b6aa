// The HTML section of VxShip: its card as a GIF image beside the page.
#include "export/htmlexport.h"
#include "export/imagenames.h"
#include "model/ship.h"

CString VxShip::HtmlSection(HtmlExport& html, bool blank, bool withTag) const {
    const std::string& fileName = html.ImageFile(*this, blank);
    if (fileName.empty()) return CString();
    if (!withTag) return JoinPath(html.folder, "");
    return "<IMG SRC=\"" + ImageSourceAttribute(fileName) + "\" ALT=\"" + AltAttribute(m_strName) +
           "\">";
}
