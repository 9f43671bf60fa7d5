#include "state/SharedState.h"

#include "platform/FileSystem.h"

// Connection and Recordset are only forward-declared here; the shared
// pointers' deleters are bound where they are created.
QWidget* gMainWindow = nullptr;
std::shared_ptr<FileSystem> gFileSystem;
QString gDataFile;
bool gFileReady = false;
QString gSaveAsFile;
QString gCommSet;
QString gCommPort;
bool gLoginRequired = false;
bool gEditEnabled = false;
quint8 gPasswordSlot = 0;
bool gLoginOK = false;
qint64 gRecordCount = 0;
std::shared_ptr<Connection> gConnection;
std::shared_ptr<Recordset> gRecordset;

void resetSharedState()
{
    gMainWindow = nullptr;
    gFileSystem.reset();
    gDataFile.clear();
    gFileReady = false;
    gSaveAsFile.clear();
    gCommSet.clear();
    gCommPort.clear();
    gLoginRequired = false;
    gEditEnabled = false;
    gPasswordSlot = 0;
    gLoginOK = false;
    gRecordCount = 0;
    gConnection.reset();
    gRecordset.reset();
}
