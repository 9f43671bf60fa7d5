#pragma once
// The keyboard table shared by the data list window and the record editor:
// Escape leaves, Home and End go to the ends, Up/Page Up and Down/Page Down
// step, or go to the ends when exactly Ctrl is held (Ctrl with Shift or Alt
// counts as no Ctrl).
#include <QKeyEvent>
#include <Qt>

enum class RecordKeyAction { None, Exit, First, Previous, Next, Last };

RecordKeyAction recordKeyAction(int key, Qt::KeyboardModifiers modifiers);

// Runs the window's command for the key; false when the key is not in the table.
template <class Window>
bool runRecordKey(Window& window, int key, Qt::KeyboardModifiers modifiers)
{
    switch (recordKeyAction(key, modifiers)) {
    case RecordKeyAction::None:
        return false;
    case RecordKeyAction::Exit:
        window.cmdClose_Click();
        break;
    case RecordKeyAction::First:
        window.cmdFirst_Click();
        break;
    case RecordKeyAction::Previous:
        window.cmdPrevious_Click();
        break;
    case RecordKeyAction::Next:
        window.cmdNext_Click();
        break;
    case RecordKeyAction::Last:
        window.cmdLast_Click();
        break;
    }
    return true;
}

// Offers a key press anywhere in the window to its key table; true when the table took it.
template <class Window>
bool keyPressTaken(Window& window, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return window.Form_KeyDown(key->key(), key->modifiers());
}
