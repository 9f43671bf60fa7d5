#pragma once
// Qt's own texts (the buttons of message boxes, the file, print and page
// dialogs) and the platform's date and number forms in the edition's
// language. The German edition loads Qt's German translations (qtbase_de,
// Debian's qt6-translations-l10n) and takes German forms, both where the
// windows ask for the default form and where Qt asks the system (the dates
// and sizes a file dialog lists); the English edition keeps Qt's texts and
// the platform's forms.
#include "text/Edition.h"

#include <QString>

namespace QtLanguage {

// Before the application object exists: Qt reads the system's forms once,
// from the environment (LC_TIME, LC_NUMERIC), which the German edition sets
// to German unless they are German already.
void prepare(EditionId edition);

// Needs the application object. Returns the translation file it loaded:
// empty for the English edition, and when the German file is not installed
// (Qt's texts then stay English; nothing else changes).
QString apply(EditionId edition);

} // namespace QtLanguage
