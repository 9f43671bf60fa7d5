// Printer setup chooses a printer and prints nothing: its buttons are OK,
// Cancel and Properties (no Print), in the edition's language; without an
// installed printer it says printing offers a PDF file, and confirming
// changes nothing.
#include "platform/PrinterSetupDialog.h"
#include "text/QtLanguage.h"
#include "text/Edition.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList buttonTexts(const PrinterSetupDialog& dialog)
{
    QStringList texts;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << button->text();
    texts.sort();
    return texts;
}

} // namespace

class TestPrinterSetup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Edition::select(EditionId::English); // the set-up's texts from the catalogue
    }

    void itsButtonsChooseAndNeverPrint()
    {
        QPrinter printer;
        PrinterSetupDialog dialog(&printer);
        QCOMPARE(buttonTexts(dialog),
                 (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK"), QStringLiteral("P&roperties...")}));
        QCOMPARE(dialog.cboPrinter->count(), int(QPrinterInfo::availablePrinterNames().size()));
        QVERIFY(!dialog.cboPrinter->accessibleName().isEmpty());
    }

    void withoutAPrinterItSaysPrintingOffersAPdfFile()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is installed here");
        QPrinter printer;
        const QString before = printer.printerName();
        PrinterSetupDialog dialog(&printer);
        dialog.show();
        QVERIFY(dialog.lblNoPrinter->isVisible());
        QVERIFY(!dialog.cboPrinter->isEnabled());
        dialog.buttons->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(printer.printerName(), before);
    }

    // Last: Qt's German texts stay loaded once they are.
    void germanEditionSpeaksGerman()
    {
        Edition::select(EditionId::German);
        QVERIFY(!QtLanguage::apply(EditionId::German).isEmpty());
        QPrinter printer;
        PrinterSetupDialog dialog(&printer);
        QCOMPARE(buttonTexts(dialog),
                 (QStringList{QStringLiteral("&Eigenschaften..."), QStringLiteral("Abbrechen"), QStringLiteral("OK")}));
    }
};

QTEST_MAIN(TestPrinterSetup)
#include "test_printersetup.moc"
