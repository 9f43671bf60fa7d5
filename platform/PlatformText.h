#pragma once
// The platform's own user texts (a record set's failures, the settings
// store's refusals, the printer set-up) belong in the message catalogue,
// which is a layer above this one. That layer installs its lookup when the
// program chooses its edition (Edition::select); platform code asks here.
// Without a lookup the key itself comes back, so a missing step shows.
#include <QString>

using PlatformTextLookup = QString (*)(const char* key);

void setPlatformTextLookup(PlatformTextLookup lookup);
QString platformText(const char* key);
