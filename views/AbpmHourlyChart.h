#pragma once
// The ABPM summary's chart: the hourly means of systolic and diastolic
// pressure over the 24 clock hours (each mean in the middle of its hour),
// with the night period shaded. An hour without readings breaks the lines:
// each run of hours with readings is a line of its own, and the legend
// names only the first. The window shows it in a chart view; the
// printed page paints it through a scene of its own.
#include <QChart>

class QAreaSeries;
class QLineSeries;
class QValueAxis;
struct AbpmPeriods;
struct AbpmSummary;

class AbpmHourlyChart : public QChart {
    Q_OBJECT
public:
    explicit AbpmHourlyChart(QGraphicsItem* parent = nullptr);

    void setFigures(const AbpmSummary& summary, const AbpmPeriods& periods);
    // Every text in fonts of this many pixels: a size in points would be
    // taken at the printer's resolution and come out far too large there.
    void usePixelFonts(int pixels);

    // The first run of each line, which the legend names.
    QLineSeries* sysSeries() const { return m_sysRuns.first(); }
    QLineSeries* diaSeries() const { return m_diaRuns.first(); }
    // Every run, in the order of the hours.
    const QList<QLineSeries*>& sysRuns() const { return m_sysRuns; }
    const QList<QLineSeries*>& diaRuns() const { return m_diaRuns; }
    QAreaSeries* nightArea() const { return m_night; }

private:
    QLineSeries* newLine(const QString& name, const QColor& colour);
    void showRuns(QList<QLineSeries*>& lines, const QList<QList<QPointF>>& runs);

    QList<QLineSeries*> m_sysRuns;
    QList<QLineSeries*> m_diaRuns;
    QLineSeries* m_nightTop = nullptr;
    QLineSeries* m_nightBottom = nullptr;
    QAreaSeries* m_night = nullptr;
    QValueAxis* m_hours = nullptr;
    QValueAxis* m_pressure = nullptr;
};
