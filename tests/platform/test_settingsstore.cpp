// The settings store on disk: values as they stand in a hand-edited file,
// writes that keep them, a file only its owner can read, and a store that
// cannot be read or written.
#include "platform/SettingsStore.h"
#include "support/Unprivileged.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString kApp = QStringLiteral("KORVANE");
const QString kSection = QStringLiteral("Settings");

QString read(const QString& key, const QString& defaultValue = QStringLiteral("<default>"))
{
    return readSetting(kApp, kSection, key, defaultValue);
}

QString storePath()
{
    return settingsFilePath(kApp);
}

void putStoreFile(const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(storePath()).absolutePath());
    QFile file(storePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray storeFile()
{
    QFile file(storePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Opens the writing end of a FIFO in a thread. That open returns only once
// someone opens the reading end, so it tells whether the store opened the
// FIFO, and lets that first reader end instead of hang.
class FifoWatch {
public:
    explicit FifoWatch(const QString& path)
        : m_path(QFile::encodeName(path))
        , m_thread([this] {
            const int fd = ::open(m_path.constData(), O_WRONLY | O_CLOEXEC);
            m_opened = fd >= 0 && !m_ending;
            if (fd >= 0)
                ::close(fd);
        })
    {
    }
    ~FifoWatch()
    {
        m_ending = true;
        const int reader = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        m_thread.join();
        if (reader >= 0)
            ::close(reader);
    }
    bool openedByAReader() const { return m_opened; }

private:
    QByteArray m_path;
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_ending{false};
    std::thread m_thread;
};

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
        Edition::select(EditionId::English); // the store's refusals in the catalogue's words
    }

    void cleanup()
    {
        QFile::remove(storePath());
        QDir(QFileInfo(storePath()).absolutePath()).removeRecursively();
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
        QVERIFY2(settingsFilePath("KORVANEFIRST").startsWith(m_dir.path()), qPrintable(settingsFilePath("KORVANEFIRST")));
        QVERIFY(settingsReadProblem("KORVANEFIRST").isEmpty());
    }

    void absentStoreOrKeyYieldsTheCallersDefault()
    {
        QCOMPARE(read("COMMSET", "9600,n,8,1"), QString("9600,n,8,1"));
        QVERIFY(settingsReadProblem(kApp).isEmpty());
        QVERIFY(writeSetting(kApp, "Ports", "COM1", "/dev/pts/7"));
        QCOMPARE(read("COM1", "none"), QString("none"));
        QCOMPARE(readSetting(kApp, "Settings", "MainLeft"), QString());
    }

    void handEditedStoreReadsEveryValueAsItStandsAndWritesKeepThem()
    {
        putStoreFile("; written by hand\n"
                     "[Settings]\n"
                     "COMMSET=9600,n,8,1\n"
                     "COMMPORT = COM1,COM2 \n"
                     "LOGIN=\"YES,NO\"\n"
                     "EDIT=  NO,YES  \n"
                     "PASSWORD1=ab,cd\n"
                     "PASSWORD2=\" two, blanks \"\n"
                     "PASSWORD3=gr\xFC\xDF" "e,1\n"
                     "PASSWORD4=\n"
                     "PASSWORD5=a;b=c,\"d\"\n"
                     "MainLeft=1,5\n"
                     "[Ports]\n"
                     "COM1=/dev/ttyUSB0,x\n");
        const QList<std::pair<QString, QString>> expected = {
            {"COMMSET", "9600,n,8,1"},  {"COMMPORT", "COM1,COM2"},       {"LOGIN", "YES,NO"},
            {"EDIT", "NO,YES"},         {"PASSWORD1", "ab,cd"},          {"PASSWORD2", " two, blanks "},
            {"PASSWORD3", QStringLiteral("grüße,1")}, {"PASSWORD4", ""}, {"PASSWORD5", "a;b=c,\"d\""},
            {"MainLeft", "1,5"}};
        for (const auto& [key, value] : expected)
            QCOMPARE(read(key), value);
        QCOMPARE(readSetting(kApp, "Ports", "COM1"), QString("/dev/ttyUSB0,x"));

        // A write changes its own line only.
        const QByteArray before = storeFile();
        QVERIFY(writeSetting(kApp, kSection, "MainTop", "1200"));
        QCOMPARE(storeFile(), QByteArray(before).replace("MainLeft=1,5\n", "MainLeft=1,5\nMainTop=1200\n"));
        // Each value written back reads the same, the text that was not UTF-8 too.
        for (const auto& [key, value] : expected) {
            QVERIFY(writeSetting(kApp, kSection, key, read(key)));
            QCOMPARE(read(key), value);
        }
        QVERIFY(storeFile().contains("PASSWORD3=gr\xC3\xBC\xC3\x9F" "e,1\n"));
        QCOMPARE(read("MainTop"), QString("1200"));
        QCOMPARE(readSetting(kApp, "Ports", "COM1"), QString("/dev/ttyUSB0,x"));
        QVERIFY(storeFile().startsWith("; written by hand\n"));
    }

    void aValueWithALineBreakIsRefusedAndTheStoredOneStays()
    {
        QVERIFY(writeSetting(kApp, kSection, "PASSWORD1", "first"));
        QString why;
        QVERIFY(!writeSetting(kApp, kSection, "PASSWORD1", "a\nb", &why));
        QCOMPARE(why, catText("settings.lineBreak"));
        QCOMPARE(read("PASSWORD1"), QString("first"));
    }

    void aStoreThatIsNotARegularFileIsNeverOpened()
    {
        QVERIFY(QDir().mkpath(QFileInfo(storePath()).absolutePath()));
        QCOMPARE(::mkfifo(QFile::encodeName(storePath()).constData(), 0600), 0);
        {
            FifoWatch watch(storePath());
            QCOMPARE(read("LOGIN", "YES"), QString("YES"));
            // Checked at once: the watch lets only one reader through.
            QVERIFY(!watch.openedByAReader());
            QCOMPARE(settingsReadProblem(kApp), catText("settings.notRegularFile"));
            QString why;
            QVERIFY(!writeSetting(kApp, kSection, "PASSWORD1", "new", &why));
            QCOMPARE(why, catText("settings.notRegularFile"));
        }
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(storePath()).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));

        // A folder in its place is refused the same way.
        QVERIFY(QFile::remove(storePath()));
        QVERIFY(QDir().mkdir(storePath()));
        QCOMPARE(read("COMMSET", "9600,n,8,1"), QString("9600,n,8,1"));
        QCOMPARE(settingsReadProblem(kApp), catText("settings.notRegularFile"));
        QVERIFY(!writeSetting(kApp, kSection, "COMMSET", "2400,e,7,2"));
    }

    void aWriteProtectedStoreRefusesWritesAndSaysWhy()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        QVERIFY(writeSetting(kApp, kSection, "PASSWORD1", "old"));
        QVERIFY(QFile::setPermissions(storePath(), QFileDevice::ReadOwner));
        const QByteArray before = storeFile();
        QString why;
        QVERIFY(!writeSetting(kApp, kSection, "PASSWORD1", "new", &why));
        QCOMPARE(why, QString::fromLocal8Bit(std::strerror(EACCES)));
        QCOMPARE(read("PASSWORD1"), QString("old"));
        QCOMPARE(storeFile(), before);
        QVERIFY(settingsReadProblem(kApp).isEmpty());

        // A folder that cannot be written stops the first write.
        QVERIFY(QFile::remove(storePath()));
        const QString folder = QFileInfo(storePath()).absolutePath();
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        why.clear();
        QVERIFY(!writeSetting(kApp, kSection, "PASSWORD1", "new", &why));
        QVERIFY(!why.isEmpty());
        QVERIFY(!QFile::exists(storePath()));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

        // A store that cannot be read is not written over.
        QVERIFY(writeSetting(kApp, kSection, "PASSWORD1", "old"));
        QVERIFY(QFile::setPermissions(storePath(), QFileDevice::WriteOwner));
        QCOMPARE(settingsReadProblem(kApp), QString::fromLocal8Bit(std::strerror(EACCES)));
        QCOMPARE(read("PASSWORD1", "kvtq1"), QString("kvtq1"));
        QVERIFY(!writeSetting(kApp, kSection, "EDIT", "YES"));
        QVERIFY(QFile::setPermissions(storePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(read("PASSWORD1"), QString("old"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settingsstore.moc"
