#include "platform/MemoryClipboard.h"

#include "platform/Cp1251Codec.h"

bool CMemoryClipboard::SetFragment(const Fragment& fragment) {
    SetPrivate(fragment.block);
    SetText(fragment.text);
    m_mathml = fragment.mathml;
    return true;
}

bool CMemoryClipboard::SetUnicodeText(const std::string& utf8) {
    Clear();
    m_unicode = utf8;
    Cp1251Codec::FromUtf8(utf8, &m_text);
    m_bUnicode = m_bHasText = true;
    return true;
}

bool CMemoryClipboard::GetUnicodeText(std::string* utf8) const {
    if (!m_bUnicode)
        return CClipboard::GetUnicodeText(utf8);
    if (!utf8)
        return false;
    *utf8 = m_unicode;
    return true;
}

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
    m_unicode.clear();
    m_bUnicode = false;
    m_bHasText = true;
}

void CMemoryClipboard::Clear() {
    m_private.clear();
    m_text.clear();
    m_unicode.clear();
    m_mathml.clear();
    m_bHasPrivate = m_bHasText = m_bUnicode = false;
}
