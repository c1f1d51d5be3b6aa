#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPainter>
#include <optional>
#include <vector>

#include "game/game.h"
#include "game/scenariosnapshot.h"
#include "model/shipsearch.h"
#include "print/cardgeometry.h"
#include "table/tablelayout.h"

// The table: every ship of the scenario as its card, under headings for
// force and squadron, with the game's marks drawn over the cards. A click or
// Space on a place asks for its mark to be toggled; the window decides.
// Cards are drawn in the screen's own pixels and kept as images, so a mark
// redraws one card.
class TableView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    // The zoom at which the smallest box, 1.5 mm on paper, is over 6 mm
    // on screen once truncated to whole pixels.
    static constexpr double kDefaultZoom = 4.25;

    TableView(const ScenarioSnapshot& snapshot, const Game& game, QWidget* parent = nullptr);

    double Zoom() const { return m_zoom; }
    void SetZoom(double zoom);
    void ZoomIn();
    void ZoomOut();
    // The zoom at which the cards of a row fill the width.
    void FitWidth();
    bool NightColours() const { return m_night; }
    void SetNightColours(bool night);

    // A card's marks changed: draw it again.
    void CardChanged(int card);
    // Every card may have changed (the zoom, the colours).
    void AllCardsChanged();
    // Any marks may have changed (an undo, a new game, the shared table's
    // devices): the cards drawn with other marks than the game's are drawn
    // again.
    void MarksChanged();

    int FocusCard() const { return m_focusCard; }
    CardMark FocusPlace() const { return m_focusPlace; }
    void SetFocusPlace(int card, CardMark place);
    // Moves the focus to the next card whose ship matches, from the top or
    // on from the focused card, and brings it into view; false when no
    // card matches.
    bool FindShip(const ShipSearch& search, bool fromTop, bool backwards);

    // Device pixels per millimetre and a card's origin in device pixels on
    // the whole table; DeviceToViewport turns such a point into the widget
    // coordinates a pointer would have there.
    double DevicePixelsPerMm() const;
    QPoint CardOrigin(int card) const;
    QPoint DeviceToViewport(QPoint device) const;
    void ScrollToCard(int card);

  signals:
    void markRequested(int card, CardMark mark);
    void zoomChanged(double zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    double Dpr() const;
    const TableLayout& Layout() const;
    void Relayout();
    const QImage& Tile(int card) const;
    CardMarks MarksNow(int card) const;
    static void PaintMissingCard(QPainter& painter, const CString& name, double p);
    void PaintLabels(QPainter& painter, int top, int bottom) const;
    QPoint ScrollOffset() const;
    QRect CardRect(int card) const;  // in viewport coordinates
    void UpdateCard(int card);
    void PaintHeadings(QPainter& painter, int top, int bottom) const;
    void PaintFocus(QPainter& painter) const;
    void MoveFocusPlace(int step);
    void MoveFocusCard(int card);
    std::optional<std::pair<int, CardMark>> PlaceAtViewport(QPoint point) const;

    const ScenarioSnapshot& m_snapshot;
    const Game& m_game;
    double m_zoom = kDefaultZoom;
    bool m_night = false;
    int m_focusCard = 0;
    CardMark m_focusPlace = CardMark::FireControl;
    mutable std::optional<TableLayout> m_layout;
    mutable std::vector<QImage> m_tiles;
    mutable std::vector<CardMarks> m_tileMarks;  // what each tile was drawn with
};
