#pragma once
// The printed follow-up comparison of two to four recordings of one patient
// (RecordingComparison), laid out in bands in twips like the ABPM report:
// the header (title, date printed), the patient as the newest recording
// names them, one line per recording (its number, start and end, readings,
// file), the table of figures with a column per recording and, from the
// second on, the change against the first beside each figure, and the
// hourly means of all recordings over one clock axis from noon to noon,
// systolic above and diastolic below, each recording in its own line style
// (solid, dashed, dotted, dash-dot) with a legend. Black and white only.
//
// One page: when the paper is too short for it, the page is painted smaller.
#include "data/RecordingComparison.h"
#include "print/PagedDocument.h"

#include <QDate>
#include <QPageLayout>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

class RecordingsComparisonPage : public PagedDocument {
public:
    RecordingsComparisonPage(const RecordingComparison& comparison, QDate printed, const QPageLayout& page);

    int pageCount() const override { return 1; }
    void paintPage(QPainter& painter, int page) const override;

    // The line style of the n-th recording (0-based), in the order of the page.
    static Qt::PenStyle lineStyle(int recording);
    // Height of the content as laid out, and the factor it is painted at.
    double contentHeight() const;
    double scale() const;
    // Where the profile's plot is drawn, in twips of the unscaled page (for the tests).
    QRectF profilePlot() const;
    // What the table writes in a figure's cell of a recording, and in its
    // change cell ("" for the first recording).
    QString valueText(int recording, ComparedFigure figure) const;
    QString changeText(int recording, ComparedFigure figure) const;

private:
    double paintHeader(QPainter& painter) const;
    double paintRecordings(QPainter& painter, double top) const;
    double paintTable(QPainter& painter, double top) const;
    double paintProfile(QPainter& painter, double top) const;
    double headerHeight() const;
    double recordingsHeight() const;
    double tableHeight() const;
    // Where each recording's key of the legend starts (the middle of its line).
    std::vector<QPointF> legendPlaces() const;

    RecordingComparison m_comparison;
    QDate m_printed;
    QSizeF m_body; // twips
};
