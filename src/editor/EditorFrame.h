// The frame every editing event runs in, the same for the editor window and
// the batch mode: the measuring device context is made current, the caret is
// hidden, the document handles the event, the caret is placed again. The
// paint pass lays everything out, inverts the selection, brings the scroll
// bars up to date and places the caret.
#pragma once

#include <memory>

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

  private:
    // In debug and sanitizer builds, stops the program with a message when an
    // event left the document's trees out of shape.
    void CheckInvariant() const;
    // Runs an event between hiding and placing the caret.
    template <class Event> void AroundCaret(Event event);

    CEqWindow& m_window;
    std::unique_ptr<CVexlorData>& m_data;
};
