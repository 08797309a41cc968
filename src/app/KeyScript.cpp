#include "app/KeyScript.h"

#include "platform/Charset.h"
#include "platform/Cp1251Codec.h"
#include "platform/Keys.h"

namespace {
struct NamedKey {
    const char* name;
    unsigned vk;
};

const NamedKey kNamedKeys[] = {
    {"left", VK_LEFT},  {"right", VK_RIGHT}, {"up", VK_UP},        {"down", VK_DOWN},
    {"home", VK_HOME},  {"end", VK_END},     {"pageup", VK_PRIOR}, {"pagedown", VK_NEXT},
    {"bs", VK_BACK},    {"del", VK_DELETE},  {"enter", VK_RETURN}, {"cr", VK_RETURN},
    {"ins", VK_INSERT}, {"tab", VK_TAB},     {"esc", VK_ESCAPE},
};

bool IsAsciiLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
} // namespace

bool KeyScript::ParseKey(const std::string& keyName, KeyEvent* key, std::string* error) {
    std::string name = keyName;
    for (;;) {
        if (name.size() > 2 && name[1] == '-') {
            char m = Charset::ToLowerAscii(name[0]);
            if (m == 's' || m == 'c' || m == 'a') {
                (m == 's' ? key->m_bShift : m == 'c' ? key->m_bControl : key->m_bAlt) = true;
                name.erase(0, 2);
                continue;
            }
        }
        break;
    }
    std::string lower = Charset::ToLowerAscii(name);
    bool modified = key->m_bShift || key->m_bControl || key->m_bAlt;
    if (lower == "lt" && !modified) {
        key->m_bTyped = true;
        key->m_byte = '<';
        return true;
    }
    for (const NamedKey& k : kNamedKeys) {
        if (lower == k.name) {
            key->m_vk = k.vk;
            return true;
        }
    }
    if (lower.size() == 1 && IsAsciiLetterOrDigit(lower[0])) {
        // Virtual keys of letters are their upper-case ASCII codes.
        key->m_vk = static_cast<unsigned char>(lower[0] >= 'a' ? lower[0] - 32 : lower[0]);
        return true;
    }
    *error = "unknown key <" + keyName + ">";
    return false;
}

bool KeyScript::Parse(const std::string& utf8, std::vector<KeyEvent>* events, std::string* error) {
    std::string bytes;
    if (!Cp1251Codec::FromUtf8(utf8, &bytes)) {
        *error = "the key script holds a character with no Windows-1251 byte, or is not UTF-8";
        return false;
    }
    events->clear();
    for (size_t i = 0; i < bytes.size(); ++i) {
        KeyEvent e;
        if (bytes[i] != '<') {
            e.m_bTyped = true;
            e.m_byte = static_cast<unsigned char>(bytes[i]);
            events->push_back(e);
            continue;
        }
        size_t close = bytes.find('>', i + 1);
        if (close == std::string::npos) {
            *error = "unclosed \"<\" in the key script";
            return false;
        }
        if (!ParseKey(bytes.substr(i + 1, close - i - 1), &e, error))
            return false;
        events->push_back(e);
        i = close;
    }
    return true;
}
