// The serial settings window: list clicks change gCommSet at once, OK
// writes the store and applies the choice to the reading window's port,
// Cancel writes nothing, and the device a port name stands for.
#include "state/SharedState.h"
#include "views/CommWindows.h"
#include "views/frmComm.h"
#include "views/frmRead.h"
#include "views/frmReadwave.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "text/Edition.h"
#include "support/ScriptedSeams.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString stored(const char* key)
{
    return readSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSettingsSection),
                       QString::fromLatin1(key), QStringLiteral("<absent>"));
}

QString storedDevice(const char* port)
{
    return readSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection),
                       QString::fromLatin1(port), QStringLiteral("<absent>"));
}

// A click on an entry of a list, as the user makes it (the same entry too).
void clickEntry(QComboBox* list, const QString& entry)
{
    const int index = list->findText(entry);
    QVERIFY2(index >= 0, qPrintable(entry));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

QString ed(const char* english, const char* german)
{
    return QString::fromUtf8(Edition::current().isGerman() ? german : english);
}

} // namespace

class TestFrmComm : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        const QString store = settingsFilePath(QString::fromLatin1(kAppTitle));
        if (QFileInfo(store).isDir())
            QVERIFY(QDir(store).removeRecursively());
        else if (QFile::exists(store))
            QVERIFY(QFile::remove(store));
        resetSharedState();
        gCommSet = QStringLiteral("9600,n,8,1");
        gCommPort = QStringLiteral("COM1");
    }

    void cleanup()
    {
        for (QWidget* w : {static_cast<QWidget*>(CommWindows::commWindow()),
                           static_cast<QWidget*>(CommWindows::readWindow()),
                           static_cast<QWidget*>(CommWindows::waveWindow())})
            if (w)
                w->close();
        QTRY_VERIFY(!CommWindows::commWindow() && !CommWindows::readWindow() && !CommWindows::waveWindow());
    }

    void theWindowsTexts()
    {
        CommWindows::showCommWindow();
        frmComm* w = CommWindows::commWindow();
        QCOMPARE(w->windowTitle(), ed("Communication Setting", "Übertragungseinstellungen"));
        QCOMPARE(w->Command2->text(), ed("Cancel", "Abbrechen"));
        QCOMPARE(w->statusPanel(1), ed("Setting: ", "Statusleiste"));
        QCOMPARE(w->Combo2->count(), 3);
        QCOMPARE(w->Combo5->count(), 8);
        QCOMPARE(w->Combo1->itemText(0), QStringLiteral("1200"));
        // A second showing brings the same window.
        CommWindows::showCommWindow();
        QCOMPARE(CommWindows::commWindow(), w);
    }

    void loadShowsTheStoredSettingsButTheListsKeepTheirDesign()
    {
        gCommSet = QStringLiteral("2400,e,7,2");
        gCommPort = QStringLiteral("COM2");
        CommWindows::showCommWindow();
        frmComm* w = CommWindows::commWindow();
        QCOMPARE(w->statusPanel(2), QStringLiteral("2400,e,7,2"));
        QCOMPARE(w->Combo5->currentText(), QStringLiteral("COM2"));
        QCOMPARE(w->Combo1->currentText(), QStringLiteral("9600"));
        QCOMPARE(w->Combo2->currentText(), QStringLiteral("n"));
        QCOMPARE(w->Combo3->currentText(), QStringLiteral("8"));
        QCOMPARE(w->Combo4->currentText(), QStringLiteral("1"));
        clickEntry(w->Combo4, QStringLiteral("1"));
        QCOMPARE(gCommSet, QStringLiteral("9600,n,8,1"));
        QCOMPARE(w->statusPanel(2), QStringLiteral("9600,n,8,1"));
    }

    void aClickChangesTheSettingAtOnceAndCancelKeepsTheStore()
    {
        QVERIFY(writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSettingsSection),
                             QStringLiteral("COMMSET"), QStringLiteral("9600,n,8,1")));
        CommWindows::showCommWindow();
        frmComm* w = CommWindows::commWindow();
        clickEntry(w->Combo1, QStringLiteral("4800"));
        QCOMPARE(gCommSet, QStringLiteral("4800,n,8,1"));
        clickEntry(w->Combo2, QStringLiteral("e"));
        clickEntry(w->Combo3, QStringLiteral("7"));
        QCOMPARE(gCommSet, QStringLiteral("4800,e,7,1"));
        w->Command2->click();
        QTRY_VERIFY(!CommWindows::commWindow());
        QCOMPARE(stored("COMMSET"), QStringLiteral("9600,n,8,1"));
        QCOMPARE(stored("COMMPORT"), QStringLiteral("<absent>"));
        QCOMPARE(gCommSet, QStringLiteral("4800,e,7,1"));
        QVERIFY(!CommWindows::readWindow());
    }

    void okAppliesThePortAndLoadsTheReadingWindowWithoutShowingIt()
    {
        QVERIFY(!CommWindows::readWindow());
        CommWindows::showCommWindow();
        frmComm* w = CommWindows::commWindow();
        clickEntry(w->Combo4, QStringLiteral("2"));
        w->Combo5->setCurrentText(QStringLiteral("COM3"));
        w->Command1->click();
        QTRY_VERIFY(!CommWindows::commWindow());
        frmRead* read = CommWindows::readWindow();
        QVERIFY(read);
        QVERIFY(!read->isVisible());
        QCOMPARE(read->MSComm1().settings(), QStringLiteral("9600,n,8,2"));
        QCOMPARE(read->MSComm1().portNumber(), 3);
        QVERIFY(!read->MSComm1().isOpen());
        QCOMPARE(stored("COMMSET"), QStringLiteral("9600,n,8,2"));
        QCOMPARE(stored("COMMPORT"), QStringLiteral("COM3"));
        QCOMPARE(gCommPort, QStringLiteral("COM3"));
        // The waveform window too: loaded with the settings of the moment.
        frmReadwave* wave = CommWindows::waveWindow();
        QVERIFY(wave);
        QVERIFY(!wave->isVisible());
        QCOMPARE(wave->MSComm1().portNumber(), 3);
        QCOMPARE(wave->MSComm1().settings(), QStringLiteral("9600,n,8,2"));
        QVERIFY(!wave->MSComm1().isOpen());

        // Loaded already, it takes the new number and keeps its settings.
        CommWindows::showCommWindow();
        w = CommWindows::commWindow();
        clickEntry(w->Combo1, QStringLiteral("2400"));
        w->Combo5->setCurrentText(QStringLiteral("COM5"));
        w->Command1->click();
        QTRY_VERIFY(!CommWindows::commWindow());
        QCOMPARE(CommWindows::waveWindow(), wave);
        QCOMPARE(wave->MSComm1().portNumber(), 5);
        QCOMPARE(wave->MSComm1().settings(), QStringLiteral("9600,n,8,2"));
        // A new settings window's lists start from their design again.
        QCOMPARE(read->MSComm1().settings(), QStringLiteral("2400,n,8,1"));
    }

    // A store that refuses the settings (its file is a folder here): OK
    // says that they are not kept, and they hold for this session.
    void okTellsWhenTheStoreRefusesTheSettings()
    {
        const QString store = settingsFilePath(QString::fromLatin1(kAppTitle));
        QVERIFY(QDir().mkpath(store));
        auto& scripted = dynamic_cast<ScriptedSeams&>(seams());
        scripted.messages.clear();
        scripted.answers = {MsgAnswer::Ok};
        CommWindows::showCommWindow();
        frmComm* w = CommWindows::commWindow();
        const QString caption = w->windowTitle();
        clickEntry(w->Combo1, QStringLiteral("2400"));
        w->Combo5->setCurrentText(QStringLiteral("COM3"));
        w->Command1->click();
        QTRY_VERIFY(!CommWindows::commWindow());
        QCOMPARE(scripted.messageTexts(),
                 QStringList{ed("Setting Not Kept ! , File  %1  Can not Save ! , %2 , The Setting Holds Until "
                                "KORVANE Ends",
                                "Einstellung nicht gespeichert ! , Datei  %1  kann nicht gespeichert werden ! , %2 , "
                                "Die Einstellung gilt bis KORVANE beendet wird")
                                 .arg(store, ed("Not a Regular File", "Keine normale Datei"))});
        QCOMPARE(scripted.messages.front().title, caption);
        QCOMPARE(scripted.messages.front().icon, MsgIcon::Warning);
        QCOMPARE(gCommSet, QStringLiteral("2400,n,8,1"));
        QCOMPARE(gCommPort, QStringLiteral("COM3"));
        QCOMPARE(CommWindows::readWindow()->MSComm1().settings(), QStringLiteral("2400,n,8,1"));
        QCOMPARE(CommWindows::readWindow()->MSComm1().portNumber(), 3);
    }

    void okWithAnotherPortNameStoresItButKeepsThePortNumber_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lower case") << QStringLiteral("com3");
        QTest::newRow("COM9") << QStringLiteral("COM9");
    }

    void okWithAnotherPortNameStoresItButKeepsThePortNumber()
    {
        QFETCH(QString, name);
        gCommPort = QStringLiteral("COM2");
        frmRead* read = CommWindows::loadReadWindow();
        QCOMPARE(read->MSComm1().portNumber(), 2);
        CommWindows::showCommWindow();
        frmComm* w = CommWindows::commWindow();
        w->Combo5->setCurrentText(name);
        QVERIFY(!w->cboDevice->isEnabled());
        w->Command1->click();
        QTRY_VERIFY(!CommWindows::commWindow());
        QCOMPARE(stored("COMMPORT"), name);
        QCOMPARE(gCommPort, name);
        QCOMPARE(read->MSComm1().portNumber(), 2);
        QVERIFY(!CommWindows::waveWindow());
    }

    void aTypedPortNameIsTakenAsItStands()
    {
        CommWindows::showCommWindow();
        frmComm* w = CommWindows::commWindow();
        w->Combo5->lineEdit()->selectAll();
        QTest::keyClicks(w->Combo5, QStringLiteral("com3"));
        QTest::keyClick(w->Combo5, Qt::Key_Return);
        QCOMPARE(w->Combo5->currentText(), QStringLiteral("com3"));
        QCOMPARE(w->Combo5->count(), 8);
        w->Command1->click();
        QTRY_VERIFY(!CommWindows::commWindow());
        QCOMPARE(stored("COMMPORT"), QStringLiteral("com3"));
    }

    void theDeviceOfAPortIsShownAndWrittenOnOk()
    {
        QVERIFY(writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection),
                             QStringLiteral("COM2"), QStringLiteral("/dev/ttyUSB0")));
        CommWindows::showCommWindow();
        frmComm* w = CommWindows::commWindow();
        QCOMPARE(w->cboDevice->currentText(), defaultDeviceForPortNumber(1));
        w->Combo5->setCurrentText(QStringLiteral("COM2"));
        QCOMPARE(w->cboDevice->currentText(), QStringLiteral("/dev/ttyUSB0"));
        w->cboDevice->setCurrentText(QStringLiteral("/tmp/recorder-link"));
        // Going to another port and back keeps the choice made here.
        w->Combo5->setCurrentText(QStringLiteral("COM4"));
        QCOMPARE(w->cboDevice->currentText(), defaultDeviceForPortNumber(4));
        w->Combo5->setCurrentText(QStringLiteral("COM2"));
        QCOMPARE(w->cboDevice->currentText(), QStringLiteral("/tmp/recorder-link"));
        QCOMPARE(storedDevice("COM2"), QStringLiteral("/dev/ttyUSB0"));
        w->Command1->click();
        QTRY_VERIFY(!CommWindows::commWindow());
        QCOMPARE(storedDevice("COM2"), QStringLiteral("/tmp/recorder-link"));
        QCOMPARE(storedDevice("COM4"), QStringLiteral("<absent>"));
        QCOMPARE(CommWindows::readWindow()->MSComm1().device(), QStringLiteral("/tmp/recorder-link"));

        // Cancel writes no device.
        CommWindows::showCommWindow();
        w = CommWindows::commWindow();
        w->cboDevice->setCurrentText(QStringLiteral("/dev/ttyACM1"));
        w->Command2->click();
        QTRY_VERIFY(!CommWindows::commWindow());
        QCOMPARE(storedDevice("COM2"), QStringLiteral("/tmp/recorder-link"));
    }

    void screenshot()
    {
        const QByteArray folder = qgetenv("KORVANE_SHOTS");
        if (folder.isEmpty())
            QSKIP("set KORVANE_SHOTS to a folder to keep pictures of the window");
        CommWindows::showCommWindow();
        frmComm* w = CommWindows::commWindow();
        QVERIFY(w->grab().save(QString::fromUtf8(folder)
                               + (Edition::current().isGerman() ? "/frmComm-de.png" : "/frmComm-en.png")));
    }
};

int main(int argc, char** argv)
{
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    QApplication app(argc, argv);
    ScriptedSeams seams;
    int failures = 0;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        TestFrmComm test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

#include "test_frmcomm.moc"
