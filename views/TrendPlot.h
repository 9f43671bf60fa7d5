#pragma once
// The trend chart: series 1 to 4 (SYS_mmHg, DIA_mmHg, MAP_mmHg, pulse) as
// lines with their points, each while its Series button is pressed; the
// pressures on the left axis, the pulse on the right, both scaled to the
// values shown.
//
// A missing value leaves a gap in its line. A click near a point picks that
// data point; a click on a line away from its points picks the series.
#include "views/ChartPlot.h"

class QLineSeries;

class TrendPlot : public ChartPlot {
    Q_OBJECT
public:
    TrendPlot(const QString& pressureTitle, const QString& secondaryTitle, QObject* parent);

protected:
    void drawSeries(const std::vector<ChartRow>& rows, const SeriesButtons& buttons) override;

private:
    // Shows the runs of one series, one line each.
    void showRuns(int series, const std::vector<QList<QPointF>>& runs);
    QLineSeries* newLine(int series);
    void lineClicked(QLineSeries* line, int series, const QPointF& at);

    std::array<std::vector<QLineSeries*>, 4> m_lines; // the lines of series 1 to 4
};
