#pragma once
// Helpers of the chart window tests: a chart window opened on a data file
// with the shared record set open on it (as the list window leaves it),
// where a data point lies on the screen, and what the chart draws.
#include "ViewTestSupport.h"

#include "views/ChartArea.h"
#include "views/ChartWindow.h"
#include "views/ChartWindows.h"
#include "views/frmBar.h"
#include "views/frmWave.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QLineEdit>
#include <QLineSeries>
#include <QScrollBar>
#include <QtMath>

namespace charttest {

inline QString ed(const char* english, const char* german)
{
    return QString::fromUtf8(Edition::current().isGerman() ? german : english);
}

// Readings as a day brings them: pressures and pulse rising and falling.
inline std::vector<BpRow> dayRows(int count)
{
    std::vector<BpRow> rows;
    for (int i = 0; i < count; ++i) {
        BpRow r;
        r.sys = 128 + qRound(18 * std::sin(i / 6.0));
        r.dia = 82 + qRound(9 * std::sin(i / 6.0 + 0.5));
        r.map = std::round((*r.sys + 2 * *r.dia) / 3.0);
        r.pulse = 72 + qRound(10 * std::cos(i / 5.0));
        r.time = QTime(8, 0).addSecs(i * 900);
        rows.push_back(r);
    }
    return rows;
}

inline void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Opens the shared record set on the file and the window through its
// single-instance entry; null when the window did not load.
template <class Window>
Window* openChart(const QString& path, Window* (*show)())
{
    makeReady(path);
    openRecords(path);
    Window* window = show();
    if (window)
        settle();
    return window;
}

inline QChart* chartOf(ChartWindow* w)
{
    return w->chtReport->view()->chart();
}

// Where a value of data point k (from 1) of the series lies in the view's viewport.
inline QPoint onView(ChartWindow* w, QAbstractSeries* series, int k, double value)
{
    QChart* chart = chartOf(w);
    const QPointF inScene = chart->mapToScene(chart->mapToPosition(QPointF(k - 1, value), series));
    return w->chtReport->view()->mapFromScene(inScene);
}

inline void clickOnView(ChartWindow* w, QPoint at)
{
    QTest::mouseClick(w->chtReport->view()->viewport(), Qt::LeftButton, {}, at);
    settle();
}

// Bars that show: a value above the scale's bottom in a set that has a colour.
inline int barsShown(ChartWindow* w)
{
    int bars = 0;
    for (QAbstractSeries* series : chartOf(w)->series())
        if (auto* barSeries = qobject_cast<QAbstractBarSeries*>(series))
            for (QBarSet* set : barSeries->barSets())
                if (set->color().alpha() > 0)
                    for (int i = 0; i < set->count(); ++i)
                        bars += set->at(i) > 40 ? 1 : 0;
    return bars;
}

inline QList<QLineSeries*> linesOf(ChartWindow* w)
{
    QList<QLineSeries*> lines;
    for (QAbstractSeries* series : chartOf(w)->series())
        if (auto* line = qobject_cast<QLineSeries*>(series))
            lines << line;
    return lines;
}

inline QStringList legendNames(ChartWindow* w)
{
    QStringList names;
    for (LegendEntry* entry : w->chtReport->legendEntries())
        names << entry->accessibleName();
    return names;
}

inline LegendEntry* legendEntry(ChartWindow* w, int series)
{
    for (LegendEntry* entry : w->chtReport->legendEntries())
        if (entry->series == series)
            return entry;
    return nullptr;
}

// The caption a toolbar button shows on the screen (not its action's text).
inline QString shownCaption(ChartWindow* w, int index)
{
    auto* button = qobject_cast<QToolButton*>(w->Toolbar1->widgetForAction(w->toolbarButton(index)));
    return button ? button->text() : QString();
}

inline QString box(ChartWindow* w, int number)
{
    return w->Text[size_t(number)]->text();
}

inline void clickButton(ChartWindow* w, int index)
{
    w->toolbarButton(index)->trigger();
    settle();
}

// What the chart tests share: a private folder of data files of the
// current edition, and every test starting and ending with no chart window,
// no record set and no printer chosen.
class ChartWindowTest : public QObject {
protected:
    QString fileWith(const std::vector<BpRow>& rows)
    {
        const QString path = m_dir.filePath(QStringLiteral("c%1.amb").arg(++m_files));
        makeDataFile(path, Edition::current().id());
        insertRows(path, Edition::current().id(), rows);
        return path;
    }

    static void closeCharts()
    {
        ScriptedSeams quiet; // a failed test may leave a window that still has something to say
        if (ChartWindow* bar = ChartWindows::barChart())
            bar->close();
        if (ChartWindow* wave = ChartWindows::trendChart())
            wave->close();
        flushDeletes();
    }

    QTemporaryDir m_dir;

private:
    int m_files = 0;
};

// Runs a test object once per edition; the number of failures.
template <class Test>
int runInBothEditions(int argc, char** argv)
{
    int failures = 0;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        qInfo("---- %s edition", edition == EditionId::German ? "German" : "English");
        Test test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

} // namespace charttest
