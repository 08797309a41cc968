#include "platform/Clipboard.h"

#include "platform/Cp1251Codec.h"

bool CClipboard::GetUnicodeText(std::string* utf8) const {
    std::string text;
    if (!utf8 || !GetText(&text))
        return false;
    *utf8 = Cp1251Codec::ToUtf8(text);
    return true;
}
