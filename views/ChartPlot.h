#pragma once
// What a chart window draws on: a QChart with the rows of the record window
// as series, one data point per row labelled with its record number, a
// pressure axis on the left and a secondary axis on the right. It tells
// which data point (counted from 1) or which series (numbered as the
// statistic panel numbers them) the user picked with the mouse. BarPlot and
// TrendPlot are the two kinds; the chart's own legend is not used, the
// window shows legendItems() (every series, drawn or not) as buttons a
// keyboard can reach.
#include "data/ChartQuery.h"

#include <QColor>
#include <QObject>
#include <QRectF>
#include <QString>

#include <array>
#include <vector>

class QBarCategoryAxis;
class QChart;
class QValueAxis;

struct LegendItem {
    int series;
    QString name;
    QColor colour;
    bool drawn; // its Series button is pressed (bar chart MAP: never)
};

class ChartPlot : public QObject {
    Q_OBJECT
public:
    // Pressed state of the Series buttons (toolbar buttons 9 to 12).
    using SeriesButtons = std::array<bool, 4>;

    ChartPlot(const QString& pressureTitle, const QString& secondaryTitle, QObject* parent);
    ~ChartPlot() override;

    QChart* chart() const { return m_chart; }

    void draw(const std::vector<ChartRow>& rows, const SeriesButtons& buttons);
    int pointCount() const { return m_points; }
    // Every series the statistic panel names, in its order, drawn or not:
    // each can be picked.
    const std::vector<LegendItem>& legendItems() const { return m_legend; }
    // Data point k as a band across the plot area, in chart coordinates.
    QRectF pointBand(int k) const;

signals:
    void pointPicked(int k);
    void seriesPicked(int series);

protected:
    // Puts the rows into the series. A plot keeps its series from one draw
    // to the next where it can: new series cost a scroll step most of its time.
    virtual void drawSeries(const std::vector<ChartRow>& rows, const SeriesButtons& buttons) = 0;
    void addLegendItem(int series, const char* nameKey, const QColor& colour, bool drawn);

    QBarCategoryAxis* m_categories = nullptr;
    QValueAxis* m_pressureAxis = nullptr;
    QValueAxis* m_secondaryAxis = nullptr;

private:
    QChart* m_chart = nullptr;
    std::vector<LegendItem> m_legend;
    int m_points = 0;
};
