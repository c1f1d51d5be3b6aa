#pragma once

#include <QToolBar>
#include <functional>

class QLineEdit;

// A search field over a window's ships: typing finds the first ship that
// holds the text, Enter and Next the one after, Previous the one before;
// Escape or Close hides the bar and gives the focus back to the ships. What
// a match is, and where it shows, is the window's finder.
class FindBar : public QToolBar {
    Q_OBJECT
  public:
    // A pasted novel is no search; the texts searched are far shorter.
    static constexpr int kMaxText = 256;

    // Finds text from the top or on from the current ship, forwards or
    // backwards; false when no ship matches.
    using Finder = std::function<bool(const QString& text, bool fromTop, bool backwards)>;

    FindBar(const QString& placeholder, Finder finder, QWidget& ships, QWidget* parent = nullptr);

    // Shows the bar with its text selected, ready to type over.
    void Activate();
    // Each returns false when no ship matches.
    bool FindNext();
    bool FindPrevious();
    // Hides the bar and gives the focus back to the ships.
    virtual void Close();

  protected:
    // The Close button, for a window to place its own controls before.
    QAction* CloseAction() const { return m_close; }
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool Find(bool fromTop, bool backwards);
    void ShowFound(bool found);

    Finder m_finder;
    QWidget& m_ships;
    QLineEdit* m_text;
    QAction* m_close;
};
