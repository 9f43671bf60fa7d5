#pragma once
// The single instances of the print preview windows: the data list report
// and the ABPM summary's page. Each is created when a caller first asks for
// it and ends when it is closed.
class AbpmReport;
class AbpmSignedReport;
class DataReport1;

namespace ReportWindows {

// The report window, created (not yet shown) when there is none.
DataReport1* dataReport();
// The report window while it is shown, or nullptr.
DataReport1* shownDataReport();
void closeDataReport();

// The same for the ABPM summary's page.
AbpmReport* abpmReport();
AbpmReport* shownAbpmReport();
void closeAbpmReport();

// The same for the ABPM report a doctor signs.
AbpmSignedReport* signedReport();
AbpmSignedReport* shownSignedReport();
void closeSignedReport();

} // namespace ReportWindows
