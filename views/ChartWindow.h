#pragma once
// What the bar chart (frmBar) and trend chart (frmWave) windows share: the
// toolbar (view sizes A4/A5/A6, Print, Exit, four Series buttons), the
// chart, the scroll bar HScroll4 that moves the record window of at most 30
// records through the file, the Detail panel (Frame2, a picked record with
// its WHO class) and the Statistic panel (Frame1, a picked series'
// statistic), never both at once, and the status bar that only a print shows.
//
// Every load, scroll step and Series button repeats LoadChartView, which
// reads only the records in view and reuses the statistic while the shared
// record set has not changed; each load leaves the shared cursor on the
// first record, and picking a data point moves it to that record (found by
// its record number), so the list and editor windows follow.
//
// Failures during a load or a pick are shown with ShowErrorBox and the
// window stays usable.
#include "views/ChartDesign.h"
#include "views/ChartPlot.h"

#include <QWidget>

#include <array>
#include <vector>

class ChartArea;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QStatusBar;
class QToolBar;

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    ~ChartWindow() override;

    // The load: false when no data file is ready; the window has then said
    // so and closed itself.
    bool Form_Load();
    // Loaded and not closed since.
    bool isLoaded() const { return m_loaded; }

    void LoadChartView();
    // Data point k (from 1) of the record window picked: the Detail panel.
    void chtReport_PointSelected(int k);
    // Series s picked: the Statistic panel.
    void chtReport_SeriesSelected(int s);
    void Toolbar1_ButtonClick(QAction* button);
    void HScroll4_Change();
    void PrintChartView();

    // Toolbar buttons by position, counted from 1, separators included.
    static constexpr int kToolbarButtons = 12;
    QAction* toolbarButton(int index) const;
    static QString buttonKey(const QAction* button);

    // The rows drawn now, in order.
    const std::vector<ChartRow>& drawnRows() const { return m_rows; }

    QToolBar* Toolbar1 = nullptr;
    ChartArea* chtReport = nullptr;
    QScrollBar* HScroll4 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    // Text1 to Text7 in Frame2, Text8 to Text13 in Frame1 (index = number;
    // Text13 only where the design has it).
    std::array<QLineEdit*, 14> Text{};
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 4> StatusPanel{}; // panels 1 to 3

protected:
    ChartWindow(const ChartDesign& design, ChartPlot* plot, QWidget* parent);

    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolbar();
    void buildPanels();
    QLineEdit* makeBox(QGroupBox* frame, int number);
    void Form_Resize();
    void placePanel(QGroupBox* frame);
    void setPrintLook(bool printing);
    void applyColours(bool printing);
    // Catalogue text of this window: "<window>.<place>".
    QString windowText(const char* place) const;

    void FillChart(const std::vector<ChartRow>& rows);
    ChartPlot::SeriesButtons seriesButtons() const;
    bool statisticCurrent();
    void setBox(int number, const QString& text);
    void ShowErrorBox(const QString& description);

    const ChartDesign& m_design;
    ChartPlot* m_plot;
    std::vector<QAction*> m_buttons; // index 0 is button 1
    std::vector<ChartRow> m_rows;
    bool m_scrollShown = false; // HScroll4's visibility as the last load set it
    bool m_loaded = false;
};
