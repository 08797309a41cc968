#include "app/RecentFiles.h"

#include <algorithm>

RecentFiles::RecentFiles(const std::vector<std::string>& names) {
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        Add(*it);
}

void RecentFiles::Add(const std::string& name) {
    if (name.empty())
        return;
    Remove(name);
    m_names.insert(m_names.begin(), name);
    if (m_names.size() > kMax)
        m_names.resize(kMax);
}

void RecentFiles::Remove(const std::string& name) {
    m_names.erase(std::remove(m_names.begin(), m_names.end(), name), m_names.end());
}
