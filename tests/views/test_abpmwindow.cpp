// The ABPM summary window over generated recordings: the figures and the
// chart it shows, the choice of day and night (narrow, own, refused,
// stored), validity reasons and the German edition's texts, artefact
// counts, the help text, following the records and the file, Print through
// its hook, a file that cannot be opened, names for screen readers, and a
// picture of the window.
#include "ViewTestSupport.h"
#include "data/RecordingDetailsStore.h"
#include "state/StateNotifier.h"
#include "data/AbpmRecording.h"

#include "data/AbpmSettings.h"
#include "data/AbpmSummary.h"
#include "platform/SettingsStore.h"
#include "state/StateNotifier.h"
#include "text/MessageCatalogue.h"
#include "views/AbpmHourlyChart.h"
#include "views/AbpmWindows.h"
#include "views/frmAbpm.h"

#include <QAccessible>
#include <QAreaSeries>
#include <QChartView>
#include <QComboBox>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimeEdit>
#include <QtTest>

using namespace abpmtest;

class TestAbpmWindow : public DataWindowTest {
    Q_OBJECT
public:
    TestAbpmWindow()
        : DataWindowTest("a")
    {
    }

private:
    QString recording(const Plan& plan = Plan(), EditionId edition = EditionId::English)
    {
        const QString path = fileWith(0, edition);
        insertRows(path, edition, generate(plan).rows);
        return path;
    }

    static frmAbpm* open(const QString& path) { return openDataWindow(path, &AbpmWindows::showSummary); }
    static QString text(frmAbpm* w) { return w->txtSummary->toPlainText().simplified(); }
    static AbpmHourlyChart* chart(frmAbpm* w) { return static_cast<AbpmHourlyChart*>(w->chtHourly->chart()); }
    static QString stored(const char* key)
    {
        return readSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(AbpmSettings::kSection),
                           QString::fromLatin1(key));
    }

private slots:
    void init()
    {
        startTest();
        AbpmSettings::store(AbpmPeriodChoice());
        AbpmWindows::setPrintHook(nullptr);
    }
    void cleanup() { endTest(&AbpmWindows::closeSummary); }

    void showsTheFiguresAndTheChart()
    {
        ScriptedSeams seams;
        frmAbpm* w = open(recording());
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QString("ABPM Summary"));
        QCOMPARE(w->summary().readings, 78);
        QVERIFY(w->optOwn->isChecked() && w->txtDayStart->isEnabled());
        QCOMPARE(w->txtDayStart->time(), QTime(7, 0));
        QCOMPARE(w->txtNightStart->time(), QTime(22, 0));

        const QString shown = text(w);
        for (const char* part : {"From 3/7/2024 10:00 to 3/8/2024 09:45", "Readings: 78, valid: 78 (100.0 %)",
                                 "Left out as artefacts: 0", "Day 07:00-22:00, night 22:00-07:00",
                                 "Systolic 140.0 119.0 0.850 15.0 Dipper", "Diastolic 80.0 68.0 0.850 15.0 Dipper",
                                 "Day (awake) 135/85 140.0/80.0 elevated: systolic 140.0 at or above 135 100.0 % 0.0 %",
                                 "Night (asleep) 120/70 119.0/68.0 normal: below 120/70 50.0 % 50.0 %",
                                 "Thresholds: ESH", "Valid for diagnosis"})
            QVERIFY2(shown.contains(QLatin1String(part)), part);
        // Each period's block: mean, the real SD, CV and ARV of the four quantities.
        QVERIFY2(shown.contains("Day (awake) Readings: 60 Mean (all readings) 140.0 80.0 100.0 75.0 "
                                "Standard deviation (SD) 3.0 3.0 3.0 0.0"),
                 qPrintable(shown));
        QVERIFY(shown.contains("Average real variability (ARV) 6.0 6.0 6.0 0.0"));

        // Every clock hour has readings; the night is one shaded area.
        QCOMPARE(chart(w)->sysSeries()->count(), 24);
        QCOMPARE(chart(w)->diaSeries()->at(12), QPointF(12.5, 80.0));
        QCOMPARE(chart(w)->sysSeries()->at(2), QPointF(2.5, 119.0));
        QVERIFY(seams.messages.empty());
    }

    // Hours without readings break the lines, and the legend still names
    // each line once; a later summary without the gap joins them again.
    void hoursWithoutReadingsBreakTheLines()
    {
        AbpmSummary summary;
        for (int hour : {1, 2, 3, 6, 9, 10}) {
            summary.hours[size_t(hour)].sysMean = 120.0 + hour;
            summary.hours[size_t(hour)].diaMean = 70.0 + hour;
        }
        auto* chartShown = new AbpmHourlyChart;
        chartShown->setFigures(summary, AbpmPeriods::standard());
        QChartView view(chartShown); // shown, so that the legend's markers are
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const AbpmHourlyChart& chart = *chartShown;
        const auto xsOf = [](const QList<QLineSeries*>& runs) {
            QList<QList<double>> xs;
            for (const QLineSeries* run : runs) {
                xs.append(QList<double>());
                for (const QPointF& p : run->points())
                    xs.last().append(p.x());
            }
            return xs;
        };
        const QList<QList<double>> expected = {{1.5, 2.5, 3.5}, {6.5}, {9.5, 10.5}};
        QCOMPARE(xsOf(chart.sysRuns()), expected);
        QCOMPARE(xsOf(chart.diaRuns()), expected);
        QCOMPARE(chart.diaRuns()[2]->at(1), QPointF(10.5, 80.0));
        QStringList named;
        for (QLegendMarker* marker : chart.legend()->markers())
            if (marker->isVisible())
                named.append(marker->label());
        QCOMPARE(named, QStringList({catText("abpm.seriesNight"), catText("abpm.seriesSys"), catText("abpm.seriesDia")}));

        for (AbpmHour& h : summary.hours) {
            h.sysMean = 130.0;
            h.diaMean = 80.0;
        }
        chartShown->setFigures(summary, AbpmPeriods::standard());
        QCOMPARE(chart.sysRuns().size(), 1);
        QCOMPARE(chart.sysSeries()->count(), 24);
        QCOMPARE(chart.series().size(), 3);
    }

    void anEmptyFileSaysSo()
    {
        ScriptedSeams seams;
        frmAbpm* w = open(fileWith(0));
        QVERIFY(w);
        const QString shown = text(w);
        for (const char* part : {"No reading has a date and time", "Readings: 0, valid: 0 (- %)",
                                 "Not valid for diagnosis: - the file holds no readings"})
            QVERIFY2(shown.contains(QLatin1String(part)), part);
        QCOMPARE(chart(w)->sysSeries()->count(), 0);
        QVERIFY(seams.messages.empty());
    }

    void narrowPeriodsChangeTheFiguresAndAreStored()
    {
        ScriptedSeams seams;
        frmAbpm* w = open(recording());
        w->optNarrow->click();
        QVERIFY(w->choice().narrow);
        QCOMPARE(w->summary().period(AbpmPeriodKind::Day).readings, 40);
        QCOMPARE(w->summary().period(AbpmPeriodKind::Night).readings, 12);
        QVERIFY(text(w).contains("Day 10:00-20:00, night 00:00-06:00 (narrow fixed periods)"));
        QVERIFY(!w->txtDayStart->isEnabled() && !w->cmdApply->isEnabled());
        QCOMPARE(stored("NARROW"), QString("YES"));
        // The chart shades the narrow night: the area's edge is high from 0 to 6 only.
        const QList<QPointF> edge = chart(w)->nightArea()->upperSeries()->points();
        double top = 0;
        for (const QPointF& p : edge)
            top = std::max(top, p.y());
        QList<double> high;
        for (const QPointF& p : edge)
            if (p.y() == top)
                high << p.x();
        QCOMPARE(high, QList<double>({0, 6}));

        // A window opened later starts with the choice.
        AbpmWindows::closeSummary();
        flushDeletes();
        w = AbpmWindows::showSummary();
        QVERIFY(w && w->optNarrow->isChecked());
        QCOMPARE(w->summary().period(AbpmPeriodKind::Day).readings, 40);
        w->optOwn->click();
        QCOMPARE(w->summary().period(AbpmPeriodKind::Day).readings, 60);
        QCOMPARE(stored("NARROW"), QString("NO"));
        QVERIFY(seams.messages.empty());
    }

    // The set of thresholds is chosen in the window, kept, named in the
    // figures and read back by a window opened later; a stored name the
    // program does not know gives ESH.
    void theSetOfThresholdsIsChosenAndKept()
    {
        ScriptedSeams seams;
        Plan plan;
        plan.daySys = 132; // under 135 by ESH, at or above 130 by ACC/AHA
        frmAbpm* w = open(recording(plan));
        QCOMPARE(w->cboThresholds->currentText(), QString("ESH"));
        QVERIFY(text(w).contains("Day (awake) 135/85 132.0/80.0 normal: below 135/85"));
        w->cboThresholds->setCurrentIndex(1);
        emit w->cboThresholds->activated(1);
        QCOMPARE(w->choice().thresholds, AbpmThresholdSet::AccAha2017);
        QCOMPARE(stored("THRESHOLDS"), QString("ACCAHA2017"));
        QVERIFY2(text(w).contains("Day (awake) 130/80 132.0/80.0 elevated: systolic 132.0 at or above 130, diastolic 80.0 "
                                  "at or above 80"),
                 qPrintable(text(w)));
        QVERIFY(text(w).contains("Thresholds: ACC/AHA 2017"));
        AbpmWindows::closeSummary();
        flushDeletes();
        w = AbpmWindows::showSummary();
        QCOMPARE(w->cboThresholds->currentText(), QString("ACC/AHA 2017"));
        QCOMPARE(w->summary().thresholds, AbpmThresholdSet::AccAha2017);
        AbpmWindows::closeSummary();
        flushDeletes();
        QVERIFY(writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(AbpmSettings::kSection),
                             QStringLiteral("THRESHOLDS"), QStringLiteral("WHO1999")));
        QCOMPARE(AbpmSettings::load().thresholds, AbpmThresholdSet::Esh);
        QVERIFY(seams.messages.empty());
    }

    void ownPeriodsApplyAndAnOverlapIsRefused()
    {
        ScriptedSeams seams;
        frmAbpm* w = open(recording());
        w->txtNightStart->setTime(QTime(21, 0));
        w->cmdApply->click();
        QCOMPARE(seams.lastMessageText(), QString("Day and Night Not Changed ! , Day and Night Both Hold 21:00"));
        QCOMPARE(seams.messages.back().title, QString("ABPM Summary"));
        QCOMPARE(w->txtNightStart->time(), QTime(22, 0)); // the periods in force again
        QCOMPARE(w->summary().period(AbpmPeriodKind::Night).readings, 18);
        QCOMPARE(stored("NIGHT"), QString("22:00-07:00"));

        w->txtDayEnd->setTime(QTime(21, 0));
        w->txtNightStart->setTime(QTime(21, 0));
        w->cmdApply->click();
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(w->summary().period(AbpmPeriodKind::Night).readings, 22); // 21:00-21:45 joined
        QCOMPARE(w->summary().period(AbpmPeriodKind::Day).readings, 56);
        QCOMPARE(stored("DAY"), QString("07:00-21:00"));
        QCOMPARE(stored("NIGHT"), QString("21:00-07:00"));
        QVERIFY(text(w).contains("Day 07:00-21:00, night 21:00-07:00"));
    }

    void aStoreThatRefusesIsNamedAndThePeriodsStillApply()
    {
        ScriptedSeams seams;
        frmAbpm* w = open(recording());
        // A folder where the store file should be: it cannot be written.
        const QString store = settingsFilePath(QString::fromLatin1(kAppTitle));
        QVERIFY(QFile::remove(store));
        QVERIFY(QDir().mkdir(store));
        w->optNarrow->click();
        QDir().rmdir(store);
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY2(seams.lastMessageText().startsWith("Day and Night Are Used but Not Stored ! , "),
                 qPrintable(seams.lastMessageText()));
        QCOMPARE(w->summary().period(AbpmPeriodKind::Day).readings, 40);
    }

    void tooFewNightReadingsSayWhyInBothEditions()
    {
        Plan plan;
        plan.nightStepMinutes = 90;
        for (EditionId edition : {EditionId::English, EditionId::German}) {
            Edition::select(edition);
            ScriptedSeams seams;
            frmAbpm* w = open(recording(plan, edition));
            QVERIFY(w);
            const QString shown = text(w);
            if (edition == EditionId::English) {
                QVERIFY(shown.contains("Not valid for diagnosis: - only 6 valid night readings, at least 7 are needed"));
            } else {
                QCOMPARE(w->windowTitle(), QString("ABDM-Auswertung"));
                for (const char* part :
                     {"Von 07.03.2024 10:00 bis 08.03.2024 09:45", "Messungen: 66, gültig: 66 (100,0 %)",
                      "Tag 07:00-22:00, Nacht 22:00-07:00", "Systolisch 140,0 119,0 0,850 15,0 Dipper",
                      "Standardabweichung (SD)", "Mittlere reale Variabilität (ARV)",
                      "Tag (wach) 135/85 140,0/80,0 erhöht: systolisch 140,0 auf oder über 135", "Grenzwerte: ESH",
                      "Zur Diagnose nicht geeignet: - nur 6 gültige Messungen in der Nacht, mindestens 7 sind nötig"})
                    QVERIFY2(shown.contains(QString::fromUtf8(part)), part);
                QCOMPARE(w->optNarrow->text(), QString("Enge feste Zeiten (Tag 10:00-20:00, Nacht 00:00-06:00)"));
                QCOMPARE(w->cmdClose->text(), QString("Beenden"));
                w->cmdHelp->click();
                QVERIFY(seams.lastMessageText().contains(QString::fromUtf8("systolischer Druck außerhalb 70-250 mmHg")));
                QCOMPARE(chart(w)->sysSeries()->name(), QString("SYS"));
                QCOMPARE(chart(w)->nightArea()->name(), QString("Nacht"));
            }
            AbpmWindows::closeSummary();
            flushDeletes();
        }
    }

    void artefactsAreCountedByRule()
    {
        ScriptedSeams seams;
        std::vector<BpRow> rows = generate(Plan()).rows;
        rows[3].sys = 300;
        rows[4].dia = 85;
        rows[4].sys = 95;
        rows[5].pulse.reset();
        const QString path = fileWith(0);
        insertRows(path, EditionId::English, rows);
        frmAbpm* w = open(path);
        QVERIFY(text(w).contains("Readings: 78, valid: 75 (96.1 %)"));
        QVERIFY2(text(w).contains("Left out as artefacts: 3 (empty value: 1; systolic outside 70-250 mmHg: 1; "
                                  "diastolic outside 40-150 mmHg: 0; diastolic not below systolic: 0; "
                                  "pulse pressure under 20 mmHg: 1)"),
                 qPrintable(text(w)));
    }

    void helpListsTheRules()
    {
        ScriptedSeams seams;
        frmAbpm* w = open(recording());
        w->cmdHelp->click();
        QCOMPARE(seams.messages.size(), size_t(1));
        const ShownMessage& help = seams.messages[0];
        QCOMPARE(help.title, QString("ABPM Summary"));
        QCOMPARE(help.icon, MsgIcon::Information);
        for (const char* rule : {"1. an empty value", "2. systolic pressure outside 70-250 mmHg",
                                 "3. diastolic pressure outside 40-150 mmHg",
                                 "4. diastolic pressure not below systolic pressure",
                                 "5. pulse pressure (systolic minus diastolic) under 20 mmHg",
                                 "at least 70 % of the readings valid, at least 20 valid readings by day and 7 by night"})
            QVERIFY2(help.text.contains(QLatin1String(rule)), rule);
    }

    void followsTheRecordsAndTheFile()
    {
        ScriptedSeams seams;
        frmAbpm* w = open(recording());
        const std::shared_ptr<Recordset> rs = gRecordset;
        QVERIFY(rs && rs->addNew());
        QVERIFY(rs->setValue(AmbSchema::column(AmbSchema::Column::Date), QDate(2024, 3, 8)));
        QVERIFY(rs->setValue(AmbSchema::column(AmbSchema::Column::Time), QTime(3, 10)));
        for (auto [column, value] : {std::pair{AmbSchema::Column::Sys, 180}, {AmbSchema::Column::Dia, 100},
                                     {AmbSchema::Column::Map, 127}, {AmbSchema::Column::Pulse, 66}})
            QVERIFY(rs->setValue(AmbSchema::column(column), value));
        QVERIFY(rs->update());
        QVERIFY(UpdateBpStatistics()); // as the cursor does after it saves
        QCoreApplication::processEvents();
        QCOMPARE(w->summary().readings, 79);
        QCOMPARE(w->summary().period(AbpmPeriodKind::Night).readings, 19);

        // Another file becomes current: its figures.
        const QString other = fileWith(0);
        const std::vector<BpRow> rows = generate(Plan()).rows;
        insertRows(other, EditionId::English, std::vector<BpRow>(rows.begin(), rows.begin() + 10));
        gDataFile = other;
        emit StateNotifier::instance().dataFileChanged();
        QCoreApplication::processEvents();
        QCOMPARE(w->summary().readings, 10);
        QVERIFY(text(w).contains("Readings: 10"));
        QVERIFY(w->isVisible());

        // No file ready any more: the window goes.
        gFileReady = false;
        emit StateNotifier::instance().dataFileChanged();
        QVERIFY(!AbpmWindows::summaryWindow());
        QVERIFY(seams.messages.empty());
    }

    void printHandsTheSummaryToTheHook()
    {
        ScriptedSeams seams;
        const QString path = recording();
        frmAbpm* w = open(path);
        w->optNarrow->click();
        std::optional<AbpmPrintRequest> handed;
        AbpmWindows::setPrintHook([&](const AbpmPrintRequest& r) { handed = r; });
        w->cmdPrint->click();
        QVERIFY(handed);
        QCOMPARE(handed->dataFile, path);
        QVERIFY(handed->choice.narrow);
        QCOMPARE(handed->summary.period(AbpmPeriodKind::Day).readings, 40);
    }

    // The file's diary, set-aside readings and office pressure reach the
    // figures, and a change of the details is followed at once.
    void detailsAndReviewOfTheFile()
    {
        ScriptedSeams seams;
        const QString path = recording();
        RecordingDetails d;
        d.surname = QStringLiteral("Doe");
        d.bedtime = QTime(23, 0);
        d.wakeUp = QTime(6, 0);
        d.officeSys = 150;
        d.officeDia = 95;
        {
            Connection c;
            QVERIFY(c.openFile(path));
            QVERIFY(RecordingDetailsStore::write(c, d));
            QVERIFY(RecordingReview::setAside(c, 1, {SetAsideReason::PatientMoved, {}}));
            QVERIFY(RecordingReview::setAside(c, 2, {SetAsideReason::Artefact, {}}));
        }
        frmAbpm* w = open(path);
        QVERIFY(w);
        QCOMPARE(w->summary().setAside, 2);
        QCOMPARE(w->summary().periodSource, AbpmPeriodSource::Diary);
        QString shown = text(w);
        for (const char* part : {"Set aside by the physician: 2", "Left out as artefacts: 0",
                                 "Day 06:00-23:00, night 23:00-06:00 (from the patient's diary)",
                                 "Office against ambulatory", "Office 150/95 mmHg", "Sustained hypertension"})
            QVERIFY2(shown.contains(QLatin1String(part)), qPrintable(QString(part) + " in " + shown));

        d.officeSys = 130;
        d.officeDia = 85;
        QVERIFY(RecordingDetailsStore::writeCurrent(d));
        emit StateNotifier::instance().recordingDetailsChanged();
        QTRY_VERIFY(text(w).contains(QLatin1String("Masked hypertension")));

        std::optional<AbpmPrintRequest> handed;
        AbpmWindows::setPrintHook([&](const AbpmPrintRequest& r) { handed = r; });
        w->cmdPrint->click();
        QVERIFY(handed);
        // No start given: the page names the earliest reading's moment, which the file never got.
        const QDateTime first = w->summary().first;
        QVERIFY(first.isValid());
        QCOMPARE(handed->headline, QStringLiteral("Doe \u00b7 recording from %1 %2")
                                       .arg(detailsDateText(first.date()), detailsTimeText(first.time())));
        QCOMPARE(RecordingDetailsStore::readCurrent()->recordingStart, QDateTime());
        QVERIFY(seams.messages.empty());
    }

    void aFileThatCannotBeOpenedOpensNoWindow()
    {
        ScriptedSeams seams;
        const QString path = m_dir.filePath("broken.amb");
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a database") > 0);
        broken.close();
        QVERIFY(!open(path));
        QVERIFY(!AbpmWindows::summaryWindow());
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY2(seams.lastMessageText().startsWith("File  " + path + "  Can not Open ! , "),
                 qPrintable(seams.lastMessageText()));
        QVERIFY(!gFileReady);
    }

    void everyOperableControlHasAName()
    {
        ScriptedSeams seams;
        frmAbpm* w = open(recording());
        int named = 0;
        for (QWidget* control : w->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(w)
                || control->inherits("QLineEdit") || control->inherits("QScrollBar") || control->inherits("QSplitterHandle"))
                continue; // the time boxes' own editors, scroll bars
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
            QVERIFY(face);
            QVERIFY2(!face->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(control->objectName() + " " + control->metaObject()->className() + " in "
                             + control->parentWidget()->metaObject()->className()));
            ++named;
        }
        QVERIFY2(named >= 11, qPrintable(QString::number(named)));
    }

    // With KORVANE_SHOT_DIR set the window is kept there as a picture, in each edition.
    void picturesOfTheWindow()
    {
        const QString shots = qEnvironmentVariable("KORVANE_SHOT_DIR");
        for (EditionId edition : {EditionId::English, EditionId::German}) {
            Edition::select(edition);
            ScriptedSeams seams;
            std::vector<BpRow> rows = generate(Plan()).rows;
            rows[3].sys = 300;
            const QString path = fileWith(0, edition);
            insertRows(path, edition, rows);
            RecordingDetails d;
            d.officeSys = 138;
            d.officeDia = 88;
            {
                Connection c;
                QVERIFY(c.openFile(path));
                QVERIFY(RecordingDetailsStore::write(c, d));
                QVERIFY(RecordingReview::setAside(c, 9, {}));
            }
            frmAbpm* w = open(path);
            QVERIFY(w);
            w->resize(1024, 768);
            QCoreApplication::processEvents();
            const QImage picture = w->grab().toImage();
            QCOMPARE(picture.size(), w->size());
            if (!shots.isEmpty())
                QVERIFY(picture.save(shots + (edition == EditionId::German ? "/frmAbpm-de.png" : "/frmAbpm-en.png")));
            AbpmWindows::closeSummary();
            flushDeletes();
        }
    }
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    TestAbpmWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_abpmwindow.moc"
