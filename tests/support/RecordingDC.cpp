#include "RecordingDC.h"

#include <algorithm>

void CRecordingDC::Record(const std::string& op, std::vector<int> args,
                          const std::string& text) const {
    m_calls.push_back(
        Call{op, std::move(args), text, m_ptCurrent, m_pFont, m_pPen, *m_pPen, m_nTextAlign});
}

SIZE CRecordingDC::GetTextExtent(const std::string& text) {
    Record("GetTextExtent", {}, text);
    return CHeadlessDC::GetTextExtent(text);
}

int CRecordingDC::DrawText(const std::string& text, RECT* rect, unsigned flags) {
    RECT r = rect ? *rect : RECT{};
    int height = CHeadlessDC::DrawText(text, rect, flags);
    Record("DrawText", {r.left, r.top, r.right, r.bottom, static_cast<int>(flags)}, text);
    return height;
}

unsigned CRecordingDC::SetTextAlign(unsigned flags) {
    unsigned old = CHeadlessDC::SetTextAlign(flags);
    Record("SetTextAlign", {static_cast<int>(flags)});
    return old;
}

void CRecordingDC::TextOut(int x, int y, const std::string& text) {
    CHeadlessDC::TextOut(x, y, text);
    Record("TextOut", {x, y}, text);
}

CFont* CRecordingDC::SelectObject(CFont* font) {
    CFont* old = CHeadlessDC::SelectObject(font);
    Record("SelectFont", {});
    return old;
}

CPen* CRecordingDC::SelectObject(CPen* pen) {
    CPen* old = CHeadlessDC::SelectObject(pen);
    Record("SelectPen", {});
    return old;
}

void CRecordingDC::MoveTo(int x, int y) {
    Record("MoveTo", {x, y});
    CHeadlessDC::MoveTo(x, y);
}

void CRecordingDC::LineTo(int x, int y) {
    Record("LineTo", {x, y});
    CHeadlessDC::LineTo(x, y);
}

void CRecordingDC::Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    Record("Arc", {l, t, r, b, x1, y1, x2, y2});
    CHeadlessDC::Arc(l, t, r, b, x1, y1, x2, y2);
}

void CRecordingDC::Rectangle(const RECT& rect) {
    Record("Rectangle", {rect.left, rect.top, rect.right, rect.bottom});
    CHeadlessDC::Rectangle(rect);
}

void CRecordingDC::FillSolidRect(const RECT& rect, COLORREF color) {
    Record("FillSolidRect",
           {rect.left, rect.top, rect.right, rect.bottom, static_cast<int>(color)});
    CHeadlessDC::FillSolidRect(rect, color);
}

void CRecordingDC::InvertRect(const RECT& rect) {
    Record("InvertRect", {rect.left, rect.top, rect.right, rect.bottom});
    CHeadlessDC::InvertRect(rect);
}

COLORREF CRecordingDC::GetBkColor() const {
    Record("GetBkColor", {});
    return CHeadlessDC::GetBkColor();
}

COLORREF CRecordingDC::SetBkColor(COLORREF color) {
    COLORREF old = CHeadlessDC::SetBkColor(color);
    Record("SetBkColor", {static_cast<int>(color)});
    return old;
}

COLORREF CRecordingDC::SetTextColor(COLORREF color) {
    COLORREF old = CHeadlessDC::SetTextColor(color);
    Record("SetTextColor", {static_cast<int>(color)});
    return old;
}

COLORREF CRecordingDC::GetSysColor(int index) const {
    Record("GetSysColor", {index});
    return CHeadlessDC::GetSysColor(index);
}

std::vector<CRecordingDC::Call> CRecordingDC::CallsOf(const std::string& op) const {
    std::vector<Call> found;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(found),
                 [&](const Call& c) { return c.op == op; });
    return found;
}

std::vector<CRecordingDC::Call> CRecordingDC::InkCalls() const {
    std::vector<Call> found;
    RECT box;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(found),
                 [&](const Call& c) { return InkBox(c, &box); });
    return found;
}

namespace {
RECT Normalised(int a, int b, int c, int d) {
    return RECT{std::min(a, c), std::min(b, d), std::max(a, c), std::max(b, d)};
}

// The cell box of a text placed at (x, y) with the given alignment.
RECT TextBox(int x, int y, int width, int height, unsigned align) {
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER)
        left = x - width / 2;
    else if (align & TA_RIGHT)
        left = x - width;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = y - height; // the cells have no descent of their own
    else if (align & TA_BOTTOM)
        top = y - height;
    return RECT{left, top, left + width, top + height};
}
} // namespace

bool CRecordingDC::InkBox(const Call& call, RECT* box) {
    const std::vector<int>& a = call.args;
    if (call.op == "TextOut") {
        int width = static_cast<int>(call.text.size()) * call.font->m_nCharWidth;
        *box = TextBox(a[0], a[1], width, call.font->m_nHeight, call.align);
        return true;
    }
    if (call.op == "DrawText" && !(a[4] & DT_CALCRECT)) {
        *box = RECT{a[0], a[1], a[2], a[3]};
        return true;
    }
    if (call.op == "LineTo") {
        *box = Normalised(call.from.x, call.from.y, a[0], a[1]);
        return true;
    }
    if (call.op == "Arc" || call.op == "Rectangle") {
        *box = Normalised(a[0], a[1], a[2], a[3]);
        return true;
    }
    return false;
}
