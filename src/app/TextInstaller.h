// Installs a whole expressions text into the editor: the data object is
// replaced as a whole (no undo history survives), and a host's error marker
// selects the faulty row and shows the numbered message in red.
#pragma once

#include <memory>
#include <string>

class CEqWindow;
class CVexlorData;

class TextInstaller {
  public:
    // Replaces *data with the text's rows for wnd. When line is 0 or more,
    // selects that row (when it exists) and returns the status message
    // "Выражение N: " + message through the window; otherwise the status
    // message is left as it was. Returns the status text set, or empty.
    static std::string Install(std::unique_ptr<CVexlorData>& data, CEqWindow* wnd,
                               const std::string& text, int line, const std::string& message);
    // "Выражение %d: " formatted with line + 1, in Windows-1251, then message.
    static std::string StatusText(int line, const std::string& message);
};
