// Data > Patient and Recording... from the main window: refused in the
// not-ready style without a file, in both editions; with a file it and the
// list window's Patient button open the one window, owned by the main
// window; closing the main window closes it.
#include "ShellFixture.h"

#include "data/DataTestSupport.h"
#include "support/ScriptedSeams.h"
#include "text/MessageCatalogue.h"
#include "views/DataWindows.h"
#include "views/DetailsWindows.h"
#include "views/frmDetails.h"
#include "views/frmList.h"

#include <QToolButton>

using namespace apptest;

class TestDetailsCommands : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    frmMain* m_window = nullptr;

private slots:
    void cleanup()
    {
        m_window = nullptr;
        closeShell();
    }

    void refusedWithoutAFile_data()
    {
        QTest::addColumn<EditionId>("edition");
        QTest::newRow("English") << EditionId::English;
        QTest::newRow("German") << EditionId::German;
    }
    void refusedWithoutAFile()
    {
        QFETCH(EditionId, edition);
        Edition::select(edition);
        m_window = openShell();
        ScriptedSeams seams;
        QCOMPARE(m_window->menuItem("mnuDataDetails")->text(),
                 edition == EditionId::German ? QStringLiteral("&Patient und Aufzeichnung...")
                                              : QStringLiteral("&Patient and Recording..."));
        m_window->menuItem("mnuDataDetails")->trigger();
        QCOMPARE(seams.messageTexts(), QStringList{catText("frmMain.msgNotReadyDetails")});
        QCOMPARE(seams.messages[0].title, catText("frmMain.caption"));
        QCOMPARE(seams.messages[0].icon, MsgIcon::Information);
        QVERIFY(!DetailsWindows::detailsWindow());
    }

    void theMenuAndTheListButtonOpenOneWindow()
    {
        Edition::select(EditionId::English);
        m_window = openShell();
        ScriptedSeams seams;
        const QString path = makeDataFile(m_dir.filePath(QStringLiteral("p.amb")), EditionId::English);
        gDataFile = path;
        gFileReady = true;
        m_window->menuItem("mnuDataDetails")->trigger();
        frmDetails* details = DetailsWindows::detailsWindow();
        QVERIFY(details);
        QCOMPARE(details->parentWidget(), m_window);
        QVERIFY(!details->isModal());
        m_window->menuItem("mnuDataTable")->trigger();
        frmList* list = DataWindows::listWindow();
        QVERIFY(list);
        list->cmdDetails->click();
        QCOMPARE(DetailsWindows::detailsWindow(), details);
        QVERIFY(seams.messages.empty());
        m_window->close();
        QVERIFY(!DetailsWindows::detailsWindow());
    }
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    TestDetailsCommands test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_detailscommands.moc"
