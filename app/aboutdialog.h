#pragma once

#include <QDialog>

// "About Brinnow": the title, the version, the credits and two pictures.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The two pictures, drawn rather than stored: a dreadnought at sea and
    // a compass rose, with as many device pixels as the screen's ratio gives.
    static QPixmap ShipPicture(qreal devicePixelRatio = 1);
    static QPixmap CompassPicture(qreal devicePixelRatio = 1);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};
