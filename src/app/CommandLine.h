// The command line with which the host starts the editor.
//
// Switch form (the line holds a "/" anywhere): "/F file", "/N name",
// "/H handle", "/T", letters in either case, a blank allowed between the
// slash and the letter; a value in double quotes may hold blanks and "/".
// Legacy form (no "/" at all): a host window number, then a file name.
//
// The line is Windows-1251 text, a single byte per character; blanks are
// the space and the tab. Numbers are read as the C runtime's atoi reads
// them (optional blanks and sign, decimal digits); a value beyond the 32-bit
// range is clamped to INT32_MIN or INT32_MAX.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

class CommandLine {
  public:
    int32_t m_hHostWnd = 0;
    std::string m_strFileName;
    std::string m_strServerName;
    bool m_bTopmost = false;

    static CommandLine Parse(const std::string& line);

    // Joins a Linux argument vector (without the program name) into one
    // line for Parse: single blanks between arguments, and an argument in
    // double quotes when it holds a blank or a "/" and is not a switch
    // ("/" and one letter). An empty argument becomes "" and so still gives
    // a switch its (empty) value. Double quotes inside an argument are
    // dropped: the grammar cannot carry them and removes them from every
    // value anyway.
    //
    // A path holding "/" can be given only after /F: any "/" turns the line
    // into the switch form, so the legacy form takes only a name without
    // "/" (such as a file in the working folder).
    static std::string JoinArguments(const std::vector<std::string>& args);

    // An option of a program's own ("--help"); takesValue when the next
    // argument is its value (which may itself begin with "--").
    struct Option {
        const char* name;
        bool takesValue;
    };
    // The first argument that begins with "--" and is none of the options
    // (the values of options that take one are stepped over); empty when
    // there is none.
    static std::string UnknownOption(const std::vector<std::string>& args,
                                     std::span<const Option> options);

    // The argument vector as the editor reads it: a vector that is exactly
    // one path to an existing file (and not a switch such as "/T") is read
    // as "/F path"; anything else as JoinArguments and Parse read it.
    // isFile tells whether a path names an existing file; IsExistingFile
    // asks the file system.
    static CommandLine FromArguments(const std::vector<std::string>& args,
                                     const std::function<bool(const std::string&)>& isFile);
    static bool IsExistingFile(const std::string& path);

    // The name a program calls itself in messages: the last part of argv[0],
    // or fallback when there is none.
    static std::string ProgramName(const char* argv0, const char* fallback);

  private:
    void ParseLegacy(const std::string& line);
    void ParseSwitches(const std::string& line);
    // Handles the switch whose "/" is at slash; returns where the search
    // for the next "/" starts.
    size_t ParseSwitch(const std::string& line, size_t slash);
};
