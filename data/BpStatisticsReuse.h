#pragma once
// UpdateBpStatistics for the chart windows, which run it at every load,
// scroll step and series toggle. The results are computed again only when
// gRecordset is another record set than the one they were computed from, or
// that record set changed since (opened, requeried, closed, a row added,
// deleted, written or saved). Otherwise they are reused and only the cursor
// goes to the first record, where a run leaves it; moving there saves a
// pending change, which counts as a change.
#include <QString>

// Same results and cursor effect as UpdateBpStatistics.
bool UpdateBpStatisticsIfChanged(QString* error = nullptr);

// True when gBpStats and gBpClass were computed from gRecordset as it is now.
bool bpStatisticsCurrent();
