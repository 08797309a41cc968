// The program's own texts: the application title, the command prompts and
// tooltips of the status bar, and the fixed texts of the frame's messages.
#pragma once

#include <QString>

#include "app/ExpressionsFile.h"

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
    static QString OpenTooLarge(const QString& fileName);
    // Why a save did not happen; the old file is intact in every case.
    static QString SaveFailed(const QString& fileName, ExpressionsFile::Failure failure);
    // The file existed but could not be read when it was opened.
    static QString SaveRefusedUnread(const QString& fileName);
    // The file dialogs' titles and the file types they offer.
    static QString SaveAsTitle();
    static QString OpenTitle();
    static QString FileFilter();
    // The status-bar pane that shows unsaved changes, and its tooltip.
    static QString ModifiedIndicator();
    static QString ModifiedToolTip();
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
