// Starting the help viewer: the real seam hands the path over as one
// argument without a shell and without waiting, and refuses a program that
// is not there; the viewers are tried in order (configured one first, then
// xchm, then kchmviewer), found on PATH, and the first that starts wins.
#include "platform/HelpViewer.h"
#include "platform/Seams.h"
#include "support/ScriptedSeams.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Paths that a shell would split, expand or run.
const QString kAwkwardName = QStringLiteral("My Help  Files/it's \"$(touch pwned)\"; `x` & KORVANE.chm");

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_argsFile;
    QString m_releaseFile;
    int m_test = 0;

    QString standIn() const { return QStringLiteral(KORVANE_VIEWER_STANDIN); }

    // The arguments the stand-in received, once it has written them.
    QStringList receivedArguments()
    {
        if (!QTest::qWaitFor([this] { return QFile::exists(m_argsFile); }, 10000))
            return {QStringLiteral("<the stand-in never wrote its arguments>")};
        QFile file(m_argsFile);
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("<unreadable>")};
        QStringList arguments;
        for (const QByteArray& argument : file.readAll().split('\0'))
            arguments << QString::fromLocal8Bit(argument);
        arguments.removeLast(); // after the last NUL
        return arguments;
    }

    void release()
    {
        QFile file(m_releaseFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        // Files of their own for each test: a stand-in of an earlier test
        // may still be waiting for its release.
        ++m_test;
        m_argsFile = m_dir.filePath(QStringLiteral("arguments-%1").arg(m_test));
        m_releaseFile = m_dir.filePath(QStringLiteral("release-%1").arg(m_test));
        qputenv("KORVANE_STANDIN_ARGS", QFile::encodeName(m_argsFile));
        qputenv("KORVANE_STANDIN_RELEASE", QFile::encodeName(m_releaseFile));
    }

    void cleanup() { release(); }

    void realSeamHandsThePathOverWholeAndDoesNotWait()
    {
        const QString helpFile = m_dir.filePath(kAwkwardName);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(seams().startProgram(standIn(), {helpFile}));
        // The stand-in stays until released: a starter that waited would
        // take its full 10 s.
        QVERIFY2(clock.elapsed() < 5000, "the start waited for the viewer");
        QCOMPARE(receivedArguments(), QStringList{helpFile});
        QVERIFY2(!QFile::exists(QDir::current().filePath(QStringLiteral("pwned"))), "a shell ran the path");
    }

    void realSeamRefusesAProgramThatIsNotThere()
    {
        QVERIFY(!seams().startProgram(QStringLiteral("korvane-no-such-viewer"), {QStringLiteral("x.chm")}));
        QVERIFY(!seams().startProgram(m_dir.filePath(QStringLiteral("missing/viewer")), {}));
    }

    void candidatesInOrder_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << QString() << QStringList{"xchm", "kchmviewer"};
        QTest::newRow("blank") << QStringLiteral("   ") << QStringList{"xchm", "kchmviewer"};
        QTest::newRow("own viewer first, blanks inside kept")
            << QStringLiteral(" /opt/CHM Viewer/view ") << QStringList{"/opt/CHM Viewer/view", "xchm", "kchmviewer"};
        QTest::newRow("a platform viewer only once") << QStringLiteral("kchmviewer")
                                                     << QStringList{"kchmviewer", "xchm"};
    }

    void candidatesInOrder()
    {
        QFETCH(QString, configured);
        QFETCH(QStringList, expected);
        QCOMPARE(HelpViewer::candidates(configured), expected);
    }

    void theFirstViewerThatStartsWins()
    {
        ScriptedSeams scripted;
        scripted.startablePrograms = {QStringLiteral("kchmviewer")};
        QCOMPARE(HelpViewer::open(QStringLiteral("/a b/KORVANE.chm"), QStringLiteral("/opt/view")),
                 QStringLiteral("kchmviewer"));
        QCOMPARE(scripted.programStarts.size(), size_t(3));
        for (const auto& start : scripted.programStarts)
            QCOMPARE(start.arguments, QStringList{"/a b/KORVANE.chm"});
        QCOMPARE(scripted.programStarts.back().program, QStringLiteral("kchmviewer"));

        scripted.startablePrograms.clear();
        QCOMPARE(HelpViewer::open(QStringLiteral("/x/KORVANE.chm"), QString()), QString());
    }

    // The platform's viewers are found on PATH like any program.
    void platformViewerFoundOnPath()
    {
        const QByteArray oldPath = qgetenv("PATH");
        const QString bin = m_dir.filePath(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(bin));
        qputenv("PATH", QFile::encodeName(bin));
        QCOMPARE(HelpViewer::open(QStringLiteral("/x/KORVANE.chm"), QString()), QString());

        QVERIFY(QFile::link(standIn(), bin + QStringLiteral("/kchmviewer")));
        const QString helpFile = m_dir.filePath(kAwkwardName);
        QCOMPARE(HelpViewer::open(helpFile, QString()), QStringLiteral("kchmviewer"));
        qputenv("PATH", oldPath);
        QCOMPARE(receivedArguments(), QStringList{helpFile});
    }
};

QTEST_GUILESS_MAIN(TestHelpViewer)
#include "test_helpviewer.moc"
