// Which key presses the editor window takes before the frame's
// accelerators: the editing keys with any modifiers, Shift+Insert, and
// Control with Insert or one of the shortcut letters. Alt combinations
// (without Control) are system keys and always go to the accelerators.
#pragma once

class EditingKeys {
  public:
    static bool GoToEditor(unsigned vk, bool shift, bool control, bool alt);
    // The keys the current row handles first: caret movement and deletion.
    static bool IsRowKey(unsigned vk);
};
