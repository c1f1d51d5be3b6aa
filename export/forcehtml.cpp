// The HTML section of VxForce: its squadrons, then its single ships.
#include "export/htmlexport.h"
#include "model/force.h"

CString VxForce::HtmlSection(HtmlExport& html) const {
    CString section = "<H2>" + m_strName + "</H2>\n";
    for (const VxSquadron& squadron : m_squadrons) section += squadron.HtmlSection(html) + "\n";
    if (!m_ships.empty()) {
        section += "<H3>Force Attachments</H3>\n<P>";
        for (const VxShip& ship : m_ships) section += ship.HtmlSection(html, false, true);
        section += "</P>\n";
    }
    return section + "<HR>";
}
