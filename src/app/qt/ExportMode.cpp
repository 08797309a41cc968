#include "app/qt/ExportMode.h"

#include <QString>
#include <algorithm>
#include <cstdlib>

#include "app/BatchEditor.h"
#include "app/BatchMode.h"
#include "app/InputOptions.h"
#include "app/KeyScript.h"
#include "app/qt/FormulaExport.h"
#include "editor/VexlorData.h"
#include "editor/qt/Vexlor.h"

namespace {
struct Options {
    std::string output;
    double scale = 1.0;
    InputOptions input;
};

bool ParseScale(const std::string& text, double* scale) {
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value >= 0.25 && value <= 8.0))
        return false;
    *scale = value;
    return true;
}

// The value after an option, or false when there is none.
bool TakeValue(const std::vector<std::string>& args, size_t* i, std::string* value) {
    if (*i + 1 >= args.size())
        return false;
    *value = args[++*i];
    return true;
}

bool ParseOptions(const std::vector<std::string>& args, Options* o, std::string* error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string value;
        if (a == "--export") {
            if (!o->output.empty() || !TakeValue(args, &i, &o->output) || o->output.empty()) {
                *error = "--export takes one output file";
                return false;
            }
        } else if (a == "--scale") {
            if (!TakeValue(args, &i, &value) || !ParseScale(value, &o->scale)) {
                *error = "--scale takes a factor from 0.25 to 8";
                return false;
            }
        } else if (!o->input.Take(args, &i, error)) {
            return false;
        }
    }
    if (o->output.empty()) {
        *error = "--export takes one output file";
        return false;
    }
    if (FormulaExport::FormatOf(QString::fromStdString(o->output)) ==
        FormulaExport::Format::kNone) {
        *error = "unknown export format of " + o->output + ": use .svg, .png or .pdf";
        return false;
    }
    return true;
}

} // namespace

const char* ExportMode::Usage() {
    return "Usage: vexlor --export OUT.svg|OUT.png|OUT.pdf [--scale FACTOR] [--keys SCRIPT] "
           "[FILE | -]\n"
           "Paints the typeset FILE (standard input for - or no file), after typing the key\n"
           "SCRIPT, into an SVG picture, a PNG image (FACTOR times the layout's pixels) or\n"
           "PDF pages of whole expressions. No display is needed.\n";
}

bool ExportMode::Wanted(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "--export") != args.end();
}

// 1. Options, the key script and the output's format are checked first.
// 2. The text is read and the keys are replayed in a headless editor.
// 3. Its image is shown in an editor window, which paints the output.
int ExportMode::Run(const std::vector<std::string>& args, std::FILE* in, std::FILE* err) {
    Options o;
    std::string error;
    std::vector<KeyEvent> keys;
    if (!ParseOptions(args, &o, &error) || !o.input.ParseKeys(&keys, &error)) {
        std::fprintf(err, "vexlor: %s\n%s", error.c_str(), Usage());
        return 2;
    }
    BatchEditor editor;
    if (!BatchMode::Load(o.input.File(), keys, in, err, &editor))
        return 1;
    CVexlor view;
    if (!view.GetData()->ReadSnapshot(editor.Data().WriteSnapshot())) {
        std::fprintf(err, "vexlor: the edited text could not be shown\n");
        return 1;
    }
    QString failure;
    if (!FormulaExport::Write(view, QString::fromStdString(o.output), o.scale, -1, &failure)) {
        std::fprintf(err, "vexlor: %s\n", failure.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
