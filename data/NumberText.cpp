#include "data/NumberText.h"

#include <cmath>

QString numberText(double value)
{
    if (std::isnan(value))
        return QStringLiteral(" NaN");
    if (value == 0.0)
        return QStringLiteral(" 0"); // also -0
    // 15 significant digits; the exponent form takes over below 1E-04 and
    // from 1E+15 on. QString::number never uses regional settings.
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return value < 0 ? text : QLatin1Char(' ') + text;
}

QString numberText(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong: {
        const qlonglong n = value.toLongLong();
        return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    default:
        return value.toString();
    }
}
