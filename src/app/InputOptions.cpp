#include "app/InputOptions.h"

bool InputOptions::Take(const std::vector<std::string>& args, size_t* i, std::string* error) {
    const std::string& a = args[*i];
    if (a == "--keys") {
        if (m_bHasKeys || *i + 1 >= args.size()) {
            *error = "--keys takes one script";
            return false;
        }
        m_bHasKeys = true;
        m_strKeys = args[++*i];
        return true;
    }
    if (a.size() > 1 && a[0] == '-' && a != "-") {
        *error = "unknown option " + a;
        return false;
    }
    if (m_bHasFile) {
        *error = "only one file";
        return false;
    }
    m_bHasFile = true;
    m_strFile = a;
    return true;
}

bool InputOptions::ParseKeys(std::vector<KeyEvent>* keys, std::string* error) const {
    return !m_bHasKeys || KeyScript::Parse(m_strKeys, keys, error);
}
