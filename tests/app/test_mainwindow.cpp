// The main window: menu tree, toolbar, status panels, readiness rule,
// toolbar dispatch, view toggles, printer setup and the unload step.
#include "AppTestSupport.h"

#include "data/AmbSchema.h"
#include "platform/Recordset.h"
#include "support/ScriptedSeams.h"
#include "views/ChartWindows.h"
#include "views/CommWindows.h"
#include "views/frmComm.h"
#include "views/frmRead.h"
#include "views/frmReadwave.h"
#include "platform/SerialSettings.h"
#include "tools/recorder/PtyEndpoint.h"
#include "views/DataWindows.h"
#include "views/frmList.h"
#include "views/frmBar.h"
#include "views/frmWave.h"
#include "views/frmbpdata.h"
#include "views/frmRecordings.h"
#include "data/AbpmRecording.h"
#include "data/DataTestSupport.h"
#include "print/RecordingsComparison.h"
#include "platform/SettingsStore.h"

#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

using namespace apptest;

namespace {

struct ExpectedItem {
    const char* name;
    const char* english;
    const char* german;
    const char* shortcut;
    bool visible;
    bool enabled;
};

// Separators carry no caption (nullptr).
const ExpectedItem kExpectedMenus[] = {
    {"mnuCompany", "&Company", "&Company", "", false, true},
    {"mnuCompanyIntro", "&Introduction", "&Introduction", "", true, true},
    {"mnuCompanyWill", "&Aspiration", "&Aspiration", "", true, true},
    {"mnuCompanyInfo", "Infor&mation", "Infor&mation", "", true, true},
    {"mnuCompanySoft", "&AMBP", "&AMBP", "", true, true},
    {"mnuFile", "&File", "Da&tei", "", true, true},
    {"mnuFileNew", "&New file", "&Neu", "Ctrl+N", true, true},
    {"mnuFileOpen", "&Open file...", "&Öffnen...", "", true, true},
    {"mnuFileBar0", nullptr, nullptr, "", true, true},
    {"mnuFileSave", "&Save file...", "&Speichern...", "", true, true},
    {"mnuFileClose", "&Close file", "S&chließen", "", true, true},
    {"mnuFileExportCsv", "Export CS&V...", "CSV e&xportieren...", "", true, true},
    {"mnuFileBar1", nullptr, nullptr, "", true, true},
    {"mnuFilePrintSetup", "&Printer setup...", "&Drucker einrichten...", "", true, true},
    {"mnuFilePrintPreview", "&Print preview", "&Print preview", "", false, true},
    {"mnuFilePrintPreviewList", "&List ", "&List ", "", true, true},
    {"mnuFilePrintPreviewWave", "&Waveform", "&Waveform", "", true, true},
    {"mnuFilePrintPreviewBar", "&Bar chart", "&Bar chart", "", true, true},
    {"mnuFilePrintPreviewStatistic", "&Statistic", "&Statistic", "", true, true},
    {"mnuFilePrint", "&Print", "&Print", "", false, true},
    {"mnuFilePrintList", "&List", "&List", "", true, true},
    {"mnuFilePrintWave", "&Graphic trend ", "&Graphic trend ", "", true, true},
    {"mnuFilePrintBar", "&Bar chart", "&Bar chart", "", true, true},
    {"mnuFilePrintStatistic", "&Statistic", "&Statistic", "", true, true},
    {"mnuFileBar2", nullptr, nullptr, "", true, true},
    {"mnuFileExit", "&Exit", "&Beenden", "Ctrl+Q", true, true},
    {"mnuData", "&Data", "&Daten", "", true, true},
    {"mnuDataReadWave", "ECG &Wave", "&EKG-Welle", "", true, false},
    {"mnuDataRead", "&Read data ", "&Daten lesen ", "", true, true},
    {"mnuDataEdit", "&Edit data", "Daten &bearbeiten", "", true, false},
    {"mnuDataBar0", nullptr, nullptr, "", true, true},
    {"mnuDataTable", "&Table list data", "Daten&tabelle", "", true, true},
    {"mnuDataList", "&List data", "&List data", "", false, true},
    {"mnuDataWave", "&Graphic trend data", "T&rendgrafik", "", true, true},
    {"mnuDataBar", "&Bar chart data", "B&alkendiagramm", "", true, true},
    {"mnuDataAbpm", "&ABPM Summary...", "ABDM-Aus&wertung...", "", true, true},
    {"mnuDataStatistic", "&Statistic data", "&Statistic data", "", false, true},
    {"mnuSetBar0", nullptr, nullptr, "", true, true},
    {"mnuSetComm", "&Communication", "&Übertragungseinstellungen", "", true, true},
    {"mnuSet", "&Password", "&Paßwort", "", true, true},
    {"mnuPassChange", "&Change", "&Ändern ", "", true, true},
    {"mnuSetLogin", "Change &Login password", "&Login-Paßwort ändern", "", true, true},
    {"mnuSetEdp", "Change &Edit password ", "&Bearbeiten-Paßwort ändern ", "", true, true},
    {"mnuSetBar1", nullptr, nullptr, "", true, false},
    {"mnuPassEnable", "&Enable", "&Aktivieren", "", true, true},
    {"mnuSettingSecurityLogin", "&Login requirement", "&Login-Anfrage", "", true, true},
    {"mnuSettingSecurityEdit", "&Edit requirement", "&Anfrage bearbeiten", "", true, true},
    {"mnuView", "&View", "&Ansicht", "", true, true},
    {"mnuViewToolbar", "&Tool bar", "&Symbolleiste", "", true, true},
    {"mnuViewStatusBar", "&Status bar", "S&tatusleiste", "", true, true},
    {"mnuHelp", "&Help", "&Hilfe", "", true, true},
    {"mnuHelpContents", "&Contents", "&Inhalt", "", false, true},
    {"mnuHelpDemo", "&Quick Use...", "&Kurzanleitung...", "", true, true},
    {"mnuHelpBar0", nullptr, nullptr, "", true, true},
    {"mnuHelpAbout", "&About", "&Über", "", true, true},
};

struct ExpectedButton {
    const char* key; // "" for a separator
    const char* english;
    const char* german;
};

const ExpectedButton kExpectedButtons[] = {
    {"New", "New File", "Neu"},
    {"Open", "Open File", "Öffnen"},
    {"Save", "Save File", "Speichern"},
    {"", nullptr, nullptr},
    {"Print", "Printer Setup", "Drucker einrichten"},
    {"PrintList", "Print List Data ", "Daten Drucken"},
    {"", nullptr, nullptr},
    {"Read", "Read BP Data", "Daten lesen"},
    {"Table", "Data List Table", "Datentabelle"},
    {"Edit", "Data Editor", "Daten Bearbeiten"},
    {"", nullptr, nullptr},
    {"List", "List Data", "List Data"},
    {"Waveform", "Graphic Trend Data", "Trendgrafik"},
    {"Bar", "Bar Chart Data", "Balkendiagramm"},
    {"Statistic", "Statistic BP Data", "Statistic BP Data"},
    {"", nullptr, nullptr},
    {"Help", "Help Contents", "Help Contents"},
    {"", nullptr, nullptr},
};

QToolButton* toolButton(frmMain& window, const QString& key)
{
    return qobject_cast<QToolButton*>(window.tbToolBar()->widgetForAction(window.toolbarButtonByKey(key)));
}

struct Refusal {
    const char* command;   // menu item or toolbar key
    bool viaToolbar;
    const char* english;
};

const Refusal kRefusals[] = {
    {"mnuDataEdit", false, "Can not Edit Data ! , File Not Ready !"},
    {"mnuDataTable", false, "Can not Open Data Table ! , File Not Ready !"},
    {"mnuDataWave", false, "Can not Open Graphic trend data ! , File Not Ready !"},
    {"mnuDataBar", false, "Can not Open Data Bar Chart ! , File Not Ready !"},
    {"mnuDataList", false, "Can not Open Data List ! , File Not Ready !"},
    {"mnuDataStatistic", false, "Can not Open Data Statistic ! , File Not Ready !"},
    {"mnuFilePrintList", false, "Print Data List Report Failure ! , File Not Ready !"},
    {"mnuFileSave", false, "Save File Failure ! , File Not Ready !"},
    {"mnuFilePrintPreviewList", false, "Print Preview Data List Failure ! , File Not Ready !"},
    {"mnuFilePrintPreviewWave", false, "Print Preview Graphic trend data Failure ! , File Not Ready !"},
    {"mnuFilePrintPreviewBar", false, "Print Preview Data Bar Chart Failure ! , File Not Ready !"},
    {"mnuFilePrintPreviewStatistic", false, "Print Preview Data Statistic Failure ! , File Not Ready !"},
    {"mnuDataAbpm", false, "Can not Open ABPM Summary ! , File Not Ready !"},
    {"mnuFileExportCsv", false, "Export CSV Failure ! , File Not Ready !"},
    {"Edit", true, "Can not Edit Data ! , File Not Ready !"},
    {"Table", true, "Can not Open Data Table ! , File Not Ready !"},
    {"Waveform", true, "Can not Open Graphic trend data ! , File Not Ready !"},
    {"Bar", true, "Can not Open Data Bar Chart ! , File Not Ready !"},
    {"List", true, "Can not Open Data List ! , File Not Ready !"},
    {"Statistic", true, "Can not Open Data Statistic ! , File Not Ready !"},
    {"PrintList", true, "Print Data List Report Failure ! , File Not Ready !"},
    {"Save", true, "Save File Failure ! , File Not Ready !"},
};

// A window that records when it is asked to close.
class RecordingWindow : public QWidget {
public:
    RecordingWindow(QString name, QStringList* log)
        : m_name(std::move(name)), m_log(log)
    {
        setAttribute(Qt::WA_DeleteOnClose);
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        *m_log << m_name + (gFileReady ? QStringLiteral(" (file open)") : QString());
        QWidget::closeEvent(event);
    }

private:
    QString m_name;
    QStringList* m_log;
};

// Printer dialog seams that look at the setup dialog as it would be shown,
// and at a dialog it opens (its printer's properties).
class PrinterTitleSeams final : public Seams {
public:
    QString shownTitle;
    QString propertiesTitle;
    int printerDialogs = 0;
    int printerSetupDialogs = 0;
    MsgAnswer message(QWidget*, const QString&, MsgButtons, MsgIcon, const QString&) override { return MsgAnswer::Ok; }
    QString fileDialog(QWidget*, const FileDialogRequest&) override { return {}; }
    int execModal(QDialog* d) override { d->reject(); return QDialog::Rejected; }
    bool printerDialog(QWidget*, QPrinter*) override
    {
        ++printerDialogs;
        return false;
    }
    bool printerSetupDialog(QWidget* parent, QPrinter*) override
    {
        ++printerSetupDialogs;
        QDialog dialog(parent);
        dialog.setWindowTitle(QStringLiteral("Setup"));
        dialog.show();
        shownTitle = dialog.windowTitle();
        QDialog properties(&dialog);
        properties.setWindowTitle(QStringLiteral("Properties"));
        properties.show();
        propertiesTitle = properties.windowTitle();
        return false;
    }
    void beep() override {}
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

// File dialogs fail with an exception; messages are counted.
class ThrowingDialogSeams final : public Seams {
public:
    int messages = 0;
    MsgAnswer message(QWidget*, const QString&, MsgButtons, MsgIcon, const QString&) override
    {
        ++messages;
        return MsgAnswer::Ok;
    }
    QString fileDialog(QWidget*, const FileDialogRequest&) override { throw std::runtime_error("dialog failed"); }
    int execModal(QDialog* d) override { d->reject(); return QDialog::Rejected; }
    bool printerDialog(QWidget*, QPrinter*) override { throw std::runtime_error("no printer"); }
    void beep() override {}
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        clearSettingsStore();
        gCommSet = QStringLiteral("9600,n,8,1");
        gCommPort = QStringLiteral("COM1");
        gLoginRequired = true;
    }
    void cleanup() { tearDownShell(); }

    void everyMenuItemHasItsCaptionShortcutAndState()
    {
        frmMain window;
        for (const ExpectedItem& item : kExpectedMenus) {
            QAction* action = window.menuItem(QString::fromLatin1(item.name));
            QVERIFY2(action, item.name);
            if (item.english)
                QCOMPARE(action->text(), ed(item.english, item.german));
            else
                QVERIFY2(action->isSeparator(), item.name);
            QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
            QVERIFY2(action->isVisible() == item.visible, item.name);
            // A hidden item can never be chosen anyway.
            if (item.visible)
                QVERIFY2(action->isEnabled() == item.enabled, item.name);
        }
    }

    void menusHoldTheirItemsInOrder()
    {
        frmMain window;
        auto names = [&](const char* menuName) {
            QStringList list;
            for (QAction* a : window.menu(QString::fromLatin1(menuName))->actions())
                list << a->objectName();
            return list.join(QLatin1Char(' '));
        };
        QStringList bar;
        for (QAction* a : window.menuBar()->actions())
            bar << a->objectName();
        QCOMPARE(bar.join(' '), QStringLiteral("mnuCompany mnuFile mnuData mnuSet mnuView mnuHelp"));
        QCOMPARE(names("mnuFile"), QStringLiteral("mnuFileNew mnuFileOpen mnuFileBar0 mnuFileSave mnuFileClose "
                                                   "mnuFileExportCsv mnuFileExportFhir mnuFileAbpmReport mnuFileSendGdt mnuFileRecordings mnuFileBar1 mnuFilePrintSetup mnuFilePrintPreview mnuFilePrint "
                                                   "mnuFileBar2 mnuFileExit"));
        QCOMPARE(names("mnuData"), QStringLiteral("mnuDataReadWave mnuDataRead mnuDataEdit mnuDataBar0 mnuDataTable "
                                                   "mnuDataList mnuDataWave mnuDataBar mnuDataAbpm mnuDataDetails mnuDataStatistic "
                                                   "mnuSetBar0 "
                                                   "mnuSetComm mnuSetGdt"));
        QCOMPARE(names("mnuSet"), QStringLiteral("mnuPassChange mnuSetBar1 mnuPassEnable"));
        QCOMPARE(names("mnuPassChange"), QStringLiteral("mnuSetLogin mnuSetEdp"));
        QCOMPARE(names("mnuPassEnable"), QStringLiteral("mnuSettingSecurityLogin mnuSettingSecurityEdit"));
        QCOMPARE(names("mnuView"), QStringLiteral("mnuViewToolbar mnuViewStatusBar"));
        QCOMPARE(names("mnuHelp"), QStringLiteral("mnuHelpContents mnuHelpDemo mnuHelpBar0 mnuHelpAbout"));
        QCOMPARE(names("mnuCompany"), QStringLiteral("mnuCompanyIntro mnuCompanyWill mnuCompanyInfo mnuCompanySoft"));
        QCOMPARE(names("mnuFilePrint"), QStringLiteral("mnuFilePrintList mnuFilePrintWave mnuFilePrintBar "
                                                        "mnuFilePrintStatistic"));
    }

    void recordingsHasAnAccessKeyOfItsOwnAndOneWindow()
    {
        frmMain window;
        gMainWindow = &window;
        QStringList keys;
        for (QAction* a : window.menu(QStringLiteral("mnuFile"))->actions()) {
            const qsizetype amp = a->text().indexOf(u'&');
            if (a->isVisible() && !a->isSeparator() && amp >= 0)
                keys << a->text().mid(amp + 1, 1).toLower();
        }
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
        QVERIFY(keys.contains(german() ? QStringLiteral("a") : QStringLiteral("r")));

        QTemporaryDir folder;
        writeSetting(kAppTitle, "Folders", "DataFiles", folder.path());
        window.mnuFileRecordings_Click();
        auto* shown = window.findChild<frmRecordings*>();
        QVERIFY(shown && shown->isVisible());
        QVERIFY(!shown->isModal());
        window.mnuFileRecordings_Click();
        QCOMPARE(window.findChildren<frmRecordings*>().size(), 1);
        QCOMPARE(QDir::fromNativeSeparators(shown->txtFolder->text()), QDir(folder.path()).absolutePath());
        shown->close();
        gMainWindow = nullptr;
    }

    // Compare... reads the chosen files afresh: one that cannot be read is
    // named and no page opens; readable ones open the comparison page.
    void compareShowsTheChosenRecordingsAndNamesAnUnreadableOne()
    {
        frmMain window;
        gMainWindow = &window;
        ScriptedSeams seams;
        QTemporaryDir folder;
        writeSetting(kAppTitle, "Folders", "DataFiles", folder.path());
        const EditionId edition = Edition::current().id();
        abpmtest::Plan later;
        later.start = later.start.addDays(90);
        later.daySys = 128;
        const QString first = makeDataFile(folder.filePath("first.amb"), edition);
        const QString second = makeDataFile(folder.filePath("second.amb"), edition);
        insertRows(first, edition, abpmtest::generate(abpmtest::Plan()).rows);
        insertRows(second, edition, abpmtest::generate(later).rows);
        window.mnuFileRecordings_Click();
        auto* shown = window.findChild<frmRecordings*>();
        QVERIFY(shown);

        const QString missing = folder.filePath("gone.amb");
        emit shown->compareRequested({first, missing});
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY2(seams.messageTexts().constFirst().contains(QDir::toNativeSeparators(missing)),
                 qPrintable(seams.messageTexts().join('\n')));
        QVERIFY(window.findChildren<RecordingsComparison*>().isEmpty());

        emit shown->compareRequested({first, second});
        QCOMPARE(seams.messages.size(), size_t(1));
        const QList<RecordingsComparison*> pages = window.findChildren<RecordingsComparison*>();
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages.constFirst()->comparison().newest().dataFile, second);
        for (RecordingsComparison* page : pages)
            page->close();
        shown->close();
        gMainWindow = nullptr;
    }

    void toolbarHasTheButtonsOfTheEdition()
    {
        frmMain window;
        std::vector<ExpectedButton> expected(std::begin(kExpectedButtons), std::end(kExpectedButtons));
        if (german()) {
            expected.push_back({"ECG", nullptr, "EKG-Welle lesen"});
            expected.push_back({"", nullptr, nullptr});
        }
        expected.push_back({"Exit", "Exit Program", "Beenden"});
        QCOMPARE(window.toolbarButtonCount(), german() ? 21 : 19);
        QCOMPARE(int(expected.size()), window.toolbarButtonCount());
        for (int n = 1; n <= window.toolbarButtonCount(); ++n) {
            QAction* button = window.toolbarButton(n);
            const ExpectedButton& e = expected[size_t(n - 1)];
            QCOMPARE(frmMain::buttonKey(button), QString::fromLatin1(e.key));
            if (!*e.key) {
                QVERIFY(button->isSeparator());
                continue;
            }
            const QString tip = ed(e.english ? e.english : "", e.german);
            QCOMPARE(button->toolTip(), tip);
            QVERIFY(!button->icon().isNull());
            // Picture-only: the name comes from setAccessibleName.
            QWidget* widget = window.tbToolBar()->widgetForAction(button);
            QCOMPARE(widget->accessibleName(), tip);
        }
        QCOMPARE(frmMain::buttonKey(window.toolbarButton(10)), QStringLiteral("Edit"));
    }

    void everyRefusalShowsItsTextTitledWithTheCaption()
    {
        frmMain window;
        window.show();
        // Edit is unavailable until editing is allowed; its refusal still applies.
        gEditEnabled = true;
        window.menuItem("mnuDataEdit")->setEnabled(true);
        window.toolbarButton(10)->setEnabled(true);
        for (const Refusal& r : kRefusals) {
            ScriptedSeams seams;
            if (r.viaToolbar)
                toolButton(window, QString::fromLatin1(r.command))->click();
            else
                window.menuItem(QString::fromLatin1(r.command))->trigger();
            QCOMPARE(seams.messages.size(), size_t(1));
            const ShownMessage& shown = seams.messages.front();
            QCOMPARE(shown.text, ed(r.english, "Wird das Öffnen Datei !"));
            QCOMPARE(shown.title, ed("KORVANE (Blood Pressure Data Check) ", "KORVANE (Blutdruckdaten Auswertung) "));
            QCOMPARE(int(shown.icon), int(MsgIcon::Information));
            QCOMPARE(int(shown.buttons), int(MsgButtons::Ok));
        }
    }

    void readDataWithoutAFileRefusesThenStartsNew()
    {
        frmMain window;
        window.show();
        ScriptedSeams seams;
        size_t dialogsWhenRefused = 99;
        seams.onMessage = [&](const ShownMessage&) { dialogsWhenRefused = seams.fileRequests.size(); };
        toolButton(window, QStringLiteral("Read"))->click();
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.messages.front().text,
                 ed("Must Open or New File to Read BP Data ! , File Not Ready !", "Wird das Öffnen Datei !"));
        QCOMPARE(seams.messages.front().title, window.windowTitle());
        // The refusal comes first, then New asks for a file name.
        QCOMPARE(dialogsWhenRefused, size_t(0));
        QCOMPARE(seams.fileRequests.size(), size_t(1));
        QCOMPARE(seams.fileRequests.front().title, ed("New File", "Neu"));
        // Cancelling New's dialog leaves the state as it was.
        QVERIFY(!gFileReady);
        QVERIFY(gDataFile.isEmpty());
        QCOMPARE(window.statusPanel(1)->text(), ed("File: ", "Datai: "));
    }

    void fileCommandsAreReachedFromMenuAndToolbar()
    {
        frmMain window;
        window.show();
        ScriptedSeams seams;
        window.menuItem("mnuFileNew")->trigger();
        toolButton(window, QStringLiteral("New"))->click();
        window.menuItem("mnuFileOpen")->trigger();
        toolButton(window, QStringLiteral("Open"))->click();
        QCOMPARE(seams.fileRequests.size(), size_t(4));
        QCOMPARE(seams.fileRequests[1].title, ed("New File", "Neu"));
        QCOMPARE(seams.fileRequests[3].title, ed("Open File", "Öffnen"));
        QCOMPARE(seams.messages.size(), size_t(0));
        // Ctrl+N is New.
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(seams.fileRequests.size(), size_t(5));
        QCOMPARE(seams.fileRequests[4].title, ed("New File", "Neu"));

        // Close resets the panels even without a file.
        MainStatusPanels::instance().setRecordCount(3);
        window.menuItem("mnuFileClose")->trigger();
        QCOMPARE(window.statusPanel(1)->text(), ed("File: ", "Datei: "));
        QCOMPARE(window.statusPanel(2)->text(), QString());
    }

    void listAndStatisticDoNothingWithAFile()
    {
        frmMain window;
        window.show();
        gFileReady = true;
        ScriptedSeams seams;
        const int windowsBefore = QApplication::topLevelWidgets().size();
        toolButton(window, QStringLiteral("List"))->click();
        toolButton(window, QStringLiteral("Statistic"))->click();
        QCOMPARE(seams.messages.size(), size_t(0));
        QCOMPARE(seams.modalCount, 0);
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
        gFileReady = false;
    }

    void dispatchComparesKeysExactly()
    {
        frmMain window;
        ScriptedSeams seams;
        QAction lowerCase(QStringLiteral("x"));
        lowerCase.setData(QStringLiteral("list"));
        window.tbToolBar_ButtonClick(&lowerCase);
        QAction blank(QStringLiteral("y"));
        window.tbToolBar_ButtonClick(&blank);
        window.tbToolBar_ButtonClick(nullptr);
        QCOMPARE(seams.messages.size(), size_t(0));
        QAction list(QStringLiteral("z"));
        list.setData(QStringLiteral("List"));
        window.tbToolBar_ButtonClick(&list);
        QCOMPARE(seams.messages.size(), size_t(1));
        // The English edition has no ECG button; the key still reaches the
        // waveform window, and asks nothing first.
        QAction ecg(QStringLiteral("e"));
        ecg.setData(QStringLiteral("ECG"));
        window.tbToolBar_ButtonClick(&ecg);
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY(CommWindows::waveWindow());
        CommWindows::waveWindow()->close();
    }

    void aFailingToolbarCommandEndsTheClickOnly()
    {
        frmMain window;
        window.show();
        ThrowingDialogSeams seams;
        installSeams(&seams);
        toolButton(window, QStringLiteral("New"))->click();
        toolButton(window, QStringLiteral("Open"))->click();
        toolButton(window, QStringLiteral("Print"))->click();
        // The window is still usable.
        toolButton(window, QStringLiteral("List"))->click();
        installSeams(nullptr);
        QCOMPARE(seams.messages, 1);
        QVERIFY(window.isVisible());
    }

    void exitFromTheToolbarClosesTheWindow()
    {
        auto* window = new frmMain;
        gMainWindow = window;
        window->show();
        toolButton(*window, QStringLiteral("Exit"))->click();
        QVERIFY(!window->isVisible());
        QVERIFY(setting("MainWidth") != QStringLiteral("<absent>"));
        delete window;
        gMainWindow = nullptr;

        // Ctrl+Q is Exit.
        window = new frmMain;
        gMainWindow = window;
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!window->isVisible());
    }

    void viewTogglesHideAndRestoreTheBars()
    {
        frmMain window;
        window.show();
        QAction* toolbarItem = window.menuItem("mnuViewToolbar");
        QAction* statusItem = window.menuItem("mnuViewStatusBar");
        QVERIFY(toolbarItem->isChecked() && statusItem->isChecked());
        QVERIFY(window.tbToolBar()->isVisible() && window.statusBar()->isVisible());

        toolbarItem->trigger();
        QVERIFY(!toolbarItem->isChecked());
        QVERIFY(!window.tbToolBar()->isVisible());
        statusItem->trigger();
        QVERIFY(!statusItem->isChecked());
        QVERIFY(!window.statusBar()->isVisible());

        // Editing allowed while the toolbar is hidden: button 10 follows.
        setSetting("EDIT", QStringLiteral("YES"));
        ScriptedSeams seams;
        seams.modalHandler = [](QDialog* d) { return typeAndPressOk(d, QStringLiteral("kvtq2")); };
        window.menuItem("mnuSettingSecurityEdit")->trigger();
        toolbarItem->trigger();
        statusItem->trigger();
        QVERIFY(toolbarItem->isChecked() && statusItem->isChecked());
        QVERIFY(window.tbToolBar()->isVisible() && window.statusBar()->isVisible());
        QCOMPARE(window.toolbarButtonCount(), german() ? 21 : 19);
        QCOMPARE(window.toolbarButton(10)->isEnabled(), gEditEnabled);
        QCOMPARE(toolButton(window, QStringLiteral("Edit"))->isEnabled(), gEditEnabled);
        // Neither toggle is stored.
        QCOMPARE(setting("MainLeft"), QStringLiteral("<absent>"));
    }

    void statusPanelsMirrorTheSharedTextsAndStartWithTheirDesign()
    {
        frmMain window;
        QCOMPARE(window.statusPanel(1)->text(), ed("File: ", "Datai: "));
        QCOMPARE(window.statusPanel(2)->text(), QString());
        QCOMPARE(window.statusPanel(3)->text(), ed("Communication:", "Übertragungseinstellungen:"));
        MainStatusPanels::instance().setFile(QStringLiteral("/tmp/a.amb"));
        QCOMPARE(window.statusPanel(1)->text(), ed("File: /tmp/a.amb", "Datei: /tmp/a.amb"));
        MainStatusPanels::instance().setRecordCount(40000);
        QCOMPARE(window.statusPanel(2)->text(), ed(" 40000 Records", " 40000 Protokolle"));
        gCommSet = QStringLiteral("4800,o,7,1");
        gCommPort = QStringLiteral("COM2");
        window.show();
        QCOMPARE(window.statusPanel(4)->text(), QStringLiteral("4800,o,7,1,COM2"));
        // A change made elsewhere shows when the window is activated again.
        gCommPort = QStringLiteral("COM5");
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&window, &activate);
        QCOMPARE(window.statusPanel(4)->text(), QStringLiteral("4800,o,7,1,COM5"));
    }

    void dateAndTimePanelsFollowTheClock()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 4), QTime(5, 6));
        frmMain window;
        const QLocale locale;
        QCOMPARE(window.statusPanel(5)->text(), locale.toString(QDate(2026, 3, 4), QLocale::ShortFormat));
        // Hours and minutes, without seconds, in the locale's order.
        const QString time = window.statusPanel(6)->text();
        QVERIFY2(time.contains(QLatin1String("5")) && time.contains(QLatin1String("06")), qPrintable(time));
        QVERIFY2(!time.contains(QLatin1String("06:00")), qPrintable(time));
        seams.clock = QDateTime(QDate(2026, 3, 5), QTime(23, 59));
        QTRY_VERIFY_WITH_TIMEOUT(window.statusPanel(6)->text().contains(QLatin1String("59")), 2500);
        QCOMPARE(window.statusPanel(5)->text(), locale.toString(QDate(2026, 3, 5), QLocale::ShortFormat));
    }

    void unloadClosesOtherWindowsNewestFirstThenTheFileThenWritesGeometry()
    {
        QStringList closed;
        auto* window = new frmMain;
        gMainWindow = window;
        window->show();
        auto* first = new RecordingWindow(QStringLiteral("first"), &closed);
        auto* second = new RecordingWindow(QStringLiteral("second"), &closed);
        auto* third = new RecordingWindow(QStringLiteral("third"), &closed);
        first->show();
        second->show();
        third->show();
        // Showing again brings a window to the front; it keeps its place as
        // the window loaded most recently only when it was loaded again.
        third->hide();
        third->show();
        gFileReady = true;
        gRecordset = nullptr;
        window->close();
        QCOMPARE(closed, QStringList({"third (file open)", "second (file open)", "first (file open)"}));
        QVERIFY(setting("MainTop") != QStringLiteral("<absent>"));
        QVERIFY(!gRecordset && !gConnection);
    }

    void tableAndEditOpenTheirWindowsWhichCloseBeforeTheFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("patient.amb"));
        QVERIFY(AmbSchema::createDataFile(path, Edition::current().id()));
        setSetting("EDIT", QStringLiteral("YES"));
        auto* window = new frmMain;
        gMainWindow = window;
        window->show();
        gDataFile = path;
        gFileReady = true;
        ScriptedSeams seams;

        toolButton(*window, QStringLiteral("Table"))->click();
        QPointer<QWidget> list = DataWindows::listWindow();
        QVERIFY(list && list->isVisible());
        window->menuItem("mnuDataEdit")->trigger();
        QPointer<QWidget> editor = DataWindows::editorWindow();
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(seams.messages.size(), size_t(0));

        const std::shared_ptr<Recordset> records = gRecordset;
        QVERIFY(records && records->isOpen());
        QStringList closing;
        struct Watch : QObject {
            QStringList* log;
            std::shared_ptr<Recordset> rs;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                if (e->type() == QEvent::Close)
                    *log << o->objectName() + (rs->isOpen() ? QStringLiteral(" open") : QStringLiteral(" closed"));
                return false;
            }
        } watch;
        watch.log = &closing;
        watch.rs = records;
        list->setObjectName(QStringLiteral("list"));
        editor->setObjectName(QStringLiteral("editor"));
        list->installEventFilter(&watch);
        editor->installEventFilter(&watch);

        window->close();
        QCOMPARE(closing, QStringList({"editor open", "list open"}));
        QVERIFY(!records->isOpen());
        QVERIFY(setting("MainWidth") != QStringLiteral("<absent>"));
    }

    void readingAndSerialSettingsWindowsOpenAndCloseWithTheMainWindow()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("reading.amb"));
        QVERIFY(AmbSchema::createDataFile(path, Edition::current().id()));
        auto* window = new frmMain;
        gMainWindow = window;
        window->show();
        gDataFile = path;
        gFileReady = true;
        ScriptedSeams seams;

        // Serial settings need no file.
        window->menuItem("mnuSetComm")->trigger();
        QPointer<QWidget> comm = CommWindows::commWindow();
        QVERIFY(comm && comm->isVisible());
        toolButton(*window, QStringLiteral("Read"))->click();
        QPointer<QWidget> reading = CommWindows::readWindow();
        QVERIFY(reading && reading->isVisible());
        QVERIFY(seams.fileRequests.empty());

        window->close();
        QVERIFY(!comm || !comm->isVisible());
        QVERIFY(!reading || !reading->isVisible());
    }

    // The German toolbar button and the ECG command open the waveform
    // window, not modal, without a data file; the English edition has
    // neither the button nor a usable menu item.
    void theEcgCommandOpensTheWaveformWindowWithoutAFile()
    {
        PtyEndpoint recorder;
        QVERIFY(recorder.open());
        QVERIFY(writeSetting(QStringLiteral("KORVANE"), QString::fromLatin1(kPortsSection), QStringLiteral("COM1"),
                             recorder.devicePath()));
        auto* window = new frmMain;
        gMainWindow = window;
        window->show();
        ScriptedSeams seams;
        QVERIFY(!gFileReady);
        QVERIFY(!window->menuItem("mnuDataReadWave")->isEnabled());
        if (german())
            toolButton(*window, QStringLiteral("ECG"))->click();
        else
            window->mnuDataReadWave_Click();
        QPointer<frmReadwave> wave = CommWindows::waveWindow();
        QVERIFY(wave && wave->isVisible());
        QVERIFY(!wave->isModal());
        QVERIFY(QTest::qWaitForWindowActive(wave));
        QTRY_VERIFY(recorder.peerIsOpen());
        QVERIFY(seams.messages.empty());
        window->mnuDataReadWave_Click();
        QCOMPARE(CommWindows::waveWindow(), wave.data());

        window->close();
        QTRY_VERIFY(!wave);
        QTRY_VERIFY(!recorder.peerIsOpen());
    }

    void chartCommandsAndListButtonsOpenOneChartEachNotModal()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("charts.amb"));
        QVERIFY(AmbSchema::createDataFile(path, Edition::current().id()));
        auto* window = new frmMain;
        gMainWindow = window;
        window->show();
        gDataFile = path;
        gFileReady = true;
        ScriptedSeams seams;
        toolButton(*window, QStringLiteral("Table"))->click();
        frmList* list = DataWindows::listWindow();
        QVERIFY(list);

        window->menuItem("mnuDataBar")->trigger();
        QPointer<frmBar> bar = ChartWindows::barChart();
        QVERIFY(bar && bar->isVisible() && !bar->isModal());
        toolButton(*window, QStringLiteral("Bar"))->click();
        list->cmdbar_Click();
        QCOMPARE(ChartWindows::barChart(), bar.data());

        toolButton(*window, QStringLiteral("Waveform"))->click();
        QPointer<frmWave> wave = ChartWindows::trendChart();
        QVERIFY(wave && wave->isVisible() && !wave->isModal());
        window->menuItem("mnuDataWave")->trigger();
        list->cmdSort_Click();
        QCOMPARE(ChartWindows::trendChart(), wave.data());
        QVERIFY(list->isVisible()); // both open without closing the list
        QCOMPARE(seams.messages.size(), size_t(0));

        window->close();
        QVERIFY(!bar || !bar->isVisible());
        QVERIFY(!wave || !wave->isVisible());
    }

    void printerSetupOpensThePrinterDialogWithItsTitle()
    {
        frmMain window;
        window.show();
        PrinterTitleSeams seams;
        installSeams(&seams);
        toolButton(window, QStringLiteral("Print"))->click();
        window.menuItem("mnuFilePrintSetup")->trigger();
        installSeams(nullptr);
        // The setup dialog, which prints nothing, not the printer dialog of printing.
        QCOMPARE(seams.printerSetupDialogs, 2);
        QCOMPARE(seams.printerDialogs, 0);
        QCOMPARE(seams.shownTitle, ed("Printer Setup", "Drucker einrichten"));
        QCOMPARE(seams.propertiesTitle, QStringLiteral("Properties"));
    }

    void everyOperableControlHasAnAccessibleName()
    {
        frmMain window;
        window.show();
        int named = 0;
        for (QToolButton* button : window.tbToolBar()->findChildren<QToolButton*>()) {
            if (!button->defaultAction() || button->defaultAction()->isSeparator())
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
            QVERIFY(face);
            QVERIFY2(!face->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(button->objectName()));
            ++named;
        }
        QCOMPARE(named, german() ? 15 : 14);
        for (QAction* item : window.findChildren<QAction*>())
            if (!item->isSeparator() && item->isVisible() && !item->objectName().isEmpty())
                QVERIFY2(!item->text().isEmpty(), qPrintable(item->objectName()));
    }

    void screenshot()
    {
        const QByteArray folder = qgetenv("KORVANE_SHOTS");
        if (folder.isEmpty())
            QSKIP("set KORVANE_SHOTS to a folder to keep pictures of the window");
        frmMain window;
        window.setWindowState(Qt::WindowNoState);
        window.resize(900, 500);
        window.show();
        MainStatusPanels::instance().setFile(QStringLiteral("/home/user/patients/smith-2026-03-04.amb"));
        MainStatusPanels::instance().setRecordCount(48);
        const QString name = QString::fromUtf8(folder) + (german() ? "/main-de.png" : "/main-en.png");
        QVERIFY(window.grab().save(name));
        window.menu("mnuData")->popup(window.mapToGlobal(QPoint(60, 20)));
        QTest::qWait(50);
        QVERIFY(window.menu("mnuData")->grab().save(QString::fromUtf8(folder)
                                                    + (german() ? "/menu-data-de.png" : "/menu-data-en.png")));
        window.menu("mnuData")->hide();
    }
};

KORVANE_EDITIONS_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
