// The help command, the quick-use slide show, the about box and the company
// pages, in both editions, from the main window's commands: the help file
// looked up in the current folder and handed to a viewer (the stand-in
// seams record the start), the slides and their keys, the edition's texts,
// and single, non-modal windows that belong to the main window.
#include "AppTestSupport.h"

#include "app/CompanyPages.h"
#include "app/AppSettings.h"
#include "app/HelpWindows.h"
#include "app/frmAbout.h"
#include "app/frmSRdemo.h"
#include "support/ScriptedSeams.h"
#include "text/MessageCatalogue.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>

using namespace apptest;

namespace {

// The slide texts of the edition, in order.
QStringList expectedSlideTexts()
{
    if (german())
        return {QString::fromUtf8("Wird das Neue datei"), QStringLiteral("Daten lesen"), QStringLiteral("Datentabelle"),
                QStringLiteral("Trendgrafik"), QStringLiteral("Balkendiagramm")};
    return {QStringLiteral("You must create new name file for data read / write "),
            QStringLiteral("Check you file name and sure to create file  "),
            QStringLiteral("Press send key on  BPM to start reading data"),
            QStringLiteral("Data table list on screen for veiw and edit"),
            QStringLiteral("Graphic trend data on screen for point out and print "),
            QStringLiteral("Bar chart data on screen for point out and print")};
}

QString expectedCaption(int number, int count)
{
    return ed("Quick Use ", "Kurzanleitung ") + QStringLiteral(" %1 /  %2").arg(number).arg(count);
}

// Every control a person can operate can be named by a screen reader.
void verifyButtonsNamed(const QWidget* window)
{
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QString name = button->accessibleName().isEmpty() ? button->text() : button->accessibleName();
        QVERIFY2(!name.isEmpty(), qPrintable(button->objectName()));
    }
}

} // namespace

class TestHelpWindows : public QObject {
    Q_OBJECT
private:
    frmMain* m_main = nullptr;
    QTemporaryDir m_folder;
    QString m_startFolder;

    void clickHelp() { m_main->tbToolBar_ButtonClick(m_main->toolbarButtonByKey(QStringLiteral("Help"))); }

    // Makes `name` inside the test folder the current folder, with a help file when asked.
    QString enterFolder(const QString& name, bool withHelpFile)
    {
        const QString folder = m_folder.filePath(name);
        if (!QDir().mkpath(folder) || !QDir::setCurrent(folder))
            return {};
        const QString helpFile = folder + QStringLiteral("/KORVANE.chm");
        QFile::remove(helpFile);
        if (withHelpFile) {
            QFile file(helpFile);
            if (!file.open(QIODevice::WriteOnly) || file.write("ITSF") != 4)
                return {};
        }
        return helpFile;
    }

    frmSRdemo* openSlides()
    {
        m_main->mnuHelpDemo_Click();
        return HelpWindows::quickUseWindow();
    }

private slots:
    void initTestCase() { m_startFolder = QDir::currentPath(); }

    void init()
    {
        clearSettingsStore();
        m_main = new frmMain;
        gMainWindow = m_main;
        m_main->show();
    }

    void cleanup()
    {
        tearDownShell();
        QDir::setCurrent(m_startFolder);
    }

    void helpFileMissingSaysSo()
    {
        ScriptedSeams seams;
        seams.startablePrograms = {QStringLiteral("xchm")};
        QVERIFY(!enterFolder(QStringLiteral("empty"), false).isEmpty());
        clickHelp();
        QCOMPARE(seams.messageTexts(), QStringList{ed("No Help File !", "Wird das Öffnen Hilfe Datei !")});
        QCOMPARE(seams.messages.front().title, m_main->windowTitle());
        QCOMPARE(seams.messages.front().icon, MsgIcon::Information);
        QVERIFY(seams.programStarts.empty());
    }

    // A folder of the same name is no help file.
    void aFolderNamedLikeTheHelpFileIsNoHelpFile()
    {
        ScriptedSeams seams;
        seams.startablePrograms = {QStringLiteral("xchm")};
        QVERIFY(QDir().mkpath(enterFolder(QStringLiteral("folder"), false)));
        clickHelp();
        QCOMPARE(seams.messageTexts(), QStringList{ed("No Help File !", "Wird das Öffnen Hilfe Datei !")});
        QVERIFY(seams.programStarts.empty());
    }

    void helpFileGoesToTheViewerAsOneArgument_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << QStringLiteral("practice");
        QTest::newRow("blanks and quotes") << QStringLiteral("Dr. Meyer's  Praxis/Hilfe \"neu\" & alt");
    }

    void helpFileGoesToTheViewerAsOneArgument()
    {
        QFETCH(QString, folder);
        ScriptedSeams seams;
        seams.startablePrograms = {QStringLiteral("xchm")};
        const QString helpFile = enterFolder(folder, true);
        QVERIFY(!helpFile.isEmpty());
        clickHelp();
        QCOMPARE(seams.programStarts.size(), size_t(1));
        QCOMPARE(seams.programStarts.front().program, QStringLiteral("xchm"));
        QCOMPARE(seams.programStarts.front().arguments, QStringList{QDir::currentPath() + "/KORVANE.chm"});
        QCOMPARE(seams.programStarts.front().arguments, QStringList{helpFile});
        QVERIFY(seams.messages.empty());
    }

    void theConfiguredViewerComesFirst()
    {
        ScriptedSeams seams;
        const QString viewer = QStringLiteral("/opt/CHM Reader/bin/reader");
        setSetting(AppSettings::kHelpViewer, viewer);
        seams.startablePrograms = {viewer, QStringLiteral("xchm")};
        const QString helpFile = enterFolder(QStringLiteral("configured"), true);
        clickHelp();
        QCOMPARE(seams.programStarts.size(), size_t(1));
        QCOMPARE(seams.programStarts.front().program, viewer);
        QCOMPARE(seams.programStarts.front().arguments, QStringList{helpFile});

        // When it cannot start, the platform's viewers still can.
        seams.startablePrograms = {QStringLiteral("kchmviewer")};
        seams.programStarts.clear();
        clickHelp();
        QStringList tried;
        for (const auto& start : seams.programStarts)
            tried << start.program;
        QCOMPARE(tried, (QStringList{viewer, QStringLiteral("xchm"), QStringLiteral("kchmviewer")}));
        QVERIFY(seams.messages.empty());
    }

    void noViewerStartsSaysWhichFileAndViewers()
    {
        ScriptedSeams seams;
        const QString helpFile = enterFolder(QStringLiteral("no viewer"), true);
        clickHelp();
        QCOMPARE(seams.programStarts.size(), size_t(2));
        const QString expected =
            ed("Help File  %1  Can not Open ! , No Help Viewer Could Be Started : %2",
               "Hilfedatei  %1  kann nicht geöffnet werden ! , Kein Hilfeprogramm konnte gestartet werden : %2")
                .arg(helpFile, QStringLiteral("xchm, kchmviewer"));
        QCOMPARE(seams.messageTexts(), QStringList{expected});
        QCOMPARE(seams.messages.front().title, m_main->windowTitle());
    }

    void slidesShowTheirTextsPicturesAndCaptions()
    {
        frmSRdemo* slides = openSlides();
        QVERIFY(slides);
        const QStringList texts = expectedSlideTexts();
        QCOMPARE(slides->slideCount(), int(texts.size()));
        QCOMPARE(slides->windowTitle(), expectedCaption(1, texts.size()));
        for (int number = 1; number <= texts.size(); ++number) {
            if (number > 1)
                slides->cmdNext->click();
            QCOMPARE(slides->slideNumber(), number);
            QCOMPARE(slides->windowTitle(), expectedCaption(number, texts.size()));
            QCOMPARE(slides->Text1->text(), texts.at(number - 1));
            // A picture of the program's windows at this step, shown whole.
            QVERIFY2(slides->slidePicture().width() >= 600, qPrintable(texts.at(number - 1)));
            QVERIFY(!slides->Image1->pixmap().isNull());
        }
    }

    void navigationStopsAtTheEnds()
    {
        frmSRdemo* slides = openSlides();
        const int count = slides->slideCount();
        slides->cmdPrevious->click();
        QCOMPARE(slides->slideNumber(), 1);
        slides->cmdLast->click();
        QCOMPARE(slides->slideNumber(), count);
        slides->cmdNext->click();
        QCOMPARE(slides->slideNumber(), count);
        QCOMPARE(slides->windowTitle(), expectedCaption(count, count));
        slides->cmdPrevious->click();
        QCOMPARE(slides->slideNumber(), count - 1);
        slides->cmdFirst->click();
        QCOMPARE(slides->slideNumber(), 1);
    }

    void keysReachTheWindowBeforeItsControls()
    {
        frmSRdemo* slides = openSlides();
        const int count = slides->slideCount();
        // The key goes to the button that has the focus; the window takes it first.
        slides->cmdNext->setFocus();
        QWidget* target = slides->cmdNext;
        QTest::keyClick(target, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(slides->slideNumber(), count);
        QTest::keyClick(target, Qt::Key_Up);
        QCOMPARE(slides->slideNumber(), count - 1);
        QTest::keyClick(target, Qt::Key_Home);
        QCOMPARE(slides->slideNumber(), 1);
        // Ctrl with Shift is not Ctrl alone: one step on.
        QTest::keyClick(target, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(slides->slideNumber(), 2);
        QTest::keyClick(target, Qt::Key_PageDown);
        QCOMPARE(slides->slideNumber(), 3);
        QTest::keyClick(target, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(slides->slideNumber(), 1);
        QTest::keyClick(target, Qt::Key_End);
        QCOMPARE(slides->slideNumber(), count);
        QTest::keyClick(target, Qt::Key_Up, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(slides->slideNumber(), count - 1);
        // Other keys do nothing.
        QTest::keyClick(target, Qt::Key_Right);
        QTest::keyClick(target, Qt::Key_N);
        QCOMPARE(slides->slideNumber(), count - 1);
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!HelpWindows::quickUseWindow());
    }

    void slideButtonsOfTheEdition()
    {
        frmSRdemo* slides = openSlides();
        const QList<QPushButton*> navigation = {slides->cmdFirst, slides->cmdPrevious, slides->cmdNext,
                                                slides->cmdLast};
        const QStringList english = {"First", "Previous", "Next", "Last"};
        const QStringList germanNames = {"Erste", QString::fromUtf8("Zurück"), "Weiter", "Letzte"};
        for (int i = 0; i < navigation.size(); ++i) {
            if (german()) {
                QVERIFY(navigation[i]->text().isEmpty());
                QVERIFY(!navigation[i]->icon().isNull());
                QCOMPARE(navigation[i]->accessibleName(), germanNames[i]);
            } else {
                QCOMPARE(navigation[i]->text(), english[i]);
            }
        }
        QCOMPARE(slides->cmdClose->text(), ed("CLOSE", "Beenden"));
        verifyButtonsNamed(slides);
        slides->cmdClose->click();
        QVERIFY(!HelpWindows::quickUseWindow());
    }

    // Showing an open window again brings it forward as it is; once
    // closed, it starts anew.
    void windowsAreSingleNotModalAndBelongToTheMainWindow()
    {
        frmSRdemo* slides = openSlides();
        slides->cmdLast->click();
        m_main->mnuHelpAbout_Click();
        frmAbout* about = HelpWindows::aboutWindow();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(openSlides(), slides);
        QVERIFY(QTest::qWaitForWindowActive(slides));
        QCOMPARE(slides->slideNumber(), slides->slideCount());
        m_main->mnuHelpAbout_Click();
        QCOMPARE(HelpWindows::aboutWindow(), about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        for (QWidget* window : std::initializer_list<QWidget*>{slides, about}) {
            QCOMPARE(window->windowModality(), Qt::NonModal);
            QCOMPARE(window->parentWidget(), static_cast<QWidget*>(m_main));
            QVERIFY(window->isWindow());
        }
        QCOMPARE(QApplication::activeModalWidget(), nullptr);

        slides->close();
        QVERIFY(!HelpWindows::quickUseWindow());
        frmSRdemo* again = openSlides();
        QCOMPARE(again->slideNumber(), 1);
        QCOMPARE(again->windowTitle(), expectedCaption(1, again->slideCount()));
    }

    void aboutShowsTheEditionsTexts()
    {
        m_main->mnuHelpAbout_Click();
        frmAbout* about = HelpWindows::aboutWindow();
        QCOMPARE(about->windowTitle(), ed("About", "Über"));
        QCOMPARE(about->lblVersion->text(), ed("English     V1.2", "Deutsche Version 1.2"));
        QCOMPARE(about->lblDescription->text(), ed("Blood Pressure Data Check", "Blutdruckdaten Auswertung"));
        QVERIFY(about->lblDisclaimer->text().contains(ed("copyright", "urheberrechtlich")));
        QVERIFY(!about->imgLogo->pixmap().isNull());
        QCOMPARE(about->cmdOK->text(), QStringLiteral("OK"));
        verifyButtonsNamed(about);
        about->cmdOK->click();
        QVERIFY(!HelpWindows::aboutWindow());
    }

    // Only the hidden Company menu opens the company pages.
    void companyPagesOnlyFromTheHiddenMenu()
    {
        QVERIFY(!m_main->menu(QStringLiteral("mnuCompany"))->menuAction()->isVisible());
        for (QAction* button : m_main->tbToolBar()->actions())
            QVERIFY(!frmMain::buttonKey(button).contains(QLatin1String("Company")));

        m_main->menuItem(QStringLiteral("mnuCompanyIntro"))->trigger();
        frmIntro* intro = HelpWindows::introWindow();
        QVERIFY(intro && intro->isVisible());
        QCOMPARE(intro->windowTitle(), QStringLiteral("Company Introduction"));
        m_main->menuItem(QStringLiteral("mnuCompanyInfo"))->trigger();
        frmInfo* info = HelpWindows::infoWindow();
        QVERIFY(info && info->isVisible());
        QCOMPARE(info->windowTitle(), QStringLiteral("Company Information"));
        for (CompanyPage* page : std::initializer_list<CompanyPage*>{intro, info}) {
            QVERIFY(!page->lblText->text().isEmpty());
            QCOMPARE(page->Command1->text(), QStringLiteral("OK"));
            verifyButtonsNamed(page);
        }
        m_main->menuItem(QStringLiteral("mnuCompanyIntro"))->trigger();
        QCOMPARE(HelpWindows::introWindow(), intro);
        intro->Command1->click();
        info->Command1->click();
        QVERIFY(!HelpWindows::introWindow());
        QVERIFY(!HelpWindows::infoWindow());
    }
};

KORVANE_EDITIONS_MAIN(TestHelpWindows)
#include "test_helpwindows.moc"
