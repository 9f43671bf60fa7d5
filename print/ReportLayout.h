#pragma once
// The design of the data list report DataReport1: its five bands and their
// labels, text boxes and rules, placed in twips (1440 per inch) as the
// report was drawn, with the captions, widths and column bindings of the
// current edition. Only data: ReportDocument pages it, ReportPainter paints it.
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

// A caption that prints as it stands.
struct ReportLabel {
    const char* name;
    QString caption;
    QRect box; // twips, top relative to the band
    Qt::Alignment alignment;
    QFont font;
};

// A box that prints one column's value of the current record.
struct ReportTextBox {
    const char* name;
    QString column;
    QRect box;
    Qt::Alignment alignment;
    QFont font;
};

// A horizontal rule from the band's left edge.
struct ReportRule {
    const char* name;
    int top;
    int width;
};

struct ReportBand {
    const char* name;
    int height;
    std::vector<ReportLabel> labels;
    std::vector<ReportTextBox> textBoxes;
    std::vector<ReportRule> rules;
};

struct ReportLayout {
    ReportBand reportHeader; // once, at the top of the first page
    ReportBand pageHeader;   // at the top of every page
    ReportBand detail;       // once per record
    ReportBand pageFooter;   // at the foot of every page
    ReportBand reportFooter; // once, after the last record
    int bodyWidth = 0;

    // The columns the text boxes print, left to right.
    QStringList boundColumns() const;
};

namespace ReportDesign {

// The data list report in the current edition.
ReportLayout dataReport1();

// The layout with the line that names the recording (detailsHeadline) in
// the page footer of every page; unchanged for an empty line.
ReportLayout withRecordingLine(ReportLayout layout, const QString& headline);

// Printed width of the body.
inline constexpr int kBodyWidth = 8505;
// Thickness of a rule: one screen pixel.
inline constexpr int kRuleTwips = 15;

// A font of the design. The design names Arial; the metric-compatible
// Liberation Sans stands in where Arial is not installed, so that every
// caption keeps the width it was drawn with.
QFont arial(double points, bool bold, bool italic);

} // namespace ReportDesign
