#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "editors/printoutput.h"
#include "print/shipcardjob.h"

class CBrinnowDoc;
class CDC;
class QPainter;
class QPainterDC;
class QPrinter;
struct FileChoice;

// The document's ships as a column of record cards with their notes,
// scrolled by whole ships; File Print and Print Preview print the same
// cards a nation at a time.
class CBrinnowView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit CBrinnowView(CBrinnowDoc& doc, QWidget* parent = nullptr);
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
    double MinimumZoom() const { return ActualSizeZoom(); }
    void ShowActualSize() { SetZoom(ActualSizeZoom()); }
    // Logical pixels per millimetre at the current zoom.
    double ScreenScale() const;
    // What the empty view says instead of showing nothing; empty when there
    // are cards to show.
    QString EmptyHint() const;

    int TopShip() const { return m_nTopShip; }
    // The document's ships changed: start again at the top if they are fewer.
    void OnUpdate();

    // The print loop of File Print, over any printer.
    int OnPreparePrinting(CDC& defaultPrinter);
    void OnBeginPrinting(CDC& dc);
    bool OnPrint(CDC& dc, int page);
    void OnEndPrinting();
    int PageCount() const { return m_nPageCount; }

    // The Edit commands: each runs its dialog on the document's lists and
    // shows the changed ships afterwards.
    void EditShips();
    void EditSquadrons();
    void EditScenarios();
    void EditArmaments();
    void EditNations();

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

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;

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
    void AfterEditing(bool changedQuietly);
    using DocumentExport = bool (*)(const CBrinnowDoc& doc, const std::string& path,
                                    std::string& error);
    void ExportToChosenFile(const FileChoice& choice, DocumentExport write);
    void PrintAll(QPrinter& printer, PrintOutput::Use use);

    CBrinnowDoc& m_doc;
    double m_zoom = 1.0;
    // The card job's state: pages of the last count, laid out once.
    int m_nPageCount = 0;
    bool m_bPagePerNation = false;
    int m_nFirstShip = -1;
    int m_nLastShip = -1;
    int m_nTopShip = 0;
    std::vector<ShipPageRange> m_pages;
};
