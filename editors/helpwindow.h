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
}  // namespace HelpContext

// Opens the manual at a context's section, or at its index for an unknown
// context.
void ShowHelp(int context);

class HelpWindow : public QTextBrowser {
    Q_OBJECT
  public:
    static HelpWindow* Instance();
    void ShowContext(int context);

  private:
    HelpWindow();
};
