#include "table/gameopener.h"

#include <QFileInfo>
#include <QHash>
#include <QPointer>

#include "desktop/messagebox.h"
#include "desktop/proposedfile.h"
#include "game/campaignpath.h"
#include "game/gamefile.h"
#include "game/gamefilelock.h"
#include "model/messagenames.h"
#include "platform/qtstrings.h"
#include "table/tablewindow.h"

namespace {

constexpr std::size_t kMissingListed = 15;

// One window a game file: two would write over each other's marks.
QHash<QString, QPointer<TableWindow>>& OpenWindows() {
    static QHash<QString, QPointer<TableWindow>> windows;
    return windows;
}

TableWindow* AlreadyOpen(const QString& gamePath) {
    const QPointer<TableWindow> window =
        OpenWindows().value(QFileInfo(gamePath).absoluteFilePath());
    if (!window) return nullptr;
    window->showNormal();
    window->raise();
    window->activateWindow();
    return window;
}

void SayMissing(const Game& game, const ScenarioSnapshot& snapshot, const QString& gamePath) {
    const std::vector<GameShip> missing = game.ShipsMissingFrom(snapshot.roster);
    if (missing.empty()) return;
    QString text = "The scenario \"" + ToQt(snapshot.scenario.m_strName) +
                   "\" has changed since the game \"" + gamePath +
                   "\" was played. These ships are no longer found; their marks are kept in the "
                   "game file:\n";
    for (std::size_t i = 0; i < missing.size() && i < kMissingListed; ++i) {
        text += "\n" + ToQt(DescribeShip(missing[i].place, missing[i].name));
    }
    if (missing.size() > kMissingListed) {
        text += QStringLiteral("\n(and %1 more)").arg(missing.size() - kMissingListed);
    }
    AfxMessageBoxUnicode(text, MB_OK | MB_ICONINFORMATION);
}

// The window holds the game file's lock for as long as it is open.
bool LockGame(const QString& gamePath, DocumentLock& lock) {
    std::string error;
    if (LockGameFile(gamePath.toStdString(), lock, {}, error)) return true;
    AfxMessageBoxUnicode(QString::fromStdString(error));
    return false;
}

// Once, before the table opens: the cards that show a name and nothing to mark.
void SayUnmatched(const ScenarioSnapshot& snapshot) {
    const CStringArray& names = snapshot.missingNames;
    if (names.empty()) return;
    const bool one = names.size() == 1;
    const std::string text =
        std::to_string(names.size()) + (one ? " name in " : " names in ") +
        ShownName(snapshot.scenario.m_strName) + (one ? " matches" : " match") +
        " no ship of the campaign: " + NameList(names, kMissingListed) +
        ". At the table " + (one ? "its card shows" : "their cards show") +
        " the name and \"not in the campaign\", with nothing to mark.";
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}

TableWindow* Show(QWidget* parent, const CBrinnowDoc& doc, const std::string& campaignPath,
                  const VxScenario& scenario, Game game, const QString& gamePath,
                  DocumentLock lock) {
    ScenarioSnapshot snapshot = ScenarioSnapshot::Of(doc, scenario);
    game.JoinRepeatedShips(ScenarioRoster(scenario));
    SayUnmatched(snapshot);
    SayMissing(game, snapshot, gamePath);
    GameSession session(std::move(game), gamePath.toStdString());
    session.HoldLock(std::move(lock));
    auto* window = new TableWindow(std::move(snapshot), std::move(session), campaignPath, parent);
    OpenWindows().insert(QFileInfo(gamePath).absoluteFilePath(), window);
    window->show();
    return window;
}

}  // namespace

QString GamePathFor(const std::string& campaignPath, const CString& scenarioName) {
    const QString campaign = QFileInfo(QString::fromStdString(campaignPath)).completeBaseName();
    return ProposedFile(campaign + " - " + ToQt(scenarioName), campaignPath, "game.json");
}

TableWindow* PlayScenario(QWidget* parent, const CBrinnowDoc& doc, const std::string& campaignPath,
                          const VxScenario& scenario) {
    if (campaignPath.empty()) {
        AfxMessageBox("Save the campaign first: its games are kept beside it.");
        return nullptr;
    }
    const QString gamePath = GamePathFor(campaignPath, scenario.m_strName);
    if (TableWindow* open = AlreadyOpen(gamePath)) return open;
    if (QFileInfo::exists(gamePath)) return OpenGame(parent, doc, campaignPath, gamePath);
    DocumentLock lock;
    if (!LockGame(gamePath, lock)) return nullptr;
    Game game;
    game.campaign = CampaignReference(campaignPath, gamePath.toStdString());
    game.scenario = scenario.m_strName;
    std::string error;
    if (!WriteGameFile(game, gamePath.toStdString(), error)) {
        AfxMessageBoxUnicode(QString::fromStdString(error));
        return nullptr;
    }
    return Show(parent, doc, campaignPath, scenario, std::move(game), gamePath, std::move(lock));
}

TableWindow* OpenGame(QWidget* parent, const CBrinnowDoc& doc, const std::string& campaignPath,
                      const QString& gamePath) {
    if (TableWindow* open = AlreadyOpen(gamePath)) return open;
    DocumentLock lock;
    if (!LockGame(gamePath, lock)) return nullptr;
    Game game;
    std::string error;
    if (!ReadGameFile(gamePath.toStdString(), game, error)) {
        AfxMessageBoxUnicode(QString::fromStdString(error));
        return nullptr;
    }
    const auto scenario =
        std::find_if(doc.m_scenarios.begin(), doc.m_scenarios.end(),
                     [&](const VxScenario& s) { return s.m_strName == game.scenario; });
    if (scenario == doc.m_scenarios.end()) {
        AfxMessageBoxUnicode("The game \"" + gamePath + "\" is played from the scenario \"" +
                             ToQt(ShownName(game.scenario)) +
                             "\", which the open campaign does not have. Open its campaign (" +
                             QString::fromStdString(game.campaign) + ") first.");
        return nullptr;
    }
    return Show(parent, doc, campaignPath, *scenario, std::move(game), gamePath, std::move(lock));
}
