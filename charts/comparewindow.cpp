#include "charts/comparewindow.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>

#include "charts/barchartbuilder.h"
#include "charts/comparepage.h"
#include "charts/comparetablemodel.h"
#include "desktop/printcommand.h"
#include "platform/qtstrings.h"

namespace {

// Below this width the table goes under the chart rather than beside it.
constexpr int kSideBySideWidth = 900;

QAction* AddAction(QMenu* menu, const QString& name, const QString& text,
                   const QKeySequence& shortcut) {
    auto* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

}  // namespace

CompareWindow::CompareWindow(const std::string& title, std::string documentPath, Source source,
                             QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      m_title(title),
      m_documentPath(std::move(documentPath)),
      m_source(std::move(source)),
      m_model(new CompareTableModel(this)) {
    setObjectName("compareWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Compare Forces - " + ToQt(title));
    m_chartView = new QChartView;
    m_chartView->setObjectName("compareChart");
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(320, 240);
    m_table = new QTableView;
    m_table->setObjectName("compareTable");
    m_table->setModel(m_model);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    auto* splitter = new QSplitter;
    splitter->addWidget(m_chartView);
    splitter->addWidget(m_table);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({560, 420});
    setCentralWidget(splitter);
    m_chooser = new QComboBox;
    m_chooser->setObjectName("chartChooser");
    CreateActions();
    connect(m_chooser, &QComboBox::currentIndexChanged, this, &CompareWindow::ShowChart);
    Refresh();
    // Fits a screen of 1024 x 576 with its panel, and beside the cards.
    resize(980, 520);
    splitter->setOrientation(width() < kSideBySideWidth ? Qt::Vertical : Qt::Horizontal);
}

CompareWindow::~CompareWindow() = default;

void CompareWindow::CreateActions() {
    QMenu* file = menuBar()->addMenu("&File");
    connect(AddAction(file, "print", "&Print...", QKeySequence::Print), &QAction::triggered, this,
            &CompareWindow::Print);
    connect(AddAction(file, "printPreview", "Print Pre&view", {}), &QAction::triggered, this,
            &CompareWindow::PrintPreview);
    file->addSeparator();
    connect(AddAction(file, "close", "&Close", QKeySequence::Close), &QAction::triggered, this,
            &QWidget::close);
    QMenu* edit = menuBar()->addMenu("&Edit");
    connect(AddAction(edit, "copy", "&Copy", QKeySequence::Copy), &QAction::triggered, this,
            &CompareWindow::Copy);
    QMenu* view = menuBar()->addMenu("&View");
    QAction* night = AddAction(view, "nightColours", "&Night Colours", {});
    night->setCheckable(true);
    connect(night, &QAction::toggled, this, &CompareWindow::SetNightColours);

    QToolBar* bar = addToolBar("Chart");
    bar->setObjectName("compareToolBar");
    bar->setMovable(false);
    bar->addWidget(m_chooser);
    bar->addAction(findChild<QAction*>("print"));
    bar->addAction(findChild<QAction*>("copy"));
}

void CompareWindow::Refresh() {
    const std::vector<ForceComparison> forces = m_source();
    m_charts = CompareCharts(forces);
    m_model->SetTable(CompareTable::Of(forces));
    FitColumns();
    const int shown = std::max(0, m_chooser->currentIndex());
    const QSignalBlocker quiet(m_chooser);
    m_chooser->clear();
    for (const CompareChart& chart : m_charts) m_chooser->addItem(ToQt(chart.title));
    m_chooser->setCurrentIndex(shown);
    ShowChart(shown);
}

// Each column as wide as its heading and its longest figure: asking the
// view to measure every cell takes seconds for thousands of forces.
void CompareWindow::FitColumns() {
    const CompareTable& table = m_model->Table();
    const QFontMetrics metrics(m_table->horizontalHeader()->font());
    const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
    const int padding = 3 * metrics.horizontalAdvance(QLatin1Char(' ')) + 8;
    for (std::size_t c = 1; c < table.header.size(); ++c) {
        std::size_t chars = 0;
        for (const CompareTable::Row& row : table.rows)
            chars = std::max(chars, row.cells[c - 1].size());
        int width = int(chars) * digit;
        width = std::max(width, metrics.horizontalAdvance(ToQt(table.header[c])));
        if (!table.subheader.empty()) {
            width = std::max(width, metrics.horizontalAdvance(ToQt(table.subheader[c])));
        }
        m_table->horizontalHeader()->resizeSection(int(c) - 1, width + padding);
    }
}

void CompareWindow::ShowChart(int index) {
    if (index < 0 || std::size_t(index) >= m_charts.size()) return;
    QChart* old = m_chartView->chart();
    m_chartView->setChart(
        BuildBarChart(m_charts[std::size_t(index)], m_night ? ChartInk::Night : ChartInk::Day));
    delete old;
}

void CompareWindow::SetNightColours(bool night) {
    m_night = night;
    QPalette palette = QApplication::palette(m_table);
    if (night) {
        palette.setColor(QPalette::Base, QColor(QRgb(kNightGround)));
        palette.setColor(QPalette::AlternateBase, QColor(QRgb(kNightGround)));
        palette.setColor(QPalette::Text, QColor(QRgb(kNightInk)));
    }
    m_table->setPalette(palette);
    ShowChart(m_chooser->currentIndex());
}

QChart* CompareWindow::Chart() const { return m_chartView->chart(); }

void CompareWindow::PrintChart(CDC& dc) const {
    const std::size_t index = std::size_t(std::max(0, m_chooser->currentIndex()));
    DrawComparisonPage(dc, m_title + " - forces compared", m_charts.at(index), m_model->Table());
}

void CompareWindow::Print() {
    PrintWithDialog(this, m_title, m_documentPath,
                    [this](CDC& printer, Progress&) { PrintChart(printer); });
}

void CompareWindow::PrintPreview() {
    PreviewPrint(this, m_title, m_documentPath,
                 [this](CDC& printer, Progress&) { PrintChart(printer); });
}

void CompareWindow::Copy() { QApplication::clipboard()->setText(ToQt(m_model->Table().Text())); }
