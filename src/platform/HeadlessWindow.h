// The window of tests and batch mode: fixed metrics (regular fonts 11x20 per
// character, small 8x14), client rectangle (0, 0, 800, 600), always focused.
// It records what the model asked of it (messages, caret, scroll bars).
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/EqWindow.h"
#include "platform/HeadlessDC.h"
#include "platform/MemoryClipboard.h"

class CHeadlessWindow : public CEqWindow {
  public:
    static constexpr int kRegularWidth = 11;
    static constexpr int kRegularHeight = 20;
    static constexpr int kSmallWidth = 8;
    static constexpr int kSmallHeight = 14;

    // Uses its own headless device context unless one is given (tests pass
    // a recording one); the window does not own a given context.
    explicit CHeadlessWindow(CDC* dc = nullptr);

    bool HasFocus() const override { return m_bFocus; }
    short GetKeyState(unsigned vk) const override;
    void MessageBox(const std::string& text) override;
    void CreateCaret(int width, int height) override;
    void SetCaretPos(POINT pt) override;
    void ShowCaret() override;
    void DestroyCaret() override;
    void SetScrollInfo(int bar, const SCROLLINFO& info) override;
    SCROLLINFO GetScrollInfo(int bar) const override;
    void InvalidateRect(const RECT& rect, bool erase) override;
    void Invalidate(bool erase) override;
    void SetStatusMessage(const std::string& text, bool error) override;
    CClipboard* GetClipboard() override { return &m_clipboard; }

    // Test and batch controls.
    void PressKey(unsigned vk) { m_held.insert(vk); }
    void ReleaseKey(unsigned vk) { m_held.erase(vk); }
    void ReleaseAllKeys() { m_held.clear(); }

    bool m_bFocus = true;
    std::vector<std::string> m_messages;
    std::string m_strStatus;
    bool m_bStatusError = false;
    SIZE m_sizeCaret;
    POINT m_ptCaret;
    bool m_bCaretShown = false;
    SCROLLINFO m_scroll[2];
    int m_nInvalidations = 0;
    CMemoryClipboard m_clipboard;

  private:
    std::unique_ptr<CHeadlessDC> m_ownDC;
    std::set<unsigned> m_held;
};
