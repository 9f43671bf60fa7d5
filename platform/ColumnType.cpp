#include "platform/ColumnType.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>
#include <limits>

namespace {

QString shown(const QVariant& value)
{
    return QStringLiteral("\"%1\"").arg(value.toString());
}

bool isNumericType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

// A number from a value: numeric types as they are, texts in C notation (a
// single decimal comma is taken as a point, since people type it).
bool numberOf(const QVariant& value, double* out)
{
    if (isNumericType(value.typeId())) {
        *out = value.toDouble();
        return true;
    }
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QByteArray)
        return false;
    QString text = value.toString().trimmed();
    if (!text.contains(QLatin1Char('.')) && text.count(QLatin1Char(',')) == 1)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (!ok)
        return false;
    *out = d;
    return true;
}

int twoDigits(const QChar* p)
{
    if (!p[0].isDigit() || !p[1].isDigit())
        return -1;
    return p[0].digitValue() * 10 + p[1].digitValue();
}

// yyyy-MM-dd, the stored form; quick because a large file holds many.
QDate parseIsoDate(const QString& text)
{
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return {};
    const QChar* p = text.constData();
    const int hi = twoDigits(p), lo = twoDigits(p + 2), m = twoDigits(p + 5), d = twoDigits(p + 8);
    if (hi < 0 || lo < 0 || m < 0 || d < 0)
        return {};
    return QDate(hi * 100 + lo, m, d);
}

QDate parseTypedDate(const QString& text)
{
    const QString t = text.trimmed();
    QDate d = parseIsoDate(t);
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("d.M.yyyy"));
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("M/d/yyyy"));
    return d;
}

QTime parseTypedTime(const QString& text)
{
    const QString t = text.trimmed();
    QTime time = QTime::fromString(t, QStringLiteral("H:mm:ss"));
    if (!time.isValid())
        time = QTime::fromString(t, QStringLiteral("H:mm"));
    return time;
}

bool refuse(const ColumnInfo& column, const QString& why, QString* error)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(column.name, why);
    return false;
}

} // namespace

ColumnKind columnKindOf(const QString& declaredType)
{
    const QString t = declaredType.trimmed().toUpper();
    if (t == QLatin1String("SMALLINT"))
        return ColumnKind::Integer16;
    if (t.contains(QLatin1String("INT")))
        return ColumnKind::Integer;
    if (t.contains(QLatin1String("DOUB")) || t.contains(QLatin1String("REAL"))
        || t.contains(QLatin1String("FLOA")))
        return ColumnKind::Real;
    if (t == QLatin1String("DATE"))
        return ColumnKind::Date;
    if (t == QLatin1String("TIME"))
        return ColumnKind::Time;
    if (t == QLatin1String("BOOLEAN") || t == QLatin1String("BIT"))
        return ColumnKind::Boolean;
    return ColumnKind::Text;
}

bool acceptColumnValue(const ColumnInfo& column, const QVariant& value, QVariant* accepted,
                       QString* error)
{
    const bool isText = value.typeId() == QMetaType::QString;
    if (value.isNull() || !value.isValid() || (isText && value.toString().trimmed().isEmpty())) {
        *accepted = QVariant();
        return true;
    }

    switch (column.kind) {
    case ColumnKind::Integer16:
    case ColumnKind::Integer: {
        double d = 0;
        if (value.typeId() == QMetaType::Bool || !numberOf(value, &d))
            return refuse(column, QStringLiteral("%1 is not a number").arg(shown(value)), error);
        if (!std::isfinite(d) || d != std::trunc(d))
            return refuse(column, QStringLiteral("%1 is not a whole number").arg(shown(value)), error);
        const bool small = column.kind == ColumnKind::Integer16;
        const double lo = small ? -32768.0 : -9223372036854775808.0;
        const double hi = small ? 32767.0 : 9223372036854775807.0;
        if (d < lo || d >= hi + (small ? 1.0 : 0.0))
            return refuse(column,
                          QStringLiteral("%1 is outside the range %2 to %3")
                              .arg(shown(value), QString::number(qint64(lo)),
                                   small ? QStringLiteral("32767")
                                         : QStringLiteral("9223372036854775807")),
                          error);
        // Whole numbers of 64 bits go through exactly, not through a double.
        const qlonglong exact = value.typeId() == QMetaType::LongLong ? value.toLongLong()
                                                                      : qlonglong(d);
        *accepted = exact;
        return true;
    }
    case ColumnKind::Real: {
        double d = 0;
        if (value.typeId() == QMetaType::Bool || !numberOf(value, &d))
            return refuse(column, QStringLiteral("%1 is not a number").arg(shown(value)), error);
        if (!std::isfinite(d))
            return refuse(column, QStringLiteral("%1 is not a finite number").arg(shown(value)),
                          error);
        *accepted = d;
        return true;
    }
    case ColumnKind::Date: {
        QDate date;
        if (value.typeId() == QMetaType::QDate) {
            date = value.toDate();
        } else if (value.typeId() == QMetaType::QDateTime) {
            const QDateTime dt = value.toDateTime();
            if (dt.time() != QTime(0, 0))
                return refuse(column,
                              QStringLiteral("%1 has a time of day; the column holds dates only")
                                  .arg(shown(value)),
                              error);
            date = dt.date();
        } else if (isText) {
            date = parseTypedDate(value.toString());
        }
        if (!date.isValid() || date.year() < 100 || date.year() > 9999)
            return refuse(column, QStringLiteral("%1 is not a date (yyyy-mm-dd)").arg(shown(value)),
                          error);
        *accepted = date;
        return true;
    }
    case ColumnKind::Time: {
        QTime time;
        if (value.typeId() == QMetaType::QTime)
            time = value.toTime();
        else if (isText)
            time = parseTypedTime(value.toString());
        if (!time.isValid())
            return refuse(column,
                          QStringLiteral("%1 is not a time of day (hh:mm)").arg(shown(value)),
                          error);
        // Whole seconds, as the column keeps them.
        *accepted = QTime(time.hour(), time.minute(), time.second());
        return true;
    }
    case ColumnKind::Boolean: {
        if (value.typeId() == QMetaType::Bool) {
            *accepted = value.toBool();
            return true;
        }
        double d = 0;
        if (isNumericType(value.typeId()) && numberOf(value, &d)) {
            *accepted = d != 0.0;
            return true;
        }
        const QString t = value.toString().trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("1")
            || t == QLatin1String("-1")) {
            *accepted = true;
            return true;
        }
        if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("0")) {
            *accepted = false;
            return true;
        }
        return refuse(column, QStringLiteral("%1 is not yes or no").arg(shown(value)), error);
    }
    case ColumnKind::Text:
        *accepted = value.toString();
        return true;
    }
    return refuse(column, QStringLiteral("unknown column type"), error);
}

QVariant columnValueToStored(ColumnKind kind, const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    switch (kind) {
    case ColumnKind::Date:
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().toString(Qt::ISODate);
        break;
    case ColumnKind::Time:
        if (value.typeId() == QMetaType::QTime)
            return value.toTime().toString(QStringLiteral("HH:mm:ss"));
        break;
    case ColumnKind::Boolean:
        if (value.typeId() == QMetaType::Bool)
            return qlonglong(value.toBool() ? 1 : 0);
        break;
    default:
        break;
    }
    return value;
}
