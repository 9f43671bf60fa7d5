#pragma once
// The ABPM summary's chart: the hourly means of systolic and diastolic
// pressure over the 24 clock hours (each mean in the middle of its hour),
// with the night period shaded. The window shows it in a chart view; the
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

    QLineSeries* sysSeries() const { return m_sys; }
    QLineSeries* diaSeries() const { return m_dia; }
    QAreaSeries* nightArea() const { return m_night; }

private:
    QLineSeries* m_sys = nullptr;
    QLineSeries* m_dia = nullptr;
    QLineSeries* m_nightTop = nullptr;
    QLineSeries* m_nightBottom = nullptr;
    QAreaSeries* m_night = nullptr;
    QValueAxis* m_hours = nullptr;
    QValueAxis* m_pressure = nullptr;
};
