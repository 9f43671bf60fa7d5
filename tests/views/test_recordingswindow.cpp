// The recordings window over a small folder: the model passes Qt's model
// tester; each row's figures are written as the file's own ABPM summary
// writes them; search as you type, sorting, Return and double click open,
// Compare... only for two to four recordings of one patient; the keyboard
// reaches the list from the search box; a folder away is said so; each
// file is one row however its entries come.
#include "../data/AbpmRecording.h"
#include "data/AbpmReportSource.h"
#include "data/AbpmSettings.h"
#include "data/AbpmSummaryWords.h"
#include "data/RecordingDetailsStore.h"
#include "data/RecordingsIndex.h"
#include "text/MessageCatalogue.h"
#include "views/AbpmSummaryText.h"
#include "views/RecordingsModel.h"
#include "views/frmRecordings.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

namespace {

bool settled(RecordingsIndex& index)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (index.looked() && !index.scanning())
            return true;
    }
    return false;
}

} // namespace

class TestRecordingsWindow : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;
    QString m_dir;
    int m_n = 0;

    QString recording(const QString& name, const QString& number, const QString& surname, double daySys, int day)
    {
        const QString path = m_dir + u'/' + name;
        makeDataFile(path, Edition::current().id());
        abpmtest::Plan plan;
        plan.daySys = daySys;
        plan.start = QDateTime(QDate(2025, 3, day), QTime(9, 0), Qt::UTC);
        insertRows(path, Edition::current().id(), abpmtest::generate(plan).rows);
        RecordingDetails d;
        d.patientNumber = number;
        d.surname = surname;
        Connection c;
        if (!c.openFile(path) || !RecordingDetailsStore::write(c, d))
            qFatal("cannot write details");
        return path;
    }

    QStringList fill()
    {
        return {recording("a.amb", "4711", QString::fromUtf8("Müller"), 142, 3),
                recording("b.amb", "4711", QString::fromUtf8("Müller"), 128, 17),
                recording("c.amb", "815", QStringLiteral("Schmidt"), 135, 9)};
    }

private slots:
    void init()
    {
        m_dir = m_root.filePath(QString::number(++m_n));
        QVERIFY(QDir().mkpath(m_dir));
    }

    void rowsShowEachFilesOwnSummary_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("English") << false;
        QTest::newRow("German") << true;
    }
    void rowsShowEachFilesOwnSummary()
    {
        QFETCH(bool, german);
        Edition::select(german ? EditionId::German : EditionId::English);
        const QStringList files = fill();
        RecordingsIndex index(m_dir, m_root.filePath("cache"));
        RecordingsModel model(&index);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        RecordingsFilter filter;
        filter.setSourceModel(&model);
        QAbstractItemModelTester filterTester(&filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
        index.start();
        QVERIFY(settled(index));
        QTRY_COMPARE(model.rowCount(), 3);
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString path = model.index(row, 0).data(RecordingsModel::PathRole).toString();
            QString why;
            const std::optional<AbpmReportSource> s = readAbpmReportSourceAt(path, &why);
            QVERIFY2(s, qPrintable(why));
            const AbpmSummary summary = computeAbpmSummary(s->readings, s->periods, s->details, s->setAside);
            const QString html = AbpmSummaryText::html(summary, AbpmSettings::load());
            const auto text = [&model, row](int column) { return model.index(row, column).data().toString(); };
            for (int column : {RecordingsModel::Mean24, RecordingsModel::MeanAwake, RecordingsModel::MeanAsleep}) {
                QVERIFY(!text(column).isEmpty());
                QVERIFY2(html.contains(text(column)), qPrintable(text(column)));
            }
            QVERIFY2(html.contains(text(RecordingsModel::Valid).chopped(2)), qPrintable(text(RecordingsModel::Valid)));
            QVERIFY(html.contains(text(RecordingsModel::Dipping)));
            QCOMPARE(text(RecordingsModel::Readings), QString::number(summary.readings));
            QCOMPARE(text(RecordingsModel::File), QFileInfo(path).fileName());
        }
        // Search as you type, by name (case ignored) and by number.
        filter.setSearch(QString::fromUtf8("mül"));
        QCOMPARE(filter.rowCount(), 2);
        filter.setSearch(QStringLiteral("815"));
        QCOMPARE(filter.rowCount(), 1);
        filter.setSearch(QString());
        // Sorted by the 24-hour mean, as numbers.
        filter.sort(RecordingsModel::Mean24, Qt::AscendingOrder);
        QCOMPARE(filter.index(0, 0).data(RecordingsModel::PathRole).toString(), files[1]);
        QCOMPARE(filter.index(2, 0).data(RecordingsModel::PathRole).toString(), files[0]);
        // Changes and removals pass the tester too.
        QVERIFY(QFile::remove(files[2]));
        QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 2, 10000);
    }

    // However the entries come (the cache's thousands into an empty list at
    // once, the files read since in batches, a file read again while its
    // first entry still waited), each file is one row with its latest entry.
    void eachFileIsOneRowWhateverTheBatches()
    {
        RecordingsModel model(nullptr);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        RecordingsFilter filter;
        filter.setSourceModel(&model);
        QAbstractItemModelTester filterTester(&filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
        filter.sort(RecordingsModel::Start, Qt::DescendingOrder);
        const auto entry = [](const char* path, int day, int readings) {
            RecordingEntry e;
            e.path = QString::fromLatin1(path);
            e.start = QDateTime(QDate(2025, 3, day), QTime(9, 0));
            e.readings = e.valid = readings;
            return e;
        };
        const auto shown = [&filter] {
            QStringList rows;
            for (int row = 0; row < filter.rowCount(); ++row)
                rows << filter.index(row, RecordingsModel::File).data(RecordingsModel::PathRole).toString() + u' '
                        + filter.index(row, RecordingsModel::Readings).data().toString();
            return rows;
        };
        model.take({entry("/f/a.amb", 3, 10), entry("/f/b.amb", 5, 10), entry("/f/a.amb", 3, 12)});
        QCOMPARE(shown(), (QStringList{"/f/b.amb 10", "/f/a.amb 12"}));
        model.take({entry("/f/c.amb", 4, 7), entry("/f/b.amb", 5, 11), entry("/f/c.amb", 4, 8)});
        QCOMPARE(shown(), (QStringList{"/f/b.amb 11", "/f/c.amb 8", "/f/a.amb 12"}));
        model.drop({QStringLiteral("/f/b.amb")});
        model.take({entry("/f/d.amb", 1, 5)});
        QCOMPARE(shown(), (QStringList{"/f/c.amb 8", "/f/a.amb 12", "/f/d.amb 5"}));
    }

    void theWindowOpensAndComparesByKeyboardAndMouse()
    {
        Edition::select(EditionId::English);
        const QStringList files = fill();
        RecordingsIndex index(m_dir, m_root.filePath("cache"));
        frmRecordings window;
        window.showFolder(&index);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(settled(index));
        QTRY_COMPARE(window.model()->rowCount(), 3);
        QSignalSpy opened(&window, &frmRecordings::openRequested);
        QSignalSpy compared(&window, &frmRecordings::compareRequested);

        // From the search box: the one row found opens with Return.
        window.txtSearch->setFocus();
        QTest::keyClicks(window.txtSearch, QStringLiteral("schm"));
        QCOMPARE(window.filter()->rowCount(), 1);
        QTest::keyClick(window.txtSearch, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.takeFirst().at(0).toString(), files[2]);

        // Down goes to the list; Return there opens the current row.
        window.txtSearch->clear();
        QTest::keyClick(window.txtSearch, Qt::Key_Down);
        QVERIFY(window.grdRecordings->hasFocus());
        QTest::keyClick(window.grdRecordings, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        // A double click opens too.
        const QModelIndex second = window.filter()->index(1, 1);
        const QRect cell = window.grdRecordings->visualRect(second);
        QTest::mouseClick(window.grdRecordings->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(window.grdRecordings->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.last().at(0).toString(), second.data(RecordingsModel::PathRole).toString());

        // Compare: two of one patient yes; with the other patient's no.
        window.txtSearch->setText(QStringLiteral("4711"));
        window.grdRecordings->selectAll();
        QVERIFY(window.cmdCompare->isEnabled());
        QTest::mouseClick(window.cmdCompare, Qt::LeftButton);
        QCOMPARE(compared.size(), 1);
        QStringList paths = compared.first().at(0).toStringList();
        paths.sort();
        QCOMPARE(paths, (QStringList{files[0], files[1]}));
        window.txtSearch->clear();
        window.grdRecordings->selectAll();
        QVERIFY(!window.cmdCompare->isEnabled());
        window.grdRecordings->clearSelection();
        window.grdRecordings->selectRow(0);
        QVERIFY(!window.cmdCompare->isEnabled()); // one is not a comparison

        // The folder away: said so, the list stays.
        QVERIFY(QDir().rename(m_dir, m_dir + "-away"));
        index.rescan();
        QTRY_VERIFY_WITH_TIMEOUT(window.lblState->text().contains(catText("recordings.lblUnreachable")), 10000);
        QCOMPARE(window.model()->rowCount(), 3);
        QVERIFY(QDir().rename(m_dir + "-away", m_dir));
    }
};

QTEST_MAIN(TestRecordingsWindow)
#include "test_recordingswindow.moc"
