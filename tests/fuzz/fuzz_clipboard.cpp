// A block of the editor's private clipboard format, as any program on the
// display may offer it, pasted into the small model: the trees stay sound,
// the image round-trips, and undo brings back the model as it was.
#include "FuzzEditor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzEditor::Bytes block(data, data + size);

    FuzzEditor editor;
    // Paste into the middle of the first line, inside the fraction's row.
    editor.Editor().Deliver(KeyEvent{false, 0, VK_RIGHT});
    editor.Editor().Deliver(KeyEvent{false, 0, VK_RIGHT});
    // Writing the text trims rows, so the model is taken after it.
    const std::string text = editor.Data().GetText();
    editor.Editor().PaintPass();
    const FuzzEditor::Bytes model = editor.Model();

    editor.Editor().Window().m_clipboard.SetPrivate(block);
    const bool pasted = editor.Data().Paste();
    editor.Editor().PaintPass();
    editor.CheckInvariant("after pasting");
    editor.CheckImageRoundTrip("after pasting");
    if (!pasted) {
        FuzzEditor::Require(editor.Model() == model, "a refused paste changed the model");
        return 0;
    }
    editor.Data().GetText();
    editor.CheckInvariant("after writing the pasted text");

    FuzzEditor::Require(editor.Data().Undo(), "a paste left nothing to undo");
    editor.Editor().PaintPass();
    editor.CheckInvariant("after undoing the paste");
    FuzzEditor::Require(editor.Data().GetText() == text, "undo did not bring back the text");
    return 0;
}
