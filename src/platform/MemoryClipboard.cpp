#include "platform/MemoryClipboard.h"

bool CMemoryClipboard::SetPrivate(const std::vector<uint8_t>& block) {
    Clear();
    m_private = block;
    m_bHasPrivate = true;
    return true;
}

bool CMemoryClipboard::GetPrivate(std::vector<uint8_t>* block) const {
    if (!m_bHasPrivate || !block)
        return false;
    *block = m_private;
    return true;
}

bool CMemoryClipboard::GetText(std::string* text) const {
    if (!m_bHasText || !text)
        return false;
    *text = m_text;
    return true;
}

void CMemoryClipboard::SetText(const std::string& text) {
    m_text = text;
    m_bHasText = true;
}

void CMemoryClipboard::Clear() {
    m_private.clear();
    m_text.clear();
    m_bHasPrivate = m_bHasText = false;
}
