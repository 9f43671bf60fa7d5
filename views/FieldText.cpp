#include "views/FieldText.h"

#include "text/Edition.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace {

QLocale editionLocale()
{
    QLocale locale = Edition::current().isGerman() ? QLocale(QLocale::German, QLocale::Germany)
                                                   : QLocale(QLocale::English, QLocale::UnitedStates);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

QString fieldText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Edition::current().isGerman() ? QStringLiteral("dd.MM.yyyy")
                                                                     : QStringLiteral("M/d/yyyy"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float:
        // Fifteen significant digits, as a double is shown to people.
        return editionLocale().toString(value.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return value.toString();
    }
}
