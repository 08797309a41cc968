// The key script of the batch mode: every character other than "<" is
// typed; "<...>" names a key, optionally with modifiers:
//
//   <Left> <Right> <Up> <Down> <Home> <End> <PageUp> <PageDown>
//   <BS> <Del> <Enter> (or <CR>) <Ins> <Tab> <Esc>   <lt> types "<"
//   <S-...> Shift, <C-...> Control, <A-...> Alt, combinable: <C-S-Left>
//   after the modifiers one letter or digit names that key: <C-f>, <C-z>
//
// Names are case-insensitive. The script is UTF-8; each typed character
// must have a Windows-1251 byte.
#pragma once

#include <string>
#include <vector>

struct KeyEvent {
    bool m_bTyped = false;    // a typed character rather than a key
    unsigned char m_byte = 0; // the Windows-1251 byte of a typed character
    unsigned m_vk = 0;
    bool m_bShift = false;
    bool m_bControl = false;
    bool m_bAlt = false;
};

class KeyScript {
  public:
    // Parses a script; on a bad script returns false with a message.
    static bool Parse(const std::string& utf8, std::vector<KeyEvent>* events, std::string* error);

  private:
    static bool ParseKey(const std::string& keyName, KeyEvent* key, std::string* error);
};
