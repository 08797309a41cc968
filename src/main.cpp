// The vexlor program: the batch mode runs here without any GUI library; the
// editor window and the export, which paints with it, are the vexlor-gui
// program beside this one.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/BatchMode.h"
#include "app/CommandLine.h"

#ifndef VEXLOR_VERSION
#define VEXLOR_VERSION "unknown"
#endif

namespace {
// The options of both modes; the editor window's own (/F and the rest) are
// not options in this sense.
constexpr CommandLine::Option kOptions[] = {
    {"--help", false},       {"--version", false},     {"--keys", true},
    {"--print-text", false}, {"--print-image", false}, {"--print-tree", false},
    {"--export", true},      {"--scale", true},
};

// The folder this program was started from.
std::string OwnFolder() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string p(path, static_cast<size_t>(n));
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

int StartEditorWindow(char** argv) {
    std::string gui = OwnFolder() + "/vexlor-gui";
    argv[0] = const_cast<char*>(gui.c_str());
    execv(gui.c_str(), argv);
    std::fprintf(stderr, "vexlor: cannot start the editor window %s: %s\n", gui.c_str(),
                 std::strerror(errno));
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--help") {
        std::fputs(BatchMode::Usage(), stdout);
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        std::puts("Vexlor " VEXLOR_VERSION);
        return 0;
    }
    // A mistyped option stops here: a script that calls the program must not
    // wait for a window that nobody sees.
    const std::string unknown = CommandLine::UnknownOption(args, kOptions);
    if (!unknown.empty()) {
        const std::string program =
            CommandLine::ProgramName(argc > 0 ? argv[0] : nullptr, "vexlor");
        std::fprintf(stderr, "%s: unknown option %s\n%s", program.c_str(), unknown.c_str(),
                     BatchMode::Usage());
        return 2;
    }
    // Export paints with the editor window's code, which vexlor-gui holds.
    if (std::find(args.begin(), args.end(), "--export") != args.end())
        return StartEditorWindow(argv);
    if (BatchMode::Wanted(args))
        return BatchMode::Run(args, stdin, stdout, stderr);
    return StartEditorWindow(argv);
}
