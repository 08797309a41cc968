// The demo host's check of an expressions text: the first line that holds
// an empty slot ("( ? )" or "[?]") or brackets that do not pair up is
// rejected. Comments ("--" to the end of the line) are not checked.
#pragma once

#include <string>

class TextChecker {
  public:
    // "Пустое место в выражении", "Непарные скобки" in Windows-1251.
    static const char kEmptySlot[];
    static const char kUnbalanced[];

    // True when every line passes. Otherwise *marked is the text with the
    // marker "~ " and the message put at the end of the first faulty line.
    static bool Check(const std::string& text, std::string* marked);
    // The message for one line (without its line break), or empty.
    static std::string LineFault(const std::string& line);
    // The text with "~ " + message at the end of line index (0-based).
    static std::string Mark(const std::string& text, int index, const std::string& message);

  private:
    static bool IsBalanced(const std::string& code);
};
