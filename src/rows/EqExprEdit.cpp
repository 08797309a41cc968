// The row's editing commands: a typed character and the Insert commands.
// Each works in the row that holds the caret and ends with the row's
// Compose(), whose count it returns. A row that does not hold the caret,
// a control character or a value beyond one byte, an unknown index kind, or a
// command that would nest the tree too deep changes nothing and gives 0.
#include <algorithm>

#include "atoms/EqBrackets.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "atoms/EqFraction.h"
#include "atoms/EqIndex.h"
#include "atoms/EqPowIndex.h"
#include "atoms/EqRoot.h"
#include "elements/EqOwner.h"
#include "elements/EqSymbol.h"
#include "rows/EqExpr.h"
#include "rows/OperandScan.h"
#include "rows/RowEditor.h"

namespace {

// Rows that the commands may add around the operands they take: brackets
// that WrapIfNeeded may put round an index's base.
constexpr int kNoWrap = 0;
constexpr int kWrap = 1;

constexpr bool kSelection = false;
constexpr bool kOperands = true;

bool CanEdit(const CEqExpr& row, bool operands, int wrap) {
    return RowEditor::HoldsCaret(row) && RowEditor::HasRoomToWrap(row, operands, wrap);
}

// The caret enters the new atom at the start of its first row when that
// row is blank, otherwise it goes after the atom.
void CaretIntoOrAfter(CEqExpr& row, CEqAtom* atom, int pos, bool firstBlank) {
    if (firstBlank)
        atom->EnterFrom(VK_RIGHT);
    else
        row.m_pOwner->SetCaret(&row, pos + 1);
}

template <class Atom> int InsertAroundSelection(CEqExpr& row) {
    if (!CanEdit(row, kSelection, kNoWrap))
        return 0;
    // 1. The selection, one level of brackets taken off.
    CEqExpr* content = row.CloneSelection().release();
    content->TrimUnwrap();
    // 2.
    row.DeleteSelection();
    // 3.
    auto* atom = new Atom;
    atom->m_pOwner = row.m_pOwner;
    atom->SetRow(content);
    int pos = RowEditor::CaretPos(row);
    row.InsertAt(atom, pos);
    // 4.
    CaretIntoOrAfter(row, atom, pos, atom->m_pRow->IsBlank());
    // 5.
    return row.Compose();
}

// The derivative of the selection with respect to t.
template <class Atom> int InsertDerivative(CEqExpr& row) {
    if (!CanEdit(row, kSelection, kWrap))
        return 0;
    // 1.
    CEqExpr* function = row.CloneSelection().release();
    function->TrimUnwrap();
    function->WrapIfNeeded();
    // 2.
    row.DeleteSelection();
    // 3.
    CEqExpr* variable = OperandScan::NewRow(row);
    variable->Append(RowEditor::NewSymbol(row, 't'));
    // 4.
    auto* atom = new Atom;
    atom->m_pOwner = row.m_pOwner;
    atom->SetRows(function, variable);
    int pos = RowEditor::CaretPos(row);
    row.InsertAt(atom, pos);
    // 5.
    CaretIntoOrAfter(row, atom, pos, atom->m_pNumerator->IsBlank());
    // 6.
    return row.Compose();
}

CEqAtom* NewIndexAtom(const CEqExpr& row, int kind, CEqExpr* base, CEqExpr* index) {
    if (kind == 2) {
        auto* atom = new CEqPowIndex;
        atom->m_pOwner = row.m_pOwner;
        atom->SetRows(base, index, OperandScan::NewRow(row));
        return atom;
    }
    auto* atom = new CEqIndex;
    atom->m_pOwner = row.m_pOwner;
    atom->m_bHigh = kind;
    atom->SetRows(base, index);
    return atom;
}

// Step 7 of InsertIndex. With a base but no index the caret goes to the
// end of the (low) index; a power index with both operands waits for its
// high index.
void PlaceIndexCaret(CEqExpr& row, CEqAtom* atom, int pos, int kind, const CEqExpr& base,
                     CEqExpr& index) {
    if (base.IsBlank()) {
        atom->EnterFrom(VK_RIGHT);
    } else if (index.IsBlank() && kind == 2) {
        // From the empty high row one step left: the end of the low row.
        // Placed directly, so that a Shift held while the command runs
        // cannot turn the step into a selection of the new atom.
        row.m_pOwner->SetCaret(&index, index.GetCount() - 1);
    } else if (index.IsBlank() || kind == 2) {
        atom->EnterFrom(VK_LEFT);
    } else {
        row.m_pOwner->SetCaret(&row, pos + 1);
    }
}

} // namespace

// ch is one byte, given unsigned (0 .. 255) or as a signed char (-128 ..
// -1 for the bytes 0x80 .. 0xFF); control bytes below 32 are refused.
int CEqExpr::InsertChar(int ch) {
    if (ch < -128 || ch > 255 || (ch & 0xFF) < 32 || !RowEditor::HoldsCaret(*this))
        return 0;
    DeleteSelection();
    int pos = RowEditor::CaretPos(*this);
    InsertAt(RowEditor::NewSymbol(*this, static_cast<char>(ch & 0xFF)), pos);
    m_pOwner->SetCaret(this, pos + 1);
    return Compose();
}

int CEqExpr::InsertBrackets() {
    return InsertAroundSelection<CEqBrackets>(*this);
}

int CEqExpr::InsertRoot() {
    return InsertAroundSelection<CEqRoot>(*this);
}

int CEqExpr::InsertDerive() {
    return InsertDerivative<CEqDerive>(*this);
}

int CEqExpr::InsertDerive2() {
    return InsertDerivative<CEqDerive2>(*this);
}

int CEqExpr::InsertFraction() {
    if (!CanEdit(*this, kOperands, kNoWrap))
        return 0;
    // 1. to 4.
    CEqExpr* num = OperandScan::NewRow(*this);
    CEqExpr* den = OperandScan::NewRow(*this);
    RowEditor::TakeOperands(*this, *num, *den);
    // 5.
    num->TrimUnwrap();
    den->TrimUnwrap();
    // 6.
    auto* atom = new CEqFraction;
    atom->m_pOwner = m_pOwner;
    atom->SetRows(num, den);
    int pos = RowEditor::CaretPos(*this);
    InsertAt(atom, pos);
    // 7.
    if (num->IsBlank())
        atom->EnterFrom(VK_RIGHT);
    else if (den->IsBlank())
        atom->EnterFrom(VK_LEFT);
    else
        m_pOwner->SetCaret(this, pos + 1);
    // 8.
    return Compose();
}

int CEqExpr::InsertIndex(int kind) {
    if (kind < 0 || kind > 2 || !CanEdit(*this, kOperands, kWrap))
        return 0;
    // 1. to 4.
    CEqExpr* base = OperandScan::NewRow(*this);
    CEqExpr* index = OperandScan::NewRow(*this);
    RowEditor::TakeOperands(*this, *base, *index);
    // 5.
    base->TrimUnwrap();
    base->WrapIfNeeded();
    index->TrimUnwrap();
    // 6.
    CEqAtom* atom = NewIndexAtom(*this, kind, base, index);
    int pos = RowEditor::CaretPos(*this);
    InsertAt(atom, pos);
    // 7.
    PlaceIndexCaret(*this, atom, pos, kind, *base, *index);
    // 8.
    return Compose();
}
