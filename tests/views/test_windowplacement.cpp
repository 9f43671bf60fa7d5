// The program's windows belong to the main window and open in its work
// area: never over its menu and toolbar, never outside the screen.
#include "ViewTestSupport.h"
#include "views/CommWindows.h"
#include "views/DataWindows.h"
#include "views/WindowPlacement.h"
#include "views/frmComm.h"
#include "views/frmList.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

class TestWindowPlacement : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void windowsOpenInTheWorkAreaOfTheirOwner()
    {
        ScriptedSeams seams;
        Edition::select(EditionId::English);
        resetAll();
        QMainWindow main;
        main.menuBar()->addMenu(QStringLiteral("&File"));
        main.addToolBar(QStringLiteral("tools"))->addAction(QStringLiteral("New"));
        main.setCentralWidget(new QWidget);
        const QRect screen = main.screen()->availableGeometry();
        main.setGeometry(screen);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        gMainWindow = &main;

        const QString file = makeDataFile(m_dir.filePath(QStringLiteral("p.amb")), EditionId::English);
        insertRows(file, EditionId::English, sampleRows(40));
        makeReady(file);
        QWidget* list = DataWindows::showList();
        CommWindows::showCommWindow();
        QWidget* comm = CommWindows::commWindow();
        QVERIFY(list && comm);

        const int workTop = main.centralWidget()->mapToGlobal(QPoint(0, 0)).y();
        main.setCentralWidget(nullptr); // the work area is found without one too
        QPoint previous(-1, -1);
        for (QWidget* w : {list, comm}) {
            QVERIFY(w->isWindow());
            QCOMPARE(w->parentWidget(), static_cast<QWidget*>(&main));
            QVERIFY2(w->frameGeometry().top() >= workTop, qPrintable(w->objectName()));
            QVERIFY2(screen.contains(w->frameGeometry()), qPrintable(w->objectName()));
            // Each opens a little lower and further right than the one before.
            QVERIFY(w->pos().x() > previous.x() && w->pos().y() > previous.y());
            previous = w->pos();
        }
        // Shown again, a window stays where the user left it.
        comm->move(comm->pos() + QPoint(5, 5));
        const QPoint moved = comm->pos();
        CommWindows::showCommWindow();
        QCOMPARE(comm->pos(), moved);

        // A window asking for position 0, 0 goes to the work area's corner.
        WindowPlacement::moveToWorkAreaCorner(comm);
        QVERIFY(comm->frameGeometry().top() >= workTop);
        QVERIFY(screen.contains(comm->frameGeometry()));

        comm->close();
        list->close();
        gMainWindow = nullptr;
        resetAll();
    }
};

QTEST_MAIN(TestWindowPlacement)
#include "test_windowplacement.moc"
