// "Экспорт…" and "Печать…" of the File menu: the typeset model, or
// only the current expression, into an SVG, PNG or PDF file, or to a
// printer with page breaks between expressions.
#pragma once

class CVexlor;
class QPrinter;
class QWidget;

class OutputCommands {
  public:
    // Asks for the file and, when there is more than one expression, for
    // the whole model or the current expression; a failure is shown in a
    // message box. PNG pixels follow the editor's zoom.
    static void Export(QWidget* parent, CVexlor& view);
    // The print dialog; its "selection" range prints the current expression.
    static void Print(QWidget* parent, CVexlor& view);
    // Prints on a printer set up already; false when it could not start.
    static bool PrintOn(QPrinter* printer, CVexlor& view, bool currentOnly);

  private:
    // -1 for the whole model, the current expression's index, or -2 when
    // the user cancelled.
    static int AskWhat(QWidget* parent, CVexlor& view);
};
