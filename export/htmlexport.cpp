#include "export/htmlexport.h"

#include <cstdio>

#include "export/imagenames.h"
#include "model/brinnowdoc.h"
#include "model/scenario.h"
#include "platform/codepage.h"
#include "platform/filestore.h"
#include "print/printframework.h"

bool HtmlExport::WriteImage(const std::string& fileName, const std::string& bytes) {
    const std::string path = JoinPath(folder, Cp1252ToUtf8(fileName));
    std::string failure;
    if (bytes.empty()) {
        failure = "Cannot make the card image \"" + path + "\".";
    } else if (WriteFileAtomically(path, bytes, failure)) {
        writtenFiles.push_back(path);
        return true;
    }
    if (error.empty()) error = failure;
    return false;
}

VxShip HtmlExport::FindShip(const CString& name) {
    if (m_firstShipNamed.empty()) {
        for (std::size_t i = ships.size(); i-- > 0;) m_firstShipNamed[ships[i].m_strName] = i;
    }
    const auto found = m_firstShipNamed.find(name);
    return found == m_firstShipNamed.end() ? VxShip() : ships[found->second];
}

std::string ScenarioPage(const VxScenario& scenario, HtmlExport& html) {
    std::string page;
    page += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n";
    page += "<HTML>\n";
    page += "<HEAD><TITLE>" + scenario.GetName() + "</TITLE></HEAD>\n";
    page += "<BODY BGCOLOR=\"#FFFFFF\">\n";
    page += scenario.HtmlSection(html);
    page += std::string("<H5><CENTER>") + kCopyrightNotice + "</CENTER></H5>";
    page += "</BODY>\n";
    page += "</HTML>\n";
    return page;
}

bool ExportScenarioHtml(const CBrinnowDoc& doc, const VxScenario& scenario,
                        const std::string& pagePath, std::string& error) {
    HtmlExport html(doc.m_ships, doc.m_armaments, FolderOf(pagePath));
    const std::string page = ScenarioPage(scenario, html);
    if (html.error.empty() && WriteFileSafely(pagePath, WithCrLf(page), error)) return true;
    if (!html.error.empty()) error = html.error;
    for (const std::string& image : html.writtenFiles) std::remove(image.c_str());
    return false;
}
