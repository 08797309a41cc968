#include "rows/Vocabulary.h"

const std::array<std::string_view, Vocabulary::kKeywordCount> Vocabulary::kKeywords = {
    "if", "then", "else", "for", "in", "|", "and", "or", "not", "div", "mod"};

const std::array<std::string_view, Vocabulary::kNameCount> Vocabulary::kNames = {
    "Time", "LocalTime", "MainWinHandle"};

const std::array<std::string_view, Vocabulary::kFunctionCount> Vocabulary::kFunctions = {
    "abs",      "sign",      "min",        "max",     "round",   "trunc",    "tostring",
    "sqrt",     "exp",       "ln",         "lg",      "deg",     "rad",      "sin",
    "cos",      "tg",        "ctg",        "arctg",   "arcsin",  "arccos",   "sh",
    "ch",       "th",        "arsh",       "arch",    "arth",    "length",   "Uniform",
    "Normal",   "Expon",     "size",       "zeros",   "ones",    "eye",      "inv",
    "scalar",   "norm1",     "normEU",     "normInf", "normspectr", "norm_m", "vnorm1",
    "vnorm2",   "vnormInf",  "row",        "column",  "submatrix", "putrow", "putcolumn",
    "vectorfromfile", "matrixfromfile", "det", "interpol", "deriv", "delay", "integral",
    "minfun",   "root"};
