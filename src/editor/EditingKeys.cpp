#include "editor/EditingKeys.h"

#include "editor/EditCommands.h"
#include "platform/Keys.h"

bool EditingKeys::GoToEditor(unsigned vk, bool shift, bool control, bool alt) {
    if (alt && !control)
        return false;
    switch (vk) {
    case VK_BACK:
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
        return true;
    case VK_INSERT:
        return shift || control;
    default:
        break;
    }
    return control && EditCommands::EditorKey(vk) != nullptr;
}
