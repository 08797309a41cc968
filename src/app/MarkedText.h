// The host's error marker inside an expressions text: "~", one more
// character (normally a blank), then a message to the end of that line.
// Splitting takes the marker and its message out of the text and tells
// which line (and so which expression) held it.
#pragma once

#include <string>

class MarkedText {
  public:
    std::string m_strText;    // the text without marker and message
    int m_nLine = -1;         // zero-based line of the marker, -1 if none
    std::string m_strMessage; // the host's message, possibly empty

    // Only the first "~" is a marker. Line breaks before it are counted with
    // CR LF, LF CR, a lone CR and a lone LF each as one. When "~" is the last
    // character or stands right before a CR or LF, the message is empty and
    // only the "~" is removed, so the line break and the next line stay.
    static MarkedText Split(const std::string& text);

  private:
    static int CountLineBreaks(const std::string& text, size_t end);
};
