#pragma once
// How the data windows show a field value: its plain form (a date, a time of
// day, a number), written the way a person of the edition types it, so that
// a shown value can be typed back unchanged.
#include <QString>
#include <QVariant>

// Empty for a null value.
QString fieldText(const QVariant& value);
