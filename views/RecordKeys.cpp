#include "views/RecordKeys.h"

RecordKeyAction recordKeyAction(int key, Qt::KeyboardModifiers modifiers)
{
    // Only Shift, Ctrl and Alt make up the shift state; the keypad flag does not.
    const Qt::KeyboardModifiers shiftState =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrlOnly = shiftState == Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Escape:
        return RecordKeyAction::Exit;
    case Qt::Key_End:
        return RecordKeyAction::Last;
    case Qt::Key_Home:
        return RecordKeyAction::First;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        return ctrlOnly ? RecordKeyAction::First : RecordKeyAction::Previous;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        return ctrlOnly ? RecordKeyAction::Last : RecordKeyAction::Next;
    default:
        return RecordKeyAction::None;
    }
}
