// The options the batch and export modes share: the key script to replay
// ("--keys SCRIPT") and the one file to read ("-" or none for standard
// input); anything else that starts with "-" is an unknown option.
#pragma once

#include <string>
#include <vector>

#include "app/KeyScript.h"

class InputOptions {
  public:
    // Takes args[*i], an argument the mode has no option of its own for
    // (and the script after "--keys"); false with *error when it is
    // malformed, unknown or a second file.
    bool Take(const std::vector<std::string>& args, size_t* i, std::string* error);

    // The script's keys; false with *error when it does not parse.
    bool ParseKeys(std::vector<KeyEvent>* keys, std::string* error) const;
    // The file named, or null for standard input.
    const std::string* File() const { return m_bHasFile ? &m_strFile : nullptr; }

  private:
    bool m_bHasKeys = false;
    std::string m_strKeys;
    bool m_bHasFile = false;
    std::string m_strFile;
};
