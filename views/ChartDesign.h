#pragma once
// What tells the bar chart and trend chart windows apart, beyond their plot:
// the window's name in the catalogue (under which its captions, toolbar
// texts, axis titles and messages are found), the Series buttons' initial
// states, whether the Statistic panel has the box Text13, and what the
// Statistic panel shows for each series.
#include "data/BpStatistics.h"

#include <array>

struct StatisticDesign {
    const char* caption;      // Frame1 caption
    const char* averageLabel; // Text10 label
    double BpStatistics::*average;
    double BpStatistics::*deviation;
    qint64 BpStatistics::*maximum;
    const char* minimumLabel; // Text12 label
    qint64 BpStatistics::*minimum;
    bool diaAverage; // Text13 shows the diastolic average
};

struct ChartDesign {
    const char* window; // "frmBar", "frmWave"
    std::array<bool, 4> seriesPressedAtLoad; // toolbar buttons 9 to 12
    bool hasText13;
    std::array<StatisticDesign, 4> statistic; // series 1 to 4
};
