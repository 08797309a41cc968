// The system clipboard for the editor model. The private block travels as
// the MIME type of the "Vexlor format" (on Windows Qt maps it to the
// registered clipboard format of that name). A fragment also goes as
// text/plain (its linear text in UTF-8) and as presentation MathML under
// both MathML MIME types, for other programs. Plain text is read as
// Unicode.
#pragma once

#include "platform/Clipboard.h"

class QClipboard;
class QString;

class CQtClipboard : public CClipboard {
  public:
    // The clipboard of the running application unless one is given.
    explicit CQtClipboard(QClipboard* clipboard = nullptr);

    static QString PrivateMimeType();
    static const char* const kMathMLMimeTypes[2];

    bool SetFragment(const Fragment& fragment) override;
    bool SetUnicodeText(const std::string& utf8) override;
    bool GetUnicodeText(std::string* utf8) const override;
    bool SetPrivate(const std::vector<uint8_t>& block) override;
    bool HasPrivate() const override;
    bool HasText() const override;
    bool GetPrivate(std::vector<uint8_t>* block) const override;
    // The text in Windows-1251; characters without a byte there are left
    // out (Paste reads GetUnicodeText).
    bool GetText(std::string* text) const override;

  private:
    QClipboard* Clipboard() const;
    QClipboard* m_pClipboard;
};
