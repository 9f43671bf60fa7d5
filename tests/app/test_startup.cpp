// Start-up: settings into the shared state, the login at start, the flags
// rule, the splash window, and the geometry written when the main window
// goes (also after a failed login).
#include "AppTestSupport.h"

#include "app/Main.h"
#include "app/frmSplash.h"
#include "support/ScriptedSeams.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolBar>

#include <sys/stat.h>

using namespace apptest;

namespace {

frmSplash* shownSplash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<frmSplash*>(w); splash && splash->isVisible())
            return splash;
    return nullptr;
}

QString twips(int pixels, bool vertical)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = vertical ? screen->logicalDotsPerInchY() : screen->logicalDotsPerInchX();
    return QString::number(double(float(pixels * 1440.0 / dpi)));
}

// The frame of a main window as designed (loaded, never shown).
QRect designedFrame()
{
    frmMain probe;
    return probe.frameGeometry();
}

QMargins frameMargins()
{
    frmMain probe;
    const QRect inner = probe.geometry();
    const QRect outer = probe.frameGeometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init() { clearSettingsStore(); }
    void cleanup() { tearDownShell(); }

    void emptyStoreAsksForTheLoginAndStartsWithDefaults()
    {
        ScriptedSeams seams;
        QString caption, frame, hint;
        bool changeHidden = false, okShown = false;
        quint8 slot = 99;
        seams.modalHandler = [&](QDialog* dialog) {
            auto* login = qobject_cast<frmLogin*>(dialog);
            caption = login->windowTitle();
            frame = login->Frame1->title();
            hint = login->Label1->text();
            changeHidden = login->cmdChange->isHidden();
            okShown = !login->cmdOK->isHidden();
            slot = gPasswordSlot;
            // Nothing of the program is on screen while the login asks.
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w != dialog && w->isVisible())
                    return int(QDialog::Rejected);
            return typeAndPressOk(dialog, QStringLiteral("kvtq1"));
        };
        QVERIFY(Main());
        QCOMPARE(seams.modalCount, 1);
        QCOMPARE(caption, ed("Login KORVANE", "KORVANE System-Login"));
        QCOMPARE(frame, ed("Input Login Password", "Login-Paßwort eingeben"));
        QCOMPARE(hint, ed("Try 5 Words Password", "Paßwort mit 5 Zeichen"));
        QVERIFY(changeHidden);
        QVERIFY(okShown);
        QCOMPARE(slot, quint8(0));

        QVERIFY(gMainWindow);
        QVERIFY(mainWindow()->isVisible());
        QVERIFY(mainWindow()->isMaximized());
        QCOMPARE(mainWindow()->windowTitle(),
                 ed("KORVANE (Blood Pressure Data Check) ", "KORVANE (Blutdruckdaten Auswertung) "));
        QCOMPARE(gCommSet, QStringLiteral("9600,n,8,1"));
        QCOMPARE(gCommPort, QStringLiteral("COM1"));
        QCOMPARE(mainWindow()->statusPanel(4)->text(), QStringLiteral("9600,n,8,1,COM1"));
        QVERIFY(!gEditEnabled);
        QVERIFY(!mainWindow()->menuItem("mnuDataEdit")->isEnabled());
        QVERIFY(!mainWindow()->toolbarButton(10)->isEnabled());
        QVERIFY(mainWindow()->menuItem("mnuSettingSecurityLogin")->isChecked());
        QVERIFY(!mainWindow()->menuItem("mnuSettingSecurityEdit")->isChecked());
        QVERIFY(gFileSystem);
        QVERIFY(shownSplash());
        QCOMPARE(seams.messages.size(), size_t(0));
    }

    void aHandEditedStoreStartsWithItsValuesAndKeepsThem()
    {
        putStoreFile("[Settings]\nCOMMSET=2400,e,7,2\nCOMMPORT=COM3\nLOGIN=YES\nPASSWORD1=ab,cd\n");
        ScriptedSeams seams;
        bool emptyRefused = false;
        seams.modalHandler = [&](QDialog* d) {
            auto* login = qobject_cast<frmLogin*>(d);
            login->show();
            login->cmdOK->click();
            emptyRefused = login->isVisible() && !gLoginOK;
            login->hide();
            return typeAndPressOk(d, QStringLiteral("ab,cd"));
        };
        QVERIFY(Main());
        QVERIFY(emptyRefused);
        QCOMPARE(gCommSet, QStringLiteral("2400,e,7,2"));
        QCOMPARE(mainWindow()->statusPanel(4)->text(), QStringLiteral("2400,e,7,2,COM3"));
        // Closing writes the geometry; the hand-written values stay as they were.
        mainWindow()->close();
        QCOMPARE(setting("COMMSET"), QStringLiteral("2400,e,7,2"));
        QCOMPARE(setting("PASSWORD1"), QStringLiteral("ab,cd"));
        QVERIFY(setting("MainWidth") != QStringLiteral("<absent>"));
        QCOMPARE(seams.messages.size(), size_t(0));
    }

    void aStoreThatIsNotAFileStartsWithTheDefaultsAndSaysSo()
    {
        const QString path = settingsFilePath(QStringLiteral("KORVANE"));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        ScriptedSeams seams;
        int loginsBeforeMessage = -1;
        seams.onMessage = [&](const ShownMessage&) { loginsBeforeMessage = seams.modalCount; };
        seams.modalHandler = [](QDialog* d) { return typeAndPressOk(d, QStringLiteral("kvtq1")); };
        QVERIFY(Main());
        QCOMPARE(seams.messageTexts(),
                 QStringList{ed("Settings File  %1  Can not Read ! , Not a Regular File , Default Settings in Use !",
                                "Einstellungsdatei  %1  kann nicht gelesen werden ! , Keine normale Datei , "
                                "Standardeinstellungen werden verwendet !")
                                 .arg(path)});
        QCOMPARE(seams.messages[0].title, QStringLiteral("KORVANE"));
        QCOMPARE(loginsBeforeMessage, 0);
        QCOMPARE(seams.modalCount, 1);
        QCOMPARE(gCommSet, QStringLiteral("9600,n,8,1"));
        QCOMPARE(gCommPort, QStringLiteral("COM1"));
        mainWindow()->close();
        QFileInfo fifo(path);
        QVERIFY(fifo.exists() && !fifo.isFile() && !fifo.isDir());
        QVERIFY(QFile::remove(path));
    }

    void masterPasswordPassesTheLogin()
    {
        ScriptedSeams seams;
        seams.modalHandler = [](QDialog* d) { return typeAndPressOk(d, QStringLiteral("QexWo")); };
        QVERIFY(Main());
        QVERIFY(mainWindow() && mainWindow()->isVisible());
    }

    void wrongPasswordKeepsTheWindowWithTheTextSelected()
    {
        ScriptedSeams seams;
        QString hintAfterWrong, selected;
        bool stillShown = false;
        int tries = 0;
        seams.modalHandler = [&](QDialog* d) {
            auto* login = qobject_cast<frmLogin*>(d);
            login->show();
            // No limit on the number of tries.
            for (tries = 0; tries < 7; ++tries) {
                login->txtPassword->setText(QStringLiteral("KVTQ1"));
                login->cmdOK->click();
                if (!login->isVisible())
                    break;
            }
            hintAfterWrong = login->Label1->text();
            stillShown = login->isVisible();
            selected = login->txtPassword->selectedText();
            // The next key replaces the selected text.
            QTest::keyClicks(login->txtPassword, QStringLiteral("kvtq1"));
            login->cmdOK->click();
            return login->result();
        };
        QVERIFY(Main());
        QCOMPARE(tries, 7);
        QVERIFY(stillShown);
        QCOMPARE(hintAfterWrong, ed("Wrong Password , Retry!", "X Paßwort , eingeben!"));
        QCOMPARE(selected, QStringLiteral("KVTQ1"));
        QVERIFY(mainWindow() && mainWindow()->isVisible());
    }

    void cancelAtStartEndsWithoutAWindowAndWritesTheDesignedGeometry()
    {
        ScriptedSeams seams;
        seams.modalHandler = [](QDialog* d) {
            auto* login = qobject_cast<frmLogin*>(d);
            login->show();
            login->txtPassword->setText(QStringLiteral("kvtq1"));
            login->cmdCancel->click();
            return login->result();
        };
        QVERIFY(!Main());
        QVERIFY(!gMainWindow);
        QVERIFY(!gLoginOK);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(!shownSplash());
        // The designed position and size, frame included.
        const QRect designed = designedFrame();
        QCOMPARE(designed.size(), QSize(800, 600).grownBy(frameMargins()));
        QCOMPARE(setting("MainLeft"), twips(designed.x(), false));
        QCOMPARE(setting("MainTop"), twips(designed.y(), true));
        QCOMPARE(setting("MainWidth"), twips(designed.width(), false));
        QCOMPARE(setting("MainHeight"), twips(designed.height(), true));
    }

    void closingTheLoginWindowCountsAsCancel()
    {
        ScriptedSeams seams;
        seams.modalHandler = [](QDialog* d) {
            d->show();
            QTest::keyClick(d, Qt::Key_Escape);
            return d->result();
        };
        QVERIFY(!Main());
        QVERIFY(!gMainWindow);
        QCOMPARE(setting("MainWidth"), twips(designedFrame().width(), false));

        clearSettingsStore();
        seams.modalHandler = [](QDialog* d) {
            d->show();
            d->close();
            return d->result();
        };
        QVERIFY(!Main());
        QVERIFY(!gMainWindow);
        QCOMPARE(setting("MainHeight"), twips(designedFrame().height(), true));
    }

    void onlyTheExactYesAsksForTheLogin_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<bool>("asked");
        QTest::newRow("absent") << QString() << true;
        QTest::newRow("YES") << QStringLiteral("YES") << true;
        QTest::newRow("yes") << QStringLiteral("yes") << false;
        QTest::newRow("Yes") << QStringLiteral("Yes") << false;
        QTest::newRow("NO") << QStringLiteral("NO") << false;
        QTest::newRow("YES with a blank") << QStringLiteral("YES ") << false;
    }

    void onlyTheExactYesAsksForTheLogin()
    {
        QFETCH(QString, login);
        QFETCH(bool, asked);
        if (!login.isNull())
            setSetting("LOGIN", login);
        ScriptedSeams seams;
        seams.modalHandler = [](QDialog* d) { return typeAndPressOk(d, QStringLiteral("kvtq1")); };
        QVERIFY(Main());
        QCOMPARE(seams.modalCount, asked ? 1 : 0);
        QCOMPARE(gLoginRequired, asked);
        QCOMPARE(mainWindow()->menuItem("mnuSettingSecurityLogin")->isChecked(), asked);
        QVERIFY(mainWindow()->isVisible());
    }

    void onlyTheExactYesEnablesEditing_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("absent") << QString() << false;
        QTest::newRow("Yes") << QStringLiteral("Yes") << false;
        QTest::newRow("yes") << QStringLiteral("yes") << false;
        QTest::newRow("NO") << QStringLiteral("NO") << false;
        QTest::newRow("YES") << QStringLiteral("YES") << true;
    }

    void onlyTheExactYesEnablesEditing()
    {
        QFETCH(QString, edit);
        QFETCH(bool, enabled);
        setSetting("LOGIN", QStringLiteral("NO"));
        if (!edit.isNull())
            setSetting("EDIT", edit);
        ScriptedSeams seams;
        QVERIFY(Main());
        QCOMPARE(gEditEnabled, enabled);
        QCOMPARE(mainWindow()->menuItem("mnuSettingSecurityEdit")->isChecked(), enabled);
        QCOMPARE(mainWindow()->menuItem("mnuDataEdit")->isEnabled(), enabled);
        QCOMPARE(mainWindow()->toolbarButton(10)->isEnabled(), enabled);
    }

    void storedLineSettingsReachTheCommunicationPanel()
    {
        setSetting("LOGIN", QStringLiteral("NO"));
        setSetting("COMMSET", QStringLiteral("2400,e,7,2"));
        setSetting("COMMPORT", QStringLiteral("COM3"));
        ScriptedSeams seams;
        QVERIFY(Main());
        QCOMPARE(gCommSet, QStringLiteral("2400,e,7,2"));
        QCOMPARE(gCommPort, QStringLiteral("COM3"));
        QCOMPARE(mainWindow()->statusPanel(4)->text(), QStringLiteral("2400,e,7,2,COM3"));
    }

    void closingTheMainWindowWritesItsGeometryButNeverReadsIt()
    {
        setSetting("LOGIN", QStringLiteral("NO"));
        ScriptedSeams seams;
        QVERIFY(Main());
        mainWindow()->setWindowState(Qt::WindowNoState);
        mainWindow()->setGeometry(30, 40, 640, 480);
        const QRect frame = mainWindow()->frameGeometry();
        mainWindow()->close();
        QCOMPARE(setting("MainLeft"), twips(frame.x(), false));
        QCOMPARE(setting("MainTop"), twips(frame.y(), true));
        QCOMPARE(setting("MainWidth"), twips(frame.width(), false));
        QCOMPARE(setting("MainHeight"), twips(frame.height(), true));
        tearDownShell();

        // The next start opens maximised at the designed place, not where
        // the window was closed.
        QVERIFY(Main());
        QVERIFY(mainWindow()->isMaximized());
        QCOMPARE(mainWindow()->normalGeometry(), QRect(120, 90, 800, 600));
    }

    void aMinimisedMainWindowWritesNoGeometry()
    {
        setSetting("LOGIN", QStringLiteral("NO"));
        ScriptedSeams seams;
        QVERIFY(Main());
        mainWindow()->showMinimized();
        QVERIFY(mainWindow()->isMinimized());
        mainWindow()->close();
        QCOMPARE(setting("MainLeft"), QStringLiteral("<absent>"));
        QCOMPARE(setting("MainHeight"), QStringLiteral("<absent>"));
    }

    void passwordsChangedInOneEditionPassInTheOther()
    {
        // Both editions address the same store.
        setSetting("PASSWORD1", QStringLiteral("zz9zz"));
        const EditionId mine = Edition::current().id();
        Edition::select(mine == EditionId::English ? EditionId::German : EditionId::English);
        ScriptedSeams seams;
        QString caption;
        seams.modalHandler = [&](QDialog* d) {
            caption = d->windowTitle();
            return typeAndPressOk(d, QStringLiteral("zz9zz"));
        };
        const bool started = Main();
        const bool otherIsGerman = Edition::current().isGerman();
        Edition::select(mine);
        QVERIFY(started);
        QCOMPARE(caption, QString::fromUtf8(otherIsGerman ? "KORVANE System-Login" : "Login KORVANE"));
    }

    void splashShowsItsTextsAndClosesOnAKeyOrAClick()
    {
        setSetting("LOGIN", QStringLiteral("NO"));
        ScriptedSeams seams;
        QVERIFY(Main());
        QPointer<frmSplash> splash = shownSplash();
        QVERIFY(splash);
        QCOMPARE(splash->lblPlatform->text(), QStringLiteral("PC Compatible"));
        QCOMPARE(splash->lblProductName->text(), ed("Blood Pressure Data Check", "Blutdruckdaten Auswertung"));
        QCOMPARE(splash->lblVersion->text(), ed("English     V1.2", "Deutsche Version 1.2"));
        QVERIFY(!splash->imgLogo->pixmap().isNull());
        QVERIFY(splash->Timer1->isActive());
        QCOMPARE(splash->Timer1->interval(), 3000);
        // Over the main window.
        QVERIFY(mainWindow()->frameGeometry().contains(splash->geometry().center()));
        QTest::keyClick(splash, Qt::Key_A);
        QTRY_VERIFY(!splash);

        auto* second = new frmSplash(gMainWindow);
        second->show();
        QPointer<frmSplash> guard = second;
        QTest::mouseClick(second->lblVersion, Qt::LeftButton);
        QTRY_VERIFY(!guard);
    }

    // The key closes it also when the focus is elsewhere: in the main window
    // or in another window of the program.
    void splashClosesOnAKeyWhereverTheFocusIs()
    {
        setSetting("LOGIN", QStringLiteral("NO"));
        ScriptedSeams seams;
        QVERIFY(Main());
        QPointer<frmSplash> splash = shownSplash();
        QVERIFY(splash);
        splash->Timer1->stop(); // only the key may close it here
        QTest::keyClick(mainWindow(), Qt::Key_Shift);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!splash);

        QWidget other;
        auto* box = new QLineEdit(&other);
        other.show();
        auto* second = new frmSplash(gMainWindow);
        second->show();
        second->Timer1->stop();
        QPointer<frmSplash> guard = second;
        box->setFocus();
        QTest::keyClick(box, Qt::Key_X);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!guard);
        // The key still did its work where the focus was.
        QCOMPARE(box->text(), QStringLiteral("x"));
    }

    // The window system may place and maximise the main window only after
    // the splash is shown; the splash follows it to its middle.
    void splashStaysCentredOnTheMainWindowAsItIsPlaced()
    {
        setSetting("LOGIN", QStringLiteral("NO"));
        ScriptedSeams seams;
        QVERIFY(Main());
        QPointer<frmSplash> splash = shownSplash();
        QVERIFY(splash);
        mainWindow()->showNormal();
        mainWindow()->setGeometry(40, 30, 500, 400);
        QTRY_COMPARE(splash->geometry().center(), mainWindow()->frameGeometry().center());
        mainWindow()->showMaximized();
        QTRY_VERIFY(mainWindow()->isMaximized());
        QTRY_COMPARE(splash->geometry().center(), mainWindow()->frameGeometry().center());
        QVERIFY(splash->isVisible());
    }

    void splashClosesItselfAfterThreeSeconds()
    {
        if (german())
            QSKIP("the splash timer is the same in both editions");
        QElapsedTimer clock;
        clock.start();
        auto* splash = new frmSplash;
        qint64 closedAt = -1;
        connect(splash, &QObject::destroyed, this, [&] { closedAt = clock.elapsed(); });
        splash->show();
        QTRY_VERIFY_WITH_TIMEOUT(closedAt >= 0, 6000);
        QVERIFY2(closedAt >= 3000, qPrintable(QString::number(closedAt)));
    }

    void screenshot()
    {
        const QByteArray folder = qgetenv("KORVANE_SHOTS");
        if (folder.isEmpty())
            QSKIP("set KORVANE_SHOTS to a folder to keep pictures of the window");
        frmSplash splash;
        splash.show();
        QVERIFY(splash.grab().save(QString::fromUtf8(folder) + (german() ? "/splash-de.png" : "/splash-en.png")));

        // The splash where it stands over the maximised main window.
        setSetting("LOGIN", QStringLiteral("NO"));
        ScriptedSeams seams;
        QVERIFY(Main());
        QPointer<frmSplash> over = shownSplash();
        QVERIFY(over && mainWindow()->isMaximized());
        QImage picture = mainWindow()->grab().toImage();
        QPainter painter(&picture);
        painter.drawPixmap(over->geometry().topLeft() - mainWindow()->geometry().topLeft(), over->grab());
        painter.end();
        QVERIFY(picture.save(QString::fromUtf8(folder) + (german() ? "/splash-over-main-de.png" : "/splash-over-main-en.png")));
    }
};

KORVANE_EDITIONS_MAIN(TestStartup)
#include "test_startup.moc"
