#include "app/CommandLine.h"

#include "platform/Charset.h"

#include <cstdint>
#include <limits>
#include <sys/stat.h>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

size_t SkipBlanks(const std::string& s, size_t pos) {
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    return pos;
}

std::string WithoutQuotes(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c != '"')
            out.push_back(c);
    }
    return out;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSwitchArgument(const std::string& arg) {
    return arg.size() == 2 && arg[0] == '/' && Charset::IsLetter(static_cast<uint8_t>(arg[1]));
}

bool NeedsQuotes(const std::string& arg) {
    if (arg.empty())
        return true;
    if (IsSwitchArgument(arg))
        return false;
    return arg.find_first_of(" \t/") != std::string::npos;
}

// The value of /F or /N starting at pos (blanks already skipped); *end
// receives where the search for the next "/" starts.
std::string SwitchValue(const std::string& line, size_t pos, size_t* end) {
    if (pos < line.size() && line[pos] == '"') {
        const size_t close = line.find('"', pos + 1);
        *end = close == std::string::npos ? line.size() : close;
        return line.substr(pos + 1, *end - pos - 1);
    }
    size_t stop = line.find_first_of(" \t/", pos);
    *end = stop == std::string::npos ? line.size() : stop;
    return WithoutQuotes(line.substr(pos, *end - pos));
}

// Decimal conversion of the start of text from pos, as atoi does it.
int32_t ToInt(const std::string& text, size_t pos) {
    pos = SkipBlanks(text, pos);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulated as a magnitude that stops growing past the 32-bit range.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        if (magnitude <= kLimit)
            magnitude = magnitude * 10 + (text[pos] - '0');
    }
    if (negative)
        return magnitude >= kLimit ? std::numeric_limits<int32_t>::min()
                                   : static_cast<int32_t>(-magnitude);
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                               : static_cast<int32_t>(magnitude);
}
} // namespace

CommandLine CommandLine::Parse(const std::string& line) {
    CommandLine result;
    if (line.find('/') == std::string::npos)
        result.ParseLegacy(line);
    else
        result.ParseSwitches(line);
    return result;
}

void CommandLine::ParseLegacy(const std::string& line) {
    m_hHostWnd = ToInt(line, 0);
    size_t pos = 0;
    if (m_hHostWnd != 0) {
        // Step over the number up to a letter, a quote, a blank or the end.
        while (pos < line.size() && !Charset::IsLetter(static_cast<uint8_t>(line[pos])) &&
               line[pos] != '"' && !IsBlank(line[pos]))
            ++pos;
        pos = SkipBlanks(line, pos);
    }
    m_strFileName = WithoutQuotes(line.substr(pos));
}

void CommandLine::ParseSwitches(const std::string& line) {
    size_t slash = line.find('/');
    while (slash != std::string::npos)
        slash = line.find('/', ParseSwitch(line, slash));
}

size_t CommandLine::ParseSwitch(const std::string& line, size_t slash) {
    const size_t letterPos = SkipBlanks(line, slash + 1);
    if (letterPos >= line.size())
        return line.size();
    const char letter = Charset::ToLowerAscii(line[letterPos]);
    const size_t valuePos = SkipBlanks(line, letterPos + 1);
    size_t next = letterPos;
    switch (letter) {
    case 'f':
        m_strFileName = SwitchValue(line, valuePos, &next);
        break;
    case 'n':
        m_strServerName = SwitchValue(line, valuePos, &next);
        break;
    case 'h':
        m_hHostWnd = ToInt(line, valuePos);
        next = valuePos;
        break;
    case 't':
        m_bTopmost = true;
        break;
    default:
        // Any other character is ignored; when it is itself a "/", that one
        // starts the next switch.
        break;
    }
    return next;
}

std::string CommandLine::JoinArguments(const std::vector<std::string>& args) {
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            line.push_back(' ');
        const std::string arg = WithoutQuotes(args[i]);
        if (NeedsQuotes(arg))
            line += '"' + arg + '"';
        else
            line += arg;
    }
    return line;
}

std::string CommandLine::UnknownOption(const std::vector<std::string>& args,
                                       std::span<const Option> options) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("--", 0) != 0)
            continue;
        const Option* known = nullptr;
        for (const Option& option : options) {
            if (args[i] == option.name)
                known = &option;
        }
        if (known == nullptr)
            return args[i];
        if (known->takesValue)
            ++i;
    }
    return {};
}

CommandLine CommandLine::FromArguments(const std::vector<std::string>& args,
                                       const std::function<bool(const std::string&)>& isFile) {
    if (args.size() == 1 && !IsSwitchArgument(args[0]) && isFile && isFile(args[0])) {
        CommandLine result;
        result.m_strFileName = args[0];
        return result;
    }
    return Parse(JoinArguments(args));
}

bool CommandLine::IsExistingFile(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string CommandLine::ProgramName(const char* argv0, const char* fallback) {
    std::string name = argv0 ? argv0 : "";
    const size_t slash = name.rfind('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    return name.empty() ? std::string(fallback) : name;
}
