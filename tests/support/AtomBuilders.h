// Builders for compound atoms in tests, and the storing and loading of rows
// the way the editor does it. Every atom is made with the editor's data as
// its owner and handed its rows as the editing code hands them over.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TreeCheck.h"
#include "atoms/EqBrackets.h"
#include "atoms/EqFraction.h"
#include "atoms/EqIndex.h"
#include "atoms/EqPowIndex.h"
#include "atoms/EqRoot.h"
#include "elements/EqSymbol.h"

using RowPtr = std::unique_ptr<CEqExpr>;

// A new atom of class T owned by t's data, given its rows with SetRow (one
// row) or SetRows (more); the caller owns the atom.
template <typename T, typename... Rows> T* NewAtom(const TestEditor& t, Rows... rows) {
    auto* atom = new T;
    atom->m_pOwner = t.data.get();
    if constexpr (sizeof...(Rows) == 1)
        atom->SetRow(rows...);
    else
        atom->SetRows(rows...);
    return atom;
}

CEqBrackets* BracketsAround(const TestEditor& t, CEqExpr* inner);
CEqRoot* RootOf(const TestEditor& t, CEqExpr* inner);
CEqFraction* FractionOf(const TestEditor& t, CEqExpr* num, CEqExpr* den);
CEqIndex* NewIndex(const TestEditor& t, CEqExpr* base, CEqExpr* index, bool high);
CEqIndex* NewIndex(const TestEditor& t, const std::string& base, const std::string& index,
                   bool high);
CEqPowIndex* NewPow(const TestEditor& t, CEqExpr* base, CEqExpr* low, CEqExpr* high);
CEqPowIndex* NewPow(const TestEditor& t, const std::string& base, const std::string& low,
                    const std::string& high);
CEqSymbol* SymbolOf(char c);

// A row holding the atom and nothing else.
CEqExpr* RowWith(const TestEditor& t, CEqAtom* atom);
// The text of an atom standing alone in a top row; the tree is checked after
// the writing trimmed it.
std::string TextOf(const TestEditor& t, CEqAtom* atom);

std::vector<uint8_t> Store(CEqExpr& row);
// Loads a row image with t's data as the owner; complete tells whether the
// image loaded without failure and to its last byte.
RowPtr Load(const TestEditor& t, const std::vector<uint8_t>& image, bool* complete);
// The loaded row, or null when the image is damaged or has bytes left over.
RowPtr LoadWhole(const TestEditor& t, const std::vector<uint8_t>& image);

// Expects every image cut short, down to nothing, to fail to load whole.
void ExpectCutImagesRejected(const TestEditor& t, const std::vector<uint8_t>& image);

// Expects the same classes, characters, kinds and geometry all the way down.
void ExpectSameAtom(const CEqAtom& a, const CEqAtom& b);
void ExpectSameRow(const CEqExpr& a, const CEqExpr& b);

bool Inside(const RECT& inner, const RECT& outer);

// The parent row [a, X, b, end] with an atom X of class T at index 1, made
// from rows of the given texts and laid out.
template <typename T> struct AtomInRow {
    template <typename... Texts>
    explicit AtomInRow(const Texts&... rows)
        : atom(NewAtom<T>(t, t.RowOf(rows)...)), row(t.RowOf("ab")) {
        row->InsertAt(atom, 1);
        t.Layout(row.get());
    }
    CVexlorData& d() { return *t.data; }
    // Presses vk in the row that holds the caret.
    bool Press(UINT vk) { return d().CurrentRow()->HandleKey(vk); }

    TestEditor t;
    T* atom;
    RowPtr row;
};
