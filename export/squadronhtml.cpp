// The HTML section of VxSquadron: its ships looked up by name.
#include "export/htmlexport.h"
#include "model/squadron.h"

namespace {

CString ShipSections(const CStringArray& names, ShipRole role, HtmlExport& html) {
    CString sections;
    for (std::size_t i = 0; i < names.size(); ++i) {
        html.Place(role, i, names[i]);
        sections += html.FindShip(names[i]).HtmlSection(html, false, true);
    }
    return sections;
}

}  // namespace

CString VxSquadron::HtmlSection(HtmlExport& html) const {
    CString section = "<H3>" + m_strName + "</H3>\n";
    section += "<H4>Flagship</H4>";
    section += "<P>" + m_strCommander + "<BR>";
    html.Place(ShipRole::Flagship, 0, m_strFlagship);
    section += html.FindShip(m_strFlagship).HtmlSection(html, false, true);
    section += "</P>\n";
    if (!m_shipNames.empty()) {
        section += "<H4>Ships in Squadron</H4><P>" +
                   ShipSections(m_shipNames, ShipRole::Member, html) + "</P>\n";
    }
    if (!m_attachmentNames.empty()) {
        section += "<H4>Attachments to Squadron</H4><P>" +
                   ShipSections(m_attachmentNames, ShipRole::Attachment, html) + "</P>\n";
    }
    return section;
}
