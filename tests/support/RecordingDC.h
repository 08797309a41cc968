// A headless device context that records every call made on it, with its
// arguments and the font, pen and text alignment selected at the time, so
// tests can check what an element drew and what it left selected.
#pragma once

#include <string>
#include <vector>

#include "platform/HeadlessDC.h"

class CRecordingDC : public CHeadlessDC {
  public:
    struct Call {
        std::string op;        // the operation's name, e.g. "TextOut", "LineTo", "SelectFont"
        std::vector<int> args; // its integer arguments in order (rectangles as l, t, r, b)
        std::string text;      // the text of text calls
        POINT from;            // the current position before the call (lines start here)
        const CFont* font;     // selected after the call
        const CPen* pen;       // selected after the call (identity only; may be gone)
        CPen penValue;         // a copy of that pen
        unsigned align;        // text alignment after the call
    };

    SIZE GetTextExtent(const std::string& text) override;
    int DrawText(const std::string& text, RECT* rect, unsigned flags) override;
    unsigned SetTextAlign(unsigned flags) override;
    void TextOut(int x, int y, const std::string& text) override;
    CFont* SelectObject(CFont* font) override;
    CPen* SelectObject(CPen* pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) override;
    void Rectangle(const RECT& rect) override;
    void FillSolidRect(const RECT& rect, COLORREF color) override;
    void InvertRect(const RECT& rect) override;
    COLORREF GetBkColor() const override;
    COLORREF SetBkColor(COLORREF color) override;
    COLORREF SetTextColor(COLORREF color) override;
    COLORREF GetSysColor(int index) const override;

    unsigned GetTextAlign() const { return m_nTextAlign; }
    void Clear() { m_calls.clear(); }
    // The recorded calls of one operation, in order.
    std::vector<Call> CallsOf(const std::string& op) const;
    // The calls that put ink on the screen: text drawn, lines, arcs,
    // rectangles (not measuring, erasing or selecting).
    std::vector<Call> InkCalls() const;
    // The box a call paints into (for text, the cell box of the font
    // selected at the time, placed by the text alignment); false for calls
    // that paint nothing.
    static bool InkBox(const Call& call, RECT* box);

    mutable std::vector<Call> m_calls;

  private:
    void Record(const std::string& op, std::vector<int> args, const std::string& text = {}) const;
};
