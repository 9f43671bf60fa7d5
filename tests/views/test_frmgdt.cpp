// The GDT Link window in both editions: it shows the stored settings, OK
// refuses a folder that does not exist naming it (nothing stored, the
// window stays), stores what it shows and tells the program, Cancel
// stores nothing; equal GDT IDs are refused (our result would read as a
// request).
#include "exchange/GdtSettings.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedSeams.h"
#include "text/Edition.h"
#include "views/frmGdt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(EditionId)

class TestFrmGdt : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(settingsFilePath(kAppTitle)); }

    void okStoresWhatItShows_data()
    {
        QTest::addColumn<EditionId>("edition");
        QTest::newRow("English") << EditionId::English;
        QTest::newRow("German") << EditionId::German;
    }
    void okStoresWhatItShows()
    {
        QFETCH(EditionId, edition);
        Edition::select(edition);
        ScriptedSeams seams;
        QTemporaryDir dir;
        frmGdt window;
        window.show();
        QVERIFY(!window.chkEnabled->isChecked());
        QCOMPARE(window.txtOwnId->text(), QStringLiteral("KORV"));
        QCOMPARE(window.cboCharset->currentData().toInt(), 2);
        QVERIFY(window.chkPdf->isChecked());

        int told = 0;
        window.setChangedHook([&](const GdtSettings&) { ++told; });
        window.chkEnabled->setChecked(true);
        window.txtImport->setText(dir.filePath(QStringLiteral("missing")));
        window.cmdOK_Click();
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY(seams.lastMessageText().contains(dir.filePath(QStringLiteral("missing"))));
        QVERIFY(seams.lastMessageText().startsWith(edition == EditionId::German ? "GDT-Anbindung nicht geändert ! , "
                                                                                 : "GDT Link Not Changed ! , "));
        QVERIFY(window.isVisible());
        QCOMPARE(told, 0);
        QVERIFY(!GdtSettingsStore::load().enabled);

        window.txtImport->setText(dir.path());
        window.cboCharset->setCurrentIndex(window.cboCharset->findData(3));
        window.chkPdf->setChecked(false);
        window.cmdOK_Click();
        QCOMPARE(told, 1);
        QVERIFY(!window.isVisible());
        const GdtSettings stored = GdtSettingsStore::load();
        QVERIFY(stored.enabled);
        QCOMPARE(stored.importFolder, dir.path());
        QCOMPARE(stored.charset, GdtCharset::Latin1);
        QVERIFY(!stored.attachPdf);

        frmGdt again;
        QCOMPARE(again.txtImport->text(), dir.path());
        again.chkEnabled->setChecked(false);
        again.cmdCancel_Click();
        QVERIFY(GdtSettingsStore::load().enabled);
    }

    void okRefusesEqualIds()
    {
        Edition::select(EditionId::German);
        ScriptedSeams seams;
        QTemporaryDir dir;
        frmGdt window;
        window.show();
        int told = 0;
        window.setChangedHook([&](const GdtSettings&) { ++told; });
        window.chkEnabled->setChecked(true);
        window.txtImport->setText(dir.path());
        window.txtOwnId->setText(QStringLiteral("prax"));
        window.txtPvsId->setText(QStringLiteral("PRAX"));
        window.cmdOK_Click();
        QCOMPARE(seams.lastMessageText(),
                 QString::fromUtf8("GDT-Anbindung nicht geändert ! , Anforderungsordner und Ergebnisordner sind "
                                   "derselbe Ordner %1: die beiden GDT-IDs müssen verschieden sein")
                     .arg(dir.path()));
        QCOMPARE(told, 0);
        QVERIFY(window.isVisible());
        QVERIFY(!GdtSettingsStore::load().enabled);
        window.txtOwnId->setText(QStringLiteral("KORV"));
        window.cmdOK_Click();
        QCOMPARE(told, 1);
        QCOMPARE(GdtSettingsStore::load().ownId, QStringLiteral("KORV"));
    }
};

QTEST_MAIN(TestFrmGdt)
#include "test_frmgdt.moc"
