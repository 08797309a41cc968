// Backspace and Delete in the row that holds the caret: the selection goes
// as one undo step; symbols are erased one at a time, successive erasures
// at the place the previous one left the caret making one undo step (an
// erasing run); a compound atom is selected before it can be deleted; and
// the key pressed in a blank row of a compound atom dissolves that atom.
#include <algorithm>

#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "atoms/EqFraction.h"
#include "atoms/EqIndex.h"
#include "atoms/EqPowIndex.h"
#include "elements/EqAtom.h"
#include "elements/EqOwner.h"
#include "elements/EqSymbol.h"
#include "rows/EqExpr.h"
#include "rows/RowEditor.h"

namespace {

// Backspace works on the atom before the caret, Delete on the atom at it.
struct Deletion {
    int offset;
    int side;
};

Deletion DeletionFor(UINT vk) {
    return vk == VK_DELETE ? Deletion{0, 1} : Deletion{-1, 0};
}

// Selects atom i of row as a whole: Backspace puts the anchor after it and
// the caret before it, Delete the other way round.
void SelectWhole(CEqOwner& data, CEqExpr* row, int i, Deletion key) {
    data.SetSelection(row, i - key.offset, i + key.side);
}

bool DeleteSelected(CEqExpr& row) {
    CEqOwner& data = *row.m_pOwner;
    data.PushUndo();
    data.EndRun();
    row.DeleteSelection();
    row.Compose();
    data.MarkChanged();
    return true;
}

bool RunContinues(const CEqOwner& data) {
    return data.ErasingGoesOn();
}

bool EraseSymbol(CEqExpr& row, int e, int offset) {
    CEqOwner& data = *row.m_pOwner;
    if (!RunContinues(data)) {
        data.PushUndo();
        data.EndRun();
        data.BeginErasing(e);
    }
    data.MoveErasing(offset);
    row.RemoveAt(e + offset, true);
    data.SetCaret(&row, e + offset);
    row.Compose();
    data.MarkChanged();
    return true;
}

// Dissolving a compound atom A whose blank row the key was pressed in.
// Every change of the parent row P destroys A and the row the key came
// from, so nothing here touches them after the change.
struct Dissolving {
    CEqOwner& data;
    CEqAtom* atom;   // A
    CEqExpr* parent; // P
    int index;       // of A in P
    Deletion key;
};

bool SelectAtom(const Dissolving& x) {
    SelectWhole(x.data, x.parent, x.index, x.key);
    return true;
}

// Selects A and takes the undo snapshot of the state before the change.
void BeginChange(const Dissolving& x) {
    SelectAtom(x);
    x.data.GetSelectionRect();
    x.data.PushUndo();
    x.data.EndRun();
}

bool EndChange(const Dissolving& x) {
    x.parent->Compose();
    x.data.MarkChanged();
    return true;
}

// A gives way to the atoms of kept, the caret after them.
bool ReplaceByRow(const Dissolving& x, const CEqExpr& kept) {
    BeginChange(x);
    x.data.SetCaret(x.parent, x.index);
    x.parent->InsertRow(kept, false);
    int at = x.parent->IndexOf(x.atom);
    x.parent->RemoveAt(at, true);
    x.data.SetCaret(x.parent, at);
    return EndChange(x);
}

// A power index gives way to an index of one kind made of its base and the
// index row that stays; the caret goes to the end of that index.
bool ReplaceByIndex(const Dissolving& x, const CEqPowIndex& pow, int high, const CEqExpr& kept) {
    BeginChange(x);
    auto* replacement = new CEqIndex;
    replacement->m_pOwner = &x.data;
    replacement->m_bHigh = high;
    replacement->SetRows(pow.m_pBase->Clone().release(), kept.Clone().release());
    x.parent->InsertAt(replacement, x.index);
    x.parent->RemoveAt(x.index + 1, true);
    replacement->EnterFrom(VK_LEFT);
    return EndChange(x);
}

// A two-row atom: the key in its blank lower row puts the upper row back in
// the atom's place; in its blank upper row it selects the atom.
bool DissolveTwoRows(const Dissolving& x, const CEqExpr* row, const CEqExpr* upper,
                     const CEqExpr* lower) {
    if (row == lower)
        return ReplaceByRow(x, *upper);
    return row == upper && SelectAtom(x);
}

// A power index loses the blank index row; in its blank base it is selected.
bool DissolvePowerIndex(const Dissolving& x, const CEqExpr* row, const CEqPowIndex& pow) {
    if (row == pow.m_pLow.get())
        return ReplaceByIndex(x, pow, 1, *pow.m_pHigh);
    if (row == pow.m_pHigh.get())
        return ReplaceByIndex(x, pow, 0, *pow.m_pLow);
    return row == pow.m_pBase.get() && SelectAtom(x);
}

bool DissolveByClass(const Dissolving& x, const CEqExpr* row) {
    const CEqAtom& a = *x.atom;
    if (a.Is<CEqFraction>()) {
        const auto& f = static_cast<const CEqFraction&>(a);
        return DissolveTwoRows(x, row, f.m_pNumerator.get(), f.m_pDenominator.get());
    }
    if (a.Is<CEqDerive>() || a.Is<CEqDerive2>()) {
        const auto& d = static_cast<const CEqDerive&>(a);
        return DissolveTwoRows(x, row, d.m_pNumerator.get(), d.m_pDenominator.get());
    }
    if (a.Is<CEqIndex>()) {
        const auto& i = static_cast<const CEqIndex&>(a);
        return DissolveTwoRows(x, row, i.m_pBase.get(), i.m_pIndex.get());
    }
    if (a.Is<CEqPowIndex>())
        return DissolvePowerIndex(x, row, static_cast<const CEqPowIndex&>(a));
    return false;
}

// Step 3: the key at the start of a blank inner row acts on the atom that
// holds the row. Uses the key that was pressed, even when Delete went on
// as Backspace because the row was blank.
bool DissolveOwnerAtom(CEqExpr& row, UINT vk) {
    CEqAtom* atom = row.m_pOwnerAtom;
    // 1.
    if (!atom || !row.IsBlank() || !atom->m_pParent)
        return false;
    int index = atom->m_pParent->IndexOf(atom);
    if (index < 0)
        return false;
    // 2.
    Dissolving x{*row.m_pOwner, atom, atom->m_pParent, index, DeletionFor(vk)};
    // 3.
    if (atom->IsBlank())
        return SelectAtom(x);
    // 4.
    return DissolveByClass(x, &row);
}

} // namespace

bool CEqExpr::HandleDeletion(UINT vk) {
    if (!RowEditor::HoldsCaret(*this))
        return false;
    CEqOwner& data = *m_pOwner;
    int n = GetCount();
    int e = RowEditor::CaretPos(*this);
    bool selection = std::clamp(data.AnchorPos(), 0, n - 1) != e;
    Deletion key = DeletionFor(vk);
    // 1. Delete at the end: only a blank inner row goes on, as Backspace.
    if (vk == VK_DELETE && !selection && e == n - 1) {
        if (!IsBlank() || !m_pOwnerAtom)
            return false;
        key = DeletionFor(VK_BACK);
    }
    // 2.
    if (selection)
        return DeleteSelected(*this);
    // 3.
    if (e + key.side == 0)
        return DissolveOwnerAtom(*this, vk);
    // 4.
    if (GetAt(e + key.offset)->Is<CEqSymbol>())
        return EraseSymbol(*this, e, key.offset);
    data.SetSelection(this, e, e + key.offset + key.side);
    return true;
}
