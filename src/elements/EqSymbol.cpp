#include "elements/EqSymbol.h"

#include "platform/Archive.h"
#include "platform/DC.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqSymbol)

void CEqSymbol::Serialize(CArchive& ar) {
    CEqObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<uint8_t>(m_ch);
    } else {
        uint8_t b = 0;
        ar >> b;
        m_ch = b == kHostMarker ? ' ' : static_cast<char>(b);
    }
}

std::unique_ptr<CEqAtom> CEqSymbol::Clone() const {
    auto copy = std::make_unique<CEqSymbol>();
    CopyBaseTo(copy.get());
    copy->SetChar(m_ch);
    return copy;
}

void CEqSymbol::SetChar(char c) {
    if (c == kHostMarker)
        c = ' ';
    m_ch = c == '*' ? kMiddleDot : c;
}

int CEqSymbol::GetChar() const {
    if (m_ch == kMiddleDot)
        return '*';
    return static_cast<int>(static_cast<signed char>(m_ch));
}

std::string CEqSymbol::ToText() {
    return std::string(1, static_cast<char>(TextByte()));
}

std::string CEqSymbol::PeekText() const {
    return std::string(1, static_cast<char>(TextByte()));
}

void CEqSymbol::CalcSize() {
    CDC* dc = DC();
    if (!dc)
        return;
    RECT r{};
    dc->DrawText(std::string(1, m_ch), &r, DT_CALCRECT | DT_NOPREFIX);
    m_size = SIZE{r.right - r.left, r.bottom - r.top};
    m_ptAnchor = POINT{(r.right + r.left) / 2, (r.bottom + r.top) / 2};
}

void CEqSymbol::Draw() {
    if (!IsVisible())
        return;
    RECT r = m_rect;
    DC()->DrawText(std::string(1, m_ch), &r, DT_NOPREFIX | DT_NOCLIP);
}
