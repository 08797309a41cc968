// Text in, text out: any bytes loaded as an expressions text give a text
// that loads into the same text again, and every tree on the way is sound.
#include <string>

#include "FuzzEditor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    FuzzEditor first(input);
    first.CheckInvariant("after loading the input");
    const std::string text = first.Data().GetText();
    first.CheckInvariant("after writing the text");

    FuzzEditor second(text);
    second.CheckInvariant("after loading the written text");
    FuzzEditor::Require(second.Data().GetText() == text,
                        "the written text changes when loaded again");
    return 0;
}
