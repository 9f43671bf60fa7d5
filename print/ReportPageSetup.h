#pragma once
// Where the report's body sits on the paper: centred across the page, an
// inch from the top and the bottom edge. On A4 that leaves 30 mm each side
// and on Letter 1.3 inches each side of the 8505-twip body; paper too
// narrow for the body loses the side margins first.
#include <QPageLayout>
#include <QPageSize>

namespace ReportPageSetup {

inline constexpr int kTwipsPerPoint = 20;
inline constexpr int kTopBottomMargin = 1440; // twips

// The page layout (in points) for a paper size and orientation.
QPageLayout layoutFor(const QPageSize& paper, QPageLayout::Orientation orientation);
// The same paper and orientation as an existing layout, with the report's margins.
QPageLayout layoutFor(const QPageLayout& chosen);

// Height of the body between the top and bottom margins, in twips.
int bodyHeight(const QPageLayout& layout);

} // namespace ReportPageSetup
