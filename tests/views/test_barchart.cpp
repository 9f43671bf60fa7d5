// The bar chart window, and what both chart windows share through it: the
// load and its captions, the record window and the scroll bar, picking a
// bar (by mouse and keyboard) and a series, the Series buttons, the
// statistic, missing values, records found by their number, large files,
// the not-ready refusal and the list window following a pick. Runs in both
// editions.
#include "ChartTestSupport.h"

#include "data/BpStatistics.h"
#include "data/NumberText.h"
#include "platform/Recordset.h"
#include "views/DataWindows.h"
#include "views/RecordGrid.h"
#include "views/frmList.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QGroupBox>
#include <QStackedBarSeries>
#include <QToolBar>
#include <QValueAxis>

using namespace charttest;

namespace {

frmBar* openBar(const QString& path)
{
    return openChart(path, &ChartWindows::showBarChart);
}

// The stacked series (diastolic and the part up to systolic).
QStackedBarSeries* stackOf(ChartWindow* w)
{
    for (QAbstractSeries* series : chartOf(w)->series())
        if (auto* stack = qobject_cast<QStackedBarSeries*>(series))
            return stack;
    return nullptr;
}

// Every value the bar sets hold, set after set.
QList<qreal> barValues(ChartWindow* w)
{
    QList<qreal> values;
    for (QAbstractSeries* series : chartOf(w)->series())
        if (auto* bars = qobject_cast<QAbstractBarSeries*>(series))
            for (QBarSet* set : bars->barSets())
                for (int i = 0; i < set->count(); ++i)
                    values << set->at(i);
    return values;
}

QList<qint64> drawnIds(ChartWindow* w)
{
    QList<qint64> ids;
    for (const ChartRow& row : w->drawnRows())
        ids << row.id.value_or(-1);
    return ids;
}

// The number after a panel box's label.
double numberIn(const QString& text, const QString& label)
{
    return text.mid(label.size()).toDouble();
}

double fileValue(const QString& path, const QString& sql)
{
    return fileRows(path, sql).value(0).value(0).toDouble();
}

} // namespace

class TestBarChart : public ChartWindowTest {
    Q_OBJECT
private slots:
    void init() { resetAll(); }
    void cleanup()
    {
        closeCharts();
        DataWindows::closeList();
        flushDeletes();
        resetAll();
    }

    void oneRecordLoadsWithTheDesignOfTheEdition()
    {
        ScriptedSeams seams;
        const QString path = fileWith(dayRows(1));
        frmBar* w = openBar(path);
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), ed("BP Data Bar Chart ", "Balkendiagramm"));
        QVERIFY(w->HScroll4->isHidden());
        QCOMPARE(drawnIds(w), QList<qint64>({1}));
        QCOMPARE(barsShown(w), 2); // one stacked bar
        QVERIFY(w->Frame1->isHidden() && w->Frame2->isHidden());
        QVERIFY(w->StatusBar1->isHidden());
        QCOMPARE(w->StatusPanel[1]->text(), ed("File: ", "Datei: ") + path);
        QCOMPARE(gRecordset->absolutePosition(), 1);

        const QStringList captions = {"A4 View", "A5 View", "A6 View", "", ed("Print", "Drucken"), "",
                                      ed("    Exit   ", "Beenden"), "", "SYS-DIA", "DIA.", "MAP", ed("Pulse", "Puls")};
        const QStringList keys = {"A4", "A5", "A6", "", "Print", "", "Close", "", "SYS", "DIA", "MAP", "Pulse"};
        for (int i = 1; i <= ChartWindow::kToolbarButtons; ++i) {
            QAction* button = w->toolbarButton(i);
            QCOMPARE(button->isSeparator(), keys[i - 1].isEmpty());
            QCOMPARE(ChartWindow::buttonKey(button), keys[i - 1]);
            if (!button->isSeparator()) {
                QCOMPARE(button->text(), captions[i - 1]);
                // As the button shows it: the Exit caption keeps its blanks.
                QCOMPARE(shownCaption(w, i), captions[i - 1]);
            }
        }
        QCOMPARE(w->toolbarButton(9)->isChecked(), true);
        QCOMPARE(w->toolbarButton(10)->isChecked(), true);
        QCOMPARE(w->toolbarButton(11)->isChecked(), false);
        QCOMPARE(w->toolbarButton(12)->isChecked(), false);

        QStringList titles;
        for (QAbstractAxis* axis : chartOf(w)->axes(Qt::Vertical))
            titles << axis->titleText();
        QCOMPARE(titles, QStringList({ed("Pressure mmHg", "Blutdruck mmHg"),
                                      ed("Pulse / min. , Pressure / mmHg", "Puls / Min. , Blutdruck / mmHg")}));
        for (QAbstractAxis* axis : chartOf(w)->axes(Qt::Vertical)) {
            auto* scale = qobject_cast<QValueAxis*>(axis);
            QVERIFY(scale);
            QCOMPARE(scale->min(), 40.0);
            QCOMPARE(scale->max(), 240.0);
        }
        QVERIFY(seams.messages.empty());
    }

    void thirtyOneRecordsScrollToTheLastTwo()
    {
        ScriptedSeams seams;
        frmBar* w = openBar(fileWith(dayRows(31)));
        QVERIFY(w);
        QVERIFY(!w->HScroll4->isHidden());
        QCOMPARE(w->HScroll4->minimum(), 0);
        QCOMPARE(w->HScroll4->maximum(), 29);
        QCOMPARE(w->HScroll4->singleStep(), 1);
        QCOMPARE(w->HScroll4->pageStep(), 1);
        QCOMPARE(w->drawnRows().size(), size_t(30));
        QCOMPARE(drawnIds(w).first(), 1);
        QCOMPARE(drawnIds(w).last(), 30);

        w->chtReport_PointSelected(4);
        QCOMPARE(gRecordset->absolutePosition(), 4);
        w->HScroll4->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(drawnIds(w), QList<qint64>({30, 31}));
        // Each load leaves the cursor on the first record and hides the panels.
        QCOMPARE(gRecordset->absolutePosition(), 1);
        QVERIFY(w->Frame2->isHidden());
        // The value survives a redraw.
        clickButton(w, 10);
        QCOMPARE(w->HScroll4->value(), 29);
        QCOMPARE(drawnIds(w), QList<qint64>({30, 31}));
        QVERIFY(seams.messages.empty());
    }

    // Record 13 is the only one with high pressure: any other record would
    // show another class.
    void barThreeAtScrollTenShowsRecordThirteenAndItsClass()
    {
        ScriptedSeams seams;
        std::vector<BpRow> rows = dayRows(31);
        rows[12].sys = 171;
        rows[12].dia = 99;
        rows[12].map = 123;
        rows[12].pulse = 88;
        rows[12].time = QTime(11, 45, 30);
        frmBar* w = openBar(fileWith(rows));
        QVERIFY(w);
        w->HScroll4->setValue(10);
        settle();
        QCOMPARE(drawnIds(w).first(), 11);

        QStackedBarSeries* stack = stackOf(w);
        QVERIFY(stack);
        clickOnView(w, onView(w, stack, 3, 60));
        QVERIFY(!w->Frame2->isHidden());
        QVERIFY(w->Frame1->isHidden());
        QCOMPARE(w->Frame2->title(), QString(" 13"));
        QCOMPARE(box(w, 1), QString("SYS. :  171"));
        QCOMPARE(box(w, 2), QString("DIA. :  99"));
        QCOMPARE(box(w, 3), QString("MAP  :  123"));
        QCOMPARE(box(w, 4), QString("PULSE:  88"));
        QCOMPARE(box(w, 5), ed("3/7/2024", "07.03.2024"));
        QCOMPARE(box(w, 6), QString("11:45:30"));
        QCOMPARE(box(w, 7), "[WHO] Classify : " + ed("Hypertension", "Hypertonie"));
        QCOMPARE(gRecordset->absolutePosition(), 13);
        QCOMPARE(w->chtReport->selectedPoint(), 3);
        // The panel lies under the toolbar, as wide as the chart.
        QCOMPARE(w->Frame2->y(), w->Toolbar1->height());
        QCOMPARE(w->Frame2->width(), w->chtReport->width());
        QVERIFY(seams.messages.empty());
    }

    void seriesTwoShowsFiveBoxesTheOthersFour()
    {
        ScriptedSeams seams;
        frmBar* w = openBar(fileWith(dayRows(40)));
        QVERIFY(w);
        // Every series of the statistic panel is in the legend, drawn or not.
        const QStringList allSeries = {ed("Diastolic", "Diastolisch"),
                                       ed("Systolic - Diastolic", "Systolisch - Diastolisch"), "MAP", "Pulse"};
        QCOMPARE(legendNames(w), allSeries);
        clickButton(w, 12);
        QCOMPARE(legendNames(w), allSeries);
        const QString records = ed("Records : ", "Protokolle : ") + " 40";

        legendEntry(w, 2)->click();
        QVERIFY(!w->Frame1->isHidden());
        QVERIFY(w->Frame2->isHidden());
        QCOMPARE(w->Frame1->title(), ed("Systolic - Diastolic", "Systolisch - Diastolisch"));
        QCOMPARE(box(w, 9), records);
        QVERIFY(box(w, 10).startsWith(ed("SYS Average : ", "SYS.M.V. : ")));
        QVERIFY(!w->Text[13]->isHidden());
        QVERIFY(box(w, 13).startsWith(ed("DIA Average : ", "DIA.M.V. : ")));
        QVERIFY(box(w, 12).startsWith(ed("Minimum: ", "MIN. : ")));

        legendEntry(w, 1)->click();
        QCOMPARE(w->Frame1->title(), ed("Diastolic", "Diastolisch"));
        QVERIFY(w->Text[13]->isHidden());
        QVERIFY(box(w, 10).startsWith(ed("Average : ", "M.V. : ")));
        QVERIFY(box(w, 11).startsWith(ed("Standard Deviation : ", "S.D. : ")));
        QVERIFY(box(w, 8).startsWith(ed("Maximum: ", "MAX. : ")));
        QVERIFY(box(w, 12).startsWith(ed("Minimum: ", "MIN.: ")));

        legendEntry(w, 3)->click(); // never drawn here, picked all the same
        QCOMPARE(w->Frame1->title(), QString("MAP"));
        QVERIFY(box(w, 10).startsWith(ed("Average : ", "M.V. : ")));
        QVERIFY(w->Text[13]->isHidden());
        legendEntry(w, 4)->click();
        QCOMPARE(w->Frame1->title(), QString("Pulse"));
        QVERIFY(w->Text[13]->isHidden());
        QCOMPARE(box(w, 9), records);

        // Another series number leaves caption and boxes as they are.
        const QString average = box(w, 10);
        w->chtReport_SeriesSelected(7);
        QCOMPARE(w->Frame1->title(), QString("Pulse"));
        QCOMPARE(box(w, 10), average);
        // A picked bar hides the statistic again.
        w->chtReport_PointSelected(1);
        QVERIFY(w->Frame1->isHidden());
        QVERIFY(!w->Frame2->isHidden());
        QVERIFY(seams.messages.empty());
    }

    void statisticEqualsTheFileComputedBySql()
    {
        ScriptedSeams seams;
        std::vector<BpRow> rows = dayRows(57);
        rows[20].sys = 203; // a high and a low value among them
        rows[40].dia = 51;
        const QString path = fileWith(rows);
        frmBar* w = openBar(path);
        QVERIFY(w);
        const QString pulse = Edition::current().colPulse();
        for (const auto& [series, column] : {std::pair{2, QString("SYS_mmHg")}, std::pair{1, QString("DIA_mmHg")},
                                             std::pair{3, QString("MAP_mmHg")}, std::pair{4, pulse}}) {
            w->chtReport_SeriesSelected(series);
            const QString average = QString("(select avg(%1) from ambpdata)").arg(column);
            const QString averageLabel = series == 2 ? ed("SYS Average : ", "SYS.M.V. : ") : ed("Average : ", "M.V. : ");
            QVERIFY(qFuzzyCompare(numberIn(box(w, 10), averageLabel),
                                  fileValue(path, "select " + average)));
            QVERIFY(qFuzzyCompare(numberIn(box(w, 11), ed("Standard Deviation : ", "S.D. : ")),
                                  fileValue(path, QString("select avg(abs(%1 - %2)) from ambpdata").arg(column, average))));
            QCOMPARE(numberIn(box(w, 8), ed("Maximum: ", "MAX. : ")),
                     fileValue(path, QString("select max(%1) from ambpdata").arg(column)));
            const QString minimumLabel = series == 1 ? ed("Minimum: ", "MIN.: ") : ed("Minimum: ", "MIN. : ");
            QCOMPARE(numberIn(box(w, 12), minimumLabel),
                     fileValue(path, QString("select min(%1) from ambpdata").arg(column)));
        }
        w->chtReport_SeriesSelected(2);
        QVERIFY(qFuzzyCompare(numberIn(box(w, 13), ed("DIA Average : ", "DIA.M.V. : ")),
                              fileValue(path, "select avg(DIA_mmHg) from ambpdata")));
        QCOMPARE(box(w, 12), ed("Minimum: ", "MIN. : ") + " " + QString::number(fileValue(path, "select min(SYS_mmHg) from ambpdata")));
        QVERIFY(seams.messages.empty());
    }

    void sysDiaOffLeavesNoBarsUnlessPulseIsOn()
    {
        ScriptedSeams seams;
        frmBar* w = openBar(fileWith(dayRows(12)));
        QVERIFY(w);
        QCOMPARE(barsShown(w), 24);
        clickButton(w, 9);
        QVERIFY(!w->toolbarButton(9)->isChecked());
        QCOMPARE(barsShown(w), 0);
        QCOMPARE(legendNames(w).size(), 4); // the legend names every series, drawn or not
        clickButton(w, 12);
        QCOMPARE(barsShown(w), 12);
        QVERIFY(seams.messages.empty());
    }

    void diaAndMapOnlyRedraw()
    {
        ScriptedSeams seams;
        frmBar* w = openBar(fileWith(dayRows(35)));
        QVERIFY(w);
        w->HScroll4->setValue(3);
        settle();
        const QList<qreal> before = barValues(w);
        const QStringList legend = legendNames(w);
        w->chtReport_PointSelected(2);
        QCOMPARE(gRecordset->absolutePosition(), 5);
        for (int button : {10, 11}) {
            clickButton(w, button);
            QCOMPARE(barValues(w), before);
            QCOMPARE(legendNames(w), legend);
            // It was a load: panels hidden, cursor on the first record.
            QVERIFY(w->Frame2->isHidden());
            QCOMPARE(gRecordset->absolutePosition(), 1);
        }
        QVERIFY(seams.messages.empty());
    }

    void missingValuesAreLeftOutNotDrawnAsZero()
    {
        ScriptedSeams seams;
        std::vector<BpRow> rows = dayRows(4);
        rows[1].dia = std::nullopt; // record 2: no diastolic, so no stacked bar at all
        rows[2].pulse = std::nullopt;
        rows[3].sys = std::nullopt; // record 4: only the diastolic part
        frmBar* w = openBar(fileWith(rows));
        QVERIFY(w);
        clickButton(w, 12);
        const QList<QBarSet*> stackSets = stackOf(w)->barSets();
        QCOMPARE(stackSets[0]->at(1), 0.0);
        QCOMPARE(stackSets[1]->at(1), 0.0);
        QCOMPARE(stackSets[0]->at(3), *rows[3].dia);
        QCOMPARE(stackSets[1]->at(3), 0.0);
        QCOMPARE(barsShown(w), 3 + 3 + 2); // pulse bars, diastolic parts, systolic parts

        w->chtReport_PointSelected(2);
        QCOMPARE(box(w, 2), QString("DIA. : "));
        QCOMPARE(box(w, 1), "SYS. :  " + QString::number(*rows[1].sys));
        // Without the diastolic value the class cannot be told.
        QCOMPARE(box(w, 7), QString("[WHO] Classify : "));
        w->chtReport_PointSelected(3);
        QCOMPARE(box(w, 4), QString("PULSE: "));
        // Averages leave the missing value out instead of counting it as 0.
        w->chtReport_SeriesSelected(1);
        const double diaAverage = (*rows[0].dia + *rows[2].dia + *rows[3].dia) / 3;
        QVERIFY(qFuzzyCompare(numberIn(box(w, 10), ed("Average : ", "M.V. : ")), diaAverage));
        QVERIFY(seams.messages.empty());
    }

    // The chart reads the file, the panel the shared record set: a record is
    // matched by its number, whatever lies between them.
    void aPickedPointIsFoundByItsRecordNumber()
    {
        ScriptedSeams seams;
        std::vector<BpRow> rows = dayRows(6);
        rows[2].sys = 175; // record 3
        const QString path = fileWith(rows);
        makeReady(path);
        openRecords(path);
        // Another program removes record 2 and adds record 7 after the record set was read.
        fileRows(path, "delete from ambpdata where " + Edition::current().colId() + " = 2");
        insertRows(path, Edition::current().id(), dayRows(1));
        frmBar* w = ChartWindows::showBarChart();
        QVERIFY(w);
        settle();
        QCOMPARE(drawnIds(w), QList<qint64>({1, 3, 4, 5, 6, 7}));

        w->chtReport_PointSelected(2);
        QCOMPARE(w->Frame2->title(), QString(" 3"));
        QCOMPARE(box(w, 1), QString("SYS. :  175"));
        QCOMPARE(box(w, 7), "[WHO] Classify : " + ed("Hypertension", "Hypertonie"));
        QCOMPARE(gRecordset->absolutePosition(), 3);

        w->chtReport_PointSelected(6);
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.messages[0].text,
                 ed("Record 7 is not in the open records.", "Protokoll 7 ist nicht unter den geöffneten Protokollen."));
        QCOMPARE(seams.messages[0].icon, MsgIcon::Warning);
        QCOMPARE(seams.messages[0].title, QString("KORVANE"));
        // The panel no longer shows the record picked before.
        QVERIFY(w->Frame2->isHidden());
        QVERIFY(w->isVisible());
    }

    void positionsBeyondSixteenBitsWork()
    {
        ScriptedSeams seams;
        std::vector<BpRow> rows = dayRows(33000);
        rows[32994].sys = 85; // record 32,995
        rows[32994].dia = 60;
        frmBar* w = openBar(fileWith(rows));
        QVERIFY(w);
        QCOMPARE(w->HScroll4->maximum(), 32998);
        w->HScroll4->setValue(32990);
        settle();
        QCOMPARE(drawnIds(w).size(), 10);
        w->chtReport_PointSelected(5);
        QCOMPARE(w->Frame2->title(), QString(" 32995"));
        QCOMPARE(box(w, 7), "[WHO] Classify : " + ed("Hypotension", "Hypotonie"));
        QCOMPARE(gRecordset->absolutePosition(), 32995);
        w->chtReport_SeriesSelected(1);
        QCOMPARE(box(w, 9), ed("Records : ", "Protokolle : ") + " 33000");
        QVERIFY(seams.messages.empty());
    }

    void notReadyShowsTheMessageAndLeavesNoWindow()
    {
        ScriptedSeams seams;
        gFileReady = false;
        QVERIFY(!ChartWindows::showBarChart());
        flushDeletes();
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.messages[0].text, ed("Open Data Bar Chart Failure ! , File Not Ready !", "Wird das Öffnen Datei !"));
        QCOMPARE(seams.messages[0].title, ed("BP Data Bar Chart ", "Balkendiagramm"));
        QCOMPARE(seams.messages[0].icon, MsgIcon::Information);
        QVERIFY(!ChartWindows::barChart());
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<frmBar*>(top));
    }

    void oneInstanceShownAgainWithoutALoad()
    {
        ScriptedSeams seams;
        frmBar* w = openBar(fileWith(dayRows(40)));
        QVERIFY(w);
        w->HScroll4->setValue(5);
        settle();
        w->chtReport_PointSelected(1);
        QCOMPARE(ChartWindows::showBarChart(), w);
        QVERIFY(!w->Frame2->isHidden()); // not loaded again
        // Closed, the next showing loads afresh.
        clickButton(w, 7);
        flushDeletes();
        QVERIFY(!ChartWindows::barChart());
        frmBar* again = ChartWindows::showBarChart();
        QVERIFY(again);
        QCOMPARE(again->HScroll4->value(), 0);
        QVERIFY(seams.messages.empty());
    }

    void aPickedBarMovesTheListWindowsRecord()
    {
        ScriptedSeams seams;
        const QString path = fileWith(dayRows(20));
        makeReady(path);
        frmList* list = DataWindows::showList();
        QVERIFY(list);
        frmBar* w = ChartWindows::showBarChart();
        QVERIFY(w);
        settle();
        QCOMPARE(list->grdDataGrid->currentIndex().row(), 0);
        clickOnView(w, onView(w, stackOf(w), 7, 60));
        QCOMPARE(gRecordset->absolutePosition(), 7);
        QCOMPARE(list->grdDataGrid->currentIndex().row(), 6);
        // A load puts it back on the first record.
        clickButton(w, 10);
        QCOMPARE(list->grdDataGrid->currentIndex().row(), 0);
        QVERIFY(seams.messages.empty());
    }

    // The list and editor windows stay on their record while a series is
    // picked, also when the statistic must be computed again first.
    void aSeriesPickLeavesTheSharedRecordWhereItIs()
    {
        ScriptedSeams seams;
        const QString path = fileWith(dayRows(20));
        makeReady(path);
        frmList* list = DataWindows::showList();
        QVERIFY(list);
        frmBar* w = ChartWindows::showBarChart();
        QVERIFY(w);
        settle();
        // The record set changes after the last load: a reading added.
        QVERIFY(gRecordset->addNew());
        QVERIFY(gRecordset->setValue("SYS_mmHg", 190));
        QVERIFY(gRecordset->setValue("DIA_mmHg", 60));
        QVERIFY(gRecordset->update());
        QVERIFY(gRecordset->setAbsolutePosition(5));
        settle();
        QCOMPARE(list->grdDataGrid->currentIndex().row(), 4);

        legendEntry(w, 2)->click();
        QCOMPARE(box(w, 9), ed("Records : ", "Protokolle : ") + " 21");
        QCOMPARE(box(w, 8), ed("Maximum: ", "MAX. : ") + " 190");
        QCOMPARE(gRecordset->absolutePosition(), 5);
        settle();
        QCOMPARE(list->grdDataGrid->currentIndex().row(), 4);
        // Computed now, so a second pick has nothing to compute.
        legendEntry(w, 1)->click();
        QCOMPARE(gRecordset->absolutePosition(), 5);
        QVERIFY(seams.messages.empty());
    }

    // Dragging the thumb reloads once, where the drag ends; a step reloads at once.
    void theScrollBarReloadsOnEachChangeNotWhileDragged()
    {
        ScriptedSeams seams;
        frmBar* w = openBar(fileWith(dayRows(40)));
        QVERIFY(w);
        QCOMPARE(drawnIds(w).first(), 1);
        w->HScroll4->setSliderDown(true);
        for (int at : {3, 7, 5})
            w->HScroll4->setSliderPosition(at);
        settle();
        QCOMPARE(drawnIds(w).first(), 1);
        w->HScroll4->setSliderDown(false);
        settle();
        QCOMPARE(w->HScroll4->value(), 5);
        QCOMPARE(drawnIds(w).first(), 6);
        w->HScroll4->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(drawnIds(w).first(), 7);
        w->HScroll4->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(drawnIds(w).first(), 6);
        QVERIFY(seams.messages.empty());
    }

    void keyboardPicksPointsAndSeries()
    {
        ScriptedSeams seams;
        frmBar* w = openBar(fileWith(dayRows(12)));
        QVERIFY(w);
        QWidget* view = w->chtReport->view();
        QVERIFY(!view->accessibleName().isEmpty());
        QCOMPARE(view->accessibleName(), ed("Bar chart", "Balkendiagramm"));
        QVERIFY(!w->HScroll4->accessibleName().isEmpty());
        QCOMPARE(view->focusPolicy(), Qt::StrongFocus);

        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(w->chtReport->selectedPoint(), 1);
        QTest::keyClick(view, Qt::Key_End);
        QCOMPARE(w->chtReport->selectedPoint(), 12);
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(w->chtReport->selectedPoint(), 12);
        QTest::keyClick(view, Qt::Key_Home);
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(w->chtReport->selectedPoint(), 2);
        QVERIFY(w->Frame2->isHidden()); // moving picks nothing
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(!w->Frame2->isHidden());
        QCOMPARE(w->Frame2->title(), QString(" 2"));
        QCOMPARE(gRecordset->absolutePosition(), 2);

        // The legend buttons come after the chart in the Tab order and carry the series' names.
        w->activateWindow();
        QApplication::setActiveWindow(w);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Tab);
        LegendEntry* first = legendEntry(w, 1);
        QCOMPARE(QApplication::focusWidget(), first);
        QCOMPARE(first->accessibleName(), ed("Diastolic", "Diastolisch"));
        QTest::keyClick(first, Qt::Key_Return);
        QCOMPARE(w->Frame1->title(), ed("Diastolic", "Diastolisch"));
        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), legendEntry(w, 2));
        QTest::keyClick(legendEntry(w, 2), Qt::Key_Space);
        QCOMPARE(w->Frame1->title(), ed("Systolic - Diastolic", "Systolisch - Diastolisch"));
        // MAP, never drawn in this chart, is reached by the keyboard too.
        QTest::keyClick(legendEntry(w, 2), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), legendEntry(w, 3));
        QTest::keyClick(legendEntry(w, 3), Qt::Key_Return);
        QCOMPARE(w->Frame1->title(), QString("MAP"));

        // Every toolbar button can take the focus and has a name.
        for (int i = 1; i <= ChartWindow::kToolbarButtons; ++i) {
            QAction* button = w->toolbarButton(i);
            if (button->isSeparator())
                continue;
            QWidget* control = w->Toolbar1->widgetForAction(button);
            QVERIFY(control->focusPolicy() & Qt::TabFocus);
            QVERIFY(!control->accessibleName().isEmpty());
        }
        QVERIFY(seams.messages.empty());
    }

    void viewSizesAndLayout()
    {
        ScriptedSeams seams;
        frmBar* w = openBar(fileWith(dayRows(3)));
        QVERIFY(w);
        const struct {
            int button, width, height;
        } sizes[] = {{1, 15820, 9600}, {2, 9600, 7910}, {3, 7910, 4800}};
        for (const auto& s : sizes) {
            clickButton(w, s.button);
            QCOMPARE(w->size(), QSize(qRound(s.width / 15.0), qRound(s.height / 15.0)));
            // The chart fills the window below the panel band; the scroll bar lies over its bottom.
            QCOMPARE(w->chtReport->width(), w->width());
            QCOMPARE(w->chtReport->geometry().bottom(), w->height() - 1);
            QCOMPARE(w->HScroll4->geometry().bottom(), w->height() - 1);
            QCOMPARE(w->HScroll4->x(), 4);
        }
        QVERIFY(seams.messages.empty());
    }
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    return runInBothEditions<TestBarChart>(argc, argv);
}

#include "test_barchart.moc"
