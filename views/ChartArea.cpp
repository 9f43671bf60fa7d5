#include "views/ChartArea.h"

#include "text/MessageCatalogue.h"
#include "views/ChartPlot.h"

#include <QBrush>
#include <QChart>
#include <QChartView>
#include <QGraphicsRectItem>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int kMostSeries = 4;

// A series not drawn now shows a hollow swatch.
QIcon swatch(const QColor& colour, bool drawn)
{
    QPixmap picture(14, 14);
    picture.fill(drawn ? colour : QColor(Qt::white));
    QPainter p(&picture);
    p.setPen(drawn ? colour.darker(160) : colour);
    p.drawRect(0, 0, 13, 13);
    return QIcon(picture);
}

} // namespace

LegendEntry::LegendEntry(QWidget* parent)
    : QPushButton(parent)
{
    setFlat(true);
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));
}

void LegendEntry::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

ChartArea::ChartArea(ChartPlot* plot, const QString& name, QWidget* parent)
    : QWidget(parent)
    , m_plot(plot)
{
    setObjectName(QStringLiteral("chtReport"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    m_view = new QChartView(plot->chart(), this);
    m_view->setObjectName(QStringLiteral("chtReportView"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setAccessibleName(name);
    m_view->setAccessibleDescription(catText("chart.chtReportHint"));
    m_view->installEventFilter(this);

    m_selection = new QGraphicsRectItem(plot->chart());
    m_selection->setPen(QPen(QColor(0, 0, 0, 160), 1, Qt::DashLine));
    m_selection->setBrush(QColor(255, 200, 0, 70));
    m_selection->setZValue(1000); // over the series
    m_selection->hide();
    connect(plot->chart(), &QChart::plotAreaChanged, this, &ChartArea::showSelection);

    // The legend runs along the top, leaving the plot the window's width.
    auto* legend = new QHBoxLayout;
    legend->setContentsMargins(8, 4, 8, 0);
    legend->setSpacing(4);
    for (int i = 0; i < kMostSeries; ++i) {
        auto* entry = new LegendEntry(this);
        entry->setObjectName(QStringLiteral("legendEntry%1").arg(i + 1));
        entry->hide();
        connect(entry, &QPushButton::clicked, this, [this, entry] { emit seriesPicked(entry->series); });
        legend->addWidget(entry);
        m_entries.push_back(entry);
    }
    legend->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(legend);
    layout->addWidget(m_view, 1);

    connect(plot, &ChartPlot::pointPicked, this, [this](int k) {
        selectPoint(k);
        emit pointPicked(k);
    });
    connect(plot, &ChartPlot::seriesPicked, this, &ChartArea::seriesPicked);
}

std::vector<LegendEntry*> ChartArea::legendEntries() const
{
    std::vector<LegendEntry*> shown;
    for (LegendEntry* entry : m_entries)
        if (!entry->isHidden())
            shown.push_back(entry);
    return shown;
}

void ChartArea::plotDrawn()
{
    const std::vector<LegendItem>& items = m_plot->legendItems();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        LegendEntry* entry = m_entries[i];
        entry->setVisible(i < items.size());
        if (i >= items.size())
            continue;
        entry->series = items[i].series;
        entry->setText(items[i].name);
        entry->setAccessibleName(items[i].name);
        entry->setIcon(swatch(items[i].colour, items[i].drawn));
    }
    selectPoint(0);
}

void ChartArea::reserveBottom(int pixels)
{
    QMargins margins = m_plot->chart()->margins();
    margins.setBottom(pixels);
    m_plot->chart()->setMargins(margins);
}

void ChartArea::selectPoint(int k)
{
    m_selected = k >= 1 && k <= m_plot->pointCount() ? k : 0;
    showSelection();
}

void ChartArea::showSelection()
{
    m_selection->setVisible(m_selected > 0);
    if (m_selected > 0)
        m_selection->setRect(m_plot->pointBand(m_selected));
}

bool ChartArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_view || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int count = m_plot->pointCount();
    if (count == 0)
        return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
        selectPoint(m_selected > 1 ? m_selected - 1 : 1);
        return true;
    case Qt::Key_Right:
        selectPoint(std::min(m_selected + 1, count));
        return true;
    case Qt::Key_Home:
        selectPoint(1);
        return true;
    case Qt::Key_End:
        selectPoint(count);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_selected > 0)
            emit pointPicked(m_selected);
        return true;
    default:
        return false;
    }
}
