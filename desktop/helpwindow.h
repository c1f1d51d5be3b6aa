#pragma once

#include <QPointer>
#include <QTextBrowser>

// The manual shipped with the program, one anchor per help context.
namespace HelpContext {
constexpr int kIndex = 0;
constexpr int kNations = 120;
constexpr int kArmaments = 121;
constexpr int kShips = 122;
constexpr int kSquadrons = 123;
constexpr int kScenarios = 124;
constexpr int kPrintSelection = 130;
constexpr int kCampaignCheck = 131;
constexpr int kCsvImport = 135;
constexpr int kTable = 140;
}  // namespace HelpContext

// Opens the manual at a context's section, or at its index for an unknown
// context.
void ShowHelp(int context);

// The manual's window. A modal dialog blocks every window but its own, so
// while one is open the manual becomes a window of that dialog, and goes
// back to standing alone when the dialog closes.
class HelpWindow : public QTextBrowser {
    Q_OBJECT
  public:
    static HelpWindow* Instance();
    // Opens the manual at a context's section; a manual that cannot be read
    // is reported instead.
    void ShowContext(int context);
    // The manual's file: the program's own, unless a test points elsewhere.
    void UseManual(const QString& path);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    HelpWindow();
    QUrl AtAnchor(const QString& anchor) const;
    void StayUsableBeside(QWidget* modal);
    void FitOnScreen();

    QString m_manual;
};
