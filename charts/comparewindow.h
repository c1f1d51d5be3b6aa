#pragma once

#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "compare/comparechart.h"
#include "compare/forcecomparison.h"

class CompareTableModel;
class QChart;
class QChartView;
class QComboBox;
class QTableView;

// Compare Forces: the forces of a scenario side by side as grouped bar
// charts, a colour per force, with the table of figures beside them. It
// asks its source for the figures again on Refresh, so that a window over a
// game follows the marks. Not modal.
class CompareWindow : public QMainWindow {
    Q_OBJECT
  public:
    using Source = std::function<std::vector<ForceComparison>()>;
    // title: the scenario's name, in the campaign's code page; documentPath
    // proposes where a PDF goes.
    CompareWindow(const std::string& title, std::string documentPath, Source source,
                  QWidget* parent = nullptr);
    ~CompareWindow() override;

    void Refresh();
    void ShowChart(int index);
    void SetNightColours(bool night);
    void Print();
    void PrintPreview();
    // The table as text on the clipboard.
    void Copy();

    QChart* Chart() const;
    QComboBox& ChartChooser() const { return *m_chooser; }
    QTableView& TableView() const { return *m_table; }
    const std::vector<CompareChart>& Charts() const { return m_charts; }

  private:
    void CreateActions();
    void FitColumns();
    void PrintChart(class CDC& dc) const;

    std::string m_title;
    std::string m_documentPath;
    Source m_source;
    std::vector<CompareChart> m_charts;
    CompareTableModel* m_model = nullptr;
    QChartView* m_chartView = nullptr;
    QComboBox* m_chooser = nullptr;
    QTableView* m_table = nullptr;
    bool m_night = false;
};
