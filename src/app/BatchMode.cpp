#include "app/BatchMode.h"

#include <algorithm>

#include "app/BatchEditor.h"
#include "app/ExpressionsFile.h"
#include "app/InputOptions.h"
#include "app/KeyScript.h"
#include "platform/Cp1251Codec.h"
#include "platform/TextLimit.h"
#include "rows/EqExpr.h"
#include "rows/TreeDump.h"

namespace {
struct Options {
    BatchMode::Output output = BatchMode::kNone;
    InputOptions input;
};

// "Ошибка открытия файла: " in Windows-1251.
const char kOpenError[] = "\xCE\xF8\xE8\xE1\xEA\xE0 \xEE\xF2\xEA\xF0\xFB\xF2\xE8\xFF "
                          "\xF4\xE0\xE9\xEB\xE0: ";
// "Файл больше 16 МБ: " in Windows-1251.
const char kTooLarge[] = "\xD4\xE0\xE9\xEB \xE1\xEE\xEB\xFC\xF8\xE5 16 \xCC\xC1: ";

bool ParseOptions(const std::vector<std::string>& args, Options* o, std::string* error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        BatchMode::Output output = a == "--print-text"    ? BatchMode::kText
                                   : a == "--print-image" ? BatchMode::kImage
                                   : a == "--print-tree"  ? BatchMode::kTree
                                                          : BatchMode::kNone;
        if (output != BatchMode::kNone) {
            if (o->output != BatchMode::kNone) {
                *error = "only one of --print-text, --print-image, --print-tree";
                return false;
            }
            o->output = output;
        } else if (!o->input.Take(args, &i, error)) {
            return false;
        }
    }
    if (o->output == BatchMode::kNone) {
        *error = "one of --print-text, --print-image, --print-tree is needed";
        return false;
    }
    return true;
}

void WriteBytes(std::FILE* out, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), out);
}

std::string TreeOf(CVexlorData& data) {
    std::string text;
    data.VisitRows([&text](const CEqExpr& row) { text += TreeDump::Dump(row) + "\n"; });
    const CEqExpr* top =
        data.Rows().empty() ? nullptr : data.Rows()[static_cast<size_t>(data.CurRowIndex())];
    if (top)
        text += "caret " + std::to_string(data.CurRowIndex()) + ":" +
                TreeDump::CaretPath(*top, data) + "\n";
    return text;
}
} // namespace

const char* BatchMode::Usage() {
    return "Usage:\n"
           "  vexlor [/F file] [/H handle] [/N name] [/T]    open the editor window\n"
           "  vexlor [--keys SCRIPT] (--print-text | --print-image | --print-tree) [FILE | -]\n"
           "                                                 batch mode, no display needed\n"
           "  vexlor --export OUT.svg|OUT.png|OUT.pdf [--scale FACTOR] [--keys SCRIPT] [FILE | -]\n"
           "                                                 paint the typeset model into a file\n"
           "  vexlor --help | --version\n"
           "\n"
           "Batch mode loads FILE (standard input for - or no file), types the key\n"
           "SCRIPT and prints the text, the editor's archive image or the tree.\n"
           "Script: characters are typed; <Left> <Right> <Up> <Down> <Home> <End>\n"
           "<PageUp> <PageDown> <BS> <Del> <Enter> <Ins> <Tab> <Esc> <lt> name keys;\n"
           "prefixes S- C- A- add Shift, Control, Alt: <C-f> <S-Left> <A-BS>.\n";
}

bool BatchMode::Wanted(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--print-text" || a == "--print-image" || a == "--print-tree" || a == "--keys")
            return true;
    return false;
}

// Reads at most kMaxTextBytes + 1 bytes: one more tells a text too large.
bool BatchMode::ReadAll(std::FILE* in, std::string* bytes) {
    char buffer[65536];
    size_t n;
    while (bytes->size() <= kMaxTextBytes &&
           (n = std::fread(buffer, 1, std::min(sizeof buffer, kMaxTextBytes + 1 - bytes->size()),
                           in)) > 0)
        bytes->append(buffer, n);
    return !std::ferror(in);
}

bool BatchMode::Load(const std::string* file, const std::vector<KeyEvent>& keys, std::FILE* in,
                     std::FILE* err, BatchEditor* editor, bool forWriting) {
    std::string text;
    bool fromStdin = !file || *file == "-";
    ExpressionsFile::Failure failure = ExpressionsFile::Failure::kNone;
    bool read = fromStdin ? ReadAll(in, &text) : ExpressionsFile::Read(*file, &text, &failure);
    if (read && text.size() > kMaxTextBytes) {
        read = false;
        failure = ExpressionsFile::Failure::kTooLarge;
    }
    if (!read) {
        std::string message =
            (failure == ExpressionsFile::Failure::kTooLarge ? kTooLarge : kOpenError) +
            (fromStdin ? std::string("-") : *file);
        WriteBytes(err, Cp1251Codec::ToUtf8(message) + "\n");
        return false;
    }
    editor->Install(text, forWriting);
    for (const KeyEvent& key : keys)
        editor->Deliver(key);
    editor->PaintPass();
    return true;
}

int BatchMode::Run(const std::vector<std::string>& args, std::FILE* in, std::FILE* out,
                   std::FILE* err) {
    Options o;
    std::string error;
    std::vector<KeyEvent> keys;
    if (!ParseOptions(args, &o, &error) || !o.input.ParseKeys(&keys, &error)) {
        std::fprintf(err, "vexlor: %s\n%s", error.c_str(), Usage());
        return 2;
    }
    BatchEditor editor;
    if (!Load(o.input.File(), keys, in, err, &editor, o.output == kText))
        return 1;
    switch (o.output) {
    case kText:
        WriteBytes(out, editor.Data().GetText());
        break;
    case kImage: {
        CVexlorData::Snapshot image = editor.Data().WriteSnapshot();
        std::fwrite(image.data(), 1, image.size(), out);
        break;
    }
    default:
        WriteBytes(out, TreeOf(editor.Data()));
        break;
    }
    return std::fflush(out) == 0 ? 0 : 1;
}
