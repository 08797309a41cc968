#include "platform/Charset.h"

bool Charset::IsLetter(uint8_t byte) {
    return kLetters[byte];
}

bool Charset::IsIdentCharCode(int ch) {
    if (ch == 0 || ch < -128 || ch > 255)
        return false;
    return IsIdentChar(static_cast<uint8_t>(ch));
}

std::string Charset::ToLowerAscii(const std::string& s) {
    std::string out(s);
    for (char& c : out)
        c = ToLowerAscii(c);
    return out;
}
