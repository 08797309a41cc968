// An in-process clipboard for tests and batch mode.
#pragma once

#include "platform/Clipboard.h"

class CMemoryClipboard : public CClipboard {
  public:
    bool SetFragment(const Fragment& fragment) override;
    bool SetUnicodeText(const std::string& utf8) override;
    bool GetUnicodeText(std::string* utf8) const override;
    bool SetPrivate(const std::vector<uint8_t>& block) override;
    bool HasPrivate() const override { return m_bHasPrivate; }
    bool HasText() const override { return m_bHasText; }
    bool GetPrivate(std::vector<uint8_t>* block) const override;
    bool GetText(std::string* text) const override;

    // What another program would put there.
    void SetText(const std::string& text);
    void Clear();
    // The MathML of the last fragment put.
    const std::string& GetMathML() const { return m_mathml; }

  private:
    std::vector<uint8_t> m_private;
    std::string m_text;
    std::string m_unicode;
    std::string m_mathml;
    bool m_bUnicode = false;
    bool m_bHasPrivate = false;
    bool m_bHasText = false;
};
