// The HTML section of VxForce: its squadrons, then its single ships.
#include "export/htmlexport.h"
#include "model/force.h"

CString VxForce::HtmlSection(HtmlExport& html) const {
    CString section = "<H2>" + m_strName + "</H2>\n";
    for (std::size_t i = 0; i < m_squadrons.size(); ++i) {
        html.place.squadron = int(i);
        section += m_squadrons[i].HtmlSection(html) + "\n";
    }
    if (!m_ships.empty()) {
        section += "<H3>Force Attachments</H3>\n<P>";
        for (std::size_t i = 0; i < m_ships.size(); ++i) {
            html.Place(ShipRole::Single, i, m_ships[i].m_strName);
            section += m_ships[i].HtmlSection(html, false, true);
        }
        section += "</P>\n";
    }
    return section + "<HR>";
}
