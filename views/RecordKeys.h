#pragma once
// The keyboard table shared by the data list window and the record editor:
// Escape leaves, Home and End go to the ends, Up/Page Up and Down/Page Down
// step, or go to the ends when exactly Ctrl is held (Ctrl with Shift or Alt
// counts as no Ctrl).
#include <Qt>

enum class RecordKeyAction { None, Exit, First, Previous, Next, Last };

RecordKeyAction recordKeyAction(int key, Qt::KeyboardModifiers modifiers);
