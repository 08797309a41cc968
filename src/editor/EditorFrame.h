// The frame every editing event runs in, the same for the editor window and
// the batch mode: the measuring device context is made current, the caret is
// hidden, the document handles the event, the caret is placed again. The
// paint pass lays everything out, inverts the selection, brings the scroll
// bars up to date and places the caret; a repaint of an unchanged layout
// only draws.
#pragma once

#include <memory>

#include "platform/Geometry.h"

class CDC;
class CEqWindow;
class CVexlorData;

class EditorFrame {
  public:
    // data is the window's slot, which installing a text may fill anew.
    EditorFrame(CEqWindow& window, std::unique_ptr<CVexlorData>& data)
        : m_window(window), m_data(data) {}

    void KeyDown(unsigned vk);
    void Char(unsigned ch);
    // An Edit or Insert command by its id; false for any other id.
    bool Command(int id);
    // The paint pass with dc as the window's device context (the current
    // one when null).
    void Paint(CDC* dc);
    // The paint pass when the layout still holds (the data IsPlaced): the
    // rows reaching into area (window coordinates) drawn, the selection
    // inverted, the scroll bars and the caret as the paint pass leaves them.
    // Nothing is laid out.
    void Repaint(CDC* dc, const RECT& area);

  private:
    // In debug and sanitizer builds, stops the program with a message when an
    // event left the document's trees out of shape.
    void CheckInvariant() const;
    // Runs an event between hiding and placing the caret.
    template <class Event> void AroundCaret(Event event);
    // The end of both paint passes: selection, scroll bars, caret.
    void Finish();

    CEqWindow& m_window;
    std::unique_ptr<CVexlorData>& m_data;
};
