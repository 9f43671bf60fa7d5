#include "platform/PlatformText.h"

namespace {
PlatformTextLookup g_lookup = nullptr;
}

void setPlatformTextLookup(PlatformTextLookup lookup)
{
    g_lookup = lookup;
}

QString platformText(const char* key)
{
    return g_lookup ? g_lookup(key) : QString::fromUtf8(key);
}
