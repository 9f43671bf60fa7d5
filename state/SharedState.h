#pragma once
// The process-wide state through which the windows talk. Created at start,
// lives for the whole run, touched only from the user-interface thread.
#include <QString>

#include <memory>

class QWidget;
class FileSystem;
class Connection;
class Recordset;

// The main window, as the owner of the program's other windows.
extern QWidget* gMainWindow;
extern std::shared_ptr<FileSystem> gFileSystem;
extern QString gDataFile;        // full path of the open data file; empty when none
extern bool gFileReady;          // a data file is open and ready for the data windows
extern QString gSaveAsFile;      // path chosen in the last Save
extern QString gCommSet;         // serial line settings in use, "9600,n,8,1"
extern QString gCommPort;        // serial port in use, "COM1"
extern bool gLoginRequired;
extern bool gEditEnabled;
extern quint8 gPasswordSlot;     // 0 = login, 1 = edit
extern bool gLoginOK;
// Number of records in the open record set. Not limited to 16 bits: a file
// of any size is counted truthfully.
extern qint64 gRecordCount;
extern std::shared_ptr<Connection> gConnection;
extern std::shared_ptr<Recordset> gRecordset;

// Back to the start values (tests run many starts in one process).
void resetSharedState();
