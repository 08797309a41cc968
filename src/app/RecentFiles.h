// The files opened last, newest first: at most kMax names, none twice and
// none empty. The frame keeps absolute names, so that the list means the
// same from any working folder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class RecentFiles {
  public:
    static constexpr size_t kMax = 8;

    // Takes a remembered list as it was stored: duplicates, empty names and
    // names beyond kMax are dropped.
    explicit RecentFiles(const std::vector<std::string>& names = {});

    // Puts name first; an earlier entry of the same name moves up.
    void Add(const std::string& name);
    void Remove(const std::string& name);
    const std::vector<std::string>& Names() const { return m_names; }

  private:
    std::vector<std::string> m_names;
};
