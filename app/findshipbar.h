#pragma once

#include <QToolBar>

class CBrinnowDoc;
class CBrinnowView;
class QComboBox;
class QLineEdit;

// Find Ship: a search field over the card listing that highlights the
// first ship whose name, identifier or notes hold the text, steps through
// the others, and filters that narrow the listing to a nation or a type.
class FindShipBar : public QToolBar {
    Q_OBJECT
  public:
    // A pasted novel is no search; the listing's texts are far shorter.
    static constexpr int kMaxText = 256;

    FindShipBar(CBrinnowDoc& doc, CBrinnowView& view, QWidget* parent = nullptr);

    // Shows the bar with its text selected, ready to type over.
    void Activate();
    // Each returns false when no shown ship matches.
    bool FindNext();
    bool FindPrevious();
    // The document's nations, after they may have changed.
    void RefillNations();
    // Hides the bar and shows every ship again.
    void Close();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool Find(bool fromTop, bool backwards);
    void ApplyFilter();
    void ShowFound(bool found);

    CBrinnowDoc& m_doc;
    CBrinnowView& m_view;
    QLineEdit* m_text;
    QComboBox* m_nation;
    QComboBox* m_type;
};
