// The model text of the benchmarks: lines of one expression each.
#pragma once

#include <string>

namespace BenchModel {
// lines rows of "vN = (aN + b[i]**2)/sqrt(cN) + d(x)/dt;  -- скорость N"
// (the comment in Windows-1251).
inline std::string Text(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        std::string n = std::to_string(i);
        text += "v" + n + " = (a" + n + " + b[i]**2)/sqrt(c" + n +
                ") + d(x)/dt;  -- \xF1\xEA\xEE\xF0\xEE\xF1\xF2\xFC " + n + "\n";
    }
    return text;
}
} // namespace BenchModel
