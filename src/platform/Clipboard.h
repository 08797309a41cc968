// The clipboard as the editor model sees it: the private block of the
// "Vexlor format", plain Windows-1251 text, and for other programs the
// formula's MathML and Unicode text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CClipboard {
  public:
    // What Copy and Cut put there: the private block and, for other
    // programs, the fragment's linear text (Windows-1251) and presentation
    // MathML (UTF-8).
    struct Fragment {
        std::vector<uint8_t> block;
        std::string text;
        std::string mathml;
    };

    virtual ~CClipboard() = default;
    // Replaces the clipboard's content with the fragment in all its forms.
    virtual bool SetFragment(const Fragment& fragment) = 0;
    // Replaces the clipboard's content with UTF-8 text.
    virtual bool SetUnicodeText(const std::string& utf8) = 0;
    // The text as the other program gave it, in UTF-8; by default the
    // Windows-1251 text converted.
    virtual bool GetUnicodeText(std::string* utf8) const;
    // Replaces the clipboard's content with the private block. False when
    // the clipboard could not be written.
    virtual bool SetPrivate(const std::vector<uint8_t>& block) = 0;
    virtual bool HasPrivate() const = 0;
    virtual bool HasText() const = 0;
    virtual bool GetPrivate(std::vector<uint8_t>* block) const = 0;
    virtual bool GetText(std::string* text) const = 0;
};
