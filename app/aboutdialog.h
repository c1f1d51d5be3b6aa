#pragma once

#include <QDialog>

// "About Brinnow": the title, the version, the credits and two pictures.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The two pictures, drawn rather than stored: a dreadnought at sea and
    // a compass rose.
    static QPixmap ShipPicture();
    static QPixmap CompassPicture();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};
