#include "editor/qt/KeyMap.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "editor/EditingKeys.h"
#include "platform/Keys.h"

namespace {
// X11 key codes (evdev + 8) of the letter keys, in the order A to Z.
constexpr unsigned kLetterScanCodes[26] = {38, 56, 54, 40, 26, 41, 42, 43, 31, 44, 45, 46, 58,
                                           57, 32, 33, 24, 27, 39, 28, 30, 55, 25, 53, 29, 52};

bool IsLatinLetter(unsigned vk) {
    return vk >= 'A' && vk <= 'Z';
}
} // namespace

unsigned KeyMap::VirtualKey(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<unsigned>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<unsigned>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + static_cast<unsigned>(qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

Qt::Key KeyMap::QtKey(unsigned vk) {
    // 1. Letters, digits and function keys map as ranges.
    if (vk >= 'A' && vk <= 'Z')
        return static_cast<Qt::Key>(Qt::Key_A + static_cast<int>(vk - 'A'));
    if (vk >= '0' && vk <= '9')
        return static_cast<Qt::Key>(Qt::Key_0 + static_cast<int>(vk - '0'));
    if (vk >= VK_F1 && vk < VK_F1 + 24)
        return static_cast<Qt::Key>(Qt::Key_F1 + static_cast<int>(vk - VK_F1));
    // 2. The named keys: the first Qt key VirtualKey maps to vk.
    for (int key : {Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Shift, Qt::Key_Control,
                    Qt::Key_Alt, Qt::Key_Escape, Qt::Key_Space, Qt::Key_PageUp, Qt::Key_PageDown,
                    Qt::Key_End, Qt::Key_Home, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right,
                    Qt::Key_Down, Qt::Key_Insert, Qt::Key_Delete})
        if (VirtualKey(key) == vk)
            return static_cast<Qt::Key>(key);
    return Qt::Key_unknown;
}

unsigned KeyMap::LetterOfScanCode(unsigned scanCode) {
    for (unsigned i = 0; i < 26; ++i) {
        if (kLetterScanCodes[i] == scanCode)
            return 'A' + i;
    }
    return 0;
}

unsigned KeyMap::VirtualKey(const QKeyEvent& event) {
    unsigned vk = VirtualKey(event.key());
    bool control = event.modifiers() & Qt::ControlModifier;
    if (control && !IsLatinLetter(vk) && QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (unsigned letter = LetterOfScanCode(event.nativeScanCode()))
            return letter;
    }
    return vk;
}

bool KeyMap::IsEditingKey(unsigned vk, Qt::KeyboardModifiers modifiers) {
    return EditingKeys::GoToEditor(vk, modifiers & Qt::ShiftModifier,
                                   modifiers & Qt::ControlModifier, modifiers & Qt::AltModifier);
}

bool KeyMap::IsTypedCharacter(char32_t ch) {
    return ch != 0x7F;
}
