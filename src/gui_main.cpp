// vexlor-gui: the editor window. Takes the user's argument vector as the
// host's command line (/F file, /H handle, /N name, /T, or the legacy form),
// or a single path to an existing file.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>

#include "app/CommandLine.h"
#include "app/qt/AboutDlg.h"
#include "app/qt/EqApp.h"
#include "app/qt/ExportMode.h"

#ifndef VEXLOR_PRODUCT_VERSION
#error "VEXLOR_PRODUCT_VERSION comes from the project version in CMakeLists.txt"
#endif

namespace {
// The usage text with the program's own name in it.
std::string Usage(const std::string& program) {
    return "Usage: " + program + " [/F file] [/H handle] [/N name] [/T]\n" + "       " + program +
           " file\n" + "       " + program +
           " handle file\n"
           "\n"
           "Opens the expressions file in the formula editor.\n"
           "\n"
           "  /F file    the expressions file to edit (in double quotes when it holds blanks)\n"
           "  /H handle  the host's window handle (a decimal number)\n"
           "  /N name    the host's conversation name\n"
           "  /T         keep the window on top of the others\n"
           "  --export OUT.svg|OUT.png|OUT.pdf [--scale FACTOR] [--keys SCRIPT] [FILE | -]\n"
           "             paint the typeset model into a file, without a display\n"
           "  --help     show this text and exit\n"
           "  --version  show the version and exit\n"
           "\n"
           "A single argument that names an existing file opens it as with /F.\n";
}

constexpr CommandLine::Option kOptions[] = {
    {"--help", false}, {"--version", false}, {"--export", true}, {"--scale", true}, {"--keys", true}};

// Whether Qt can find a screen: a platform named explicitly, or an X11 or
// Wayland display. Without one Qt would abort the process.
bool HasDisplay() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}
} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const std::string program =
        CommandLine::ProgramName(argc > 0 ? argv[0] : nullptr, "vexlor-gui");
    if (!args.empty() && args[0] == "--help") {
        std::fputs(Usage(program).c_str(), stdout);
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        std::string version =
            CAboutDlg::DisplayVersion(QStringLiteral(VEXLOR_PRODUCT_VERSION)).toStdString();
        std::printf("Vexlor %s\n", version.c_str());
        return 0;
    }
    // A mistyped option is answered before any window is made.
    const std::string unknown = CommandLine::UnknownOption(args, kOptions);
    if (!unknown.empty()) {
        std::fprintf(stderr, "%s: unknown option %s\n%s", program.c_str(), unknown.c_str(),
                     Usage(program).c_str());
        return 2;
    }
    if (ExportMode::Wanted(args)) {
        // Export paints off screen whatever the desktop.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        int qtArgc = argc > 0 ? 1 : 0;
        QApplication app(qtArgc, argv);
        return ExportMode::Run(args, stdin, stderr);
    }
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "%s: the editor window needs a display (DISPLAY or WAYLAND_DISPLAY is "
                     "not set).\nRun it under a desktop session or with xvfb-run, or use the "
                     "batch mode: vexlor --help\n",
                     program.c_str());
        return 1;
    }
    // The arguments are the host's command line, not Qt's options.
    int qtArgc = argc > 0 ? 1 : 0;
    CEqApp app(qtArgc, argv);
    if (!app.InitInstance(args))
        return 1;
    return app.exec();
}
