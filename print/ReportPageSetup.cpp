#include "print/ReportPageSetup.h"

#include "print/ReportLayout.h"

#include <algorithm>

namespace ReportPageSetup {

QPageLayout layoutFor(const QPageSize& paper, QPageLayout::Orientation orientation)
{
    QSizeF size = paper.size(QPageSize::Point);
    if (orientation == QPageLayout::Landscape)
        size.transpose();
    const double body = double(ReportDesign::kBodyWidth) / kTwipsPerPoint;
    const double side = std::max(0.0, (size.width() - body) / 2);
    const double topBottom = double(kTopBottomMargin) / kTwipsPerPoint;
    return QPageLayout(paper, orientation, QMarginsF(side, topBottom, side, topBottom), QPageLayout::Point);
}

QPageLayout layoutFor(const QPageLayout& chosen)
{
    const QPageSize paper = chosen.pageSize().isValid() ? chosen.pageSize() : QPageSize(QPageSize::A4);
    return layoutFor(paper, chosen.orientation());
}

int bodyHeight(const QPageLayout& layout)
{
    return qRound(layout.paintRect(QPageLayout::Point).height() * kTwipsPerPoint);
}

} // namespace ReportPageSetup
