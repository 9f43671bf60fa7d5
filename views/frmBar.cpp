#include "views/frmBar.h"

#include "text/MessageCatalogue.h"
#include "views/BarPlot.h"

namespace {

using S = BpStatistics;

const ChartDesign kDesign = {
    "frmBar",
    {true, true, false, false},
    true,
    {{
        {"chart.Diastolic", "chart.Average", &S::diaAverage, &S::diaDeviation, &S::diaMaximum,
         "chart.MinimumBarDiastolic", &S::diaMinimum, false},
        {"chart.SystolicDiastolic", "chart.SysAverage", &S::sysAverage, &S::sysDeviation, &S::sysMaximum,
         "chart.Minimum", &S::sysMinimum, true},
        {"chart.MAP", "chart.Average", &S::mapAverage, &S::mapDeviation, &S::mapMaximum, "chart.Minimum",
         &S::mapMinimum, false},
        {"chart.Pulse", "chart.Average", &S::pulseAverage, &S::pulseDeviation, &S::pulseMaximum,
         "chart.Minimum", &S::pulseMinimum, false},
    }},
};

} // namespace

frmBar::frmBar(QWidget* parent)
    : ChartWindow(kDesign, new BarPlot(catText("frmBar.axisPressure"), catText("frmBar.axisSecondary"), nullptr),
                  parent)
{
}
