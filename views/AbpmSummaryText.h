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

} // namespace AbpmSummaryText
