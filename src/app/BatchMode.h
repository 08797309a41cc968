// The batch mode of the vexlor program:
//
//   vexlor [--keys SCRIPT] (--print-text | --print-image | --print-tree) [FILE | -]
//
// It installs the file's text (standard input for "-" or no file) into a
// headless editor, replays the key script and prints the result. Exit
// status 0 on success, 2 on bad arguments or a bad key script, 1 when the
// file cannot be read.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class BatchEditor;
struct KeyEvent;

class BatchMode {
  public:
    enum Output { kNone, kText, kImage, kTree };

    // Whether the arguments ask for the batch mode at all.
    static bool Wanted(const std::vector<std::string>& args);
    static int Run(const std::vector<std::string>& args, std::FILE* in, std::FILE* out,
                   std::FILE* err);
    static const char* Usage();
    // Installs the file's text (standard input for "-" or no file) into
    // editor, delivers the keys and paints. When the file cannot be read,
    // says so on err and returns false. forWriting as for Install.
    static bool Load(const std::string* file, const std::vector<KeyEvent>& keys, std::FILE* in,
                     std::FILE* err, BatchEditor* editor, bool forWriting = false);

  private:
    static bool ReadAll(std::FILE* in, std::string* bytes);
};
