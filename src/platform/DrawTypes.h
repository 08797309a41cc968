// Colours, pens, fonts and the flag values of the drawing interface.
#pragma once

#include <cstdint>
#include <string>

using COLORREF = uint32_t; // 0x00BBGGRR

inline constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}

// System colours the elements ask for.
enum SysColor { COLOR_WINDOW = 5, COLOR_WINDOWTEXT = 8, COLOR_BTNFACE = 15 };

// DrawText flags.
enum : unsigned {
    DT_NOCLIP = 0x0100,
    DT_CALCRECT = 0x0400,
    DT_NOPREFIX = 0x0800,
};

// SetTextAlign flags.
enum : unsigned {
    TA_LEFT = 0,
    TA_TOP = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};

// Pen styles.
enum PenStyle { PS_SOLID = 0, PS_DOT = 2 };

// A pen made by an element for one drawing: selected, used, deselected.
class CPen {
  public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) : m_nStyle(style), m_nWidth(width), m_color(color) {}
    int m_nStyle = PS_SOLID;
    int m_nWidth = 1;
    COLORREF m_color = 0;
};

// A font handle owned by the window. Elements compare fonts by identity;
// the window fills in the cell metrics its device context measures with.
class CFont {
  public:
    CFont() = default;
    CFont(std::string face, int height, bool bold, bool italic)
        : m_strFace(std::move(face)), m_nHeight(height), m_bBold(bold), m_bItalic(italic) {}
    std::string m_strFace = "Courier New";
    int m_nHeight = 20; // cell height: ascent + descent
    bool m_bBold = false;
    bool m_bItalic = false;
    int m_nCharWidth = 11; // width of every character cell (headless metrics)
};
