// What the model needs of the editor window: the device context in use, the
// six fonts, the client rectangle, focus, caret, scroll bars, invalidation,
// the key-state query and message boxes. The Qt editor widget implements it,
// and so does the headless window of tests and batch mode.
#pragma once

#include <string>

#include "platform/Clipboard.h"
#include "platform/DC.h"
#include "platform/DrawTypes.h"
#include "platform/Geometry.h"

enum ScrollBar { SB_HORZ = 0, SB_VERT = 1 };

struct SCROLLINFO {
    int nMin = 0;
    int nMax = 0;
    unsigned nPage = 0;
    int nPos = 0;
};

class CEqWindow {
  public:
    virtual ~CEqWindow() = default;

    CDC* m_pDC = nullptr;
    CFont m_fontNormal;
    CFont m_fontBold;
    CFont m_fontBoldItalic;
    CFont m_fontSmall;
    CFont m_fontSmallBold;
    CFont m_fontSmallBoldItalic;
    RECT m_rcClient;

    // Makes dc the device context in use, with the regular font and the
    // window's colours; null stands for the window's measuring context.
    virtual void PrepareDC(CDC* dc) {
        if (dc)
            m_pDC = dc;
    }

    // Focus and keyboard state. GetKeyState has the high bit set (negative)
    // while the key is held.
    virtual bool HasFocus() const = 0;
    virtual short GetKeyState(unsigned vk) const = 0;
    bool IsKeyDown(unsigned vk) const { return GetKeyState(vk) < 0; }

    // A modal message with a fixed text.
    virtual void MessageBox(const std::string& text) = 0;

    // The caret: created with a size, placed, shown, destroyed.
    virtual void CreateCaret(int width, int height) = 0;
    virtual void SetCaretPos(POINT pt) = 0;
    virtual void ShowCaret() = 0;
    virtual void DestroyCaret() = 0;

    virtual void SetScrollInfo(int bar, const SCROLLINFO& info) = 0;
    virtual SCROLLINFO GetScrollInfo(int bar) const = 0;

    // Repaint requests: a rectangle, or the whole client area.
    virtual void InvalidateRect(const RECT& rect, bool erase) = 0;
    virtual void Invalidate(bool erase) = 0;

    // The status bar's message pane; error texts show in red.
    virtual void SetStatusMessage(const std::string& text, bool error) = 0;

    // The clipboard the editor exchanges fragments through.
    virtual CClipboard* GetClipboard() = 0;
};
