#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
    }

    void aFirstWriteUnderAnOpenUmaskLeavesTheFileForItsOwnerOnly()
    {
        // umask 022 would let a plainly created file be read by everyone.
        const mode_t previous = ::umask(022);
        QVERIFY(writeSetting("KORVANEFIRST", "Settings", "PASSWORD1", "secret"));
        ::umask(previous);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(settingsFilePath("KORVANEFIRST")).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 0777), 0600);
    }

    void absentKeyYieldsTheCallersDefault()
    {
        QCOMPARE(readSetting("KORVANE", "Settings", "COMMSET", "9600,n,8,1"), QString("9600,n,8,1"));
        QCOMPARE(readSetting("KORVANE", "Settings", "MainLeft"), QString());
    }

    void writtenValueIsReadBackExactlyAndReplaced()
    {
        QVERIFY(writeSetting("KORVANE", "Settings", "LOGIN", "NO"));
        QCOMPARE(readSetting("KORVANE", "Settings", "LOGIN", "YES"), QString("NO"));
        // Texts with commas and blanks survive the INI format unchanged.
        QVERIFY(writeSetting("KORVANE", "Settings", "COMMSET", "2400,e,7,2"));
        QCOMPARE(readSetting("KORVANE", "Settings", "COMMSET", "x"), QString("2400,e,7,2"));
        QVERIFY(writeSetting("KORVANE", "Settings", "PASSWORD1", " a b "));
        QCOMPARE(readSetting("KORVANE", "Settings", "PASSWORD1", "kvtq1"), QString(" a b "));
    }

    void sectionsAreSeparate()
    {
        QVERIFY(writeSetting("KORVANE", "Ports", "COM1", "/dev/pts/7"));
        QCOMPARE(readSetting("KORVANE", "Settings", "COM1", "none"), QString("none"));
    }

    void storeLivesUnderConfigHomeAndOnlyItsOwnerCanReadIt()
    {
        const QString path = settingsFilePath("KORVANE");
        QVERIFY2(path.startsWith(m_dir.path()), qPrintable(path));
        QVERIFY(QFile::exists(path));
        const auto perms = QFile::permissions(path);
        QVERIFY(perms & QFileDevice::ReadOwner);
        QVERIFY(!(perms & (QFileDevice::ReadGroup | QFileDevice::ReadOther)));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settingsstore.moc"
