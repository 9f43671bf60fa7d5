// The trend chart window where it differs from the bar chart: its design,
// four Series buttons that each remove their own line, the series table
// (series 1 is the systolic pressure), automatic scales, gaps for missing
// values, picking a point or a line with the mouse, and the not-ready
// refusal. Runs in both editions.
#include "ChartTestSupport.h"

#include "platform/Recordset.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QGroupBox>
#include <QValueAxis>

using namespace charttest;

namespace {

frmWave* openWave(const QString& path)
{
    return openChart(path, &ChartWindows::showTrendChart);
}

// The values the lines of the chart hold, line after line.
QList<qreal> lineValues(ChartWindow* w)
{
    QList<qreal> values;
    for (QLineSeries* line : linesOf(w))
        for (const QPointF& p : line->points())
            values << p.y();
    return values;
}

// Rows whose four quantities never share a value, so a line's values tell
// which quantity it draws.
std::vector<BpRow> distinctRows(int count)
{
    std::vector<BpRow> rows;
    for (int i = 0; i < count; ++i) {
        BpRow r;
        r.sys = 150 + i;
        r.dia = 100 + i;
        r.map = 125 + i % 20;
        r.pulse = 60 + i % 30;
        rows.push_back(r);
    }
    return rows;
}

} // namespace

class TestTrendChart : public ChartWindowTest {
    Q_OBJECT
private slots:
    void init() { resetAll(); }
    void cleanup()
    {
        closeCharts();
        resetAll();
    }

    void loadsFourSeriesWithTheDesignOfTheEdition()
    {
        ScriptedSeams seams;
        const QString path = fileWith(distinctRows(20));
        frmWave* w = openWave(path);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), ed("Graphic trend data", "Trendgrafik"));
        for (int i = 9; i <= 12; ++i)
            QVERIFY(w->toolbarButton(i)->isChecked());
        QCOMPARE(w->toolbarButton(7)->text(), ed("    Exit    ", "Beenden "));
        // As the button shows it, blanks and all.
        QCOMPARE(shownCaption(w, 7), ed("    Exit    ", "Beenden "));
        QCOMPARE(shownCaption(w, 9), QString("SYS."));
        QCOMPARE(w->toolbarButton(9)->text(), QString("SYS."));
        QCOMPARE(w->toolbarButton(12)->text(), ed("Pulse", "Puls"));
        QVERIFY(!w->Text[13]);
        QCOMPARE(legendNames(w), QStringList({ed("Systolic", "Systolisch"), ed("Diastolic", "Diastolisch"), "MAP", "Pulse"}));
        QCOMPARE(linesOf(w).size(), 4);
        QCOMPARE(lineValues(w).size(), 80);

        QStringList titles;
        for (QAbstractAxis* axis : chartOf(w)->axes(Qt::Vertical))
            titles << axis->titleText();
        QCOMPARE(titles, QStringList({ed("Pressure mmHg", "Blutdruck mmHg"), ed("Pulse / min.", "Puls / Min.")}));
        // Scales follow the values: every point lies inside its axis' range.
        const auto vertical = chartOf(w)->axes(Qt::Vertical);
        auto* pressure = qobject_cast<QValueAxis*>(vertical[0]);
        auto* pulse = qobject_cast<QValueAxis*>(vertical[1]);
        QVERIFY(pressure->min() <= 100 && pressure->max() >= 169 && pressure->max() < 240);
        QVERIFY(pulse->min() <= 60 && pulse->min() > 0 && pulse->max() >= 79 && pulse->max() < 150);
        QCOMPARE(w->StatusPanel[1]->text(), ed("File: ", "Datei: ") + path);
        QVERIFY(seams.messages.empty());
    }

    void eachSeriesButtonRemovesItsOwnLine()
    {
        ScriptedSeams seams;
        const std::vector<BpRow> rows = distinctRows(10);
        frmWave* w = openWave(fileWith(rows));
        QVERIFY(w);
        const QString names[4] = {ed("Systolic", "Systolisch"), ed("Diastolic", "Diastolisch"), "MAP", "Pulse"};
        const std::optional<double> BpRow::*fields[4] = {&BpRow::sys, &BpRow::dia, &BpRow::map, &BpRow::pulse};
        for (int s = 0; s < 4; ++s) {
            clickButton(w, 9 + s);
            // Not drawn, still in the legend and still picked there.
            QCOMPARE(legendNames(w), QStringList(std::begin(names), std::end(names)));
            legendEntry(w, s + 1)->click();
            QCOMPARE(w->Frame1->title(), names[s]);
            const QList<qreal> values = lineValues(w);
            QCOMPARE(values.size(), 30);
            for (const BpRow& row : rows)
                QVERIFY(!values.contains(*(row.*fields[s])));
            clickButton(w, 9 + s);
            QCOMPARE(lineValues(w).size(), 40);
        }
        QVERIFY(seams.messages.empty());
    }

    void seriesOneIsTheSystolicPressure()
    {
        ScriptedSeams seams;
        const QString path = fileWith(distinctRows(9));
        frmWave* w = openWave(path);
        QVERIFY(w);
        legendEntry(w, 1)->click();
        QCOMPARE(w->Frame1->title(), ed("Systolic", "Systolisch"));
        QCOMPARE(box(w, 10), ed("Average : ", "M.V. : ") + " 154");
        QCOMPARE(box(w, 8), ed("Maximum: ", "MAX. : ") + " 158");
        QCOMPARE(box(w, 12), ed("Minimum: ", "MIN. : ") + " 150");
        QCOMPARE(box(w, 11), ed("Standard Deviation : ", "S.D. : ") + " 2.22222222222222");
        QCOMPARE(box(w, 9), ed("Records : ", "Protokolle : ") + " 9");
        legendEntry(w, 2)->click();
        QCOMPARE(w->Frame1->title(), ed("Diastolic", "Diastolisch"));
        QCOMPARE(box(w, 12), ed("Minimum: ", "MIN. : ") + " 100");
        legendEntry(w, 3)->click();
        QCOMPARE(w->Frame1->title(), QString("MAP"));
        QVERIFY(seams.messages.empty());
    }

    void aMissingValueIsAGapNotAZero()
    {
        ScriptedSeams seams;
        std::vector<BpRow> rows = distinctRows(6);
        rows[2].sys = std::nullopt;
        rows[4].pulse = std::nullopt;
        frmWave* w = openWave(fileWith(rows));
        QVERIFY(w);
        // Systolic: records 1-2 and 4-6; pulse: 1-4 and 6.
        QCOMPARE(linesOf(w).size(), 6);
        QVERIFY(!lineValues(w).contains(0.0));
        QCOMPARE(lineValues(w).size(), 22);
        w->chtReport_PointSelected(3);
        QCOMPARE(box(w, 1), QString("SYS. : "));
        QCOMPARE(box(w, 2), "DIA. :  " + QString::number(*rows[2].dia));
        QVERIFY(seams.messages.empty());
    }

    void mouseOnAPointPicksItOnALinePicksTheSeries()
    {
        ScriptedSeams seams;
        const std::vector<BpRow> rows = distinctRows(8);
        frmWave* w = openWave(fileWith(rows));
        QVERIFY(w);
        QLineSeries* diastolic = nullptr;
        for (QLineSeries* line : linesOf(w))
            if (line->at(0).y() == *rows[0].dia)
                diastolic = line;
        QVERIFY(diastolic);
        // A little off the point still snaps to it.
        clickOnView(w, onView(w, diastolic, 6, *rows[5].dia) + QPoint(3, -2));
        QVERIFY(!w->Frame2->isHidden());
        QCOMPARE(w->Frame2->title(), QString(" 6"));
        QCOMPARE(gRecordset->absolutePosition(), 6);
        QCOMPARE(w->chtReport->selectedPoint(), 6);
        // Halfway between two points: the line itself.
        const QPoint from = onView(w, diastolic, 3, *rows[2].dia);
        const QPoint to = onView(w, diastolic, 4, *rows[3].dia);
        clickOnView(w, (from + to) / 2);
        QVERIFY(w->Frame2->isHidden());
        QVERIFY(!w->Frame1->isHidden());
        QCOMPARE(w->Frame1->title(), ed("Diastolic", "Diastolisch"));
        QVERIFY(seams.messages.empty());
    }

    void notReadyShowsTheMessageAndLeavesNoWindow()
    {
        ScriptedSeams seams;
        gFileReady = false;
        QVERIFY(!ChartWindows::showTrendChart());
        flushDeletes();
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.messages[0].text,
                 ed("Can not Open Graphic trend data ! , File Not Ready !", "Wird das Öffnen Datei !"));
        QCOMPARE(seams.messages[0].title, ed("Graphic trend data", "Trendgrafik"));
        QVERIFY(!ChartWindows::trendChart());
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<frmWave*>(top));
    }
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    return runInBothEditions<TestTrendChart>(argc, argv);
}

#include "test_trendchart.moc"
