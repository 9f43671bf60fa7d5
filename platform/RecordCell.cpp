#include "platform/RecordCell.h"

#include <QDate>
#include <QTime>

#include <cmath>

QVariant cellValue(const RecordCell& cell, const RecordTexts& texts)
{
    switch (cell.tag) {
    case RecordCell::Null: return QVariant();
    case RecordCell::Integer: return QVariant(qlonglong(cell.i));
    case RecordCell::Real: return QVariant(cell.d);
    case RecordCell::Date: return QVariant(QDate::fromJulianDay(cell.i));
    case RecordCell::Time: return QVariant(QTime::fromMSecsSinceStartOfDay(int(cell.i)));
    case RecordCell::Boolean: return QVariant(cell.i != 0);
    case RecordCell::Text: return QVariant(texts[size_t(cell.i)]);
    }
    return QVariant();
}

RecordCell cellFromValue(const QVariant& value, RecordTexts& texts)
{
    RecordCell cell;
    if (value.isNull() || !value.isValid())
        return cell;
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
        cell.tag = RecordCell::Integer;
        cell.i = value.toLongLong();
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        cell.tag = RecordCell::Real;
        cell.d = value.toDouble();
        break;
    case QMetaType::QDate:
        cell.tag = RecordCell::Date;
        cell.i = value.toDate().toJulianDay();
        break;
    case QMetaType::QTime:
        cell.tag = RecordCell::Time;
        cell.i = value.toTime().msecsSinceStartOfDay();
        break;
    case QMetaType::Bool:
        cell.tag = RecordCell::Boolean;
        cell.i = value.toBool() ? 1 : 0;
        break;
    default:
        cell.tag = RecordCell::Text;
        cell.i = qint64(texts.size());
        texts.push_back(value.toString());
        break;
    }
    return cell;
}

std::optional<double> cellNumber(const RecordCell& cell, const RecordTexts& texts)
{
    switch (cell.tag) {
    case RecordCell::Integer: return double(cell.i);
    case RecordCell::Real:
        if (std::isfinite(cell.d))
            return cell.d;
        return std::nullopt;
    case RecordCell::Text: {
        bool ok = false;
        const double d = texts[size_t(cell.i)].trimmed().toDouble(&ok);
        if (ok && std::isfinite(d))
            return d;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}
