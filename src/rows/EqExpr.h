// The expression row: atoms laid out left to right on a common axis, always
// ending with exactly one end atom. Caret positions 0 .. n-1 lie before the
// atom of that index; the caret and selection live in the owner.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "elements/EqAtom.h"
#include "elements/EqObject.h"
#include "elements/EqSymbol.h"
#include "platform/Charset.h"
#include "platform/Keys.h"

class CEqEmpty;

class CEqExpr : public CEqObject {
    VEXLOR_DECLARE_DYNCREATE(CEqExpr)

  public:
    // A row with no atoms at all (before loading); editing code sets the
    // owner and calls Clear() to give it its end atom.
    CEqExpr() = default;
    explicit CEqExpr(CEqOwner* owner) { m_pOwner = owner; }
    ~CEqExpr() override;
    CEqExpr(const CEqExpr&) = delete;
    CEqExpr& operator=(const CEqExpr&) = delete;

    void Serialize(CArchive& ar) override;
    void SetOwner(CEqOwner* owner) override;
    void ClampPoint(POINT* pt) override;
    // What ClampPoint does to pt for a row whose box is box.
    static void ClampPointTo(const RECT& box, POINT* pt);
    // Rewrites runs of symbols into compound atoms; returns the structures formed.
    int Compose() override;
    virtual std::unique_ptr<CEqExpr> Clone() const;

    // Structure.
    int GetCount() const { return static_cast<int>(m_atoms.size()); }
    CEqAtom* GetAt(int i) const {
        return i >= 0 && i < GetCount() ? m_atoms[static_cast<size_t>(i)].get() : nullptr;
    }
    CEqAtom* GetEnd() const { return m_atoms.empty() ? nullptr : m_atoms.back().get(); }
    void InsertAt(CEqAtom* atom, int pos);
    void InsertAt(std::unique_ptr<CEqAtom> atom, int pos) { InsertAt(atom.release(), pos); }
    void RemoveAt(int pos, bool erase);
    // Removes the atoms [from, to) (never the end atom) in one step; empty
    // slots left by TakeAt are dropped without erasing anything.
    void RemoveRange(int from, int to, bool erase);
    // Moves the atom at pos (never the end atom) out of the row, leaving an
    // empty slot for RemoveRange; erases its box when erase is set.
    std::unique_ptr<CEqAtom> TakeAt(int pos, bool erase);
    // TakeAt for each atom of [from, to) in turn (clamped to the atoms
    // before the end atom), appending them to out.
    void TakeRange(int from, int to, bool erase, std::vector<std::unique_ptr<CEqAtom>>* out);
    // InsertAt and Append for an atom moved from another row of the same
    // tree: its owner is given only when it differs from the row's (a tree
    // has one owner throughout, see TreeInvariant).
    void InsertMoved(std::unique_ptr<CEqAtom> atom, int pos);
    void AppendMoved(std::unique_ptr<CEqAtom> atom) {
        InsertMoved(std::move(atom), GetCount() - 1);
    }
    // RemoveRange(from, to, true) then InsertMoved(atom, from), in one step.
    void ReplaceRange(int from, int to, std::unique_ptr<CEqAtom> atom);
    // Appends atoms moved from another row in one step (empty ones skipped).
    void AppendMoved(std::vector<std::unique_ptr<CEqAtom>> atoms);
    // SetAside moves the atoms from pos up to the end atom onto aside, the
    // last one on top; PutBack returns the top one to the row, before its
    // end atom. Neither changes an atom or the end atom: a pass may work on
    // the front of a long row while the rest waits.
    void SetAside(int pos, std::vector<std::unique_ptr<CEqAtom>>* aside);
    void PutBack(std::vector<std::unique_ptr<CEqAtom>>* aside);
    void DeleteAtoms();
    void Clear();
    // Clear() and then AppendMoved(atoms), in one step: the atoms' array,
    // with room for one more, becomes the row's.
    void ClearWith(std::vector<std::unique_ptr<CEqAtom>> atoms);
    int IndexOf(const CEqAtom* atom) const;
    bool DeleteSelection();
    // Appends an atom before the end atom.
    void Append(CEqAtom* atom) { InsertAt(atom, GetCount() - 1); }
    void Append(std::unique_ptr<CEqAtom> atom) { InsertAt(std::move(atom), GetCount() - 1); }

    // Copies.
    std::unique_ptr<CEqExpr> CloneSelection() const;
    std::unique_ptr<CEqExpr> SplitAtCaret();
    void InsertRow(const CEqExpr& other, bool atEnd);

    // Normalising helpers.
    bool IsBlank() const;
    bool IsSimple() const;
    void Trim();
    void TrimUnwrap();
    void WrapIfNeeded();

    // Geometry, drawing and hit testing.
    void CalcSize();
    void Redraw(int x, int y, int hAlign, int vAlign);
    void Draw();
    void GetCaretRect(RECT* r) const;
    void GetSelectionRect(RECT* r) const;
    int CaretPosAt(const POINT* pt, int index) const;
    bool HitTest(POINT* pt);
    bool HitTestRange(POINT* from, POINT* to);

    // Caret movement, Shift selection and deletion in the row that holds
    // the caret; keys it cannot use go to the owner atom. True when handled.
    bool HandleKey(UINT vk);

    // Editing commands on the row that holds the caret. Each replaces the
    // selection or takes the operands around the caret, places the caret
    // and returns the count of the row's final Compose().
    int InsertChar(int ch);
    int InsertBrackets();
    int InsertRoot();
    int InsertDerive();
    int InsertDerive2();
    int InsertFraction();
    // kind 0: low index, 1: high index, 2: both indexes.
    int InsertIndex(int kind);

    // Vocabulary recognisers: length in atoms of the word found, or 0.
    int MatchKeyword(int pos, bool backward) const;
    int MatchName(int pos) const;
    int MatchFunction(int pos) const;

    // Linear text of the whole row or of the owner's selection in it.
    std::string ToText(bool selectionOnly);
    // The row's text without changing anything (written from a copy).
    std::string PeekText() const;

    // Character classes of the atom at i: a space symbol, or a symbol whose
    // byte is an identifier character. Anything else (compound atoms, the
    // end atom, positions outside the row) is neither.
    bool IsSpaceAt(int i) const { return SymbolAt(i) == ' '; }
    bool IsIdentAt(int i) const {
        int byte = SymbolAt(i);
        return byte >= 0 && Charset::IsIdentChar(static_cast<uint8_t>(byte));
    }
    // The symbol byte at i ('*' for the middle dot), or -1 when the atom at
    // i is not a symbol.
    int SymbolAt(int i) const {
        const CEqAtom* atom = GetAt(i);
        return atom && atom->IsSymbol() ? static_cast<const CEqSymbol*>(atom)->TextByte() : -1;
    }

    std::vector<std::unique_ptr<CEqAtom>> m_atoms;
    CEqAtom* m_pOwnerAtom = nullptr;
    // For the document's layout of its top rows: false until the row has
    // been measured, and again whenever the document learns it changed.
    bool m_bMeasured = false;

  private:
    void Adopt(const std::vector<std::unique_ptr<CEqAtom>>& atoms);
    // A new row holding this row's atoms (the end atom copied), this row
    // left with its end atom alone.
    CEqExpr* MoveIntoNewRow();
    // A row whose atoms fill less than two thirds of its slots (an operand
    // moved into a new atom) lets the spare slots go; a row shrinking atom
    // by atom does so at geometric steps, so the copies stay linear.
    void ReleaseSpareCapacity();
    // The end atom as such, or null.
    CEqEmpty* EndAtom() const;
    bool ShiftHeld() const;
    bool LeaveToOwnerAtom(UINT vk);
    bool HandleDeletion(UINT vk);
    // Selection bounds from the owner, clamped into the row.
    void SelectionBounds(int* lo, int* hi) const;
    // The joined text of atoms [from, to), clamped into [0, count-1).
    std::string WindowText(int from, int to) const;
    void FillBackground(const RECT& r) const;
};
