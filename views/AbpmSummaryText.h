#pragma once
// The ABPM summary in words and numbers of the current edition: the
// figures as HTML for the window and the printed page (no font sizes, so
// each sets its own) and the help text with the artefact rules. Numbers are
// written as a person of the edition writes them (a decimal comma in
// German), dates as the data windows write them.
#include "data/AbpmSummary.h"

#include <QString>

namespace AbpmSummaryText {

QString html(const AbpmSummary& summary, const AbpmPeriodChoice& choice);
// The style the figures are shown in (a document's default style sheet):
// close paragraphs, so that the printed figures fit one page.
QString styleSheet();
QString helpText();

// A figure as the summary writes it: to the given decimals in the
// edition's form, "none" without one.
QString figureText(const std::optional<double>& value, int decimals);
// A share as the summary writes it ("85.3 %", cut, not rounded).
QString shareText(qint64 part, qint64 whole);

} // namespace AbpmSummaryText
