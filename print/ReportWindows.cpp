#include "print/ReportWindows.h"

#include "print/AbpmReport.h"
#include "print/AbpmSignedReport.h"
#include "print/DataReport1.h"
#include "state/SharedState.h"

#include <QPointer>

namespace ReportWindows {

namespace {

QPointer<DataReport1> g_report;
QPointer<AbpmReport> g_abpmReport;
QPointer<AbpmSignedReport> g_signedReport;

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

AbpmReport* abpmReport()
{
    if (!g_abpmReport)
        g_abpmReport = new AbpmReport(gMainWindow);
    return g_abpmReport;
}

AbpmReport* shownAbpmReport()
{
    return g_abpmReport && g_abpmReport->isVisible() ? g_abpmReport.data() : nullptr;
}

void closeAbpmReport()
{
    if (g_abpmReport)
        g_abpmReport->close();
}

AbpmSignedReport* signedReport()
{
    if (!g_signedReport)
        g_signedReport = new AbpmSignedReport(gMainWindow);
    return g_signedReport;
}

AbpmSignedReport* shownSignedReport()
{
    return g_signedReport && g_signedReport->isVisible() ? g_signedReport.data() : nullptr;
}

void closeSignedReport()
{
    if (g_signedReport)
        g_signedReport->close();
}

} // namespace ReportWindows
