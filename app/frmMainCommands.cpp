// The main window's commands: toolbar dispatch, readiness rule, menu
// handlers. Password commands are in frmMainPasswords.cpp; the places where
// other windows and the file commands are reached are in frmMainWiring.cpp.
#include "app/frmMain.h"
#include "app/SkipOnFailure.h"

#include "state/SharedState.h"
#include "data/clsbpdata.h"
#include "platform/Seams.h"
#include "platform/WindowPrinting.h"
#include "text/MessageCatalogue.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QStatusBar>
#include <QToolBar>

namespace {

struct ButtonCommand {
    const char* key;
    void (frmMain::*command)();
};

// Keys are compared in this order, exactly and case-sensitively.
const ButtonCommand kButtonCommands[] = {
    {"New", &frmMain::mnuFileNew_Click},
    {"Open", &frmMain::mnuFileOpen_Click},
    {"Save", &frmMain::mnuFileSave_Click},
    {"Print", &frmMain::mnuFilePrintSetup_Click},
    {"PrintList", &frmMain::mnuFilePrintList_Click},
    {"Read", &frmMain::mnuDataRead_Click},
    {"Table", &frmMain::mnuDataTable_Click},
    {"Edit", &frmMain::mnuDataEdit_Click},
    {"List", &frmMain::mnuDataList_Click},
    {"Waveform", &frmMain::mnuDataWave_Click},
    {"Bar", &frmMain::mnuDataBar_Click},
    {"Statistic", &frmMain::mnuDataStatistic_Click},
    {"Help", &frmMain::mnuHelpContents_Click},
    {"Exit", &frmMain::mnuFileExit_Click},
    {"ECG", &frmMain::mnuDataReadWave_Click},
};

// Gives the printer setup dialog its title while it is open: the dialog
// seam opens it without one.
class DialogTitleWhileOpen : public QObject {
public:
    explicit DialogTitleWhileOpen(const QString& title)
        : m_title(title)
    {
        if (qApp)
            qApp->installEventFilter(this);
    }
    ~DialogTitleWhileOpen() override
    {
        if (qApp)
            qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The first dialog only: one it opens (the printer's properties)
        // keeps its own title.
        if (event->type() == QEvent::Show && !m_titled)
            if (auto* dialog = qobject_cast<QDialog*>(watched)) {
                dialog->setWindowTitle(m_title);
                m_titled = true;
            }
        return false;
    }

private:
    QString m_title;
    bool m_titled = false;
};

} // namespace

void frmMain::tbToolBar_ButtonClick(QAction* button)
{
    const QString key = buttonKey(button);
    for (const ButtonCommand& entry : kButtonCommands) {
        if (key == QLatin1String(entry.key)) {
            // A failing command ends the click; the window stays usable.
            skipOnFailure(entry.key, [this, &entry] { (this->*entry.command)(); });
            return;
        }
    }
}

bool frmMain::fileReadyOrRefuse(const char* messageKey)
{
    if (gFileReady)
        return true;
    showMessage(this, catText(messageKey), MsgButtons::Ok, MsgIcon::Information, windowTitle());
    return false;
}

void frmMain::mnuFileNew_Click()
{
    runFileNew();
}

void frmMain::mnuFileOpen_Click()
{
    runFileOpen();
}

void frmMain::mnuFileSave_Click()
{
    runFileSave();
}

void frmMain::mnuFileClose_Click()
{
    runFileClose();
}

void frmMain::mnuFileExportCsv_Click()
{
    if (fileReadyOrRefuse("frmMain.msgNotReadyExportCsv"))
        runExportCsv();
}

QPrinter* frmMain::chosenPrinter()
{
    return &::chosenPrinter();
}

void frmMain::mnuFilePrintSetup_Click()
{
    QPrinter* printer = chosenPrinter();
    DialogTitleWhileOpen title(catText("frmMain.dlgPrinterSetup"));
    // Cancelling, or any failure, ends the command silently.
    skipOnFailure("printer set-up", [this, printer] { seams().printerSetupDialog(this, printer); });
}

// The print preview items sit in a hidden menu; they keep their refusals.
void frmMain::mnuFilePrintPreviewList_Click()
{
    fileReadyOrRefuse("frmMain.msgNotReadyPreviewList");
}

void frmMain::mnuFilePrintPreviewWave_Click()
{
    fileReadyOrRefuse("frmMain.msgNotReadyPreviewWave");
}

void frmMain::mnuFilePrintPreviewBar_Click()
{
    fileReadyOrRefuse("frmMain.msgNotReadyPreviewBar");
}

void frmMain::mnuFilePrintPreviewStatistic_Click()
{
    fileReadyOrRefuse("frmMain.msgNotReadyPreviewStatistic");
}

void frmMain::mnuFilePrintList_Click()
{
    if (!fileReadyOrRefuse("frmMain.msgNotReadyPrintList"))
        return;
    // A new cursor re-opens the file; when it cannot, it has said why.
    PrimaryCLS = std::make_shared<clsbpdata>();
    if (PrimaryCLS->isOpen())
        showListReport(PrimaryCLS.get());
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::mnuDataReadWave_Click()
{
    showWaveformWindow();
}

void frmMain::mnuDataRead_Click()
{
    if (!gFileReady) {
        showMessage(this, catText("frmMain.msgNotReadyRead"), MsgButtons::Ok, MsgIcon::Information,
                    windowTitle());
        // New opens the reading window itself when it creates a file.
        mnuFileNew_Click();
        return;
    }
    showReadWindow();
}

void frmMain::mnuDataEdit_Click()
{
    if (fileReadyOrRefuse("frmMain.msgNotReadyEdit"))
        showRecordEditor();
}

void frmMain::mnuDataTable_Click()
{
    if (fileReadyOrRefuse("frmMain.msgNotReadyTable"))
        showListWindow();
}

void frmMain::mnuDataList_Click()
{
    // With a file there is no window behind this command.
    fileReadyOrRefuse("frmMain.msgNotReadyList");
}

void frmMain::mnuDataWave_Click()
{
    if (fileReadyOrRefuse("frmMain.msgNotReadyWave"))
        showTrendChart();
}

void frmMain::mnuDataBar_Click()
{
    if (fileReadyOrRefuse("frmMain.msgNotReadyBar"))
        showBarChart();
}

void frmMain::mnuDataAbpm_Click()
{
    if (fileReadyOrRefuse("frmMain.msgNotReadyAbpm"))
        showAbpmSummary();
}

void frmMain::mnuDataDetails_Click()
{
    if (fileReadyOrRefuse("frmMain.msgNotReadyDetails"))
        showRecordingDetails();
}

void frmMain::mnuDataStatistic_Click()
{
    // With a file there is no window behind this command.
    fileReadyOrRefuse("frmMain.msgNotReadyStatistic");
}

void frmMain::mnuSetComm_Click()
{
    showCommSettings();
}

void frmMain::mnuViewToolbar_Click()
{
    QAction* item = menuItem(QStringLiteral("mnuViewToolbar"));
    item->setChecked(!item->isChecked());
    tbToolBar()->setVisible(item->isChecked());
}

void frmMain::mnuViewStatusBar_Click()
{
    QAction* item = menuItem(QStringLiteral("mnuViewStatusBar"));
    item->setChecked(!item->isChecked());
    statusBar()->setVisible(item->isChecked());
}

void frmMain::mnuHelpContents_Click()
{
    showHelpContents();
}

void frmMain::mnuHelpDemo_Click()
{
    showQuickUse();
}

void frmMain::mnuHelpAbout_Click()
{
    showAbout();
}

void frmMain::mnuCompanyIntro_Click()
{
    showCompanyIntro();
}

void frmMain::mnuCompanyInfo_Click()
{
    showCompanyInfo();
}
