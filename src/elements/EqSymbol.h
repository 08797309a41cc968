// One character of an expression. The multiplication sign is kept as the
// middle dot 0xB7 and written back as "*". No symbol holds "~", the host's
// error marker, which its language never uses: a "~" in a written text
// would be read back as a marker and take the rest of its line with it, so
// a "~" set or read from an image becomes a blank.
#pragma once

#include <memory>

#include <cstdint>

#include "elements/EqAtom.h"

class CEqSymbol : public CEqAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqSymbol)

  public:
    static constexpr char kMiddleDot = static_cast<char>(0xB7);
    static constexpr char kHostMarker = '~';

    CEqSymbol() : CEqAtom(Kind::Symbol) {}

    void Serialize(CArchive& ar) override;
    std::unique_ptr<CEqAtom> Clone() const override;
    void CalcSize() override;
    void Draw() override;
    std::string ToText() override;
    std::string PeekText() const override;
    // The byte as a signed value; the middle dot comes back as '*'.
    int GetChar() const override;

    // Keeps c ('*' as the middle dot, the host's marker as a blank).
    void SetChar(char c);
    // The stored byte, unsigned (0xB7 for a multiplication).
    uint8_t GetByte() const { return static_cast<uint8_t>(m_ch); }
    // The byte the symbol stands for in text ('*' for the middle dot).
    uint8_t TextByte() const { return m_ch == kMiddleDot ? '*' : GetByte(); }

    char m_ch = 0;
};
