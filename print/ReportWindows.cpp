#include "print/ReportWindows.h"

#include "print/DataReport1.h"
#include "state/SharedState.h"

#include <QPointer>

namespace ReportWindows {

namespace {

QPointer<DataReport1> g_report;

} // namespace

DataReport1* dataReport()
{
    if (!g_report)
        g_report = new DataReport1(gMainWindow);
    return g_report;
}

DataReport1* shownDataReport()
{
    return g_report && g_report->isVisible() ? g_report.data() : nullptr;
}

void closeDataReport()
{
    if (g_report)
        g_report->close();
}

} // namespace ReportWindows
