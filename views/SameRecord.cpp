#include "views/SameRecord.h"

#include "platform/Recordset.h"

namespace {

int keyColumn(const Recordset& recordset)
{
    for (int c = 0; c < recordset.fieldCount(); ++c)
        if (recordset.fieldInfo(c).primaryKey)
            return c;
    return -1;
}

} // namespace

bool moveToSameRecord(const Recordset& from, Recordset& to)
{
    const qint64 row = from.currentRow();
    const int fromKey = keyColumn(from);
    const int toKey = keyColumn(to);
    if (row < 0 || fromKey < 0 || toKey < 0 || !to.isOpen())
        return false;
    const QVariant key = from.valueAt(row, fromKey);
    if (!key.isValid() || key.isNull())
        return false;
    // Keys ascend with the rows: look near the same place first, then everywhere.
    const qint64 count = to.rowCount();
    const qint64 guess = row < count ? row : count - 1;
    if (guess >= 0 && to.valueAt(guess, toKey) == key)
        return to.setAbsolutePosition(guess + 1);
    for (qint64 r = 0; r < count; ++r)
        if (to.valueAt(r, toKey) == key)
            return to.setAbsolutePosition(r + 1);
    return false;
}
