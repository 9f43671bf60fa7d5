#pragma once
// The bar chart: series 1 (DIA_mmHg) and series 2 (SYS_mmHg - DIA_mmHg)
// stacked into one bar per record, rising to the diastolic and on to the
// systolic value, while the "SYS-DIA" button is pressed; series 4 (pulse)
// as a bar beside it while the "Pulse" button is pressed. Series 3 (MAP)
// is never drawn. Both value axes run from 40 to 240.
//
// A missing value leaves its bar out; a stacked part needs both of its
// values. A click on a bar picks its data point.
#include "views/ChartPlot.h"

class QAbstractBarSeries;

class BarPlot : public ChartPlot {
    Q_OBJECT
public:
    BarPlot(const QString& pressureTitle, const QString& secondaryTitle, QObject* parent);

protected:
    void drawSeries(const std::vector<ChartRow>& rows, const SeriesButtons& buttons) override;

private:
    void addBars(QAbstractBarSeries* series, QValueAxis* valueAxis);
};
