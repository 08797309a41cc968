// The shape every formula tree keeps between editing events: each row ends
// with exactly one end atom, every atom's parent is its row, every inner
// row's owner atom is the atom holding it, one owner throughout, and the
// owner's caret and anchor lie within the current row. No symbol holds the
// host's error marker "~". Each check returns an empty string when all
// holds, otherwise where and what went wrong.
#pragma once

#include <string>

class CEqExpr;
class CEqOwner;

class TreeInvariant {
  public:
    // row and everything below it, all owned by owner.
    static std::string CheckTree(const CEqExpr& row, const CEqOwner* owner);
    // The whole tree around the owner's current row, and the caret in it.
    static std::string CheckCaret(const CEqOwner& owner);
    // The top-level row that holds row.
    static const CEqExpr& TopOf(const CEqExpr& row);

  private:
    static std::string CheckRow(const CEqExpr& row, const CEqOwner* owner, const std::string& path);
};
