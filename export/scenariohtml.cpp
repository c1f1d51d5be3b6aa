// The HTML section of VxScenario: its texts, then every force.
#include "export/htmlexport.h"
#include "model/scenario.h"

namespace {

CString Paragraph(const char* heading, const CString& text) {
    return CString("<H3>") + heading + "</H3><P>" + text + "</P>\n";
}

}  // namespace

CString VxScenario::HtmlSection(HtmlExport& html) const {
    CString section = "<H1>" + m_strName + "</H1>\n";
    section += Paragraph("Date", m_strDate);
    section += Paragraph("Umpire", m_strUmpire);
    section += Paragraph("Weather", m_strWeather);
    section += Paragraph("Victory Conditions", m_strVictoryConditions);
    section += Paragraph("Notes", m_strNotes);
    html.place.force = 0;
    for (const VxForce& force : m_forces) {
        section += force.HtmlSection(html);
        ++html.place.force;
    }
    return section + "\n";
}
