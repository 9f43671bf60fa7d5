#include "platform/PrinterSetupDialog.h"

#include "platform/PlatformText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

PrinterSetupDialog::PrinterSetupDialog(QPrinter* printer, QWidget* parent)
    : QDialog(parent)
    , m_printer(printer)
    , m_nameBefore(printer->printerName())
{
    setObjectName(QStringLiteral("dlgPrinterSetup"));

    const QStringList printers = QPrinterInfo::availablePrinterNames();
    cboPrinter = new QComboBox(this);
    cboPrinter->setObjectName(QStringLiteral("cboPrinter"));
    cboPrinter->addItems(printers);
    const QString current = printers.contains(m_nameBefore) ? m_nameBefore : QPrinterInfo::defaultPrinterName();
    cboPrinter->setCurrentIndex(qMax(0, printers.indexOf(current)));
    cboPrinter->setMinimumContentsLength(24);
    auto* label = new QLabel(platformText("printerSetup.lblPrinter"), this);
    label->setBuddy(cboPrinter);
    cboPrinter->setAccessibleName(label->text().remove(QLatin1Char('&')));

    lblNoPrinter = new QLabel(platformText("printerSetup.noPrinter"), this);
    lblNoPrinter->setWordWrap(true);
    lblNoPrinter->setVisible(printers.isEmpty());
    cboPrinter->setEnabled(!printers.isEmpty());

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdProperties = buttons->addButton(platformText("printerSetup.cmdProperties"), QDialogButtonBox::ActionRole);
    cmdProperties->setObjectName(QStringLiteral("cmdProperties"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PrinterSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrinterSetupDialog::reject);
    connect(cmdProperties, &QPushButton::clicked, this, &PrinterSetupDialog::showProperties);

    auto* form = new QFormLayout;
    form->addRow(label, cboPrinter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblNoPrinter);
    layout->addWidget(buttons);
}

void PrinterSetupDialog::showProperties()
{
    // The page is set up for the printer as chosen now.
    if (cboPrinter->count() > 0)
        m_printer->setPrinterName(cboPrinter->currentText());
    QPageSetupDialog page(m_printer, this);
    page.exec();
}

void PrinterSetupDialog::accept()
{
    if (cboPrinter->count() > 0)
        m_printer->setPrinterName(cboPrinter->currentText());
    QDialog::accept();
}

void PrinterSetupDialog::reject()
{
    if (m_printer->printerName() != m_nameBefore)
        m_printer->setPrinterName(m_nameBefore);
    QDialog::reject();
}
