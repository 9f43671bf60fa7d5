#include "exchange/GdtPatient.h"

QString gdtSexField(GdtSex sex)
{
    switch (sex) {
    case GdtSex::Male: return QStringLiteral("1");
    case GdtSex::Female: return QStringLiteral("2");
    default: return QString();
    }
}

std::optional<GdtSex> gdtSexFromField(const QString& content)
{
    const QString value = content.trimmed().toUpper();
    if (value.isEmpty() || value == u"U")
        return GdtSex::Unknown;
    if (value == u"1" || value == u"M")
        return GdtSex::Male;
    if (value == u"2" || value == u"W" || value == u"F")
        return GdtSex::Female;
    if (value == u"D")
        return GdtSex::Diverse;
    if (value == u"X")
        return GdtSex::Indeterminate;
    return std::nullopt;
}
