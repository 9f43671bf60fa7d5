#pragma once
// Helpers of the shell tests: a fresh settings store per test, both
// editions in one run, and answering the password window.
#include "state/MainStatusPanels.h"
#include "state/SharedState.h"
#include "app/frmLogin.h"
#include "app/frmMain.h"
#include "platform/SettingsStore.h"
#include "text/Edition.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace apptest {

inline QString setting(const char* key)
{
    return readSetting(QStringLiteral("KORVANE"), QStringLiteral("Settings"), QString::fromLatin1(key),
                       QStringLiteral("<absent>"));
}

inline void setSetting(const char* key, const QString& value)
{
    QVERIFY(writeSetting(QStringLiteral("KORVANE"), QStringLiteral("Settings"), QString::fromLatin1(key), value));
}

// Puts a store file as a person or another tool wrote it.
inline void putStoreFile(const QByteArray& bytes)
{
    const QString path = settingsFilePath(QStringLiteral("KORVANE"));
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Forgets every stored setting.
inline void clearSettingsStore()
{
    const QString path = settingsFilePath(QStringLiteral("KORVANE"));
    if (QFile::exists(path))
        QVERIFY(QFile::remove(path));
}

// Closes and deletes what a test left behind, and starts the shared state anew.
inline void tearDownShell()
{
    if (gMainWindow) {
        mainWindow()->close();
        delete gMainWindow;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->close();
    resetSharedState();
    MainStatusPanels::instance().clear();
}

// Shows the password window as a real modal would, types the text and
// presses OK. Returns the window's result.
inline int typeAndPressOk(QDialog* dialog, const QString& text)
{
    auto* login = qobject_cast<frmLogin*>(dialog);
    if (!login)
        return QDialog::Rejected;
    login->show();
    login->txtPassword->selectAll();
    QTest::keyClicks(login->txtPassword, text);
    login->cmdOK->click();
    const int result = login->result();
    login->hide();
    return result;
}

// Runs the test object once per edition in a private settings folder.
template <typename TestObject>
int runInBothEditions(int argc, char** argv)
{
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    int failures = 0;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        qInfo("---- %s edition", edition == EditionId::German ? "German" : "English");
        TestObject test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

inline bool german()
{
    return Edition::current().isGerman();
}

// The text of the current edition.
inline QString ed(const char* english, const char* german)
{
    return QString::fromUtf8(Edition::current().isGerman() ? german : english);
}

} // namespace apptest

#define KORVANE_EDITIONS_MAIN(TestObject) \
    int main(int argc, char** argv) { return apptest::runInBothEditions<TestObject>(argc, argv); }
