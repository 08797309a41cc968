#include "editor/Accelerators.h"

#include "editor/CommandIds.h"
#include "editor/EditCommands.h"
#include "platform/Keys.h"

namespace {
using Accelerator = Accelerators::Accelerator;

// The keys besides the editing commands' Control letters.
constexpr Accelerator kFrameKeys[] = {
    {ID_EDIT_COPY, VK_INSERT, false, true, false},
    {ID_FILE_SAVE, 'S', false, true, false},
    {ID_SAVE_AND_EXIT, 'S', false, false, true},
    {ID_EDIT_PASTE, VK_INSERT, true, false, false},
    {ID_EXIT_WITHOUT_SAVING, 'W', false, false, true},
    {ID_EDIT_CUT, VK_DELETE, true, false, false},
    {ID_APP_EXIT, 'X', false, false, true},
    {ID_EDIT_UNDO, VK_BACK, false, false, true},
    {ID_GET_HELP, VK_F1, false, false, false},
    {ID_NEXT_PANE, VK_F1 + 5, false, false, false},
    {ID_PREV_PANE, VK_F1 + 5, true, false, false},
    {ID_FILE_OPEN, 'O', false, true, false},
    {ID_FILE_SAVE_AS, 'S', true, true, false},
    {ID_VIEW_ZOOM_RESET, '0', false, true, false},
};

std::vector<Accelerator> Build() {
    std::vector<Accelerator> table;
    for (const EditCommands::Command& command : EditCommands::All())
        if (command.letter != 0)
            table.push_back({command.id, static_cast<unsigned>(command.letter), false, true, false});
    table.insert(table.end(), std::begin(kFrameKeys), std::end(kFrameKeys));
    return table;
}
} // namespace

const std::vector<Accelerator>& Accelerators::All() {
    static const std::vector<Accelerator> table = Build();
    return table;
}

int Accelerators::Find(unsigned vk, bool shift, bool control, bool alt) {
    for (const Accelerator& a : All())
        if (a.vk == vk && a.shift == shift && a.control == control && a.alt == alt)
            return a.id;
    return 0;
}
