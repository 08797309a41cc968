// Qt key events in the editor's terms: virtual-key codes, and which keys the
// editor takes before the frame's shortcuts see them.
#pragma once

#include <Qt>

class QKeyEvent;

class KeyMap {
  public:
    // The virtual-key code of the event's key, or 0 when it has none. With
    // Control held on a layout whose letters are not Latin, the letter key
    // is known by its position, so Control+C copies on any layout.
    static unsigned VirtualKey(const QKeyEvent& event);
    static unsigned VirtualKey(int qtKey);
    // The Latin letter of an X11 key code of a standard keyboard, or 0.
    static unsigned LetterOfScanCode(unsigned scanCode);
    // The Qt key of a virtual-key code VirtualKey maps to, or Qt::Key_unknown.
    static Qt::Key QtKey(unsigned vk);

    // Keys the editor handles itself, past the shortcuts: the navigation and
    // deletion keys, Enter and Backspace with any modifiers; Shift+Insert;
    // Control with Insert and the letters of the editor's own shortcuts. Alt
    // without Control makes a menu key, which always goes to the shortcuts.
    static bool IsEditingKey(unsigned vk, Qt::KeyboardModifiers modifiers);

    // Whether a character from the keyboard is offered for insertion: the
    // delete character is not a character anyone types.
    static bool IsTypedCharacter(char32_t ch);
};
