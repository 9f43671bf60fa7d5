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
    m_night->attachAxis(m_hours);
    m_night->attachAxis(m_pressure);
    m_sysRuns = {newLine(catText("abpm.seriesSys"), kSysColour)};
    m_diaRuns = {newLine(catText("abpm.seriesDia"), kDiaColour)};
    legend()->setAlignment(Qt::AlignBottom);
}

QLineSeries* AbpmHourlyChart::newLine(const QString& name, const QColor& colour)
{
    auto* line = new QLineSeries;
    line->setName(name);
    line->setPen(QPen(colour, 2));
    line->setPointsVisible(true);
    addSeries(line);
    line->attachAxis(m_hours);
    line->attachAxis(m_pressure);
    return line;
}

void AbpmHourlyChart::showRuns(QList<QLineSeries*>& lines, const QList<QList<QPointF>>& runs)
{
    while (lines.size() > qMax<qsizetype>(1, runs.size())) {
        QLineSeries* line = lines.takeLast();
        removeSeries(line);
        delete line;
    }
    while (lines.size() < runs.size()) {
        QLineSeries* line = newLine(lines.first()->name(), lines.first()->pen().color());
        for (QLegendMarker* marker : legend()->markers(line))
            marker->setVisible(false);
        lines.append(line);
    }
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i]->replace(i < runs.size() ? runs[i] : QList<QPointF>());
}

void AbpmHourlyChart::setFigures(const AbpmSummary& summary, const AbpmPeriods& periods)
{
    QList<QList<QPointF>> sys, dia;
    double low = 1e9, high = -1e9;
    bool inRun = false;
    for (int hour = 0; hour < 24; ++hour) {
        const AbpmHour& h = summary.hours[size_t(hour)];
        if (!h.sysMean || !h.diaMean) {
            inRun = false;
            continue;
        }
        if (!inRun) {
            sys.append(QList<QPointF>());
            dia.append(QList<QPointF>());
            inRun = true;
        }
        sys.last() << QPointF(hour + 0.5, *h.sysMean);
        dia.last() << QPointF(hour + 0.5, *h.diaMean);
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
    showRuns(m_sysRuns, sys);
    showRuns(m_diaRuns, dia);

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
