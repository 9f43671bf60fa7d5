#pragma once
// Qt's own texts (the buttons of message boxes, the file, print and page
// dialogs) and the platform's date and number forms in the edition's
// language. The German edition loads Qt's German translations (qtbase_de,
// Debian's qt6-translations-l10n) and takes German forms as the default;
// the English edition keeps Qt's texts and the platform's forms.
#include "text/Edition.h"

#include <QString>

namespace QtLanguage {

// Needs the application object. Returns the translation file it loaded:
// empty for the English edition, and when the German file is not installed
// (Qt's texts then stay English; nothing else changes).
QString apply(EditionId edition);

// Where the German translation file is looked for.
QString germanTranslationsFolder();

} // namespace QtLanguage
