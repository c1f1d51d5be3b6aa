#include "app/brinnowview.h"

#include <QAction>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "editors/documentnotice.h"
#include "editors/editarmaments.h"
#include "editors/edithistory.h"
#include "editors/editnations.h"
#include "editors/editships.h"
#include "editors/filedialogs.h"
#include "editors/messagebox.h"
#include "editors/waitcursor.h"
#include "export/textexport.h"
#include "model/brinnowdoc.h"
#include "model/shipsearch.h"
#include "platform/qpainterdc.h"
#include "print/blankform.h"
#include "print/printframework.h"

namespace {

constexpr int kCardMode = 1;
constexpr double kZoomStep = 1.25;

void ConfigureForDirectJob(QPrintDialog& dialog) {
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setMinMax(1, 1);
}

}  // namespace

CBrinnowView::CBrinnowView(CBrinnowDoc& doc, EditHistory& history, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_history(history) {
    setObjectName("cardView");
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    setFocusPolicy(Qt::StrongFocus);
    // Enter opens the highlighted ship, as a double-click on its card does.
    auto* open = new QAction(this);
    open->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    open->setShortcutContext(Qt::WidgetShortcut);
    connect(open, &QAction::triggered, this, &CBrinnowView::OpenCurrentShip);
    addAction(open);
    RebuildRows();
}

CBrinnowView::~CBrinnowView() = default;

void CBrinnowView::SetZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
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
    if (m_nCurrentShip >= static_cast<int>(m_doc.m_ships.size())) m_nCurrentShip = -1;
    UpdateScrollBarNow();
    viewport()->update();
    emit listingChanged();
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

// The screen's own pixels per millimetre, as a window's device context
// reports them, times the zoom.
double CBrinnowView::ScreenScale() const {
    const QScreen* shown = screen();
    const QSize pixels = shown->geometry().size();
    const QSizeF mm = shown->physicalSize();
    const int h = mm.width() >= 1 ? int(pixels.width() / int(mm.width())) : 0;
    const int v = mm.height() >= 1 ? int(pixels.height() / int(mm.height())) : 0;
    return std::max({1, h, v}) * m_zoom;
}

void CBrinnowView::paintEvent(QPaintEvent*) {
    if (!HasSomethingToShow()) return;
    QPainter painter(viewport());
    QPainterDC dc(painter);
    const double p = ScreenScale();
    const int margin = Mm(p, 10);
    const QRect client = viewport()->rect();
    dc.PatBlt(0, 0, client.width(), client.height(), WHITENESS);
    const int width = client.width() - 2 * margin;
    const auto& ships = m_doc.m_ships;
    int y = 0;
    for (std::size_t row = std::size_t(m_nTopShip); row < m_rows.size() && y <= client.height();
         ++row) {
        const VxShip& ship = ships[m_rows[row]];
        const int h = ship.GetCardHeight(dc, p, kCardMode, width);
        ship.DrawCard(dc, p, margin, y, m_doc.m_armaments, kCardMode, width);
        if (int(m_rows[row]) == m_nCurrentShip)
            DrawHighlight(painter, QRect(0, y, client.width(), h));
        y += h;
    }
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
        m_nTopShip = 0;
        return;
    }
    // Fonts are made in pixels, so any surface measures as the screen does;
    // the size is the window's.
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    QPainterDC dc(painter, viewport());
    const double p = ScreenScale();
    const int margin = Mm(p, 10);
    UpdateScrollBar(dc, p, viewport()->width() - 2 * margin, viewport()->height());
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
    m_nTopShip = verticalScrollBar()->value();
    viewport()->update();
}

template <class Dialog, class... Args>
void CBrinnowView::RunDialog(const QString& step, Args&&... args) {
    m_history.Run(step, [&] {
        Dialog dialog(std::forward<Args>(args)...);
        dialog.exec();
    });
}

void CBrinnowView::EditShips() { EditShipsAt(0); }

// The window stays where it was: the ships edited may be far from the top.
void CBrinnowView::EditShipsAt(int ship) {
    m_history.Run("Edit Ships", [&] {
        CEditShipsDlg dialog(m_doc.m_nations, m_doc.m_armaments, m_doc.m_torpedoes, m_doc.m_ships,
                             window());
        dialog.ShowShip(ship);
        dialog.exec();
    });
}

void CBrinnowView::EditArmaments() {
    RunDialog<CEditArmamentsDlg>("Edit Armaments", m_doc, window());
}

void CBrinnowView::EditNations() {
    RunDialog<CEditNationsDlg>("Edit Nations", m_doc.m_nations, window());
}

int CBrinnowView::OnPreparePrinting(CDC& defaultPrinter) {
    m_nPageCount = static_cast<int>(ShipCardJob(m_doc).Layout(defaultPrinter).size());
    return m_nPageCount;
}

void CBrinnowView::OnBeginPrinting(CDC& dc) {
    m_bPagePerNation = true;
    m_pages = ShipCardJob(m_doc).Layout(dc, m_bPagePerNation);
    m_nPageCount = static_cast<int>(m_pages.size());
    m_nFirstShip = 0;
}

bool CBrinnowView::OnPrint(CDC& dc, int page) {
    if (page < 1 || page > m_nPageCount) return false;
    const ShipPageRange& range = m_pages[std::size_t(page - 1)];
    m_nFirstShip = range.first;
    m_nLastShip = range.last;
    ShipCardJob(m_doc).PrintPage(dc, range, page);
    return true;
}

void CBrinnowView::OnEndPrinting() {
    m_nFirstShip = -1;
    m_nLastShip = -1;
}

void CBrinnowView::PrintAll(QPrinter& printer) {
    const WaitCursor wait;
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterDC dc(painter);
    dc.SetPageBreak([&printer] { printer.newPage(); });
    OnBeginPrinting(dc);
    const int first = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int last = printer.toPage() > 0 ? std::min(printer.toPage(), m_nPageCount) : m_nPageCount;
    for (int page = first; page <= last; ++page) {
        dc.StartPage();
        OnPrint(dc, page);
        dc.EndPage();
    }
    OnEndPrinting();
}

namespace {
// Lays out for a printer before its job starts: its size, fonts measured in
// pixels on a scratch image.
int CountPages(CBrinnowView& view, QPrinter& printer) {
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    QPainterDC dc(painter, &printer);
    return view.OnPreparePrinting(dc);
}
}  // namespace

QPrinter& CBrinnowView::Printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CBrinnowView::FilePrintSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

void CBrinnowView::FilePrint() {
    QPrinter& printer = Printer();
    printer.setDocName("Brinnow");
    printer.setFromTo(0, 0);
    const int pages = m_doc.m_ships.empty() ? 0 : CountPages(*this, printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setMinMax(1, std::max(1, pages));
    if (dialog.exec() != QDialog::Accepted) return;
    PrintAll(printer);
}

void CBrinnowView::FilePrintPreview() {
    QPrinter& printer = Printer();
    printer.setDocName("Brinnow");
    printer.setFromTo(0, 0);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle("Print Preview");
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintAll(*target); });
    preview.resize(900, 1000);
    preview.exec();
}

void CBrinnowView::PrintBlankShipForm() {
    QPrinter& printer = Printer();
    printer.setDocName("Brinnow Blank Ship Form");
    printer.setFromTo(0, 0);
    QPrintDialog dialog(&printer, this);
    ConfigureForDirectJob(dialog);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterDC dc(painter);
    ::PrintBlankShipForm(dc);
}

void CBrinnowView::ExportShipsAsText() {
    if (m_doc.m_ships.empty()) return;
    const QString path =
        ChooseFile(this, {FileChoice::Save, "Export Ships as Text", "TextFiles (*.TXT)", "txt"});
    if (path.isEmpty()) return;
    const WaitCursor wait;
    std::string error;
    if (!ExportShipsText(m_doc, path.toStdString(), error)) AfxMessageBox(error);
}
