#include "editor/EditCommands.h"

#include "editor/CommandIds.h"
#include "editor/VexlorData.h"
#include "rows/EqExpr.h"

namespace {
using Command = EditCommands::Command;
using Insertion = EditCommands::Insertion;

constexpr bool kSelection = false;
constexpr bool kOperands = true;

constexpr Command kCommands[] = {
    {ID_EDIT_UNDO, 'Z', true, [](CVexlorData& d) { d.Undo(); }, {}},
    {ID_EDIT_REDO, 'Y', true, [](CVexlorData& d) { d.Redo(); }, {}},
    {ID_EDIT_CUT, 'X', true, [](CVexlorData& d) { d.Cut(); }, {}},
    {ID_EDIT_COPY, 'C', true, [](CVexlorData& d) { d.Copy(); }, {}},
    {ID_EDIT_PASTE, 'V', true, [](CVexlorData& d) { d.Paste(); }, {}},
    // Menu only: no Control letter.
    {ID_EDIT_COPY_LATEX, 0, false, [](CVexlorData& d) { d.CopyLatex(); }, {}},
    {ID_INSERT_BRACKETS,
     'B',
     true,
     nullptr,
     {[](CEqExpr& r) { r.InsertBrackets(); }, kSelection, 0}},
    {ID_INSERT_DERIVE, 'D', true, nullptr, {[](CEqExpr& r) { r.InsertDerive(); }, kSelection, 1}},
    // The second derivative has no key of the editor's own: only the
    // accelerator runs it.
    {ID_INSERT_DERIVE2,
     'E',
     false,
     nullptr,
     {[](CEqExpr& r) { r.InsertDerive2(); }, kSelection, 1}},
    {ID_INSERT_FRACTION,
     'F',
     true,
     nullptr,
     {[](CEqExpr& r) { r.InsertFraction(); }, kOperands, 0}},
    {ID_INSERT_HIGH_INDEX,
     'P',
     true,
     nullptr,
     {[](CEqExpr& r) { r.InsertIndex(1); }, kOperands, 1}},
    {ID_INSERT_LOW_INDEX, 'I', true, nullptr, {[](CEqExpr& r) { r.InsertIndex(0); }, kOperands, 1}},
    {ID_INSERT_BOTH_INDEXES,
     'W',
     true,
     nullptr,
     {[](CEqExpr& r) { r.InsertIndex(2); }, kOperands, 1}},
    {ID_INSERT_ROOT, 'R', true, nullptr, {[](CEqExpr& r) { r.InsertRoot(); }, kSelection, 0}},
};
} // namespace

void EditCommands::Command::Run(CVexlorData& data) const {
    if (IsInsertion())
        data.RunInsert(insertion);
    else
        run(data);
}

std::span<const Command> EditCommands::All() {
    return kCommands;
}

const Command* EditCommands::ById(int id) {
    for (const Command& command : kCommands)
        if (command.id == id)
            return &command;
    return nullptr;
}

const Command* EditCommands::EditorKey(unsigned vk) {
    for (const Command& command : kCommands)
        if (command.editorKey && static_cast<unsigned>(command.letter) == vk)
            return &command;
    return nullptr;
}
