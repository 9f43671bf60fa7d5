#include "views/PendingRecord.h"

#include "platform/Recordset.h"

bool isBlankNewRecord(const Recordset& recordset)
{
    if (!recordset.isOpen() || recordset.editMode() != Recordset::EditAdd)
        return false;
    for (int c = 0; c < recordset.fieldCount(); ++c) {
        const QVariant v = recordset.value(c);
        if (v.isValid() && !v.isNull())
            return false;
    }
    return true;
}

bool dropBlankNewRecord(Recordset& recordset)
{
    return isBlankNewRecord(recordset) && recordset.cancelUpdate();
}

bool savePendingRecord(Recordset& recordset, QString* why)
{
    if (!recordset.isOpen() || recordset.editMode() == Recordset::EditNone)
        return true;
    if (dropBlankNewRecord(recordset))
        return true;
    if (recordset.update())
        return true;
    if (why)
        *why = recordset.lastError();
    return false;
}
