// Sending a result into the result folder: the PDF is in place before the
// result appears and the result names it; a second result while the first
// waits counts on and gets a PDF of its own; a recording without a patient
// number, a failing PDF and an unwritable folder send nothing and leave
// nothing behind. Another account reads the result and its PDF.
#include "exchange/GdtLines.h"
#include "exchange/GdtSend.h"
#include "support/Unprivileged.h"
#include "text/Edition.h"

#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

RecordingDetails patient()
{
    RecordingDetails d;
    d.patientNumber = QStringLiteral("47/11");
    d.surname = QStringLiteral("Nigro");
    return d;
}

QString fieldOf(const QString& path, int id)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    for (const GdtLine& line : gdtLines(file.readAll()))
        if (line.fieldId == id)
            return QString::fromLatin1(line.content);
    return QString();
}

} // namespace

class TestGdtSend : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Edition::select(EditionId::English); }

    void pdfFirstThenResult()
    {
        QTemporaryDir dir;
        GdtSettings s;
        s.importFolder = dir.path();
        QStringList seenWhileMaking;
        const GdtPdfMaker maker = [&](const AbpmSummary&, const QString& path, QString*) {
            seenWhileMaking = QDir(dir.path()).entryList(QDir::Files);
            QFile pdf(path);
            return pdf.open(QIODevice::WriteOnly) && pdf.write("%PDF-1.4\n") > 0;
        };
        const GdtSendOutcome first = sendGdtResult(s, AbpmSummary{}, patient(), maker);
        QVERIFY2(first.sent(), qPrintable(first.problem));
        QVERIFY(seenWhileMaking.isEmpty()); // no result yet while the PDF is made
        QCOMPARE(QFileInfo(first.resultPath).fileName(), QStringLiteral("PRAXKORV.GDT"));
        QVERIFY(QFileInfo(first.pdfPath).fileName().startsWith(QStringLiteral("KORV_47_11_")));
        QCOMPARE(fieldOf(first.resultPath, 6305), QDir::toNativeSeparators(first.pdfPath));
        QCOMPARE(fieldOf(first.resultPath, 6303), QStringLiteral("PDF"));
        QCOMPARE(fieldOf(first.resultPath, 3000), QStringLiteral("47/11"));

        const GdtSendOutcome second = sendGdtResult(s, AbpmSummary{}, patient(), maker);
        QCOMPARE(QFileInfo(second.resultPath).fileName(), QStringLiteral("PRAXKORV.000"));
        QVERIFY(second.pdfPath != first.pdfPath);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4); // no temporary left

        s.attachPdf = false;
        const GdtSendOutcome plain = sendGdtResult(s, AbpmSummary{}, patient(), maker);
        QVERIFY(plain.pdfPath.isEmpty());
        QVERIFY(fieldOf(plain.resultPath, 6305).isEmpty());
    }

    void nothingSentLeavesNothing()
    {
        QTemporaryDir dir;
        GdtSettings s;
        s.importFolder = dir.path();
        const GdtPdfMaker failing = [](const AbpmSummary&, const QString& path, QString* why) {
            QFile(path).open(QIODevice::WriteOnly); // half made
            *why = QStringLiteral("no fonts");
            return false;
        };
        GdtSendOutcome outcome = sendGdtResult(s, AbpmSummary{}, patient(), failing);
        QVERIFY(!outcome.sent());
        QVERIFY(outcome.problem.contains(QStringLiteral("no fonts")));
        RecordingDetails nobody = patient();
        nobody.patientNumber = QStringLiteral("  ");
        outcome = sendGdtResult(s, AbpmSummary{}, nobody, {});
        QVERIFY(outcome.problem.contains(QStringLiteral("patient number")));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        s.exportFolder = dir.filePath(QStringLiteral("gone"));
        outcome = sendGdtResult(s, AbpmSummary{}, patient(), {});
        QVERIFY(outcome.problem.contains(dir.filePath(QStringLiteral("gone"))));
    }

    // The result and its PDF are files like any the user creates (0666
    // less the umask), whatever made them, so that a practice system under
    // another account can read them when the umask lets it.
    void resultAndPdfTakeTheUmask_data()
    {
        QTest::addColumn<int>("mask");
        QTest::newRow("022") << 0022;
        QTest::newRow("002") << 0002;
        QTest::newRow("027") << 0027;
        QTest::newRow("077") << 0077;
    }
    void resultAndPdfTakeTheUmask()
    {
        QFETCH(int, mask);
        QTemporaryDir dir;
        GdtSettings s;
        s.importFolder = dir.path();
        // A maker that writes as privately as a temporary file does.
        const GdtPdfMaker maker = [](const AbpmSummary&, const QString& path, QString*) {
            QFile pdf(path);
            return pdf.open(QIODevice::WriteOnly) && pdf.write("%PDF-1.4\n") > 0
                && pdf.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        };
        const mode_t before = ::umask(mode_t(mask));
        const GdtSendOutcome outcome = sendGdtResult(s, AbpmSummary{}, patient(), maker);
        ::umask(before);
        QVERIFY2(outcome.sent(), qPrintable(outcome.problem));
        const auto modeOf = [](const QString& path) {
            struct stat st {};
            ::stat(QFile::encodeName(path).constData(), &st);
            return int(st.st_mode & 0777);
        };
        QCOMPARE(modeOf(outcome.resultPath), 0666 & ~mask);
        QCOMPARE(modeOf(outcome.pdfPath), 0666 & ~mask);
    }

    // Read from another account: user nobody (in a child process) reads the
    // result and its PDF written under umask 022 byte for byte, and cannot
    // read a file kept to its owner (0600, as a temporary file is made), so
    // the check can fail.
    void anotherAccountReadsResultAndPdf()
    {
        // A folder every account may enter, whatever TMPDIR says.
        QTemporaryDir dir(QStringLiteral("/tmp/korvane-send-XXXXXX"));
        QVERIFY(dir.isValid());
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                      | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                                      | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                      | QFileDevice::ExeOther));
        QTemporaryFile kept(dir.filePath(QStringLiteral("kept-XXXXXX")));
        QVERIFY(kept.open());
        kept.write("a result written the old way");
        kept.close();
        const NobodyRead refused = readAsNobody(kept.fileName());
        if (!refused.skipReason.isEmpty())
            QSKIP(qPrintable(refused.skipReason));
        QVERIFY(!refused.read);
        QVERIFY2(refused.error.contains(QString::fromLocal8Bit(std::strerror(EACCES))), qPrintable(refused.error));

        GdtSettings s;
        s.importFolder = dir.path();
        const GdtPdfMaker maker = [](const AbpmSummary&, const QString& path, QString*) {
            QFile pdf(path);
            return pdf.open(QIODevice::WriteOnly) && pdf.write("%PDF-1.4\n%%EOF\n") > 0
                && pdf.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        };
        const mode_t before = ::umask(0022);
        const GdtSendOutcome outcome = sendGdtResult(s, AbpmSummary{}, patient(), maker);
        ::umask(before);
        QVERIFY2(outcome.sent(), qPrintable(outcome.problem));
        for (const QString& path : {outcome.resultPath, outcome.pdfPath}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const NobodyRead read = readAsNobody(path);
            QVERIFY2(read.read, qPrintable(path + u' ' + read.error));
            QCOMPARE(read.bytes, file.readAll());
        }
    }

    void unwritableFolderSendsNothing()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        GdtSettings s;
        s.importFolder = dir.path();
        const GdtSendOutcome outcome = sendGdtResult(s, AbpmSummary{}, patient(), {});
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!outcome.sent());
        QCOMPARE(outcome.problem, "Result folder: the folder " + dir.path() + " can not be written");
    }
};

QTEST_GUILESS_MAIN(TestGdtSend)
#include "test_gdtsend.moc"
