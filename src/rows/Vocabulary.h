// The vocabulary of the modelling language: operator keywords, predefined
// names and function names, in the order the recognisers try them.
#pragma once

#include <array>
#include <string_view>

class Vocabulary {
  public:
    static constexpr int kKeywordCount = 11;
    static constexpr int kKeywordLongest = 4;
    static constexpr int kNameCount = 3;
    static constexpr int kNameLongest = 13;
    static constexpr int kFunctionCount = 58;
    static constexpr int kFunctionLongest = 14;

    static const std::array<std::string_view, kKeywordCount> kKeywords;
    static const std::array<std::string_view, kNameCount> kNames;
    static const std::array<std::string_view, kFunctionCount> kFunctions;
};
