#include "app/brinnowview.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "editors/documentnotice.h"
#include "editors/editarmaments.h"
#include "editors/editnations.h"
#include "editors/editscenarios.h"
#include "editors/editships.h"
#include "editors/editsquadrons.h"
#include "editors/filedialogs.h"
#include "editors/messagebox.h"
#include "editors/printcommand.h"
#include "editors/printelements.h"
#include "editors/waitcursor.h"
#include "export/textexport.h"
#include "interchange/campaignjsonexport.h"
#include "interchange/shipcsv.h"
#include "model/brinnowdoc.h"
#include "platform/qpainterdc.h"
#include "print/blankform.h"
#include "print/printframework.h"

namespace {

constexpr int kCardMode = 1;
constexpr double kZoomStep = 1.25;

}  // namespace

CBrinnowView::CBrinnowView(CBrinnowDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc) {
    setObjectName("cardView");
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    setFocusPolicy(Qt::StrongFocus);
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
    const int count = static_cast<int>(m_doc.m_ships.size());
    if (m_nTopShip >= count) m_nTopShip = std::max(0, count - 1);
    UpdateScrollBarNow();
    viewport()->update();
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
    return !m_doc.m_ships.empty() && !m_doc.m_armaments.empty();
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
    for (std::size_t i = std::size_t(m_nTopShip); i < ships.size() && y <= client.height(); ++i) {
        const int h = ships[i].GetCardHeight(dc, p, kCardMode, width);
        ships[i].DrawCard(dc, p, margin, y, m_doc.m_armaments, kCardMode, width);
        y += h;
    }
}

// The bar shows when the cards do not fit; its range is the ships, its page
// as many cards of the first ship's height as fit. Summing stops as soon as
// the cards are known not to fit, so large documents cost no more than a
// screenful.
void CBrinnowView::UpdateScrollBar(CDC& dc, double p, int width, int height) {
    const auto& ships = m_doc.m_ships;
    int total = 0;
    for (std::size_t i = 0; i < ships.size() && total <= height; ++i) {
        total += ships[i].GetCardHeight(dc, p, kCardMode, width);
    }
    const bool show = total > height;
    setVerticalScrollBarPolicy(show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (!show) {
        m_nTopShip = 0;
        return;
    }
    const int firstHeight = std::max(1, ships.front().GetCardHeight(dc, p, kCardMode, width));
    const int page = std::max(1, height / firstHeight - 1);
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker block(bar);
    bar->setRange(0, static_cast<int>(ships.size()) - 1);
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

void CBrinnowView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBarNow();
}

void CBrinnowView::scrollContentsBy(int, int) {
    m_nTopShip = verticalScrollBar()->value();
    viewport()->update();
}

void CBrinnowView::EditShips() {
    CEditShipsDlg dialog(m_doc.m_nations, m_doc.m_armaments, m_doc.m_torpedoes, m_doc.m_ships,
                         window());
    dialog.exec();
    AfterEditing(dialog.ChangedQuietly());
}

void CBrinnowView::EditSquadrons() {
    CEditSquadronsDlg dialog(m_doc.m_nations, m_doc.m_ships, m_doc.m_squadrons, m_doc.m_armaments,
                             m_doc.m_torpedoes, window());
    dialog.exec();
    AfterEditing(dialog.ChangedQuietly());
}

void CBrinnowView::EditScenarios() {
    CEditScenariosDlg dialog(m_doc, window());
    dialog.exec();
    AfterEditing(dialog.ChangedQuietly());
}

void CBrinnowView::EditArmaments() {
    CEditArmamentsDlg dialog(m_doc, window());
    dialog.exec();
    AfterEditing(dialog.ChangedQuietly());
}

// A change that posted no notice must still make Close ask to save.
void CBrinnowView::AfterEditing(bool changedQuietly) {
    if (changedQuietly) {
        m_doc.SetModifiedFlag(TRUE);
        emit documentModified();
    }
    OnUpdate();
}

void CBrinnowView::EditNations() {
    CEditNationsDlg dialog(m_doc.m_nations, window());
    dialog.exec();
    OnUpdate();
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

void CBrinnowView::PrintAll(QPrinter& printer, PrintOutput::Use use) {
    RunOnPrinter(
        printer,
        [this, &printer](CDC& dc) {
            OnBeginPrinting(dc);
            const int first = printer.fromPage() > 0 ? printer.fromPage() : 1;
            const int last =
                printer.toPage() > 0 ? std::min(printer.toPage(), m_nPageCount) : m_nPageCount;
            for (int page = first; page <= last; ++page) {
                dc.StartPage();
                OnPrint(dc, page);
                dc.EndPage();
            }
            OnEndPrinting();
        },
        use);
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

void CBrinnowView::FilePrintSetup() {
    QPageSetupDialog dialog(&SharedPrinter(), this);
    dialog.exec();
}

void CBrinnowView::FilePrint() {
    if (m_doc.m_ships.empty()) {
        AfxMessageBox(kNoShipsToPrint, MB_ICONINFORMATION);
        return;
    }
    QPrinter& printer = SharedPrinter();
    printer.setDocName("Brinnow");
    printer.setFromTo(0, 0);
    const int pages = CountPages(*this, printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setMinMax(1, std::max(1, pages));
    if (dialog.exec() != QDialog::Accepted) return;
    PrintAll(printer, PrintOutput::Use::Print);
}

void CBrinnowView::FilePrintPreview() {
    ShowPrintPreview(this, "Brinnow", [this](QPrinter& printer) {
        PrintAll(printer, PrintOutput::Use::Preview);
    });
}

void CBrinnowView::PrintBlankShipForm() {
    PrintWithDialog(this, "Brinnow Blank Ship Form",
                    [](CDC& printer) { ::PrintBlankShipForm(printer); });
}

void CBrinnowView::PrintSelectedItems() {
    CPrintElementsDlg dialog(m_doc, window());
    dialog.exec();
}

void CBrinnowView::ExportShipsAsText() {
    if (m_doc.m_ships.empty()) return;
    ExportToChosenFile({FileChoice::Save, "Export Ships as Text", "TextFiles (*.TXT)", "txt"},
                       ExportShipsText);
}

void CBrinnowView::ExportToChosenFile(const FileChoice& choice, DocumentExport write) {
    const QString path = ChooseFile(this, choice);
    if (path.isEmpty()) return;
    const WaitCursor wait;
    std::string error;
    if (!write(m_doc, path.toStdString(), error))
        AfxMessageBoxUnicode(QString::fromStdString(error));
}

void CBrinnowView::ExportCampaignAsJson() {
    ExportToChosenFile({FileChoice::Save, "Export Campaign as JSON", "JSON Files (*.json)", "json"},
                       ExportCampaignJson);
}

void CBrinnowView::ExportShipsAsCsv() {
    if (m_doc.m_ships.empty()) return;
    ExportToChosenFile({FileChoice::Save, "Export Ships as CSV", "CSV Files (*.csv)", "csv"},
                       ExportShipsCsv);
}
