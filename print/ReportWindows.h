#pragma once
// The single instance of the data list report's window. It is created when
// a caller first asks for it and ends when it is closed.
class DataReport1;

namespace ReportWindows {

// The report window, created (not yet shown) when there is none.
DataReport1* dataReport();
// The report window while it is shown, or nullptr.
DataReport1* shownDataReport();
void closeDataReport();

} // namespace ReportWindows
