#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// A modal dialog of the program: F1 opens the manual at its help context,
// number fields are read with a message that names the field, no edit box
// takes a character that a document cannot hold, every button and field
// label has an access key, and the dialog opens at the size it was last
// closed at, within the screen.
class BrinnowDialog : public QDialog {
    Q_OBJECT
  public:
    BrinnowDialog(int helpContext, QWidget* parent);

    // False, after saying which field is wrong, when the text is not a
    // number; the field keeps what the user typed. An empty field is 0.
    static bool ReadNumber(QLineEdit* field, const QString& name, double& value);
    static bool ReadInteger(QLineEdit* field, const QString& name, int& value);
    static QString NumberText(double value);
    // A push button that Enter presses while it has the focus; from
    // anywhere else Enter presses the dialog's default button. A caption
    // of signs alone ("<", "Dn") needs the tool tip to say what it does.
    static QPushButton* MakeButton(const QString& objectName, const QString& text,
                                   const QString& toolTip = {});
    // A one-line text field that holds a document's text of any length,
    // not the few thousand characters a field takes by default.
    static QLineEdit* MakeTextField(const QString& objectName);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QString SizeKey() const;
    void RestoreSize();

    int m_helpContext;
    bool m_sized = false;
};
