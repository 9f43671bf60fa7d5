#pragma once
// What the drawn pages (the ABPM report a doctor signs, the follow-up
// comparison) share, so that they look and write alike: the heights of a
// line, a title and the gap between bands in twips, the body font, the
// black pen, a line of text, a moment as they write it, and the patient.
#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QPen>
#include <QString>

class QPainter;
struct RecordingDetails;

namespace ReportPieces {

inline constexpr double kLine = 230;  // one line of body text
inline constexpr double kTitle = 380; // the title's line
inline constexpr double kGap = 140;   // between bands

QFont bodyFont(bool bold = false);
// Black, flat ends, round joins: lines differ by width and dash only.
QPen pen(double width, Qt::PenStyle style = Qt::SolidLine);
// One line of text at `top`, across `width` from the left edge.
void line(QPainter& painter, double top, const QString& text, double width, Qt::Alignment align = Qt::AlignLeft);
// Date and time of day as the pages write them in the current edition.
QString momentText(const QDateTime& moment);
// The patient as the pages name them: name, number, birth date with the
// age in whole years on `day`, sex; each part only when the details have
// it, empty when they have none.
QString patientLine(const RecordingDetails& details, const QDate& day);

} // namespace ReportPieces
