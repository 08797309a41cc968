// A key script of the batch mode played on the small model: the trees stay
// sound after every key, the same script played again on a fresh editor gives
// the same image (nothing carried over from earlier runs, no uninitialised
// bytes), and undoing every step brings back the model the script started
// from.
#include <string>
#include <vector>

#include "FuzzEditor.h"
#include "app/KeyScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    std::vector<KeyEvent> keys;
    std::string error;
    if (!KeyScript::Parse(script, &keys, &error))
        return 0;

    FuzzEditor editor;
    const FuzzEditor::Bytes start = editor.Model();
    for (size_t i = 0; i < keys.size(); ++i) {
        editor.Editor().Deliver(keys[i]);
        editor.CheckInvariant("after key " + std::to_string(i));
    }
    editor.CheckImageRoundTrip("after the script");

    FuzzEditor again;
    for (const KeyEvent& key : keys)
        again.Editor().Deliver(key);
    FuzzEditor::Require(again.Image() == editor.Image(), "the same script gave another image");

    while (editor.Data().Undo())
        editor.Editor().PaintPass();
    editor.CheckInvariant("after undoing every step");
    FuzzEditor::Require(editor.Model() == start, "undoing every step did not bring back the model");
    return 0;
}
