// The program's own texts: the application title, the command prompts and
// tooltips of the status bar, and the fixed texts of the frame's messages.
#pragma once

#include <QString>

class StringTable {
  public:
    // String 57344, the base of every caption.
    static QString AppTitle();
    // The status-bar prompt of a command; empty when it has none.
    static QString Prompt(int id);
    // The tooltip of a command; empty when it has none.
    static QString ToolTip(int id);

    // The prompt pane while nothing is hovered.
    static QString Ready();
    // String 101: its width is the width of the message pane.
    static QString MessagePaneSample();
    static QString OpenError(const QString& fileName);
    static QString SaveChangesQuestion();
    static QString ExitCaption();
    static QString AboutCaption();
    // Appended to the title with the product version in the about box.
    static QString VersionWord();
    static QString Copyright();
    // The lock indicators: caps, num and scroll lock, in pane order.
    static QString CapsIndicator();
    static QString NumIndicator();
    static QString ScrollIndicator();

  private:
    static QString Entry(int id, int part);
};
