// The system clipboard for the editor model. The private block travels as
// the MIME type of the "Vexlor format" (on Windows Qt maps it to the
// registered clipboard format of that name); plain text is read and
// converted to Windows-1251.
#pragma once

#include "platform/Clipboard.h"

class QClipboard;
class QString;

class CQtClipboard : public CClipboard {
  public:
    // The clipboard of the running application unless one is given.
    explicit CQtClipboard(QClipboard* clipboard = nullptr);

    static QString PrivateMimeType();

    bool SetPrivate(const std::vector<uint8_t>& block) override;
    bool HasPrivate() const override;
    bool HasText() const override;
    bool GetPrivate(std::vector<uint8_t>* block) const override;
    // The text in Windows-1251; characters without a byte there are left out.
    bool GetText(std::string* text) const override;

  private:
    QClipboard* Clipboard() const;
    QClipboard* m_pClipboard;
};
