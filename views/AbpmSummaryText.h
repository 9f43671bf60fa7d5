#pragma once
// The ABPM summary in words and numbers of the current edition: the
// figures as HTML for the window and the printed page (no font sizes, so
// each sets its own), the help text with the artefact rules, and the words
// for classes, rules and validity problems. Numbers are written as a person
// of the edition writes them (a decimal comma in German).
#include "data/AbpmSummary.h"

#include <QString>
#include <QStringList>

namespace AbpmSummaryText {

QString html(const AbpmSummary& summary, const AbpmPeriodChoice& choice);
// The style the figures are shown in (a document's default style sheet):
// close paragraphs, so that the printed figures fit one page.
QString styleSheet();
QString helpText();

QString ruleText(ArtefactRule rule);
QString dipClassText(DipClass dipClass);
// One reason per validity problem, in the summary's order.
QStringList problemTexts(const AbpmSummary& summary);

// A number to the given decimals ("-0.0" is written "0.0").
QString decimal(double value, int decimals);
// A moment as the data windows write dates, with hours and minutes.
QString moment(const QDateTime& moment);

} // namespace AbpmSummaryText
