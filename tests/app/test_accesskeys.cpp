// Access keys in both editions: in every menu the program shows (the menu
// bar, each menu and submenu of the main window, and the menus of the
// windows that have one) no two items a user can see share a letter, and in
// the main window's menus pressing an item's letter chooses that item. The
// walk goes over the real windows, so whatever item is added to them later
// is checked as well.
#include "ShellFixture.h"

#include "data/DataTestSupport.h"
#include "support/ScriptedSeams.h"
#include "views/DataWindows.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

using namespace apptest;

namespace {

// The letter Qt gives the text as its access key (upper case); null when none.
QChar accessKey(const QString& text)
{
    const QKeySequence mnemonic = QKeySequence::mnemonic(text);
    return mnemonic.isEmpty() ? QChar() : QChar(char16_t(mnemonic[0].key() & 0xffff));
}

// One menu as a user sees it: its name and the items shown in it.
struct ShownMenu {
    QString name;
    QList<QAction*> items;
};

QList<QAction*> shownItems(const QList<QAction*>& actions)
{
    QList<QAction*> shown;
    for (QAction* a : actions)
        if (a->isVisible() && !a->isSeparator() && !a->text().isEmpty())
            shown << a;
    return shown;
}

// A menu and, under it, the submenus of its shown items.
void addShown(QList<ShownMenu>& menus, const QString& name, const QList<QAction*>& actions)
{
    const QList<QAction*> items = shownItems(actions);
    menus.push_back({name, items});
    for (QAction* item : items)
        if (item->menu())
            addShown(menus, name + QLatin1Char('/') + item->menu()->objectName(), item->menu()->actions());
}

// Whether a menu hangs under a menu bar or another menu (and is shown
// only through it).
bool isSubmenu(QMenu* menu)
{
    for (QObject* holder : menu->menuAction()->associatedObjects())
        if (qobject_cast<QMenu*>(holder) || qobject_cast<QMenuBar*>(holder))
            return true;
    return false;
}

// Every menu the application's windows can show: from each menu bar, each
// menu of its own and each context menu made of a widget's actions down
// through the submenus of the items that are shown (a hidden item's
// submenu never shows).
QList<ShownMenu> everyMenu()
{
    QList<ShownMenu> menus;
    for (QWidget* w : QApplication::allWidgets()) {
        const QString where = w->window()->objectName() + QLatin1Char('/') + w->objectName();
        if (auto* bar = qobject_cast<QMenuBar*>(w))
            addShown(menus, where, bar->actions());
        else if (auto* menu = qobject_cast<QMenu*>(w); menu && !isSubmenu(menu))
            addShown(menus, where, menu->actions());
        else if (w->contextMenuPolicy() == Qt::ActionsContextMenu)
            addShown(menus, where + QStringLiteral(" (context menu)"), w->actions());
    }
    return menus;
}

// Presses the letter in the open menu as a keyboard does.
void pressLetter(QMenu* menu, QChar letter)
{
    const QString text(letter.toLower());
    QKeyEvent press(QEvent::KeyPress, letter.unicode(), Qt::NoModifier, text);
    QApplication::sendEvent(menu, &press);
    QKeyEvent release(QEvent::KeyRelease, letter.unicode(), Qt::NoModifier, text);
    QApplication::sendEvent(menu, &release);
}

} // namespace

class TestAccessKeys : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    frmMain* m_window = nullptr;

private slots:
    void init() { m_window = openShell(); }

    void cleanup()
    {
        m_window = nullptr;
        closeShell();
    }

    // With a file open and the list window and the record editor shown, so
    // that their menus are there too.
    void noTwoShownItemsOfAMenuShareALetter()
    {
        ScriptedSeams seams;
        gEditEnabled = true;
        gDataFile = makeDataFile(m_dir.filePath(QStringLiteral("keys.amb")), Edition::current().id());
        gFileReady = true;
        QVERIFY(DataWindows::showList());
        QVERIFY(DataWindows::showEditor());

        const QList<ShownMenu> menus = everyMenu();
        int withKeys = 0;
        QStringList clashes;
        for (const ShownMenu& menu : menus) {
            QHash<QChar, QString> taken;
            for (QAction* item : menu.items) {
                const QChar key = accessKey(item->text());
                if (key.isNull())
                    continue;
                ++withKeys;
                if (taken.contains(key))
                    clashes << QStringLiteral("%1: %2 and %3 share %4").arg(menu.name, taken.value(key), item->text(), key);
                taken.insert(key, item->text());
            }
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
        // The walk saw the menu bar, the main window's menus and the two context menus.
        QVERIFY(menus.size() >= 9);
        QVERIFY(withKeys >= 40);
        const auto seen = [&menus](const QString& name) {
            return std::any_of(menus.begin(), menus.end(),
                               [&name](const ShownMenu& m) { return m.name.contains(name); });
        };
        QVERIFY(seen(QStringLiteral("/mnuData")));
        QVERIFY(seen(QStringLiteral("frmList/")));
        QVERIFY(seen(QStringLiteral("frmbpdata/")));
    }

    // Every item of every main-window menu that has a letter and can be
    // chosen is chosen by it: the trend chart's by G again (R in German).
    void eachLetterChoosesItsItem()
    {
        ScriptedSeams seams;
        int pressed = 0;
        for (QAction* top : shownItems(m_window->menuBar()->actions())) {
            QMenu* menu = top->menu();
            QVERIFY(menu);
            for (QAction* item : shownItems(menu->actions())) {
                const QChar key = accessKey(item->text());
                if (key.isNull() || !item->isEnabled())
                    continue;
                // Only the letter's effect is wanted here, not the command.
                QObject::disconnect(item, &QAction::triggered, m_window, nullptr);
                QSignalSpy chosen(item, &QAction::triggered);
                menu->popup(QPoint(10, 10));
                QTRY_VERIFY(menu->isVisible());
                pressLetter(menu, key);
                if (item->menu()) {
                    QCOMPARE(menu->activeAction(), item);
                    QTRY_VERIFY(item->menu()->isVisible());
                    item->menu()->hide();
                } else {
                    QVERIFY2(chosen.count() == 1, qPrintable(menu->title() + QLatin1String(": ") + item->text()));
                }
                menu->hide();
                ++pressed;
            }
        }
        QVERIFY(pressed >= 20);
        QCOMPARE(accessKey(m_window->menuItem("mnuDataWave")->text()), german() ? QChar('R') : QChar('G'));
        QVERIFY(seams.messages.empty());
    }
};

KORVANE_EDITIONS_MAIN(TestAccessKeys)
#include "test_accesskeys.moc"
