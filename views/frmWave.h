#pragma once
// The trend chart window: the records as four lines (systolic, diastolic,
// mean arterial pressure, pulse), 30 at a time (see ChartWindow and
// TrendPlot).
#include "views/ChartWindow.h"

class frmWave : public ChartWindow {
    Q_OBJECT
public:
    explicit frmWave(QWidget* parent = nullptr);
};
