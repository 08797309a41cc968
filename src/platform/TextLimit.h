// The largest expressions text the editor takes in one piece, from a file,
// standard input, the host or the clipboard. Loaded, a text takes about a
// hundred times its size in memory; anything larger is refused with a
// message instead of exhausting the machine.
#pragma once

#include <cstddef>

constexpr size_t kMaxTextBytes = size_t{16} * 1024 * 1024;
