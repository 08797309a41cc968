#include "editor/EditingKeys.h"

#include "editor/EditCommands.h"
#include "platform/Keys.h"

bool EditingKeys::GoToEditor(unsigned vk, bool shift, bool control, bool alt) {
    if (alt && !control)
        return false;
    if (IsRowKey(vk) || vk == VK_RETURN || vk == VK_PRIOR || vk == VK_NEXT)
        return true;
    if (vk == VK_INSERT)
        return shift || control;
    return control && EditCommands::EditorKey(vk) != nullptr;
}

bool EditingKeys::IsRowKey(unsigned vk) {
    switch (vk) {
    case VK_BACK:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
        return true;
    default:
        return false;
    }
}
