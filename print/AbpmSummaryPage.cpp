#include "print/AbpmSummaryPage.h"

#include "print/ReportLayout.h"
#include "print/ReportPageSetup.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"
#include "views/AbpmHourlyChart.h"
#include "views/AbpmSummaryText.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>

namespace {

// The figures and the chart are laid out in pixels of a 96 dpi screen and
// painted 15 twips a pixel, so the page looks the same whatever screen the
// program runs on.
constexpr double kTwipsPerLayoutPixel = 15;
constexpr int kFigurePixels = 11; // 8.25 points
constexpr int kChartFontPixels = 10;

constexpr int kTitleHeight = 440;
constexpr int kHeaderHeight = 300;
constexpr int kRuleGap = 120;
constexpr int kChartGap = 160;
// The chart takes the room the figures leave, but never less than this.
constexpr int kLeastChartHeight = 2800;

QFont figureFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(kFigurePixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

int headerHeight()
{
    return kTitleHeight + kHeaderHeight + kRuleGap;
}

} // namespace

AbpmSummaryPage::AbpmSummaryPage(const AbpmPrintRequest& request, const QDate& printed, const QPageLayout& page)
    : m_dataFile(request.dataFile)
    , m_printed(printed)
    , m_body(page.paintRect(QPageLayout::Point).size() * ReportPageSetup::kTwipsPerPoint)
    , m_figures(std::make_unique<QTextDocument>())
    , m_chart(std::make_unique<QGraphicsScene>())
{
    const double layoutWidth = m_body.width() / kTwipsPerLayoutPixel;
    m_figures->setDefaultFont(figureFont());
    m_figures->setDefaultStyleSheet(AbpmSummaryText::styleSheet());
    m_figures->setDocumentMargin(0);
    // The page names the recording above its figures.
    const QString named = request.headline.isEmpty()
        ? QString()
        : QStringLiteral("<p><b>") + request.headline.toHtmlEscaped() + QStringLiteral("</b></p>");
    m_figures->setHtml(named + AbpmSummaryText::html(request.summary, request.choice));
    m_figures->setTextWidth(layoutWidth);

    m_chartHeight = std::max<double>(kLeastChartHeight, m_body.height() - chartTop());
    auto* chart = new AbpmHourlyChart;
    chart->usePixelFonts(kChartFontPixels);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setFigures(request.summary, request.summary.periodsUsed);
    m_chart->addItem(chart);
    const QRectF area(0, 0, layoutWidth, m_chartHeight / kTwipsPerLayoutPixel);
    chart->setGeometry(area);
    m_chart->setSceneRect(area);
}

AbpmSummaryPage::~AbpmSummaryPage() = default;

double AbpmSummaryPage::chartTop() const
{
    return headerHeight() + m_figures->size().height() * kTwipsPerLayoutPixel + kChartGap;
}

double AbpmSummaryPage::contentHeight() const
{
    return chartTop() + m_chartHeight;
}

double AbpmSummaryPage::scale() const
{
    return std::min(1.0, m_body.height() / contentHeight());
}

void AbpmSummaryPage::paintHeader(QPainter& painter) const
{
    const double width = m_body.width();
    painter.setFont(ReportDesign::arial(14.25, true, false));
    painter.drawText(QRectF(0, 0, width, kTitleHeight), Qt::AlignHCenter | Qt::AlignTop, catText("abpm.caption"));

    const QFont small = ReportDesign::arial(9, false, false);
    painter.setFont(small);
    const QString printed = catText("AbpmReport.lblPrinted")
                                .arg(m_printed.toString(Edition::current().isGerman() ? QStringLiteral("dd.MM.yyyy")
                                                                                      : QStringLiteral("M/d/yyyy")));
    const QFontMetricsF metrics(small);
    const double printedWidth = metrics.horizontalAdvance(printed);
    // A long path gives up its middle, never the date.
    const QString file = metrics.elidedText(catText("AbpmReport.lblFile").arg(m_dataFile), Qt::ElideMiddle,
                                            width - printedWidth - 300);
    const QRectF line(0, kTitleHeight, width, kHeaderHeight);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop, file);
    painter.drawText(line, Qt::AlignRight | Qt::AlignTop, printed);
    painter.setPen(QPen(Qt::black, ReportDesign::kRuleTwips, Qt::SolidLine, Qt::FlatCap));
    const double ruleTop = kTitleHeight + kHeaderHeight;
    painter.drawLine(QPointF(0, ruleTop), QPointF(width, ruleTop));
}

void AbpmSummaryPage::paintPage(QPainter& painter, int) const
{
    painter.save();
    painter.scale(scale(), scale());
    paintHeader(painter);

    painter.save();
    painter.translate(0, headerHeight());
    painter.scale(kTwipsPerLayoutPixel, kTwipsPerLayoutPixel);
    m_figures->drawContents(&painter);
    painter.restore();

    m_chart->render(&painter, QRectF(0, chartTop(), m_body.width(), m_chartHeight), m_chart->sceneRect(),
                    Qt::IgnoreAspectRatio);
    painter.restore();
}
