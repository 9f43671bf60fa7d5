#pragma once
// Printing a window as it is shown, scaled to fit the page: the printer
// comes from the printer dialog (seam); when it leaves nowhere to print
// (no printer installed), the user is offered a PDF file instead (file
// dialog seam), so that Print never silently does nothing.
#include <QString>

#include <functional>

class QWidget;

enum class PrintOutcome { Printed, Cancelled, Failed };

// printLook(true) gives the window the look it prints with right before it
// is drawn onto the page, printLook(false) gives it back afterwards,
// whatever happened; it may be empty. Failed with the reason in *error.
PrintOutcome PrintForm(QWidget* window, const std::function<void(bool printing)>& printLook,
                       QString* error = nullptr);
