#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "editors/printoutput.h"
#include "print/shipcardjob.h"

class CBrinnowDoc;
class CDC;
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

    // Zoom over the scale the screen's millimetres give.
    static constexpr double kMinZoom = 0.5;
    static constexpr double kMaxZoom = 8.0;
    double Zoom() const { return m_zoom; }
    void SetZoom(double zoom);
    void ZoomIn();
    void ZoomOut();

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

  private:
    bool HasSomethingToShow() const;
    double ScreenScale() const;
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
