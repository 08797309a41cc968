// The editor without a display: a headless window holding one editor data
// object, with the editor window's event frame, key routing and
// accelerators.
#pragma once

#include <memory>
#include <string>

#include "app/KeyScript.h"
#include "editor/EditorFrame.h"
#include "editor/VexlorData.h"
#include "platform/HeadlessWindow.h"

class BatchEditor {
  public:
    BatchEditor();

    // Splits the host's marker off the text and installs it; forWriting
    // when every row's text will be written (see SetTextsWhenMeasured).
    void Install(const std::string& markedText, bool forWriting = false);
    // What the window's paint handler does: layout, selection rectangle,
    // scroll bars, caret.
    void PaintPass();
    // Delivers one key or typed character as the window would, then paints.
    void Deliver(const KeyEvent& key);
    // Delivers one key or typed character without the paint pass after it.
    void Handle(const KeyEvent& key);

    CVexlorData& Data() { return *m_pData; }
    CHeadlessWindow& Window() { return m_wnd; }

  private:
    // The printable character a key types besides its key-down, or 0.
    static unsigned TypedBy(const KeyEvent& key);

    CHeadlessWindow m_wnd;
    std::unique_ptr<CVexlorData> m_pData;
    EditorFrame m_frame{m_wnd, m_pData};
};
