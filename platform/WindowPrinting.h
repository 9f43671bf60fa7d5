#pragma once
// Printing a window as it is shown: its image, scaled to fit the page, on
// the printer chosen under Printer setup. Where there is no printer to print
// on, the user is offered a PDF file instead (file dialog seam), so that a
// print command never silently does nothing.
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// The printer chosen under Printer setup, shared by everything that prints.
// Lives until the application ends.
QPrinter& chosenPrinter();
// Back to no printer chosen (tests run many starts in one process).
void forgetChosenPrinter();

enum class PrintResult { Printed, Cancelled, Failed };

// Prints the window's image. printLook(true) gives the window the look it
// prints with, right before its image is taken, and printLook(false) gives
// it back afterwards, whatever happened. Cancelled when the user declined
// the PDF file; Failed with the reason in *error when the printer or file
// could not be written.
PrintResult printWindowImage(QWidget* window, const std::function<void(bool printing)>& printLook,
                             QString* error = nullptr);
