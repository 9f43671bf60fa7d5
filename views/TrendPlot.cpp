#include "views/TrendPlot.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QLineF>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// How near a point a click must land to pick it, in pixels.
constexpr double kPickRadius = 10;
constexpr double kMarkerSize = 7;

struct Quantity {
    std::optional<double> ChartRow::*value;
    const char* nameKey;
    QColor colour;
};

const Quantity kQuantities[4] = {
    {&ChartRow::sys, "chart.Systolic", QColor(200, 40, 40)},
    {&ChartRow::dia, "chart.Diastolic", QColor(0, 0, 192)},
    {&ChartRow::map, "chart.MAP", QColor(150, 60, 170)},
    {&ChartRow::pulse, "chart.Pulse", QColor(30, 140, 60)},
};

// Sets the axis to the range of the values, with a little room and round
// numbers at the ends; no values leave it as it was.
void scaleTo(QValueAxis* axis, double low, double high)
{
    if (low > high)
        return;
    const double room = std::max((high - low) * 0.05, 5.0);
    axis->setRange(std::floor(low - room), std::ceil(high + room));
    axis->applyNiceNumbers();
}

} // namespace

TrendPlot::TrendPlot(const QString& pressureTitle, const QString& secondaryTitle, QObject* parent)
    : ChartPlot(pressureTitle, secondaryTitle, parent)
{
}

void TrendPlot::drawSeries(const std::vector<ChartRow>& rows, const SeriesButtons& buttons)
{
    double low[2] = {INFINITY, INFINITY}, high[2] = {-INFINITY, -INFINITY}; // pressure, pulse
    for (int s = 0; s < 4; ++s) {
        const Quantity& q = kQuantities[s];
        const int axis = s == 3 ? 1 : 0;
        // One line per run of values: a missing value ends a run.
        std::vector<QList<QPointF>> runs;
        bool inRun = false;
        for (size_t k = 0; k < rows.size() && buttons[size_t(s)]; ++k) {
            const std::optional<double>& value = rows[k].*q.value;
            if (value) {
                if (!inRun)
                    runs.emplace_back();
                runs.back() << QPointF(double(k), *value);
                low[axis] = std::min(low[axis], *value);
                high[axis] = std::max(high[axis], *value);
            }
            inRun = value.has_value();
        }
        showRuns(s + 1, runs);
        addLegendItem(s + 1, q.nameKey, q.colour, buttons[size_t(s)]);
    }
    scaleTo(m_pressureAxis, low[0], high[0]);
    scaleTo(m_secondaryAxis, low[1], high[1]);
}

void TrendPlot::showRuns(int series, const std::vector<QList<QPointF>>& runs)
{
    std::vector<QLineSeries*>& lines = m_lines[size_t(series - 1)];
    while (lines.size() > runs.size()) {
        chart()->removeSeries(lines.back());
        delete lines.back();
        lines.pop_back();
    }
    while (lines.size() < runs.size())
        lines.push_back(newLine(series));
    for (size_t i = 0; i < runs.size(); ++i)
        lines[i]->replace(runs[i]);
}

QLineSeries* TrendPlot::newLine(int series)
{
    auto* line = new QLineSeries;
    QPen pen(kQuantities[series - 1].colour);
    pen.setWidthF(2);
    line->setPen(pen);
    line->setPointsVisible(true);
    line->setMarkerSize(kMarkerSize);
    chart()->addSeries(line);
    line->attachAxis(m_categories);
    line->attachAxis(series == 4 ? m_secondaryAxis : m_pressureAxis);
    connect(line, &QLineSeries::clicked, this, [this, line, series](const QPointF& at) { lineClicked(line, series, at); });
    return line;
}

void TrendPlot::lineClicked(QLineSeries* line, int series, const QPointF& at)
{
    const QList<QPointF> points = line->points();
    const auto nearest = std::min_element(points.begin(), points.end(), [&at](const QPointF& a, const QPointF& b) {
        return std::abs(a.x() - at.x()) < std::abs(b.x() - at.x());
    });
    if (nearest == points.end())
        return;
    const QLineF distance(chart()->mapToPosition(*nearest, line), chart()->mapToPosition(at, line));
    if (distance.length() <= kPickRadius)
        emit pointPicked(int(std::lround(nearest->x())) + 1);
    else
        emit seriesPicked(series);
}
