#pragma once
// The chart control of a chart window (chtReport): the plot in a chart view
// with a legend of buttons above it. The user picks a data point by a
// click on it, or with the keyboard: the view takes the focus, Left, Right,
// Home and End move a visible selection over the data points and Enter
// picks it. A series is picked by its legend button (click, Enter or Space;
// the buttons are in the Tab order and carry the series' name; a series
// that is not drawn has one too, so its statistic can be reached) or, where
// the plot allows it, by a click on the series.
#include <QPushButton>
#include <QWidget>

#include <vector>

class ChartPlot;
class QChartView;
class QGraphicsRectItem;

// A legend button: Enter picks it as Space does.
class LegendEntry : public QPushButton {
    Q_OBJECT
public:
    explicit LegendEntry(QWidget* parent);
    int series = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class ChartArea : public QWidget {
    Q_OBJECT
public:
    // Takes the plot's chart; name: the view's name for screen readers.
    ChartArea(ChartPlot* plot, const QString& name, QWidget* parent);

    QChartView* view() const { return m_view; }
    // Legend buttons of every series, drawn or not, in order.
    std::vector<LegendEntry*> legendEntries() const;
    // The selected data point, 0 when none.
    int selectedPoint() const { return m_selected; }
    void selectPoint(int k);

    // After the plot drew: the legend follows it and the selection is gone.
    void plotDrawn();
    // Keeps the given height free below the axis labels (a scroll bar lies there).
    void reserveBottom(int pixels);

signals:
    void pointPicked(int k);
    void seriesPicked(int series);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelection();

    ChartPlot* m_plot;
    QChartView* m_view = nullptr;
    QGraphicsRectItem* m_selection = nullptr;
    std::vector<LegendEntry*> m_entries; // one per series a plot can draw
    int m_selected = 0;
};
