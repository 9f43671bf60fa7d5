#pragma once
// The single instances of the bar chart and trend chart windows. A window
// is created (and loads) when it is first shown, is shown not modal, and
// ends when it is closed; showing it while it is open brings it to the
// front without loading it again.
class frmBar;
class frmWave;

namespace ChartWindows {

// Shows the window, loading it first when it is not loaded. Returns the
// window, or nullptr when it could not load (no data file ready).
frmBar* showBarChart();
frmWave* showTrendChart();

// The loaded window, or nullptr.
frmBar* barChart();
frmWave* trendChart();

} // namespace ChartWindows
