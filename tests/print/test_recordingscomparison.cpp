// The follow-up comparison page of 2 to 4 recordings, shown in the print
// preview as the Recordings window shows it, printed through the printer
// seam into a PDF and read back with pdftotext: every figure and change of
// the table against each recording's own summary and report (computed here
// through computeAbpmSummary and computeAbpmReport and written here), the
// patient of the newest recording, each recording's span; a recording
// without asleep readings and one without valid readings; one page for 4
// recordings; distinct line styles in the profile; Save as PDF beside the
// newest recording; a count outside 2..4 refused. Runs once per edition;
// with KORVANE_SHOT_DIR set the page and the window (1024 x 768) are kept
// there as pictures.
#include "PrintTestSupport.h"
#include "data/AbpmRecording.h"

#include "data/AbpmSummaryWords.h"
#include "print/RecordingsComparison.h"
#include "print/RecordingsComparisonPage.h"
#include "text/MessageCatalogue.h"

#include <QApplication>
#include <QPointer>
#include <QRandomGenerator>

using namespace printtest;
using namespace abpmtest;

namespace {

double written(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

AbpmReportSource sourceOf(const QString& path, QDateTime start, int hours, double daySys, double dip, quint32 seed,
                          RecordingDetails details = {})
{
    Plan plan;
    plan.start = start;
    plan.hours = hours;
    plan.daySys = daySys;
    plan.dayDia = daySys * 0.6;
    plan.dipPercent = dip;
    Generated g = generate(plan);
    QRandomGenerator random(seed);
    for (BpRow& r : g.rows) {
        r.sys = *r.sys + random.bounded(-11, 12);
        r.dia = *r.dia + random.bounded(-6, 7);
    }
    AbpmReportSource s;
    s.dataFile = path;
    s.readings = readingsOf(g.rows);
    s.details = details;
    s.periods = AbpmPeriods::standard();
    return s;
}

struct Own {
    AbpmSummary summary;
    AbpmReportFigures report;
};

// What a figure row of the table reads for these recordings, oldest first:
// the value of each, and from the second on its change against the first.
QString expectedRow(const QString& label, const std::vector<Own>& own,
                    const std::function<std::optional<double>(const Own&)>& figure, int decimals, bool percent)
{
    QStringList cells{label};
    const std::optional<double> first = figure(own[0]);
    for (size_t i = 0; i < own.size(); ++i) {
        const std::optional<double> v = figure(own[i]);
        cells << (v ? number(*v, decimals) + (percent ? QStringLiteral(" %") : QString()) : QStringLiteral("-"));
        if (i == 0)
            continue;
        if (!v || !first) {
            cells << QStringLiteral("-");
            continue;
        }
        const double change = written(written(*v, decimals) - written(*first, decimals), decimals);
        cells << (change > 0 ? QStringLiteral("+") : QString()) + number(change, decimals);
    }
    return cells.join(QLatin1Char(' '));
}

} // namespace

class TestRecordingsComparison : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_pdfs = 0;
    QPrinter m_printer;

    QString print(RecordingsComparison* window)
    {
        ScriptedSeams seams;
        const QString pdf = m_dir.filePath(QStringLiteral("comparison%1.pdf").arg(++m_pdfs));
        seams.printerPdfPath = pdf;
        window->actPrint->trigger();
        return seams.messages.empty() ? pdf : QString();
    }

    // Four recordings of one patient, the newest with a new surname; the
    // third without asleep readings, given in no particular order.
    std::vector<AbpmReportSource> fourRecordings()
    {
        RecordingDetails patient;
        patient.patientNumber = QStringLiteral("P-0042");
        patient.surname = QStringLiteral("Müller");
        patient.firstName = QStringLiteral("Anna");
        patient.birthDate = QDate(1961, 2, 28);
        patient.sex = PatientSex::Female;
        patient.officeSys = 162;
        patient.officeDia = 98;
        RecordingDetails newest = patient;
        newest.surname = QStringLiteral("Müller-Lüdenscheidt");
        newest.officeSys = 128;
        newest.officeDia = 82;
        const QDateTime at(QDate(2023, 2, 1), QTime(9, 30), Qt::UTC);
        return {
            sourceOf(m_dir.filePath("Mueller 2024-07-02.amb"), at.addDays(517), 25, 126, 14, 4, newest),
            sourceOf(m_dir.filePath("Mueller 2023-02-01.amb"), at, 24, 158, 4, 1, patient),
            sourceOf(m_dir.filePath("Mueller 2023-09-14.amb"), at.addDays(225), 11, 139, 12, 3, patient),
            sourceOf(m_dir.filePath("Mueller 2023-08-14.amb"), at.addDays(194), 26, 146, 9, 2, patient),
        };
    }

private slots:
    void cleanup()
    {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<RecordingsComparison*>(w))
                windows << w;
        qDeleteAll(windows);
    }

    void theTableIsEachRecordingsOwnFigures_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("thresholdSet");
        QTest::newRow("2 recordings") << 2 << int(AbpmThresholdSet::Esh);
        QTest::newRow("4 recordings") << 4 << int(AbpmThresholdSet::Esh);
        QTest::newRow("4 recordings, other thresholds") << 4 << int(AbpmThresholdSet::AccAha2017);
    }

    void theTableIsEachRecordingsOwnFigures()
    {
        QFETCH(int, count);
        QFETCH(int, thresholdSet);
        const auto thresholds = AbpmThresholdSet(thresholdSet);
        std::vector<AbpmReportSource> sources = fourRecordings();
        sources.resize(size_t(count));
        for (AbpmReportSource& s : sources)
            s.thresholds = thresholds;
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2024, 11, 5), QTime(10, 0));
        RecordingsComparison* window = showRecordingsComparison(nullptr, sources, &m_printer);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->pageCount(), 1);
        QCOMPARE(window->page()->scale(), 1.0);
        const QString pdf = print(window);
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(pdfPageCount(pdf), 1);
        const QStringList lines = linesOf(pageTexts(pdf).value(0));
        const QString text = lines.join(QLatin1Char('\n'));

        // Oldest first, computed here from each recording as its own report would.
        std::vector<AbpmReportSource> ordered = sources;
        std::sort(ordered.begin(), ordered.end(), [](const AbpmReportSource& a, const AbpmReportSource& b) {
            return a.readings.front().moment < b.readings.front().moment;
        });
        std::vector<Own> own;
        for (const AbpmReportSource& s : ordered)
            own.push_back({computeAbpmSummary(s.readings, s.periods, s.details, s.setAside, s.thresholds),
                           computeAbpmReport(s.readings, s.periods, s.details, s.setAside, s.thresholds)});

        // Header: the newest recording's patient, each recording's span and file.
        const AbpmReportSource& newest = ordered.back();
        QVERIFY2(text.contains(ed("Follow-up Comparison of ABPM Recordings", "Verlaufsvergleich der ABDM-Aufzeichnungen")),
                 qPrintable(text));
        QVERIFY2(text.contains(ed("Printed 11/5/2024", "Gedruckt 05.11.2024")), qPrintable(text));
        const QString set = thresholds == AbpmThresholdSet::Esh ? QStringLiteral("ESH") : QStringLiteral("ACC/AHA 2017");
        QVERIFY2(text.contains(ed("Thresholds: ", "Grenzwerte: ") + set), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Patient: %1, Anna").arg(newest.details.surname)), qPrintable(text));
        QVERIFY(text.contains(ed("No. P-0042", "Nr. P-0042")));
        QVERIFY(!text.contains(ed("different patients", "verschiedene Patienten")));
        for (size_t i = 0; i < ordered.size(); ++i) {
            const AbpmSummary& s = own[i].summary;
            const auto moment = [](const QDateTime& m) { return day(m.date()) + QLatin1Char(' ') + m.toString("HH:mm"); };
            const QString line = ed("Recording %1: %2 to %3, %4 readings", "Aufzeichnung %1: %2 bis %3, %4 Messungen")
                                     .arg(i + 1)
                                     .arg(moment(s.first), moment(s.last))
                                     .arg(s.readings);
            QVERIFY2(text.contains(line + QLatin1Char(' ') + QFileInfo(ordered[i].dataFile).fileName()),
                     qPrintable(line + "\n" + text));
        }

        // Every figure row, value and change, as worked out here.
        const auto mean = [](AbpmPeriodKind p, AbpmQuantity q) {
            return [p, q](const Own& o) { return o.summary.period(p).assessedMean(q); };
        };
        const auto load = [](AbpmPeriodKind p, bool sys) {
            return [p, sys](const Own& o) { return sys ? o.report.period(p).sysLoad : o.report.period(p).diaLoad; };
        };
        const QString sysLabel = QStringLiteral("SYS"), diaLabel = QStringLiteral("DIA");
        const QStringList expected = {
            expectedRow(ed("Valid readings", "Gültige Messungen"), own,
                        [](const Own& o) { return std::optional<double>(double(o.summary.valid)); }, 0, false),
            expectedRow(ed("Valid share", "Gültiger Anteil"), own,
                        [](const Own& o) {
                            return std::optional<double>(std::floor(1000.0 * double(o.summary.valid) / double(o.summary.readings)) / 10.0);
                        },
                        1, true),
            expectedRow(ed("24-hour mean SYS", "24-Stunden-Mittel SYS"), own, mean(AbpmPeriodKind::Day24, AbpmQuantity::Sys), 1, false),
            expectedRow(diaLabel, own, mean(AbpmPeriodKind::Day24, AbpmQuantity::Dia), 1, false),
            expectedRow(ed("Awake mean SYS", "Wachmittel SYS"), own, mean(AbpmPeriodKind::Day, AbpmQuantity::Sys), 1, false),
            expectedRow(ed("Asleep mean SYS", "Schlafmittel SYS"), own, mean(AbpmPeriodKind::Night, AbpmQuantity::Sys), 1, false),
            expectedRow(ed("Night/day ratio SYS", "Nacht/Tag-Quotient SYS"), own,
                        [](const Own& o) { return o.summary.sysDipping.ratio; }, kAbpmRatioDecimals, false),
            expectedRow(diaLabel, own, [](const Own& o) { return o.summary.diaDipping.ratio; }, kAbpmRatioDecimals, false),
            expectedRow(ed("Load 24 hours SYS", "Last 24 Stunden SYS"), own, load(AbpmPeriodKind::Day24, true), kAbpmLoadDecimals, true),
            expectedRow(ed("Load awake SYS", "Last wach SYS"), own, load(AbpmPeriodKind::Day, true), kAbpmLoadDecimals, true),
            expectedRow(ed("Load asleep SYS", "Last Schlaf SYS"), own, load(AbpmPeriodKind::Night, true), kAbpmLoadDecimals, true),
        };
        for (const QString& row : expected)
            QVERIFY2(lines.contains(row), qPrintable(row + "\n---\n" + text));
        // Both awake and asleep diastolic rows exist (their label alone is "DIA").
        QVERIFY(lines.contains(expectedRow(diaLabel, own, mean(AbpmPeriodKind::Day, AbpmQuantity::Dia), 1, false)));
        QVERIFY(lines.contains(expectedRow(diaLabel, own, mean(AbpmPeriodKind::Night, AbpmQuantity::Dia), 1, false)));
        QVERIFY(lines.contains(expectedRow(diaLabel, own, load(AbpmPeriodKind::Night, false), kAbpmLoadDecimals, true)));

        // The words: the same functions as the recording's own report.
        QStringList classes{ed("Dipping class SYS", "Dipping-Typ SYS")}, fit{ed("Fit for diagnosis", "Zur Diagnose geeignet")},
            office{ed("Office pressure", "Praxisblutdruck")}, officeClass{ed("Office class", "Praxis gegen ambulant")};
        for (const Own& o : own) {
            const AbpmSummary& s = o.summary;
            classes << (s.sysDipping.dipClass ? abpmDipClassText(*s.sysDipping.dipClass) : QStringLiteral("-"));
            fit << (s.validForDiagnosis() ? ed("yes", "ja") : ed("no", "nein"));
            office << QStringLiteral("%1/%2").arg(*s.officeSys).arg(*s.officeDia);
            officeClass << abpmOfficeClassText(*s.officeClass);
        }
        QVERIFY2(lines.contains(classes.join(' ')), qPrintable(classes.join(' ') + "\n" + text));
        QVERIFY2(lines.contains(fit.join(' ')), qPrintable(fit.join(' ') + "\n" + text));
        QVERIFY2(lines.contains(office.join(' ')), qPrintable(office.join(' ') + "\n" + text));
        QVERIFY2(lines.contains(officeClass.join(' ')), qPrintable(officeClass.join(' ') + "\n" + text));
        if (count == 4) {
            // The third (11 hours by day) has no asleep figures and is not fit for diagnosis.
            QVERIFY(!own[2].summary.period(AbpmPeriodKind::Night).of(AbpmQuantity::Sys).mean);
            QVERIFY(!own[2].summary.validForDiagnosis());
        }

        // The legend names each recording; the profile's hours run noon to noon.
        QVERIFY(text.contains(ed("Hourly means from noon to noon (mmHg)", "Stundenmittel von Mittag bis Mittag (mmHg)")));
        QVERIFY(text.contains(QStringLiteral("12:00 14:00 16:00 18:00 20:00 22:00 00:00 02:00 04:00 06:00 08:00 10:00 12:00")));

        const QString shots = qEnvironmentVariable("KORVANE_SHOT_DIR");
        if (!shots.isEmpty()) {
            const QString stem = shots + QStringLiteral("/RecordingsComparison%1-%2").arg(count).arg(german() ? "de" : "en");
            QVERIFY(renderPage(pdf, 1, 100).save(stem + ".png"));
            window->resize(1024, 768);
            QTest::qWait(50);
            QVERIFY(window->grab().save(stem + "-window.png"));
        }
    }

    // Each recording's lines in its own style: the profile of two
    // recordings differing only in their lines' dashes shows them apart.
    void eachRecordingHasItsLineStyle()
    {
        QCOMPARE(RecordingsComparisonPage::lineStyle(0), Qt::SolidLine);
        QCOMPARE(RecordingsComparisonPage::lineStyle(1), Qt::DashLine);
        QCOMPARE(RecordingsComparisonPage::lineStyle(2), Qt::DotLine);
        QCOMPARE(RecordingsComparisonPage::lineStyle(3), Qt::DashDotLine);

        // Over the noon-to-noon axis a night from 20:00 to 06:00 lies unbroken in the middle.
        const QDateTime evening(QDate(2024, 12, 31), QTime(20, 0), Qt::UTC);
        const std::vector<AbpmReportSource> sources = {
            sourceOf(m_dir.filePath("night1.amb"), evening, 10, 150, 0, 5),
            sourceOf(m_dir.filePath("night2.amb"), evening.addDays(30), 10, 150, 0, 6),
        };
        ScriptedSeams seams;
        RecordingsComparison* window = showRecordingsComparison(nullptr, sources, &m_printer);
        QVERIFY(window);
        const QString pdf = print(window);
        QVERIFY(!pdf.isEmpty());
        const QRectF plot = window->page()->profilePlot();
        const QImage page = renderPage(pdf, 1, 150);
        // Twips to the picture: the body starts an inch from the top and
        // centred across the page.
        const double perTwip = 150.0 / 1440.0;
        const double bodyLeft = (page.width() / perTwip - 8505) / 2;
        const auto dark = [&](double fromSlot, double toSlot) {
            int n = 0;
            const int x0 = int((bodyLeft + plot.left() + plot.width() * fromSlot / 24) * perTwip) + 2;
            const int x1 = int((bodyLeft + plot.left() + plot.width() * toSlot / 24) * perTwip) - 2;
            const int y0 = int((1440 + plot.top()) * perTwip) + 3, y1 = int((1440 + plot.bottom()) * perTwip) - 3;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    n += qGray(page.pixel(x, y)) < 128;
            return n;
        };
        // Lines between the hours 20:00 and 05:00 (slots 8.5 to 17.5), none in the afternoon or the morning.
        QVERIFY(dark(9, 17) > 100);
        QCOMPARE(dark(0.2, 8), 0);
        QCOMPARE(dark(18.5, 23.8), 0);
    }

    void savePdfBesideTheNewestRecording()
    {
        std::vector<AbpmReportSource> sources = fourRecordings();
        sources.resize(3);
        ScriptedSeams seams;
        RecordingsComparison* window = showRecordingsComparison(nullptr, sources, &m_printer);
        QVERIFY(window);
        const QString target = m_dir.filePath(QStringLiteral("saved.pdf"));
        seams.filePaths.push_back(target);
        window->actSavePdf->trigger();
        QCOMPARE(seams.fileRequests.size(), size_t(1));
        QCOMPARE(seams.fileRequests[0].directory, m_dir.path());
        QCOMPARE(seams.fileRequests[0].fileName,
                 QStringLiteral("Mueller 2024-07-02 ") + ed("Compare Recordings", "Aufzeichnungen vergleichen") + ".pdf");
        QVERIFY(seams.messages.empty());
        QCOMPARE(pdfPageCount(target), 1);
    }

    void aRecordingWithoutValidReadingsAndOtherPatients()
    {
        RecordingDetails p1;
        p1.patientNumber = QStringLiteral("4711");
        RecordingDetails p2;
        p2.patientNumber = QStringLiteral("4712");
        const QDateTime at(QDate(2024, 3, 7), QTime(10, 0), Qt::UTC);
        std::vector<AbpmReportSource> sources = {sourceOf(m_dir.filePath("a.amb"), at, 24, 140, 10, 7, p1),
                                                 sourceOf(m_dir.filePath("b.amb"), at.addDays(40), 24, 140, 10, 8, p2)};
        for (AbpmReading& r : sources[1].readings)
            r.dia = r.sys; // diastolic not below systolic: every reading left out
        ScriptedSeams seams;
        RecordingsComparison* window = showRecordingsComparison(nullptr, sources, &m_printer);
        QVERIFY(window);
        const QStringList lines = linesOf(pageTexts(print(window)).value(0));
        const QString text = lines.join('\n');
        QVERIFY2(text.contains(ed("These recordings name different patients !", "Diese Aufzeichnungen nennen verschiedene Patienten !")),
                 qPrintable(text));
        const AbpmSummary first = computeAbpmSummary(sources[0].readings, sources[0].periods);
        QVERIFY2(lines.contains(ed("Valid readings %1 0 -%1", "Gültige Messungen %1 0 -%1").arg(first.valid)), qPrintable(text));
        QVERIFY(lines.contains(ed("Valid share 100.0 % 0.0 % -100.0", "Gültiger Anteil 100,0 % 0,0 % -100,0")));
        QVERIFY(lines.contains(ed("Fit for diagnosis yes no", "Zur Diagnose geeignet ja nein")));
        QVERIFY2(lines.contains(ed("24-hour mean SYS %1 - -", "24-Stunden-Mittel SYS %1 - -")
                                    .arg(number(*first.period(AbpmPeriodKind::Day24).assessedMean(AbpmQuantity::Sys), 1))),
                 qPrintable(text));
    }

    void aCountOutsideTwoToFourIsRefused()
    {
        const QDateTime at(QDate(2024, 3, 7), QTime(10, 0), Qt::UTC);
        for (int count : {0, 1, 5}) {
            std::vector<AbpmReportSource> sources;
            for (int i = 0; i < count; ++i)
                sources.push_back(sourceOf(m_dir.filePath(QStringLiteral("n%1.amb").arg(i)), at.addDays(i), 2, 140, 10, 9));
            ScriptedSeams seams;
            QVERIFY(!showRecordingsComparison(nullptr, sources));
            QCOMPARE(seams.messages.size(), size_t(1));
            QCOMPARE(seams.messages[0].text, ed("Choose 2 to 4 Recordings to Compare ! , %1 Chosen",
                                                "Zum Vergleich 2 bis 4 Aufzeichnungen wählen ! , %1 gewählt")
                                                 .arg(count));
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<RecordingsComparison*>(w) || !w->isVisible());
    }
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    int failures = 0;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        TestRecordingsComparison test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}
#include "test_recordingscomparison.moc"
