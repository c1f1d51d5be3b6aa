// The view's Edit commands: the editors, run as steps of the history, and
// the clipboard's Cut, Copy and Paste of the highlighted ship.
#include "app/brinnowview.h"
#include "app/recordclipboard.h"
#include "app/recordpaste.h"
#include "editors/editarmaments.h"
#include "editors/editnations.h"
#include "editors/editscenarios.h"
#include "editors/editships.h"
#include "editors/editsquadrons.h"
#include "history/edithistory.h"
#include "interchange/copiedrecords.h"
#include "model/brinnowdoc.h"
#include "platform/qtstrings.h"

template <class Dialog, class... Args>
void CBrinnowView::RunDialog(const QString& step, Args&&... args) {
    m_history.Run(step, [&] {
        Dialog dialog(std::forward<Args>(args)...);
        dialog.exec();
    });
}

void CBrinnowView::EditShips() { EditShipsAt(0); }

// The window stays where it was: the ships edited may be far from the top.
void CBrinnowView::EditShipsAt(int ship) {
    m_history.Run("Edit Ships", [&] {
        CEditShipsDlg dialog(m_doc.m_nations, m_doc.m_armaments, m_doc.m_torpedoes, m_doc.m_ships,
                             m_doc.m_squadrons, m_doc.m_scenarios, window());
        dialog.ShowShip(ship);
        dialog.exec();
    });
}

void CBrinnowView::EditSquadrons() { EditSquadronsAt(0); }

void CBrinnowView::EditSquadronsAt(int squadron) {
    m_history.Run("Edit Squadrons", [&] {
        CEditSquadronsDlg dialog(m_doc.m_nations, m_doc.m_ships, m_doc.m_squadrons,
                                 m_doc.m_scenarios, m_doc.m_armaments, m_doc.m_torpedoes,
                                 m_doc.GetPathName(), window());
        dialog.ShowSquadron(squadron);
        dialog.exec();
    });
}

void CBrinnowView::EditScenarios() { EditScenariosAt(0, 0); }

void CBrinnowView::EditScenariosAt(int scenario, int force) {
    m_history.Run("Edit Scenarios", [&] {
        CEditScenariosDlg dialog(m_doc, window());
        dialog.ShowScenarioAt(scenario, force);
        dialog.exec();
    });
}

void CBrinnowView::EditArmaments() {
    RunDialog<CEditArmamentsDlg>("Edit Armaments", m_doc, window());
}

void CBrinnowView::EditNations() {
    RunDialog<CEditNationsDlg>("Edit Nations", m_doc.m_nations, window());
}

bool CBrinnowView::CanCopy() const {
    return m_nCurrentShip >= 0 && std::size_t(m_nCurrentShip) < m_doc.m_ships.size();
}

void CBrinnowView::CopyCurrentShip() {
    if (!CanCopy()) return;
    const VxShip& ship = m_doc.m_ships[std::size_t(m_nCurrentShip)];
    CopiedRecords copied(m_doc);
    copied.AddShip(ship);
    PutRecordsOnClipboard(copied.Json(),
                          ToQtLines(ship.GetTextLine(m_doc.m_nations, m_doc.m_armaments)));
}

void CBrinnowView::CutCurrentShip() {
    if (!CanCopy()) return;
    CopyCurrentShip();
    m_history.Run("Cut", [this] { m_doc.m_ships.erase(m_doc.m_ships.begin() + m_nCurrentShip); });
}

void CBrinnowView::Paste() { PasteRecords(m_doc, m_history); }
