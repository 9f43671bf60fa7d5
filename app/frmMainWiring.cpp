// Where the main window reaches the rest of the program: the file commands
// and the windows its commands open. Each function is the one place where
// its command hands over.
#include "app/frmMain.h"

#include "app/FhirExport.h"
#include "app/GdtLink.h"
#include "app/HelpContents.h"
#include "app/HelpWindows.h"
#include "app/LoadedWindows.h"
#include "views/AbpmWindows.h"
#include "views/DetailsWindows.h"
#include "views/ChartWindows.h"
#include "views/CommWindows.h"
#include "data/AbpmCsvExport.h"
#include "data/FileCommands.h"
#include "views/DataWindows.h"
#include "print/AbpmReport.h"
#include "print/AbpmSignedReport.h"
#include "print/DataReport1.h"
#include "print/ReportWindows.h"
#include "data/clsbpdata.h"

void frmMain::wireOtherParts()
{
    // A deleted main window is skipped: the hooks may outlive it.
    const QPointer<frmMain> self(this);

    FileCommandWindows fileWindows;
    fileWindows.showList = [self] { if (self) self->showListWindow(); };
    fileWindows.closeList = [self] { if (self) self->closeListWindow(); };
    fileWindows.showRead = [self] { if (self) self->showReadWindow(); };
    fileWindows.closeDataWindows = [self] { LoadedWindows::instance().closeAllExcept(self); };
    setFileCommandWindows(fileWindows);

    // The list window's buttons reach the same windows as the main window.
    DataWindows::ListHooks listHooks;
    listHooks.showReport = [self](clsbpdata* cursor) { if (self) self->showListReport(cursor); };
    listHooks.showTrend = [self] { if (self) self->showTrendChart(); };
    listHooks.showBar = [self] { if (self) self->showBarChart(); };
    listHooks.showRead = [self] { if (self) self->showReadWindow(); };
    listHooks.showAbpm = [self] { if (self) self->showAbpmSummary(); };
    listHooks.showDetails = [self] { if (self) self->showRecordingDetails(); };
    DataWindows::setListHooks(listHooks);

    // The summary's Print prints the report a doctor signs.
    AbpmWindows::setPrintHook([self](const AbpmPrintRequest&) {
        if (self)
            self->showSignedReport();
    });
}

void frmMain::runFileNew()
{
    // With a request of the practice system waiting, New proposes its patient.
    m_gdt->runNew();
}

void frmMain::runFileOpen()
{
    FileCommands::openFile(this);
}

void frmMain::runFileSave()
{
    // Save refuses by itself when no file is ready.
    FileCommands::saveFile(this);
}

void frmMain::runFileClose()
{
    FileCommands::closeFile(this);
}

void frmMain::runExportCsv()
{
    AbpmCsvExport::exportCsv(this);
}

void frmMain::runExportFhir()
{
    FhirExport::exportFhir(this, chosenPrinter());
}

void frmMain::closeRecordsetAndConnection()
{
    // The record set first, then its connection.
    closeDatabase();
}

void frmMain::closeListWindow()
{
    DataWindows::closeList();
}

void frmMain::showReadWindow()
{
    CommWindows::showReadWindow();
}

void frmMain::showRecordEditor()
{
    DataWindows::showEditor();
}

void frmMain::showListWindow()
{
    DataWindows::showList();
}

void frmMain::showTrendChart()
{
    ChartWindows::showTrendChart();
}

void frmMain::showBarChart()
{
    ChartWindows::showBarChart();
}

void frmMain::showAbpmSummary()
{
    AbpmWindows::showSummary();
}

void frmMain::showRecordingDetails()
{
    DetailsWindows::showDetails();
}

void frmMain::showWaveformWindow()
{
    // With or without a data file: the window stores nothing.
    CommWindows::showWaveWindow();
}

void frmMain::showCommSettings()
{
    CommWindows::showCommWindow();
}

void frmMain::showListReport(clsbpdata* cursor)
{
    DataReport1* report = ReportWindows::dataReport();
    report->setPrinter(chosenPrinter());
    report->setDataMember(clsbpdata::dataMemberName());
    report->setDataSource(cursor);
    report->Show();
}

void frmMain::showAbpmReport(const AbpmPrintRequest& request)
{
    AbpmReport* report = ReportWindows::abpmReport();
    report->setPrinter(chosenPrinter());
    report->Show(request);
}

void frmMain::showSignedReport()
{
    AbpmSignedReport* report = ReportWindows::signedReport();
    report->setPrinter(chosenPrinter());
    report->Show();
}

void frmMain::showHelpContents()
{
    HelpContents::show(this);
}

void frmMain::showQuickUse()
{
    HelpWindows::showQuickUse();
}

void frmMain::showAbout()
{
    HelpWindows::showAbout();
}

void frmMain::showCompanyIntro()
{
    HelpWindows::showIntro();
}

void frmMain::showCompanyInfo()
{
    HelpWindows::showInfo();
}
