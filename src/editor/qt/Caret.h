// The editor's caret: a solid bar created with a size, placed, shown and
// destroyed by the model, blinking while shown. The widget paints it last,
// inverting the pixels under it, and drives the blinking.
#pragma once

#include <QRect>

class Caret {
  public:
    void Create(int width, int height);
    void SetPos(int x, int y);
    // Shows the caret; a caret that comes back where it was keeps its blink
    // phase, one that moved starts visible. True when it moved.
    bool Show();
    void Destroy();
    // Flips the blink phase; false when there is no caret to blink.
    bool Blink();

    bool IsShown() const { return m_bShown; }
    // Whether the caret is to be painted now: shown and in its visible phase.
    bool IsInk() const { return m_bShown && m_bPhaseOn; }
    QRect Rect() const { return m_rect; }
    // Where the caret was last shown (empty when it never was).
    QRect ShownRect() const { return m_rcShown; }

  private:
    QRect m_rect;
    QRect m_rcShown;
    bool m_bShown = false;
    bool m_bPhaseOn = true;
};
