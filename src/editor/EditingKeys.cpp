#include "editor/EditingKeys.h"

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
    if (!control)
        return false;
    switch (vk) {
    case 'B':
    case 'C':
    case 'D':
    case 'F':
    case 'I':
    case 'P':
    case 'R':
    case 'V':
    case 'W':
    case 'X':
    case 'Y':
    case 'Z':
        return true;
    default:
        return false;
    }
}
