#pragma once
// The number text of the chart panels: a point as decimal mark, no digit
// grouping, one leading blank for a non-negative value and a minus sign for
// a negative one, no decimal part for whole values, otherwise up to 15
// significant digits without trailing zeros and no zero before the point
// (" 120", " 132.5", " .25", " .333333333333333", "-4"). Very large and very
// small values use an exponent (" 1E+15", " 1E-05"). Independent of the
// user's regional settings.
#include <QString>
#include <QVariant>

QString numberText(double value);
// A field value: numbers as above; an empty value gives an empty text; any
// other value its plain text.
QString numberText(const QVariant& value);
