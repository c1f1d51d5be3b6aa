#include "table/tableview.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "platform/qpainterdc.h"
#include "platform/qtstrings.h"
#include "platform/textformat.h"
#include "print/printframework.h"

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.5;
constexpr double kMaxZoom = 12;
// The card's own height with its small boxes, and a pixel for the last rule.
constexpr double kCardWidth = 44;
constexpr double kCardHeight = 23.5;
constexpr int kFocusPen = 3;
constexpr const char* kNotInCampaign = "not in the campaign";
const QColor kNightBackground(32, 32, 32);

QPolygon PolygonOf(const CardGeometry::Quad& quad, QPoint offset) {
    QPolygon polygon;
    for (const CardGeometry::Point& corner : quad) polygon << QPoint(corner.x, corner.y) - offset;
    return polygon;
}

}  // namespace

TableView::TableView(const ScenarioSnapshot& snapshot, const Game& game, QWidget* parent)
    : QAbstractScrollArea(parent), m_snapshot(snapshot), m_game(game) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_tiles.resize(snapshot.roster.size());
    m_tileMarks.resize(snapshot.roster.size());
    verticalScrollBar()->setSingleStep(20);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
}

double TableView::Dpr() const { return std::max(1.0, viewport()->devicePixelRatioF()); }

double TableView::DevicePixelsPerMm() const { return logicalDpiX() / kMmPerInch * m_zoom * Dpr(); }

const TableLayout& TableView::Layout() const {
    if (!m_layout) {
        m_layout.emplace(m_snapshot, DevicePixelsPerMm(),
                         static_cast<int>(viewport()->width() * Dpr()));
    }
    return *m_layout;
}

void TableView::Relayout() {
    m_layout.reset();
    const TableLayout& layout = Layout();
    QScrollBar* bar = verticalScrollBar();
    const int height = static_cast<int>(std::ceil(layout.Height() / Dpr()));
    bar->setRange(0, std::max(0, height - viewport()->height()));
    bar->setPageStep(viewport()->height());
    viewport()->update();
}

void TableView::SetZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == m_zoom) return;
    const int card = m_focusCard;
    m_zoom = zoom;
    AllCardsChanged();
    Relayout();
    ScrollToCard(card);
    emit zoomChanged(m_zoom);
}

void TableView::ZoomIn() { SetZoom(m_zoom * kZoomStep); }
void TableView::ZoomOut() { SetZoom(m_zoom / kZoomStep); }

void TableView::FitWidth() {
    const int columns = Layout().Columns();
    const double fill = TableLayout::ScaleToFill(viewport()->width(), columns);
    // Narrowly below the exact fit, so that rounding keeps the columns.
    SetZoom(fill / (logicalDpiX() / kMmPerInch) * 0.999);
}

void TableView::SetNightColours(bool night) {
    if (night == m_night) return;
    m_night = night;
    AllCardsChanged();
}

void TableView::CardChanged(int card) {
    if (card < 0 || card >= int(m_tiles.size())) return;
    m_tiles[std::size_t(card)] = QImage();
    UpdateCard(card);
}

// With the focus frame around the card and its pen's width.
void TableView::UpdateCard(int card) {
    const int frame = 2 * kFocusPen + 1;
    viewport()->update(CardRect(card).adjusted(-frame, -frame, frame, frame));
}

void TableView::AllCardsChanged() {
    for (QImage& tile : m_tiles) tile = QImage();
    viewport()->update();
}

void TableView::MarksChanged() {
    for (std::size_t card = 0; card < m_tiles.size(); ++card) {
        if (!m_tiles[card].isNull() && MarksNow(int(card)) != m_tileMarks[card])
            CardChanged(int(card));
    }
}

CardMarks TableView::MarksNow(int card) const {
    const RosterShip& ship = m_snapshot.roster[std::size_t(card)];
    const CardMarks* marks = m_game.MarksOf(ship.place, ship.name);
    return marks ? *marks : CardMarks{};
}

// A card with its marks, drawn in device pixels the first time it shows.
// Night colours turn the paper dark and the ink light on the screen only.
const QImage& TableView::Tile(int card) const {
    QImage& tile = m_tiles[std::size_t(card)];
    if (!tile.isNull()) return tile;
    const double p = DevicePixelsPerMm();
    tile = QImage(Mm(p, kCardWidth) + 1, Mm(p, kCardHeight) + 1, QImage::Format_RGB32);
    tile.fill(Qt::white);
    {
        QPainter painter(&tile);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QPainterDC dc(painter);
        dc.SetKeepFiguresInBoxes(true);
        const RosterShip& ship = m_snapshot.roster[std::size_t(card)];
        m_tileMarks[std::size_t(card)] = MarksNow(card);
        if (m_snapshot.missing[std::size_t(card)]) {
            PaintMissingCard(painter, ship.name, p);
        } else {
            m_snapshot.cards[std::size_t(card)].DrawCard(dc, p, 0, 0, m_snapshot.armaments, 0, 0);
            DrawCardMarks(dc, p, 0, 0, m_tileMarks[std::size_t(card)]);
        }
    }
    if (m_night) tile.invertPixels();
    return tile;
}

// A name that matches no campaign ship: the name, what is wrong, and no
// boxes that a player could take for a ship's.
void TableView::PaintMissingCard(QPainter& painter, const CString& name, double p) {
    const QRect card(0, 0, Mm(p, kCardWidth), Mm(p, kCardHeight));
    painter.setPen(QPen(Qt::gray, std::max(1, Mm(p, 0.3)), Qt::DashLine));
    painter.drawRect(card.adjusted(0, 0, -1, -1));
    QFont font = painter.font();
    font.setPixelSize(std::max(1, Mm(p, 3)));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect upper(0, 0, card.width(), card.height() / 2);
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, ToQt(ToUpperAnsi(name)));
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(upper.translated(0, upper.height()), Qt::AlignHCenter | Qt::AlignTop,
                     kNotInCampaign);
}

QPoint TableView::ScrollOffset() const {
    return {0, static_cast<int>(std::lround(verticalScrollBar()->value() * Dpr()))};
}

QPoint TableView::CardOrigin(int card) const {
    const TableLayout::Cell cell = Layout().Cards()[std::size_t(card)];
    return {cell.x, cell.y};
}

QPoint TableView::DeviceToViewport(QPoint device) const {
    const QPoint onScreen = device - ScrollOffset();
    return {static_cast<int>(std::floor(onScreen.x() / Dpr())),
            static_cast<int>(std::floor(onScreen.y() / Dpr()))};
}

QRect TableView::CardRect(int card) const {
    const TableLayout& layout = Layout();
    const QPoint origin = CardOrigin(card) - ScrollOffset();
    const double dpr = Dpr();
    return QRect(static_cast<int>(origin.x() / dpr), static_cast<int>(origin.y() / dpr),
                 static_cast<int>(std::ceil(layout.CellWidth() / dpr)) + 1,
                 static_cast<int>(std::ceil(layout.CellHeight() / dpr)) + 1);
}

void TableView::ScrollToCard(int card) {
    if (card < 0 || card >= int(m_tiles.size())) return;
    const QRect rect = CardRect(card);
    QScrollBar* bar = verticalScrollBar();
    if (rect.top() < 0) {
        bar->setValue(bar->value() + rect.top());
    } else if (rect.bottom() > viewport()->height()) {
        bar->setValue(bar->value() + std::min(rect.top(), rect.bottom() - viewport()->height()));
    }
}

void TableView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QColor background = m_night ? kNightBackground : palette().color(QPalette::Base);
    painter.fillRect(event->rect(), background);
    const double dpr = Dpr();
    painter.scale(1 / dpr, 1 / dpr);
    const QPoint scroll = ScrollOffset();
    const int top = scroll.y() + static_cast<int>(event->rect().top() * dpr);
    const int bottom = scroll.y() + static_cast<int>(std::ceil((event->rect().bottom() + 1) * dpr));
    const TableLayout& layout = Layout();
    const auto& cells = layout.Cards();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].y + layout.CellHeight() < top) continue;
        if (cells[i].y > bottom) break;
        painter.drawImage(QPoint(cells[i].x, cells[i].y) - scroll, Tile(int(i)));
    }
    PaintHeadings(painter, top, bottom);
    PaintLabels(painter, top, bottom);
    if (hasFocus() && m_focusCard < int(cells.size())) PaintFocus(painter);
}

void TableView::PaintHeadings(QPainter& painter, int top, int bottom) const {
    const TableLayout& layout = Layout();
    painter.setPen(m_night ? QColor(230, 230, 230) : palette().color(QPalette::Text));
    for (const TableLayout::Heading& heading : layout.Headings()) {
        const int height = layout.HeadingHeight(heading.level);
        if (heading.y + height < top || heading.y > bottom) continue;
        QFont font = painter.font();
        font.setPixelSize(std::max(1, height * 11 / 20));
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRect(QPoint(heading.x, heading.y) - ScrollOffset(),
                               QSize(static_cast<int>(viewport()->width() * Dpr()), height)),
                         Qt::AlignLeft | Qt::AlignBottom, ToQt(heading.text));
    }
}

// Under a card, in the gap of its cell, what tells the ship apart.
void TableView::PaintLabels(QPainter& painter, int top, int bottom) const {
    const TableLayout& layout = Layout();
    const double p = DevicePixelsPerMm();
    const int cardHeight = Mm(p, kCardHeight);
    const int gap = layout.CellHeight() - cardHeight;
    QFont font = painter.font();
    font.setPixelSize(std::max(1, gap * 4 / 5));
    painter.setFont(font);
    painter.setPen(m_night ? QColor(230, 230, 230) : palette().color(QPalette::Text));
    const auto& cells = layout.Cards();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (m_snapshot.labels[i].empty()) continue;
        if (cells[i].y + layout.CellHeight() < top || cells[i].y > bottom) continue;
        const QPoint at = QPoint(cells[i].x, cells[i].y + cardHeight) - ScrollOffset();
        painter.drawText(QRect(at, QSize(layout.CellWidth(), gap)), Qt::AlignLeft | Qt::AlignTop,
                         ToQt(m_snapshot.labels[i]));
    }
}

// The focused card is framed and its focused place outlined, in the
// palette's highlight colour.
void TableView::PaintFocus(QPainter& painter) const {
    const QPoint origin = CardOrigin(m_focusCard) - ScrollOffset();
    const double p = DevicePixelsPerMm();
    const QColor highlight = palette().color(QPalette::Highlight);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(highlight, kFocusPen * Dpr() / 2, Qt::DashLine));
    painter.drawRect(
        QRect(origin - QPoint(kFocusPen, kFocusPen),
              QSize(Mm(p, kCardWidth), Mm(p, kCardHeight)) + QSize(2 * kFocusPen, 2 * kFocusPen)));
    painter.setPen(QPen(highlight, kFocusPen * Dpr()));
    const CardGeometry card(p, 0, 0);
    painter.drawPolygon(PolygonOf(card.Place(m_focusPlace), -origin));
}

void TableView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void TableView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) viewport()->update();
}

std::optional<std::pair<int, CardMark>> TableView::PlaceAtViewport(QPoint point) const {
    const double dpr = Dpr();
    const QPoint device =
        QPoint(static_cast<int>(point.x() * dpr), static_cast<int>(point.y() * dpr)) +
        ScrollOffset();
    const int card = Layout().CardAt(device.x(), device.y());
    if (card < 0) return std::nullopt;
    const QPoint origin = CardOrigin(card);
    const auto place =
        CardGeometry(DevicePixelsPerMm(), origin.x(), origin.y()).PlaceAt(device.x(), device.y());
    if (!place || m_snapshot.missing[std::size_t(card)]) return std::nullopt;
    return std::pair{card, *place};
}

void TableView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const auto hit = PlaceAtViewport(event->position().toPoint());
    if (!hit) return;
    SetFocusPlace(hit->first, hit->second);
    emit markRequested(hit->first, hit->second);
}

void TableView::contextMenuEvent(QContextMenuEvent* event) {
    const double dpr = Dpr();
    const QPoint device =
        QPoint(static_cast<int>(event->pos().x() * dpr), static_cast<int>(event->pos().y() * dpr)) +
        ScrollOffset();
    const int card = Layout().CardAt(device.x(), device.y());
    if (card < 0) return;
    MoveFocusCard(card);
    const RosterShip& ship = m_snapshot.roster[std::size_t(card)];
    const CardMarks* marks = m_game.MarksOf(ship.place, ship.name);
    QMenu menu(this);
    QAction* sunk = menu.addAction("&Sunk");
    sunk->setShortcut(Qt::Key_S);
    sunk->setCheckable(true);
    sunk->setChecked(marks && marks->Has(CardMark::Sunk));
    if (menu.exec(event->globalPos()) == sunk) emit markRequested(card, CardMark::Sunk);
}

void TableView::SetFocusPlace(int card, CardMark place) {
    if (card < 0 || card >= int(m_tiles.size()) || place == CardMark::Sunk) return;
    const int before = m_focusCard;
    m_focusCard = card;
    m_focusPlace = place;
    UpdateCard(before);
    UpdateCard(card);
}

bool TableView::FindShip(const ShipSearch& search, bool fromTop, bool backwards) {
    std::vector<std::size_t> every(m_snapshot.cards.size());
    std::iota(every.begin(), every.end(), std::size_t(0));
    const auto start = fromTop ? std::nullopt : std::optional(std::size_t(m_focusCard));
    const std::optional<std::size_t> found = search.Next(m_snapshot.cards, every, start, backwards);
    if (!found) return false;
    MoveFocusCard(int(*found));
    return true;
}

void TableView::MoveFocusCard(int card) {
    SetFocusPlace(card, m_focusPlace);
    ScrollToCard(card);
}

// Left and right step through the places of a card in their listed order,
// on into the card before or after.
void TableView::MoveFocusPlace(int step) {
    int card = m_focusCard;
    int place = int(m_focusPlace) + step;
    const int places = int(kCardPlaceCount);
    if (place < 0 && card > 0) {
        --card;
        place = places - 1;
    } else if (place >= places && card + 1 < int(m_tiles.size())) {
        ++card;
        place = 0;
    }
    place = std::clamp(place, 0, places - 1);
    SetFocusPlace(card, CardMark(place));
    ScrollToCard(card);
}

void TableView::keyPressEvent(QKeyEvent* event) {
    if (m_tiles.empty()) return QAbstractScrollArea::keyPressEvent(event);
    switch (event->key()) {
        case Qt::Key_Left:
            return MoveFocusPlace(-1);
        case Qt::Key_Right:
            return MoveFocusPlace(1);
        case Qt::Key_Up:
            return MoveFocusCard(Layout().CardInNextRow(m_focusCard, -1));
        case Qt::Key_Down:
            return MoveFocusCard(Layout().CardInNextRow(m_focusCard, 1));
        case Qt::Key_Home:
            return MoveFocusCard(0);
        case Qt::Key_End:
            return MoveFocusCard(int(m_tiles.size()) - 1);
        case Qt::Key_Space:
            ScrollToCard(m_focusCard);
            emit markRequested(m_focusCard, m_focusPlace);
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void TableView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TableView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
