#pragma once
// Printer setup: the user chooses the printer everything prints on, and its
// page through Properties, and confirms with OK. Nothing is printed, so the
// dialog has no Print button. Without an installed printer it says that
// printing offers a PDF file instead.
#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPrinter;
class QPushButton;

class PrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrinterSetupDialog(QPrinter* printer, QWidget* parent = nullptr);

    QComboBox* cboPrinter = nullptr;
    QLabel* lblNoPrinter = nullptr;
    QPushButton* cmdProperties = nullptr;
    QDialogButtonBox* buttons = nullptr;

    // OK: the chosen printer becomes the printer's.
    void accept() override;
    // Cancel: the printer keeps the name it had.
    void reject() override;

private:
    void showProperties();

    QPrinter* m_printer;
    QString m_nameBefore;
};
