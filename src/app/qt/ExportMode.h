// The export mode of the vexlor programs:
//
//   vexlor --export OUT.svg|OUT.png|OUT.pdf [--scale FACTOR] [--keys SCRIPT] [FILE | -]
//
// It loads the file (standard input for "-" or no file) and replays the key
// script as the batch mode does, then paints the typeset model into OUT
// with the editor window's painting code on Qt's offscreen platform. Exit
// status 0 on success; 2 on bad arguments, a bad key script or an unknown
// extension; 1 when the file cannot be read or OUT cannot be written.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class ExportMode {
  public:
    static bool Wanted(const std::vector<std::string>& args);
    // Runs inside a QApplication.
    static int Run(const std::vector<std::string>& args, std::FILE* in, std::FILE* err);
    static const char* Usage();
};
