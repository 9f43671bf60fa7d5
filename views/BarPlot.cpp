#include "views/BarPlot.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QStackedBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>

namespace {

constexpr double kScaleMinimum = 40;
constexpr double kScaleMaximum = 240;
constexpr double kBarWidth = 0.8;

const QColor kDiastolic(0, 0, 192);
const QColor kSystolicPart(200, 40, 40);
const QColor kPulse(30, 140, 60);
const QColor kMap(150, 60, 170); // in the legend only: this chart never draws it

QBarSet* barSet(const QColor& colour)
{
    auto* set = new QBarSet(QString());
    set->setColor(colour);
    set->setBorderColor(colour.darker(140));
    return set;
}

// A bar of value 0 lies below the scale and is not seen: that is how a
// missing value is left out while the bars keep their places.
double shown(const std::optional<double>& value)
{
    return value.value_or(0.0);
}

} // namespace

BarPlot::BarPlot(const QString& pressureTitle, const QString& secondaryTitle, QObject* parent)
    : ChartPlot(pressureTitle, secondaryTitle, parent)
{
    m_pressureAxis->setRange(kScaleMinimum, kScaleMaximum);
    m_secondaryAxis->setRange(kScaleMinimum, kScaleMaximum);
}

void BarPlot::drawSeries(const std::vector<ChartRow>& rows, const SeriesButtons& buttons)
{
    // Built anew each time: a bar series shown again must keep its place.
    chart()->removeAllSeries();
    const bool pressure = buttons[0];
    const bool pulse = buttons[3];
    if (pressure) {
        auto* stack = new QStackedBarSeries;
        stack->setBarWidth(kBarWidth);
        QBarSet* diastolic = barSet(kDiastolic);
        QBarSet* systolicPart = barSet(kSystolicPart);
        for (const ChartRow& row : rows) {
            diastolic->append(shown(row.dia));
            systolicPart->append(row.sys && row.dia ? *row.sys - *row.dia : 0.0);
        }
        stack->append(diastolic);
        stack->append(systolicPart);
        addBars(stack, m_pressureAxis);
    }
    if (pulse) {
        auto* bars = new QBarSeries;
        bars->setBarWidth(kBarWidth);
        QBarSet* pulseBars = barSet(kPulse);
        for (const ChartRow& row : rows)
            pulseBars->append(shown(row.pulse));
        bars->append(pulseBars);
        addBars(bars, m_secondaryAxis);
    }
    addLegendItem(1, "chart.Diastolic", kDiastolic, pressure);
    addLegendItem(2, "chart.SystolicDiastolic", kSystolicPart, pressure);
    addLegendItem(3, "chart.MAP", kMap, false);
    addLegendItem(4, "chart.Pulse", kPulse, pulse);
}

void BarPlot::addBars(QAbstractBarSeries* series, QValueAxis* valueAxis)
{
    chart()->addSeries(series);
    series->attachAxis(m_categories);
    series->attachAxis(valueAxis);
    connect(series, &QAbstractBarSeries::clicked, this, [this](int index) { emit pointPicked(index + 1); });
}
