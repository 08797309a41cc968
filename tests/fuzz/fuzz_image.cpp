// The editor's archive image, as undo steps and stored states hold it: an
// image that loads gives an image that reloads byte for byte; one that does
// not load leaves the editor as it was. Laying out what loaded is sound.
#include "FuzzEditor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzEditor::Bytes image(data, data + size);

    FuzzEditor editor;
    const FuzzEditor::Bytes before = editor.Image();
    if (!editor.Data().ReadSnapshot(image)) {
        FuzzEditor::Require(editor.Image() == before, "a refused image changed the editor");
        return 0;
    }
    editor.CheckInvariant("after loading");
    editor.CheckImageRoundTrip("after loading");
    editor.Editor().PaintPass();
    editor.CheckInvariant("after laying out");
    editor.CheckImageRoundTrip("after laying out");
    return 0;
}
