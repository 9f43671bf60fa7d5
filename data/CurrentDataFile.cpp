#include "data/CurrentDataFile.h"

#include "data/AmbFileCheck.h"
#include "data/AmbSchema.h"
#include "data/BpStatistics.h"
#include "data/DataMessages.h"
#include "platform/Connection.h"
#include "platform/FileSystem.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "state/MainStatusPanels.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"
#include "text/MessageCatalogue.h"

namespace {

// Moves to the state No file after a failed open and says why.
void failedOpen(const AmbFileStatus& status)
{
    if (gConnection)
        gConnection->close();
    gFileReady = false;
    MainStatusPanels::instance().setFile(QString());
    MainStatusPanels::instance().setText(MainStatusPanels::Records, QString());
    emit StateNotifier::instance().dataFileChanged();
    showCannotOpenMessage(gDataFile, status);
}

bool isOpenOnCurrentFile(const std::shared_ptr<Recordset>& rs)
{
    return rs && rs->isOpen() && rs->connection() && rs->connection()->isOpen()
        && sameFile(rs->connection()->dataSource(), gDataFile);
}

} // namespace

namespace CurrentDataFile {

bool open()
{
    if (gDataFile.isEmpty()) {
        showMessage(nullptr, catText("clsbpdata.msgNoFile"), MsgButtons::Ok, MsgIcon::Information,
                    catText("frmMain.caption"));
        gFileReady = false;
        return false;
    }

    auto connection = std::make_shared<Connection>();
    gConnection = connection;
    connection->setCursorLocation(Connection::UseClient);
    if (!connection->openFile(gDataFile)) {
        failedOpen(AmbFileCheck::fromConnection(*connection));
        return false;
    }

    auto records = std::make_shared<Recordset>();
    gRecordset = records;
    if (!records->open(AmbSchema::recordQuery(), connection, Recordset::OpenStatic,
                       Recordset::LockOptimistic, -1)) {
        // The query's own words ("no such column: Nr_") say little to a
        // user: look at the file to tell why.
        AmbFileStatus status = AmbFileCheck::check(gDataFile);
        if (status.ok()) {
            status.kind = AmbFileStatus::Unreadable;
            status.detail = records->lastError();
        }
        failedOpen(status);
        return false;
    }
    emit StateNotifier::instance().recordsetOpened();

    QString why;
    if (!UpdateBpStatistics(&why)) {
        failedOpen({AmbFileStatus::Unreadable, why});
        return false;
    }
    gRecordCount = records->recordCount();
    MainStatusPanels::instance().setRecordCount(gRecordCount);
    return true;
}

std::shared_ptr<Recordset> records()
{
    const std::shared_ptr<Recordset> current = gRecordset;
    if (!gDataFile.isEmpty() && isOpenOnCurrentFile(current))
        return current;
    // Another file is current now (New, Open or Save while a window held
    // the earlier one): open the file the File panel shows.
    if (!open())
        return nullptr;
    return gRecordset;
}

} // namespace CurrentDataFile
