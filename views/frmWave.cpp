#include "views/frmWave.h"

#include "text/MessageCatalogue.h"
#include "views/TrendPlot.h"

namespace {

using S = BpStatistics;

const ChartDesign kDesign = {
    "frmWave",
    {true, true, true, true},
    false,
    {{
        {"chart.Systolic", "chart.Average", &S::sysAverage, &S::sysDeviation, &S::sysMaximum, "chart.Minimum",
         &S::sysMinimum, false},
        {"chart.Diastolic", "chart.Average", &S::diaAverage, &S::diaDeviation, &S::diaMaximum, "chart.Minimum",
         &S::diaMinimum, false},
        {"chart.MAP", "chart.Average", &S::mapAverage, &S::mapDeviation, &S::mapMaximum, "chart.Minimum",
         &S::mapMinimum, false},
        {"chart.Pulse", "chart.Average", &S::pulseAverage, &S::pulseDeviation, &S::pulseMaximum,
         "chart.Minimum", &S::pulseMinimum, false},
    }},
};

} // namespace

frmWave::frmWave(QWidget* parent)
    : ChartWindow(kDesign,
                  new TrendPlot(catText("frmWave.axisPressure"), catText("frmWave.axisSecondary"), nullptr),
                  parent)
{
}
