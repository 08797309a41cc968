// A compact one-line picture of a formula tree, for tests, bug reports and
// the batch mode.
//
// A row is written as its atoms in order; the end atom, when it is last,
// is not written. A symbol is written as the byte it stands for in text
// ('*' for the multiplication sign); the bytes \ ( ) | are preceded by a
// backslash. A compound atom is written as a tag and its rows in
// parentheses, separated by "|":
//
//   B(row)             brackets            R(row)             square root
//   F(num|den)         fraction            I(base|index)      low index
//   H(base|power)      high index          P(base|low|high)   power index
//   D(func|var)        first derivative    D2(func|var)       second derivative
//   A()                any other atom      \$                 an end atom that is not last
//
// So "a+(b)/c" composed is written "a+F(b|c)", and the symbols "f(x" are
// written "f\(x". An unescaped "(" always closes a tag, and the tag is the
// one or two characters before it (D2 is the only two-character tag).
#pragma once

#include <string>

class CEqAtom;
class CEqExpr;
class CEqOwner;

class TreeDump {
  public:
    static std::string Dump(const CEqExpr& row);
    static std::string Dump(const CEqAtom& atom);

    // Where the caret of data stands, seen from top: the path of atom and
    // row indexes down to the caret's row, then the caret position. "3" is
    // position 3 of top itself; "0.1/2" is position 2 of row 1 of atom 0;
    // "0.0/1.1/0" goes one level deeper. A selection is written
    // "anchor-caret" in place of the position. "-" when the caret's row is
    // not inside top.
    static std::string CaretPath(const CEqExpr& top, const CEqOwner& data);
};
