// The chart windows' load, fill and picking.
#include "views/ChartWindow.h"

#include "data/BpStatistics.h"
#include "data/BpStatisticsReuse.h"
#include "data/NumberText.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "state/SharedState.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"
#include "views/ChartArea.h"
#include "views/FieldText.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <climits>

namespace {

// Records drawn at a time.
constexpr int kRecordWindow = 30;

} // namespace

bool ChartWindow::Form_Load()
{
    m_loaded = true;
    LoadChartView();
    return m_loaded;
}

void ChartWindow::LoadChartView()
{
    const QString captionAtLoad = windowText("captionAtLoad");
    if (!captionAtLoad.isNull())
        setWindowTitle(captionAtLoad);
    Frame2->hide();
    Frame1->hide();
    if (!gFileReady) {
        showMessage(this, windowText("msgNotReady"), MsgButtons::Ok, MsgIcon::Information, windowTitle());
        close();
        deleteLater();
        return;
    }

    QString why;
    if (!UpdateBpStatisticsIfChanged(&why)) {
        ShowErrorBox(why);
        return;
    }
    Connection connection;
    if (!connection.openFile(gDataFile)) {
        ShowErrorBox(connection.lastError());
        return;
    }
    const int last = int(std::clamp<qint64>(gBpStats.count - 2, 0, INT_MAX));
    {
        // Setting the range may move the value; that is no scroll step.
        const QSignalBlocker quiet(HScroll4);
        HScroll4->setMaximum(last);
    }
    m_scrollShown = gBpStats.count >= 2;
    HScroll4->setVisible(m_scrollShown);

    const std::optional<std::vector<ChartRow>> rows =
        ChartQuery::readRows(connection, HScroll4->value(), kRecordWindow, &why);
    if (!rows) {
        ShowErrorBox(why);
        return;
    }
    FillChart(*rows);
    StatusPanel[1]->setText(windowText("StatusBar1") + gDataFile);
}

void ChartWindow::FillChart(const std::vector<ChartRow>& rows)
{
    setUpdatesEnabled(false);
    m_rows = rows;
    m_plot->draw(rows, seriesButtons());
    chtReport->plotDrawn();
    setUpdatesEnabled(true);
}

void ChartWindow::HScroll4_Change()
{
    LoadChartView();
}

// Positions and classes refer to the record set the statistic was computed
// from: when it changed since, they are computed again first.
bool ChartWindow::statisticCurrent()
{
    QString why;
    if (bpStatisticsCurrent() || UpdateBpStatistics(&why))
        return true;
    ShowErrorBox(why);
    return false;
}

void ChartWindow::setBox(int number, const QString& text)
{
    QLineEdit* box = Text[size_t(number)];
    box->setText(text);
    box->setAccessibleName(text);
    box->setCursorPosition(0);
}

void ChartWindow::chtReport_PointSelected(int k)
{
    if (k < 1 || k > int(m_rows.size()))
        return;
    const ChartRow& row = m_rows[size_t(k - 1)];
    if (!statisticCurrent())
        return;
    const std::shared_ptr<Recordset> rs = gRecordset;
    // Found by its record number, so that whatever the order of the shared
    // record set the panel never shows another record.
    const qint64 position = row.id && rs ? ChartQuery::positionOfRecord(*rs, *row.id) : 0;
    if (position < 1) {
        Frame2->hide(); // it must not go on showing another record
        ShowErrorBox(catText("chart.msgRecordNotOpen").arg(row.id ? QString::number(*row.id) : QString()));
        return;
    }
    if (!rs->setAbsolutePosition(position)) {
        ShowErrorBox(rs->lastError());
        return;
    }
    const Edition& edition = Edition::current();
    Frame2->setTitle(numberText(rs->value(edition.colId())));
    setBox(1, catText("chart.Text1") + numberText(rs->value(QStringLiteral("SYS_mmHg"))));
    setBox(2, catText("chart.Text2") + numberText(rs->value(QStringLiteral("DIA_mmHg"))));
    setBox(3, catText("chart.Text3") + numberText(rs->value(QStringLiteral("MAP_mmHg"))));
    setBox(4, catText("chart.Text4") + numberText(rs->value(edition.colPulse())));
    setBox(5, fieldText(rs->value(edition.colDate())));
    setBox(6, fieldText(rs->value(edition.colTime())));
    setBox(7, catText("chart.Text7") + bpClassAt(position));
    placePanel(Frame2);
    Frame2->show();
    Frame1->hide();
}

void ChartWindow::chtReport_SeriesSelected(int s)
{
    // Computed again where the record set changed, but without moving it:
    // the list and editor windows stay on their record.
    QString why;
    if (!bpStatisticsCurrent() && !UpdateBpStatisticsInPlace(&why)) {
        ShowErrorBox(why);
        return;
    }
    const BpStatistics& stats = gBpStats;
    if (s >= 1 && s <= 4) {
        const StatisticDesign& d = m_design.statistic[size_t(s - 1)];
        Frame1->setTitle(catText(d.caption));
        setBox(10, catText(d.averageLabel) + numberText(stats.*d.average));
        setBox(11, catText("chart.Deviation") + numberText(stats.*d.deviation));
        setBox(8, catText("chart.Maximum") + numberText(double(stats.*d.maximum)));
        setBox(12, catText(d.minimumLabel) + numberText(double(stats.*d.minimum)));
        if (QLineEdit* diaAverage = Text[13]) {
            diaAverage->setVisible(d.diaAverage);
            if (d.diaAverage)
                setBox(13, catText("chart.DiaAverage") + numberText(stats.diaAverage));
        }
    }
    setBox(9, catText("chart.Records") + numberText(double(stats.count)));
    placePanel(Frame1);
    Frame1->show();
    Frame2->hide();
}

void ChartWindow::ShowErrorBox(const QString& description)
{
    showMessage(this, description, MsgButtons::Ok, MsgIcon::Warning);
}
