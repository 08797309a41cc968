// The editing commands, each written once: its command id, the Control
// letter that runs it, whether the editor takes that letter before the
// frame's accelerators, and what it does to the document. The editor's key
// handling, the window's key routing, the accelerator table and the batch
// mode all read this table.
#pragma once

#include <span>

class CEqExpr;
class CVexlorData;

class EditCommands {
  public:
    // An insert command: the row operation that builds the atom, and what it
    // wraps (for the depth refusal): the selection, or with `operands` the
    // operands around the caret; `wrap` more rows that it may add round them.
    struct Insertion {
        void (*build)(CEqExpr& row);
        bool operands;
        int wrap;
    };

    struct Command {
        int id;
        char letter;    // Control+letter runs the command
        bool editorKey; // the editor takes Control+letter before the accelerators
        void (*run)(CVexlorData& data);
        Insertion insertion; // for insert commands; run is then null

        bool IsInsertion() const { return insertion.build != nullptr; }
        void Run(CVexlorData& data) const;
    };

    static std::span<const Command> All();
    static const Command* ById(int id);
    // The command the editor runs for Control+vk itself, or null.
    static const Command* EditorKey(unsigned vk);
};
