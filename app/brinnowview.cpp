#include "app/brinnowview.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "desktop/nightcolours.h"
#include "history/documentnotice.h"
#include "history/edithistory.h"
#include "model/brinnowdoc.h"
#include "model/shipsearch.h"
#include "platform/qpainterdc.h"
#include "print/cardpainter.h"
#include "print/printframework.h"

namespace {

constexpr int kCardMode = 1;
constexpr double kZoomStep = 1.25;
constexpr double kMmPerInch = 25.4;
// The printer resolution the cards' pen widths are given for.
constexpr double kPrinterPixelsPerMm = 600 / kMmPerInch;

}  // namespace

CBrinnowView::CBrinnowView(CBrinnowDoc& doc, EditHistory& history, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_history(history) {
    setObjectName("cardView");
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(20);
    setFocusPolicy(Qt::StrongFocus);
    setWhatsThis(
        "The campaign's ships as record cards, one under the other. Scroll with the scroll bar, "
        "the arrow keys, Page Up, Page Down, Home and End; View > Zoom In and Zoom Out change "
        "their size. Press F1 for the manual.");
    // Enter opens the highlighted ship, as a double-click on its card does.
    auto* open = new QAction(this);
    open->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    open->setShortcutContext(Qt::WidgetShortcut);
    connect(open, &QAction::triggered, this, &CBrinnowView::OpenCurrentShip);
    addAction(open);
    RebuildRows();
    KeepACurrentShip();
}

CBrinnowView::~CBrinnowView() = default;

void CBrinnowView::SetZoom(double zoom) {
    if (!std::isfinite(zoom)) return;
    zoom = std::clamp(zoom, MinimumZoom(), kMaxZoom);
    if (zoom == m_zoom) return;
    m_zoom = zoom;
    UpdateScrollBarNow();
    viewport()->update();
    emit zoomChanged(m_zoom);
}

void CBrinnowView::ZoomIn() { SetZoom(m_zoom * kZoomStep); }
void CBrinnowView::ZoomOut() { SetZoom(m_zoom / kZoomStep); }

void CBrinnowView::OnUpdate() {
    RebuildRows();
    const int count = static_cast<int>(m_rows.size());
    if (m_nTopShip >= count) m_nTopShip = std::max(0, count - 1);
    KeepACurrentShip();
    UpdateScrollBarNow();
    viewport()->update();
    emit listingChanged();
}

// The highlighted card is the current one from the start: the first shown
// one, or the last when the current one is gone.
void CBrinnowView::KeepACurrentShip() {
    if (m_nCurrentShip >= 0 && m_nCurrentShip < static_cast<int>(m_doc.m_ships.size())) return;
    if (m_rows.empty()) {
        if (m_nCurrentShip >= 0) SetCurrentShip(-1);
        return;
    }
    SetCurrentShip(int(m_nCurrentShip < 0 ? m_rows.front() : m_rows.back()));
}

void CBrinnowView::RebuildRows() {
    m_rows.clear();
    const auto& ships = m_doc.m_ships;
    for (std::size_t i = 0; i < ships.size(); ++i) {
        if (m_filter.Admits(ships[i])) m_rows.push_back(i);
    }
}

void CBrinnowView::SetFilter(const ShipFilter& filter) {
    m_filter = filter;
    m_nTopShip = 0;
    OnUpdate();
}

void CBrinnowView::SetCurrentShip(int ship) {
    m_nCurrentShip = ship;
    viewport()->update();
    emit currentShipChanged();
}

bool CBrinnowView::FindShip(const ShipSearch& search, bool fromTop, bool backwards) {
    std::optional<std::size_t> start;
    const auto current =
        std::lower_bound(m_rows.begin(), m_rows.end(), std::size_t(std::max(0, m_nCurrentShip)));
    if (!fromTop && m_nCurrentShip >= 0 && current != m_rows.end() &&
        int(*current) == m_nCurrentShip) {
        start = std::size_t(current - m_rows.begin());
    }
    const std::optional<std::size_t> row = search.Next(m_doc.m_ships, m_rows, start, backwards);
    if (!row) return false;
    SetCurrentShip(int(m_rows[*row]));
    ScrollToRow(*row);
    return true;
}

// A row above the window, or one whose card would not end inside it,
// becomes the top one.
void CBrinnowView::ScrollToRow(std::size_t row) {
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOn) return;
    const std::size_t top = std::size_t(m_nTopShip);
    if (row >= top) {
        const std::vector<int> bottoms = VisibleCardBottoms();
        const std::size_t shown = row - top;
        if (shown < bottoms.size() && bottoms[shown] <= viewport()->height()) return;
    }
    verticalScrollBar()->setValue(static_cast<int>(row));
}

int CBrinnowView::ShipAt(const QPoint& point) const {
    const std::vector<int> bottoms = VisibleCardBottoms();
    for (std::size_t i = 0; i < bottoms.size(); ++i) {
        if (point.y() < bottoms[i]) return int(m_rows[std::size_t(m_nTopShip) + i]);
    }
    return -1;
}

void CBrinnowView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) SetCurrentShip(ShipAt(event->position().toPoint()));
    QAbstractScrollArea::mousePressEvent(event);
}

void CBrinnowView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int ship = ShipAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || ship < 0) return;
    SetCurrentShip(ship);
    EditShipsAt(ship);
}

void CBrinnowView::OpenCurrentShip() {
    if (m_nCurrentShip >= 0 && std::size_t(m_nCurrentShip) < m_doc.m_ships.size()) {
        EditShipsAt(m_nCurrentShip);
    }
}

void CBrinnowView::SetCardCommands(QAction* find, QAction* copy) {
    m_findCommand = find;
    m_copyCommand = copy;
}

// The card under the mouse, or the highlighted one for the menu key.
void CBrinnowView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) SetCurrentShip(ShipAt(event->pos()));
    if (!CanCopy()) return;
    QMenu menu(this);
    menu.addAction("&Edit Ship...", this, &CBrinnowView::OpenCurrentShip);
    if (m_findCommand) menu.addAction(m_findCommand);
    menu.addAction("&Print This Ship...", this, &CBrinnowView::PrintCurrentShip);
    if (m_copyCommand) menu.addAction(m_copyCommand);
    menu.exec(event->globalPos());
}

bool CBrinnowView::event(QEvent* event) {
    if (event->type() == kDocumentChangedEvent) {
        m_doc.SetModifiedFlag(TRUE);
        OnUpdate();
        emit documentModified();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool CBrinnowView::HasSomethingToShow() const {
    return !m_rows.empty() && !m_doc.m_armaments.empty();
}

double CBrinnowView::ScreenScale() const { return logicalDpiX() / kMmPerInch * m_zoom; }

double CBrinnowView::ActualSizeZoom() const {
    return ActualSizeZoom(screen()->physicalDotsPerInchX(), logicalDpiX());
}

double CBrinnowView::ActualSizeZoom(double physicalDpi, double logicalDpi) {
    if (!std::isfinite(physicalDpi) || physicalDpi <= 0 || logicalDpi <= 0) return 1.0;
    return std::clamp(physicalDpi / logicalDpi, 0.1, kMaxZoom);
}

CBrinnowView::DeviceLayout CBrinnowView::Layout() const {
    DeviceLayout layout;
    layout.dpr = std::max(1.0, viewport()->devicePixelRatioF());
    layout.p = ScreenScale() * layout.dpr;
    layout.margin = Mm(layout.p, 10);
    layout.clientWidth = static_cast<int>(viewport()->width() * layout.dpr);
    layout.clientHeight = static_cast<int>(viewport()->height() * layout.dpr);
    layout.contentWidth =
        std::max(layout.clientWidth, CardPainter::NarrowestNotesRight(layout.p) + layout.margin);
    return layout;
}

void CBrinnowView::PrepareScreenDC(QPainterDC& dc, const DeviceLayout& layout) const {
    dc.SetSurfaceSize(QSize(layout.contentWidth, layout.clientHeight));
    dc.SetPenScale(layout.p / kPrinterPixelsPerMm);
    dc.SetKeepFiguresInBoxes(true);
}

QString CBrinnowView::EmptyHint() const {
    if (HasSomethingToShow()) return {};
    QString hint = m_doc.m_ships.empty() ? "This campaign has no ships yet.\n\n"
                                         : "This campaign has no armament types yet.\n\n";
    hint += m_doc.m_nations.empty() ? "Add the navies with Edit > Nations, then "
                                    : "Nations are listed in Edit > Nations; ";
    hint +=
        "give each its guns with Edit > Armaments, and add ships with Edit > Ships. "
        "Each ship then shows here as its record card.";
    return hint;
}

void CBrinnowView::PaintEmptyHint(QPainter& painter) {
    const QRect area = viewport()->rect().adjusted(24, 24, -24, -24);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, EmptyHint());
}

// Cards are laid out in device pixels, so a 2x screen shows them with twice
// the detail at the same size as on a 1x screen.
void CBrinnowView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (!HasSomethingToShow()) {
        PaintEmptyHint(painter);
        return;
    }
    const DeviceLayout layout = Layout();
    painter.scale(1 / layout.dpr, 1 / layout.dpr);
    painter.fillRect(QRect(0, 0, layout.clientWidth, layout.clientHeight), Qt::white);
    painter.translate(-std::lround(horizontalScrollBar()->value() * layout.dpr), 0);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QPainterDC dc(painter);
    PrepareScreenDC(dc, layout);
    const int width = layout.contentWidth - 2 * layout.margin;
    const auto& ships = m_doc.m_ships;
    int y = 0;
    std::optional<QRect> current;
    for (std::size_t row = std::size_t(m_nTopShip); row < m_rows.size() && y <= layout.clientHeight;
         ++row) {
        const VxShip& ship = ships[m_rows[row]];
        const int h = ship.GetCardHeight(dc, layout.p, kCardMode, width);
        ship.DrawCard(dc, layout.p, layout.margin, y, m_doc.m_armaments, kCardMode, width);
        if (int(m_rows[row]) == m_nCurrentShip) current = QRect(0, y, layout.contentWidth, h);
        y += h;
    }
    if (NightColours::Instance().On()) TurnToNight(painter);
    if (current) DrawHighlight(painter, *current);
}

// At night the paper turns dark and the ink light, as the table's cards do;
// the highlight keeps its colour, so it is drawn afterwards.
void CBrinnowView::TurnToNight(QPainter& painter) const {
    painter.save();
    painter.resetTransform();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.fillRect(viewport()->rect(), Qt::white);
    painter.restore();
}

void CBrinnowView::UpdateHorizontalScrollBar(const DeviceLayout& layout) {
    const int hidden =
        static_cast<int>(std::ceil((layout.contentWidth - layout.clientWidth) / layout.dpr));
    QScrollBar* bar = horizontalScrollBar();
    const QSignalBlocker block(bar);
    bar->setRange(0, std::max(0, hidden));
    bar->setPageStep(std::max(1, viewport()->width()));
    setHorizontalScrollBarPolicy(hidden > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void CBrinnowView::keyPressEvent(QKeyEvent* event) {
    // Home and End (with or without Ctrl) go to the first and the last ship.
    QScrollBar* bar = verticalScrollBar();
    if (event->key() == Qt::Key_Home) {
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
    } else if (event->key() == Qt::Key_End) {
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    m_nTopShip = bar->value();
    viewport()->update();
}

void CBrinnowView::DrawHighlight(QPainter& painter, const QRect& card) const {
    painter.save();
    const int thickness = 3;
    painter.setPen(QPen(palette().color(QPalette::Highlight), thickness));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(card.adjusted(thickness, thickness / 2, -thickness, -thickness / 2));
    painter.restore();
}

// The bar shows when the cards do not fit; its range is the ships, its page
// as many cards of the first ship's height as fit. Summing stops as soon as
// the cards are known not to fit, so large documents cost no more than a
// screenful.
void CBrinnowView::UpdateScrollBar(CDC& dc, double p, int width, int height) {
    const auto& ships = m_doc.m_ships;
    int total = 0;
    for (std::size_t row = 0; row < m_rows.size() && total <= height; ++row) {
        total += ships[m_rows[row]].GetCardHeight(dc, p, kCardMode, width);
    }
    const bool show = total > height;
    setVerticalScrollBarPolicy(show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (!show) {
        m_nTopShip = 0;
        return;
    }
    const int firstHeight =
        std::max(1, ships[m_rows.front()].GetCardHeight(dc, p, kCardMode, width));
    const int page = std::max(1, height / firstHeight - 1);
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker block(bar);
    bar->setRange(0, static_cast<int>(m_rows.size()) - 1);
    bar->setPageStep(page);
    m_nTopShip = std::min(m_nTopShip, bar->maximum());
    bar->setValue(m_nTopShip);
}

void CBrinnowView::UpdateScrollBarNow() {
    if (!HasSomethingToShow()) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_nTopShip = 0;
        return;
    }
    // Fonts are made in pixels, so any surface measures as the screen does;
    // the size is the window's, in its device pixels.
    const DeviceLayout layout = Layout();
    UpdateHorizontalScrollBar(layout);
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    QPainterDC dc(painter, viewport());
    PrepareScreenDC(dc, layout);
    UpdateScrollBar(dc, layout.p, layout.contentWidth - 2 * layout.margin, layout.clientHeight);
}

std::vector<int> CBrinnowView::VisibleCardBottoms() const {
    std::vector<int> bottoms;
    if (!HasSomethingToShow()) return bottoms;
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    QPainterDC dc(painter, viewport());
    const double p = ScreenScale();
    const int width = viewport()->width() - 2 * Mm(p, 10);
    int y = 0;
    for (std::size_t row = std::size_t(m_nTopShip);
         row < m_rows.size() && y <= viewport()->height(); ++row) {
        y += m_doc.m_ships[m_rows[row]].GetCardHeight(dc, p, kCardMode, width);
        bottoms.push_back(y);
    }
    return bottoms;
}

void CBrinnowView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBarNow();
}

void CBrinnowView::scrollContentsBy(int, int) {
    m_nTopShip = std::max(0, verticalScrollBar()->value());
    viewport()->update();
}
