// The clipboard as the editor model sees it: the private block of the
// "Vexlor format" and plain Windows-1251 text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CClipboard {
  public:
    virtual ~CClipboard() = default;
    // Replaces the clipboard's content with the private block. False when
    // the clipboard could not be written.
    virtual bool SetPrivate(const std::vector<uint8_t>& block) = 0;
    virtual bool HasPrivate() const = 0;
    virtual bool HasText() const = 0;
    virtual bool GetPrivate(std::vector<uint8_t>* block) const = 0;
    virtual bool GetText(std::string* text) const = 0;
};
