#pragma once
// The single instance of the window "Patient and Recording" (frmDetails),
// created and loaded when first shown, ended when closed.
class frmDetails;

namespace DetailsWindows {

// Shows the window, loading it first when it is not loaded. Returns the
// window, or nullptr when the data file could not be opened.
frmDetails* showDetails();
void closeDetails();
// The shown window, or nullptr.
frmDetails* detailsWindow();

} // namespace DetailsWindows
