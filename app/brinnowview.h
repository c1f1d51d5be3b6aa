#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "desktop/printoutput.h"
#include "model/shipfilter.h"

class CBrinnowDoc;
class CDC;
class EditHistory;
class Progress;
class QAction;
class QPainter;
class QPainterDC;
class QPrinter;
class ShipSearch;
struct FileChoice;

// The document's ships as a column of record cards with their notes,
// scrolled by whole ships; File Print and Print Preview print the same
// cards a nation at a time.
class CBrinnowView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    CBrinnowView(CBrinnowDoc& doc, EditHistory& history, QWidget* parent = nullptr);
    ~CBrinnowView() override;

    // Zoom over the scale of the desktop's own text size (its logical dots
    // per inch), so a desktop set to 200 % shows the cards twice as large.
    static constexpr double kMaxZoom = 8.0;
    double Zoom() const { return m_zoom; }
    void SetZoom(double zoom);
    void ZoomIn();
    void ZoomOut();
    // The zoom at which a card measures on the screen what it measures on
    // paper, from the screen's physical resolution. Nothing smaller is
    // offered: below it, lines and figures run together.
    double ActualSizeZoom() const;
    // The same from a screen's physical and logical dots per inch; a screen
    // that tells no size, or nonsense, shows the cards at 1.
    static double ActualSizeZoom(double physicalDpi, double logicalDpi);
    double MinimumZoom() const { return ActualSizeZoom(); }
    void ShowActualSize() { SetZoom(ActualSizeZoom()); }
    // Logical pixels per millimetre at the current zoom.
    double ScreenScale() const;
    // What the empty view says instead of showing nothing; empty when there
    // are cards to show.
    QString EmptyHint() const;

    // The top card's place in the listing.
    int TopShip() const { return m_nTopShip; }
    // The document's ships changed: start again at the top if they are fewer.
    void OnUpdate();

    // The listing shows the ships the filter admits, in document order.
    void SetFilter(const ShipFilter& filter);
    const ShipFilter& Filter() const { return m_filter; }
    std::size_t ShownCount() const { return m_rows.size(); }
    // The highlighted ship's position in the document, or -1.
    int CurrentShip() const { return m_nCurrentShip; }
    void SetCurrentShip(int ship);
    // Highlights the next shown ship that matches (the first from the top
    // when fromTop is set), scrolled into sight; false when none matches.
    bool FindShip(const ShipSearch& search, bool fromTop, bool backwards = false);
    // The shown ship whose card is under the point, or -1.
    int ShipAt(const QPoint& point) const;

    // The pages File Print offers, laid out for the printer as it is set.
    int OnPreparePrinting(CDC& defaultPrinter);

    // The Edit commands: each runs its dialog on the document's lists and
    // shows the changed ships afterwards.
    void EditShips();
    void EditSquadrons();
    void EditScenarios();
    // The same, opened at a record, as a double-click on a card or a
    // finding of the campaign check opens them.
    void EditShipsAt(int ship);
    void EditSquadronsAt(int squadron);
    void EditScenariosAt(int scenario, int force);
    void EditArmaments();
    void EditNations();

    // Copy puts the highlighted ship on the clipboard as records and as its
    // line of the text export; Cut then removes it; Paste adds what the
    // clipboard holds. Each change is one step of the history.
    bool CanCopy() const;
    void CopyCurrentShip();
    void CutCurrentShip();
    void Paste();
    // The highlighted ship's card with its notes, as File Print prints it.
    void PrintCurrentShip();
    // A card's context menu offers the window's Find and Copy beside the
    // view's own commands.
    void SetCardCommands(QAction* find, QAction* copy);

    QString PrintJobName() const;
    void FilePrint();
    void FilePrintSetup();
    void FilePrintPreview();
    void PrintBlankShipForm();
    void PrintSelectedItems();
    void ExportShipsAsText();
    void ExportCampaignAsJson();
    void ExportShipsAsCsv();

  signals:
    void documentModified();
    void zoomChanged(double zoom);
    // The ships shown or their count changed.
    void listingChanged();
    void currentShipChanged();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    bool HasSomethingToShow() const;
    // The card layout in device pixels, sharp on a high-resolution screen.
    struct DeviceLayout {
        double dpr = 1;  // device pixels per logical pixel
        double p = 1;    // device pixels per millimetre
        int margin = 0;  // device pixels
        int clientWidth = 0;
        int clientHeight = 0;
        int contentWidth = 0;  // never narrower than the cards with their notes
    };
    DeviceLayout Layout() const;
    void PrepareScreenDC(QPainterDC& dc, const DeviceLayout& layout) const;
    void PaintEmptyHint(QPainter& painter);
    void UpdateHorizontalScrollBar(const DeviceLayout& layout);
    void UpdateScrollBar(CDC& dc, double p, int width, int height);
    void UpdateScrollBarNow();
    using DocumentExport = bool (*)(const CBrinnowDoc& doc, const std::string& path,
                                    std::string& error, Progress& progress);
    // The export's file beside the campaign, named after it.
    QString ProposedBesideDocument(const QString& suffix) const;
    void ExportToChosenFile(const FileChoice& choice, DocumentExport write);
    // The card job for window, on the printer or as its preview.
    void PrintAll(QWidget* window, QPrinter& printer, PrintOutput::Use use);
    // Runs a dialog on the document as one step of the editing history.
    template <class Dialog, class... Args>
    void RunDialog(const QString& step, Args&&... args);
    void RebuildRows();
    // Where the shown cards from the top one end, as far as the window reaches.
    std::vector<int> VisibleCardBottoms() const;
    void ScrollToRow(std::size_t row);
    void OpenCurrentShip();
    void KeepACurrentShip();
    void DrawHighlight(QPainter& painter, const QRect& card) const;
    void TurnToNight(QPainter& painter) const;

    CBrinnowDoc& m_doc;
    EditHistory& m_history;
    double m_zoom = 1.0;
    ShipFilter m_filter;
    // The document positions of the ships shown, in order.
    std::vector<std::size_t> m_rows;
    int m_nCurrentShip = -1;
    int m_nTopShip = 0;
    QAction* m_findCommand = nullptr;
    QAction* m_copyCommand = nullptr;
};
