#include "views/AbpmHourlyChart.h"

#include "data/AbpmSummary.h"
#include "text/MessageCatalogue.h"

#include <QAreaSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

const QColor kSysColour(200, 30, 30);
const QColor kDiaColour(30, 60, 200);
const QColor kNightColour(120, 120, 150, 60);

double minutesToHours(QTime t)
{
    return t.hour() + t.minute() / 60.0;
}

} // namespace

AbpmHourlyChart::AbpmHourlyChart(QGraphicsItem* parent)
    : QChart(parent)
{
    setTitle(catText("abpm.chtHourly"));
    setBackgroundRoundness(0);
    setDropShadowEnabled(false);
    setAnimationOptions(QChart::NoAnimation);

    // The night first, so that the lines are drawn over it.
    m_nightTop = new QLineSeries(this);
    m_nightBottom = new QLineSeries(this);
    m_night = new QAreaSeries(m_nightTop, m_nightBottom);
    m_night->setName(catText("abpm.seriesNight"));
    m_night->setBrush(kNightColour);
    m_night->setPen(Qt::NoPen);
    addSeries(m_night);

    m_sys = new QLineSeries;
    m_sys->setName(catText("abpm.seriesSys"));
    m_sys->setPen(QPen(kSysColour, 2));
    m_sys->setPointsVisible(true);
    addSeries(m_sys);
    m_dia = new QLineSeries;
    m_dia->setName(catText("abpm.seriesDia"));
    m_dia->setPen(QPen(kDiaColour, 2));
    m_dia->setPointsVisible(true);
    addSeries(m_dia);

    m_hours = new QValueAxis;
    m_hours->setRange(0, 24);
    m_hours->setTickCount(5); // every six hours, lines every three
    m_hours->setMinorTickCount(1);
    m_hours->setLabelFormat(QStringLiteral("%d"));
    m_hours->setTitleText(catText("abpm.axisHour"));
    addAxis(m_hours, Qt::AlignBottom);
    m_pressure = new QValueAxis;
    m_pressure->setLabelFormat(QStringLiteral("%d"));
    m_pressure->setTitleText(catText("abpm.axisPressure"));
    addAxis(m_pressure, Qt::AlignLeft);
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(m_night), static_cast<QAbstractSeries*>(m_sys),
                                    static_cast<QAbstractSeries*>(m_dia)}) {
        series->attachAxis(m_hours);
        series->attachAxis(m_pressure);
    }
    legend()->setAlignment(Qt::AlignBottom);
}

void AbpmHourlyChart::setFigures(const AbpmSummary& summary, const AbpmPeriods& periods)
{
    QList<QPointF> sys, dia;
    double low = 1e9, high = -1e9;
    for (int hour = 0; hour < 24; ++hour) {
        const AbpmHour& h = summary.hours[size_t(hour)];
        if (!h.sysMean || !h.diaMean)
            continue;
        sys << QPointF(hour + 0.5, *h.sysMean);
        dia << QPointF(hour + 0.5, *h.diaMean);
        low = std::min(low, *h.diaMean);
        high = std::max(high, *h.sysMean);
    }
    if (sys.isEmpty()) {
        low = 60;
        high = 160;
    }
    // Ticks every 20 mmHg, with room above and below the lines.
    const double bottom = std::floor((low - 5) / 20) * 20;
    const double top = std::ceil((high + 5) / 20) * 20;
    m_pressure->setRange(bottom, top);
    m_pressure->setTickCount(int((top - bottom) / 20) + 1);
    m_sys->replace(sys);
    m_dia->replace(dia);

    // The night as one area: up to the top inside the night, flat at the
    // bottom outside it (a night past midnight has a part at each end).
    const double start = minutesToHours(periods.night.start);
    const double end = minutesToHours(periods.night.end);
    auto inNight = [&](double x) { return start < end ? x >= start && x < end : x >= start || x < end; };
    QList<QPointF> edge, floor;
    QList<double> xs = {0, start, end, 24};
    std::sort(xs.begin(), xs.end());
    for (int i = 0; i + 1 < xs.size(); ++i) {
        const double y = inNight((xs[i] + xs[i + 1]) / 2) && xs[i] < xs[i + 1] ? top : bottom;
        edge << QPointF(xs[i], y) << QPointF(xs[i + 1], y);
    }
    floor << QPointF(0, bottom) << QPointF(24, bottom);
    m_nightTop->replace(edge);
    m_nightBottom->replace(floor);
}

void AbpmHourlyChart::usePixelFonts(int pixels)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    QFont bold = font;
    bold.setBold(true);
    setTitleFont(bold);
    legend()->setFont(font);
    for (QValueAxis* axis : {m_hours, m_pressure}) {
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
}
