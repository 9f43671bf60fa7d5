#include "views/ChartPlot.h"

#include "text/MessageCatalogue.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QValueAxis>

namespace {

QValueAxis* valueAxis(const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%d"));
    QFont font = axis->titleFont();
    font.setBold(true);
    axis->setTitleFont(font);
    return axis;
}

} // namespace

ChartPlot::ChartPlot(const QString& pressureTitle, const QString& secondaryTitle, QObject* parent)
    : QObject(parent)
    , m_chart(new QChart)
{
    m_chart->legend()->hide();
    m_chart->setBackgroundRoundness(0);
    // The legend is outside and there is no title: little room is needed around the plot.
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_chart->setMargins(QMargins(6, 6, 6, 6));
    m_categories = new QBarCategoryAxis;
    m_pressureAxis = valueAxis(pressureTitle);
    m_secondaryAxis = valueAxis(secondaryTitle);
    m_chart->addAxis(m_categories, Qt::AlignBottom);
    m_chart->addAxis(m_pressureAxis, Qt::AlignLeft);
    m_chart->addAxis(m_secondaryAxis, Qt::AlignRight);
}

// The chart belongs to the view that shows it.
ChartPlot::~ChartPlot() = default;

void ChartPlot::draw(const std::vector<ChartRow>& rows, const SeriesButtons& buttons)
{
    m_legend.clear();
    QStringList labels;
    for (const ChartRow& row : rows)
        labels << (row.id ? QString::number(*row.id) : QString());
    m_categories->setCategories(labels);
    m_points = int(rows.size());
    drawSeries(rows, buttons);
}

QRectF ChartPlot::pointBand(int k) const
{
    const QRectF plot = m_chart->plotArea();
    if (k < 1 || k > m_points)
        return {};
    const double width = plot.width() / m_points;
    return QRectF(plot.left() + (k - 1) * width, plot.top(), width, plot.height());
}

void ChartPlot::addLegendItem(int series, const char* nameKey, const QColor& colour, bool drawn)
{
    m_legend.push_back({series, catText(nameKey), colour, drawn});
}
