// The ABPM report a doctor signs, over real data files, printed through the
// printer seam into a PDF file and read back with pdftotext: every figure of
// the table, the validity counts, night fall and morning surge against an
// independent computation over the generated rows (the generator's own
// night rule, brute force); a recording with set-aside readings; one
// without patient details; one page for 24 hours at 15/30-minute intervals
// on A4 and Letter; the conclusion edited, kept and read again after the
// file is opened anew; a long conclusion moving to page 2. Runs once per
// edition; with KORVANE_SHOT_DIR set the page is kept there as a picture.
#include "PrintTestSupport.h"
#include "data/AbpmRecording.h"

#include "data/RecordingDetailsStore.h"
#include "data/RecordingReview.h"
#include "print/AbpmSignedReport.h"
#include "text/MessageCatalogue.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>

using namespace printtest;
using namespace abpmtest;

namespace {

struct Figures {
    double mean = 0, sd = 0;
};

Figures figuresOf(const std::vector<double>& v)
{
    Figures f;
    for (double x : v)
        f.mean += x / double(v.size());
    for (double x : v)
        f.sd += (x - f.mean) * (x - f.mean);
    f.sd = std::sqrt(f.sd / double(v.size() - 1));
    return f;
}

double valueAt(const BpRow& r, int q)
{
    return q == 0 ? *r.sys : q == 1 ? *r.dia : *r.pulse;
}

// The time-weighted mean: each reading for half the time to each neighbour.
double weightedMean(const std::vector<BpRow>& rows, int q)
{
    double sum = 0, weights = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QDateTime at(rows[i].date, rows[i].time, Qt::UTC);
        double w = 0;
        if (i > 0)
            w += QDateTime(rows[i - 1].date, rows[i - 1].time, Qt::UTC).secsTo(at);
        if (i + 1 < rows.size())
            w += at.secsTo(QDateTime(rows[i + 1].date, rows[i + 1].time, Qt::UTC));
        sum += w * valueAt(rows[i], q);
        weights += w;
    }
    return sum / weights;
}

// The table's three lines of one period, worked out from the rows alone;
// for 24 hours the time-weighted mean and Bilo's SD (day 15 h, night 9 h)
// come first and the plain figures in brackets.
QStringList expectedRows(const std::vector<BpRow>& rows, const std::vector<bool>& keep, const QString& name,
                         int sysThreshold, int diaThreshold, const std::vector<bool>* night = nullptr)
{
    QStringList lines;
    const auto values = {std::make_pair(ed("SYS", "SYS"), 0), std::make_pair(ed("DIA", "DIA"), 1),
                         std::make_pair(ed("Pulse", "Puls"), 2)};
    for (const auto& [label, q] : values) {
        std::vector<double> v, byDay, byNight;
        double lo = 1e9, hi = -1e9;
        QTime loAt, hiAt;
        qint64 above = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (!keep[i])
                continue;
            const double x = valueAt(rows[i], q);
            v.push_back(x);
            if (night)
                ((*night)[i] ? byNight : byDay).push_back(x);
            if (x < lo) { lo = x; loAt = rows[i].time; }
            if (x > hi) { hi = x; hiAt = rows[i].time; }
            above += x >= (q == 0 ? sysThreshold : diaThreshold);
        }
        const Figures all = figuresOf(v);
        QString meanSd = number(all.mean, 1) + QStringLiteral(" ± ") + number(all.sd, 1);
        if (night) {
            const double bilo = (figuresOf(byDay).sd * 15 + figuresOf(byNight).sd * 9) / 24;
            meanSd = number(weightedMean(rows, q), 1) + QStringLiteral(" ± ") + number(bilo, 1) + QStringLiteral(" (")
                + meanSd + QLatin1Char(')');
        }
        QString line = (q == 0 ? name + QLatin1Char(' ') : QString()) + label + QLatin1Char(' ') + meanSd
            + QStringLiteral(" %1 (%2) %3 (%4)").arg(number(lo, 0), loAt.toString(QStringLiteral("HH:mm")),
                                                     number(hi, 0), hiAt.toString(QStringLiteral("HH:mm")));
        if (q < 2)
            line += QLatin1Char(' ') + number(double(above * 1000 / qint64(v.size())) / 10.0, 1) + QStringLiteral(" %");
        if (q == 0)
            line += QLatin1Char(' ') + QString::number(v.size());
        lines << line;
    }
    return lines;
}

} // namespace

class TestSignedReport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    std::unique_ptr<QPrinter> m_printer;
    Generated m_generated;

    // A data file of the generated recording, open as the current file.
    void makeFile(const Plan& plan, bool withDetails)
    {
        m_generated = generate(plan);
        QRandomGenerator random(17);
        for (BpRow& r : m_generated.rows) {
            r.sys = *r.sys + random.bounded(-9, 10);
            r.pulse = *r.pulse + random.bounded(-4, 5);
        }
        const EditionId edition = Edition::current().id();
        const QString path = makeDataFile(m_dir.filePath(QStringLiteral("Patient %1.amb").arg(++m_files)), edition);
        insertRows(path, edition, m_generated.rows);
        gDataFile = path;
        gFileReady = true;
        openRecords(path);
        if (withDetails) {
            RecordingDetails d;
            d.patientNumber = QStringLiteral("P-0042");
            d.surname = QStringLiteral("Müller");
            d.firstName = QStringLiteral("Anna");
            d.birthDate = QDate(1961, 2, 28);
            d.sex = PatientSex::Female;
            d.physician = QStringLiteral("Dr. Weber");
            d.officeSys = 150;
            d.officeDia = 95;
            QString why;
            QVERIFY2(RecordingDetailsStore::writeCurrent(d, &why), qPrintable(why));
        }
    }

    AbpmSignedReport* show()
    {
        AbpmSignedReport* report = ReportWindows::signedReport();
        report->setPrinter(m_printer.get());
        return report->Show() ? report : nullptr;
    }

    QString print(AbpmSignedReport* report)
    {
        ScriptedSeams seams;
        const QString pdf = m_dir.filePath(QStringLiteral("report%1.pdf").arg(++m_files));
        seams.printerPdfPath = pdf;
        report->actPrint->trigger();
        return seams.messages.empty() ? pdf : QString();
    }

    static QString pageText(const QString& pdf, int page = 0)
    {
        return linesOf(pageTexts(pdf).value(page)).join(QLatin1Char('\n'));
    }

private slots:
    void init()
    {
        resetAll();
        QVERIFY(ReportSettings::storePractice(QString()));
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
    }

    void cleanup()
    {
        ScriptedSeams quiet;
        ReportWindows::closeSignedReport();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        resetAll();
    }

    void everyFigureOnThePage()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2024, 11, 5), QTime(9, 30));
        makeFile(Plan(), true);
        AbpmSignedReport* report = show();
        QVERIFY(report);
        const QString pdf = print(report);
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(pdfPageCount(pdf), 1);
        const QString text = pageText(pdf);
        const std::vector<BpRow>& rows = m_generated.rows;
        std::vector<bool> all(rows.size(), true), day, night;
        for (bool n : m_generated.night) {
            day.push_back(!n);
            night.push_back(n);
        }
        QStringList expected = {
            ed("Ambulatory Blood Pressure Report", "Befund der ambulanten Blutdruckmessung"),
            ed("Printed 11/5/2024", "Gedruckt 05.11.2024"),
            ed("Patient: Müller, Anna No. P-0042 born 2/28/1961 (63 years) Female",
               "Patient: Müller, Anna Nr. P-0042 geb. 28.02.1961 (63 Jahre) Weiblich"),
            ed("Recording: 3/7/2024 10:00 to 3/8/2024 09:45", "Messung: 07.03.2024 10:00 bis 08.03.2024 09:45"),
            ed("Physician: Dr. Weber", "Arzt: Dr. Weber"),
            ed("Readings 78, valid 78, set aside by the doctor 0, left out by the artefact rules 0; awake 60, asleep 18",
               "Messungen 78, gültig 78, vom Arzt ausgesondert 0, als Artefakt ausgeschlossen 0; wach 60, Schlaf 18"),
            ed("Fit for diagnosis", "Zur Diagnose geeignet"),
            ed("Office 150/95 mmHg: Sustained hypertension", "Praxis 150/95 mmHg: Dauerhafte Hypertonie"),
        };
        expected += expectedRows(rows, all, ed("24 hours", "24 Stunden"), 130, 80, &m_generated.night);
        expected += expectedRows(rows, day, ed("Awake", "Wach"), 135, 85);
        expected += expectedRows(rows, night, ed("Asleep", "Schlaf"), 120, 70);
        // Night fall from the generated means.
        const auto sysOf = [](const BpRow& r) { return *r.sys; };
        const auto diaOf = [](const BpRow& r) { return *r.dia; };
        const double daySys = reference(rows, sysOf, [&](size_t i) { return day[i]; }).mean;
        const double nightSys = reference(rows, sysOf, [&](size_t i) { return night[i]; }).mean;
        const double dayDia = reference(rows, diaOf, [&](size_t i) { return day[i]; }).mean;
        const double nightDia = reference(rows, diaOf, [&](size_t i) { return night[i]; }).mean;
        // The ratio of the shown means, to three decimals, and the fall from it.
        const auto ratio = [](double day, double night) {
            return std::round(std::round(night * 10) / std::round(day * 10) * 1000) / 1000;
        };
        const double sysRatio = ratio(daySys, nightSys), diaRatio = ratio(dayDia, nightDia);
        expected << ed("Night/day ratio, systolic: %1 (fall %2 %)", "Verhältnis Nacht/Tag, systolisch: %1 (Absenkung %2 %)")
                        .arg(number(sysRatio, 3), number(100 * (1 - sysRatio), 1))
                 << ed("Night/day ratio, diastolic: %1 (fall %2 %)", "Verhältnis Nacht/Tag, diastolisch: %1 (Absenkung %2 %)")
                        .arg(number(diaRatio, 3), number(100 * (1 - diaRatio), 1))
                 << ed("Thresholds: ESH.", "Grenzwerte: ESH.");
        // Morning surge: 07:00-09:00 of the 8th less the lowest night reading and its neighbours.
        size_t lowest = 0;
        double morning = 0;
        int morningCount = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (night[i] && (!night[lowest] || *rows[i].sys < *rows[lowest].sys))
                lowest = i;
            const QDateTime at(rows[i].date, rows[i].time, Qt::UTC);
            if (at >= QDateTime(QDate(2024, 3, 8), QTime(7, 0), Qt::UTC) && at < QDateTime(QDate(2024, 3, 8), QTime(9, 0), Qt::UTC)) {
                morning += *rows[i].sys;
                ++morningCount;
            }
        }
        double low = 0;
        int lowCount = 0;
        for (size_t i = lowest - 1; i <= lowest + 1; ++i)
            if (night[i]) {
                low += *rows[i].sys;
                ++lowCount;
            }
        expected << ed("Morning surge: %1 mmHg", "Morgendlicher Anstieg: %1 mmHg").arg(number(morning / morningCount - low / lowCount, 1));
        expected << report->txtConclusion->toPlainText() << ed("Signature", "Unterschrift");
        // pdftotext may close up the narrow blank before a right-aligned "%".
        const auto closed = [](QString t) { return t.replace(QStringLiteral(" %"), QStringLiteral("%")); };
        // The conclusion wraps: it is looked for in the page's words.
        const QString conclusion = expected.takeAt(expected.indexOf(report->txtConclusion->toPlainText()));
        QVERIFY2(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).contains(conclusion), qPrintable(conclusion));
        for (const QString& line : expected)
            QVERIFY2(closed(text).contains(closed(line)), qPrintable(line + QStringLiteral("\n---\n") + text));
        QVERIFY(report->txtConclusion->toPlainText().startsWith(ed("24-hour mean (time-weighted) ", "24-Stunden-Mittel (zeitgewichtet) ")));

        const QString shots = qEnvironmentVariable("KORVANE_SHOT_DIR");
        if (!shots.isEmpty()) {
            QVERIFY(renderPage(pdf, 1, 100).save(shots + (german() ? "/SignedReport-de.png" : "/SignedReport-en.png")));
            report->resize(1024, 768);
            QVERIFY(report->grab().save(shots + (german() ? "/SignedReportWindow-de.png" : "/SignedReportWindow-en.png")));
        }
    }

    void setAsideReadingsAreCountedApart()
    {
        makeFile(Plan(), true);
        QString why;
        QVERIFY2(RecordingReview::setAsideCurrent(3, {SetAsideReason::PatientMoved, {}}, &why), qPrintable(why));
        QVERIFY(RecordingReview::setAsideCurrent(50, {SetAsideReason::Other, QStringLiteral("cuff")}, &why));
        AbpmSignedReport* report = show();
        QVERIFY(report);
        QCOMPARE(report->page()->pageCount(), 1);
        const QString text = pageText(print(report));
        QVERIFY2(text.contains(ed("Readings 78, valid 76, set aside by the doctor 2, left out by the artefact rules 0",
                                  "Messungen 78, gültig 76, vom Arzt ausgesondert 2, als Artefakt ausgeschlossen 0")),
                 qPrintable(text));
        QVERIFY(text.contains(ed("Set aside", "Ausgesondert")));
    }

    void withoutPatientDetailsTheHeaderSaysWhatIsMissing()
    {
        makeFile(Plan(), false);
        AbpmSignedReport* report = show();
        QVERIFY(report);
        const QString text = pageText(print(report));
        QVERIFY2(text.contains(ed("Not given: patient's name, patient number, date of birth, sex, physician",
                                  "Nicht angegeben: Name des Patienten, Patientennummer, Geburtsdatum, Geschlecht, Arzt")),
                 qPrintable(text));
        QVERIFY(text.contains(ed("Recording: 3/7/2024 10:00", "Messung: 07.03.2024 10:00")));
    }

    void onePageFor24Hours_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::newRow("A4") << QPageSize::A4;
        QTest::newRow("Letter") << QPageSize::Letter;
    }
    void onePageFor24Hours()
    {
        QFETCH(QPageSize::PageSizeId, paper);
        m_printer->setPageSize(QPageSize(paper));
        makeFile(Plan(), true);
        AbpmSignedReport* report = show();
        QVERIFY(report);
        const QString pdf = print(report);
        QCOMPARE(pdfPageCount(pdf), 1);
        QVERIFY(pageText(pdf).contains(ed("Signature", "Unterschrift")));
    }

    void theConclusionIsEditedAndKept()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2024, 11, 5), QTime(9, 30));
        makeFile(Plan(), true);
        AbpmSignedReport* report = show();
        QVERIFY(report);
        report->txtConclusion->setPlainText(QStringLiteral("Edited by the doctor: dipper, no treatment."));
        report->txtPractice->setText(QStringLiteral("Praxis Dr. Weber, Hauptstraße 1"));
        report->cmdKeep->click();
        QVERIFY(seams.messages.empty());
        ReportWindows::closeSignedReport();
        resetAll();
        // The file opened afresh: the conclusion and the practice line come back.
        gDataFile = m_dir.filePath(QStringLiteral("Patient %1.amb").arg(m_files));
        gFileReady = true;
        report = show();
        QVERIFY(report);
        QCOMPARE(report->txtConclusion->toPlainText(), QStringLiteral("Edited by the doctor: dipper, no treatment."));
        const QString text = pageText(print(report));
        QVERIFY(text.contains(QStringLiteral("Edited by the doctor: dipper, no treatment.")));
        QVERIFY(text.contains(QStringLiteral("Praxis Dr. Weber, Hauptstraße 1")));
        QVERIFY2(text.contains(ed("Date: 11/5/2024 Physician: Dr. Weber", "Datum: 05.11.2024 Arzt: Dr. Weber")), qPrintable(text));
        // Draft Again gives the program's words back.
        report->cmdDraft->click();
        QVERIFY(report->txtConclusion->toPlainText().startsWith(ed("24-hour mean", "24-Stunden-Mittel")));
    }

    void aLongConclusionMovesToPageTwo()
    {
        makeFile(Plan(), true);
        AbpmSignedReport* report = show();
        QVERIFY(report);
        report->txtConclusion->setPlainText(QStringList(40, QStringLiteral("A long line of the doctor's words.")).join('\n'));
        QCOMPARE(report->pageCount(), 2);
        const QString pdf = print(report);
        QCOMPARE(pdfPageCount(pdf), 2);
        QVERIFY(pageText(pdf, 1).contains(ed("Page 2 of 2", "Seite 2 von 2")));
        QVERIFY(pageText(pdf, 1).contains(ed("Signature", "Unterschrift")));
    }

    void aFileThatCannotBeReadIsSaid()
    {
        ScriptedSeams seams;
        gDataFile = m_dir.filePath(QStringLiteral("missing.amb"));
        gFileReady = true;
        QVERIFY(!ReportWindows::signedReport()->Show());
        QVERIFY(!seams.messages.empty());
        QVERIFY(!ReportWindows::shownSignedReport());
    }
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    int failures = 0;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        TestSignedReport test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}
#include "test_signedreport.moc"
