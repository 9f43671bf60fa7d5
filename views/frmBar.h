#pragma once
// The bar chart window: the records as stacked pressure bars and pulse
// bars, 30 at a time (see ChartWindow and BarPlot).
#include "views/ChartWindow.h"

class frmBar : public ChartWindow {
    Q_OBJECT
public:
    explicit frmBar(QWidget* parent = nullptr);
};
