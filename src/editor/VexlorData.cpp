#include "editor/VexlorData.h"

#include <algorithm>
#include <memory>

#include "elements/EqAtom.h"
#include "elements/EqSymbol.h"
#include "platform/Archive.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"
#include "rows/TreeDepth.h"
#include "rows/TreeInvariant.h"

VEXLOR_IMPLEMENT_DYNCREATE(CVexlorData)

namespace {
// Clamps pos into 0 .. n-1; reports whether it had to be lowered.
int ClampPos(int pos, int n, bool* lowered) {
    *lowered = pos >= n;
    if (pos >= n)
        pos = n - 1;
    if (pos < 0)
        pos = 0;
    return pos;
}

void SerializeRect(CArchive& ar, RECT& r) {
    // Bounded both ways, as every element's geometry.
    for (int32_t* side : {&r.left, &r.top, &r.right, &r.bottom}) {
        if (ar.IsStoring()) {
            ar << ClampCoordinate(*side);
        } else {
            ar >> *side;
            *side = ClampCoordinate(*side);
        }
    }
}

bool IsZero(const RECT& r) {
    return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
}
} // namespace

CVexlorData::CVexlorData(const CVexlorData& other) : CObject() {
    CopyFrom(other);
    EndRun();
}

CVexlorData::CVexlorData() = default;

CVexlorData::~CVexlorData() {
    ClearRedo();
    ClearUndo();
    DeleteRows();
}

void CVexlorData::Assign(const CVexlorData& other) {
    Edited();
    if (&other == this)
        return;
    ClearRedo();
    ClearUndo();
    DeleteRows();
    CopyFrom(other);
}

void CVexlorData::CopyFrom(const CVexlorData& other) {
    other.PlaceAll();
    m_pWnd = other.m_pWnd;
    for (const RowSlot& slot : other.m_rows) {
        if (slot.latent) {
            m_rows.emplace_back(std::make_unique<LatentRow>(*slot.latent));
            continue;
        }
        std::unique_ptr<CEqExpr> copy = slot.tree->Clone();
        copy->SetOwner(this);
        m_rows.emplace_back(std::move(copy));
    }
    SetState(other.CurrentState());
    m_bChanged = false;
}

CVexlorData::State CVexlorData::CurrentState() const {
    return State{m_sizeTotal, m_ptScroll, m_nCurRow, m_rcCaret,
                 m_rcSel,     m_nAnchor,  m_nCaret,  m_rcInvalid};
}

// Finds the row that held the caret by hit-testing the remembered caret
// rectangle, then puts the remembered positions back, clamped into that row.
void CVexlorData::ResolveCaret() {
    if (m_rows.empty()) {
        m_pCurRow = nullptr;
        m_nAnchor = m_nCaret = 0;
        return;
    }
    m_nCurRow = std::clamp(m_nCurRow, 0, static_cast<int>(m_rows.size()) - 1);
    CEqExpr* top = RowAt(m_nCurRow);
    if (IsZero(m_rcCaret)) {
        SetCaret(top, 0);
        return;
    }
    int anchor = m_nAnchor;
    int caret = m_nCaret;
    m_pCurRow = nullptr;
    POINT pt{m_rcCaret.left, m_rcCaret.top};
    if (top->HitTest(&pt) && m_pCurRow) {
        SetSelection(m_pCurRow, anchor, caret);
        return;
    }
    SetRectEmpty(m_rcCaret);
    SetCaret(top, 0);
}

void CVexlorData::Reset() {
    Edited();
    ClearRedo();
    ClearUndo();
    DeleteRows();
    auto row = std::make_unique<CEqExpr>(this);
    row->Clear();
    m_rows.emplace_back(std::move(row));
    Home();
}

void CVexlorData::Home() {
    Edited();
    m_nCurRow = 0;
    SetCaret(m_rows.empty() ? nullptr : RowAt(0), 0);
    SetRectEmpty(m_rcCaret);
    SetRectEmpty(m_rcSel);
    EndRun();
    m_ptScroll = POINT{};
    m_history.ForgetRow();
    m_scanner.Clear();
    m_bChanged = false;
}

void CVexlorData::AppendRow(std::unique_ptr<CEqExpr> row) {
    if (!row)
        return;
    row->SetOwner(this);
    m_rows.emplace_back(std::move(row));
    RowsMovedFrom(static_cast<int>(m_rows.size()) - 1);
}

void CVexlorData::SetCurRowIndex(int i) {
    if (m_rows.empty())
        return;
    m_nCurRow = std::clamp(i, 0, static_cast<int>(m_rows.size()) - 1);
    SetCaret(RowAt(m_nCurRow), 0);
}

void CVexlorData::DeleteRows() {
    Edited();
    m_rows.clear();
    RowsMovedFrom(0);
    m_pCurRow = nullptr;
    m_history.ForgetRow();
}

void CVexlorData::ClearUndo() {
    m_history.Clear();
}

void CVexlorData::ClearRedo() {
    m_history.ClearRedo();
}

int CVexlorData::SetCaret(CEqExpr* row, int pos) {
    Edited();
    m_pCurRow = row;
    int n = row ? row->GetCount() : 0;
    bool lowered = false;
    pos = ClampPos(pos, n, &lowered);
    m_nAnchor = m_nCaret = pos;
    return lowered ? n - 1 : n;
}

int CVexlorData::SetSelection(CEqExpr* row, int from, int to) {
    Edited();
    m_pCurRow = row;
    int n = row ? row->GetCount() : 0;
    bool ignored = false;
    bool lowered = false;
    m_nAnchor = ClampPos(from, n, &ignored);
    m_nCaret = ClampPos(to, n, &lowered);
    return lowered ? n - 1 : n;
}

void CVexlorData::MoveCaret(int anchor, int caret) {
    Edited();
    m_nAnchor = anchor;
    m_nCaret = caret;
}

bool CVexlorData::ErasingGoesOn() const {
    return m_history.ErasingGoesOn(m_pCurRow, m_nCaret);
}

void CVexlorData::BeginErasing(int pos) {
    Edited();
    m_history.BeginErasing(pos);
}

void CVexlorData::MoveErasing(int offset) {
    Edited();
    m_history.MoveRun(offset);
}

RECT CVexlorData::GetCaretRect() {
    RECT r{};
    if (m_pCurRow)
        m_pCurRow->GetCaretRect(&r);
    m_rcCaret = r;
    return r;
}

RECT CVexlorData::GetSelectionRect() {
    RECT r{};
    if (m_pCurRow)
        m_pCurRow->GetSelectionRect(&r);
    m_rcSel = r;
    return r;
}

void CVexlorData::CaretFromPoint(POINT* pt) {
    Edited();
    PlaceAll();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (MayHit(i, pt) && RowAt(static_cast<int>(i))->HitTest(pt)) {
            m_nCurRow = static_cast<int>(i);
            UpdateCaret(true, false);
            return;
        }
    }
}

void CVexlorData::SelectBetween(POINT* from, POINT* to) {
    Edited();
    PlaceAll();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        POINT a = *from;
        POINT b = *to;
        if (MayHit(i, &a) && MayHit(i, &b) && RowAt(static_cast<int>(i))->HitTestRange(&a, &b)) {
            UpdateCaret(false, false);
            return;
        }
    }
}

void CVexlorData::Serialize(CArchive& ar) {
    Edited();
    if (ar.IsStoring()) {
        PlaceAll();
        ar << static_cast<int32_t>(m_rows.size());
        for (const RowSlot& slot : m_rows)
            (slot.latent ? *BuildLatent(*slot.latent) : *slot.tree).Serialize(ar);
        WriteState(ar);
        return;
    }
    // Loading goes through ReadSnapshot, which checks the image first.
    Snapshot rest(ar.GetBuffer().begin() + static_cast<long>(ar.Position()), ar.GetBuffer().end());
    if (!ReadSnapshot(rest))
        ar.SetFailed();
}

void CVexlorData::WriteState(CArchive& ar) const {
    RECT caretRect = m_rcCaret, selRect = m_rcSel, invalid = m_rcInvalid;
    ar << ClampCoordinate(m_sizeTotal.cx) << ClampCoordinate(m_sizeTotal.cy)
       << ClampCoordinate(m_ptScroll.x) << ClampCoordinate(m_ptScroll.y);
    ar << static_cast<int32_t>(m_nCurRow);
    SerializeRect(ar, caretRect);
    SerializeRect(ar, selRect);
    ar << static_cast<int32_t>(m_nAnchor) << static_cast<int32_t>(m_nCaret);
    SerializeRect(ar, invalid);
}

void CVexlorData::ReadState(CArchive& ar, State* state) {
    ar >> state->total.cx >> state->total.cy >> state->scroll.x >> state->scroll.y >> state->curRow;
    SerializeRect(ar, state->caretRect);
    SerializeRect(ar, state->selRect);
    ar >> state->anchor >> state->caret;
    SerializeRect(ar, state->invalid);
    // Geometry from an image is bounded like every stored coordinate.
    state->total = SIZE{ClampCoordinate(state->total.cx), ClampCoordinate(state->total.cy)};
    state->scroll = POINT{ClampScroll(state->scroll.x), ClampScroll(state->scroll.y)};
}

void CVexlorData::SetState(const State& state) {
    Edited();
    m_sizeTotal = state.total;
    m_ptScroll = state.scroll;
    m_nCurRow = state.curRow;
    m_rcCaret = state.caretRect;
    m_rcSel = state.selRect;
    m_nAnchor = state.anchor;
    m_nCaret = state.caret;
    m_rcInvalid = state.invalid;
    ResolveCaret();
}

CVexlorData::Snapshot CVexlorData::WriteSnapshot() {
    CArchive ar;
    Serialize(ar);
    return ar.TakeBuffer();
}

void CVexlorData::OffsetTree(CEqExpr& row, int dx, int dy) {
    OffsetRect(row.m_rect, dx, dy);
    for (int i = 0; i < row.GetCount(); ++i) {
        CEqAtom* atom = row.GetAt(i);
        OffsetRect(atom->m_rect, dx, dy);
        for (CEqExpr* inner : atom->Rows())
            OffsetTree(*inner, dx, dy);
    }
}

UndoStep::Bytes CVexlorData::RowImage(size_t i) {
    PlaceRow(static_cast<int>(i));
    CEqExpr& row = *RowAt(static_cast<int>(i));
    OffsetTree(row, m_ptScroll.x, m_ptScroll.y);
    CArchive ar;
    row.Serialize(ar);
    OffsetTree(row, -m_ptScroll.x, -m_ptScroll.y);
    return ar.TakeBuffer();
}

UndoStep CVexlorData::StepOf(int from, int count) {
    std::vector<UndoStep::Bytes> rows;
    for (int i = from; i < from + count; ++i)
        rows.push_back(RowImage(static_cast<size_t>(i)));
    UndoStep::Bytes caretRow;
    bool caretInside = m_nCurRow >= from && m_nCurRow < from + count;
    if (!caretInside && m_nCurRow >= 0 && m_nCurRow < static_cast<int>(m_rows.size()))
        caretRow = RowImage(static_cast<size_t>(m_nCurRow));
    CArchive tail;
    WriteState(tail);
    POINT last{};
    if (!m_rows.empty()) {
        const RECT& box = RowBox(static_cast<int>(m_rows.size()) - 1);
        last = POINT{box.left, box.top};
    }
    return UndoStep(from, std::move(rows), static_cast<int>(m_rows.size()), std::move(caretRow),
                    tail.TakeBuffer(), last.x + m_ptScroll.x, last.y + m_ptScroll.y);
}

UndoStep CVexlorData::MakeStep() {
    int n = static_cast<int>(m_rows.size());
    int from = m_nStepFrom < 0 ? m_nCurRow : m_nStepFrom;
    int count = m_nStepFrom < 0 ? 1 : m_nStepCount;
    m_nStepFrom = -1;
    from = std::clamp(from, 0, n);
    count = std::clamp(count, 0, n - from);
    if (m_bWholeModel) {
        from = 0;
        count = n;
    }
    return StepOf(from, count);
}

void CVexlorData::PushUndoFor(int from, int count) {
    m_nStepFrom = from;
    m_nStepCount = count;
    m_history.Push(m_pCurRow);
}

std::unique_ptr<CEqExpr> CVexlorData::ReadRow(const UndoStep::Bytes& image, POINT shift) {
    CArchive ar(image);
    auto row = std::make_unique<CEqExpr>();
    row->SetOwner(this);
    row->Serialize(ar);
    if (ar.IsFailed())
        return nullptr;
    if (shift.x || shift.y)
        OffsetTree(*row, shift.x, shift.y);
    return row;
}

void CVexlorData::MoveLastRowBack(int from, int count, const UndoStep& step, POINT scroll) {
    int n = static_cast<int>(m_rows.size());
    if (n == 0 || from + count >= n)
        return;
    const RECT& last = RowBox(n - 1);
    OffsetRow(n - 1, step.LastLeft() - scroll.x - last.left, step.LastTop() - scroll.y - last.top);
}

void CVexlorData::ReplaceRows(int from, int count, std::vector<std::unique_ptr<CEqExpr>> rows) {
    Edited();
    auto first = m_rows.begin() + from;
    m_rows.erase(first, first + count);
    // As many rows as before change in place; otherwise the rows below move.
    if (static_cast<int>(rows.size()) == count) {
        for (int i = from; i < from + count; ++i)
            RowReplaced(i);
    } else {
        RowsErased(from, count);
        RowsInserted(from, static_cast<int>(rows.size()));
    }
    auto at = m_rows.begin() + from;
    for (auto& row : rows)
        at = m_rows.emplace(at, std::move(row)) + 1;
}

std::string CVexlorData::CheckInvariant() const {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        // A latent row holds no tree yet; its tree is checked once built.
        if (m_rows[i].latent)
            continue;
        std::string why = TreeInvariant::CheckTree(*m_rows[i].tree, this);
        if (!why.empty())
            return "row " + std::to_string(i) + ": " + why;
    }
    if (!m_pCurRow)
        return {};
    const CEqExpr& top = TreeInvariant::TopOf(*m_pCurRow);
    if (std::none_of(m_rows.begin(), m_rows.end(),
                     [&top](const RowSlot& slot) { return slot.tree.get() == &top; }))
        return "the current row is in no row of the document";
    return TreeInvariant::CheckCaret(*this);
}

int CVexlorData::Depth(const CEqExpr& row) {
    return TreeDepth::Depth(row);
}

bool CVexlorData::RefuseTooDeep(size_t undoBefore) {
    bool valid = m_nCurRow >= 0 && m_nCurRow < static_cast<int>(m_rows.size());
    return m_history.RefuseTooDeep(undoBefore, valid ? RowAt(m_nCurRow) : nullptr);
}

// Applies a step in numbered stages; nothing changes until every image of
// the step has been read.
bool CVexlorData::ApplyStep(const UndoStep& step, UndoStep* inverse) {
    Edited();
    // 1. The editor state of the step.
    CArchive tail(step.Tail());
    State state;
    ReadState(tail, &state);
    int curRow = state.curRow;
    POINT scroll = state.scroll;
    // 2. The rows it replaces must exist.
    int n = static_cast<int>(m_rows.size());
    int from = step.From();
    int replaced = step.ReplacedCount(n);
    int added = static_cast<int>(step.Rows().size());
    if (tail.IsFailed() || from < 0 || replaced < 0 || from + replaced > n || step.RowCount() < 1 ||
        curRow < 0 || curRow >= step.RowCount())
        return false;
    bool caretInside = curRow >= from && curRow < from + added;
    if (!caretInside && step.CaretRow().empty())
        return false;
    // 3. Its rows, moved by its scroll offset.
    POINT shift{-scroll.x, -scroll.y};
    std::vector<std::unique_ptr<CEqExpr>> rows;
    for (const UndoStep::Bytes& image : step.Rows()) {
        rows.push_back(ReadRow(image, shift));
        if (!rows.back())
            return false;
    }
    std::unique_ptr<CEqExpr> caretRow;
    if (!caretInside && !(caretRow = ReadRow(step.CaretRow(), shift)))
        return false;
    // 4. The way back, before anything changes.
    if (inverse)
        *inverse = StepOf(from, replaced);
    // 5. The rows.
    MoveLastRowBack(from, replaced, step, scroll);
    m_pCurRow = nullptr;
    m_history.ForgetRow();
    ReplaceRows(from, replaced, std::move(rows));
    if (caretRow) {
        std::vector<std::unique_ptr<CEqExpr>> one;
        one.push_back(std::move(caretRow));
        ReplaceRows(curRow, 1, std::move(one));
    }
    // 6. The editor state, the caret found in its row.
    SetState(state);
    return true;
}

bool CVexlorData::ReadSnapshot(const Snapshot& image, POINT shift) {
    Edited();
    CArchive ar(image);
    int32_t count = 0;
    ar >> count;
    if (ar.IsFailed() || count < 1 || static_cast<size_t>(count) > ar.Remaining() / 36)
        return false;
    std::vector<std::unique_ptr<CEqExpr>> rows;
    for (int32_t i = 0; i < count && !ar.IsFailed(); ++i) {
        auto row = std::make_unique<CEqExpr>();
        row->SetOwner(this);
        row->Serialize(ar);
        rows.push_back(std::move(row));
    }
    State state;
    ReadState(ar, &state);
    if (ar.IsFailed() || state.curRow < 0 || state.curRow >= count)
        return false;
    if (shift.x || shift.y)
        for (auto& row : rows)
            OffsetTree(*row, shift.x, shift.y);
    DeleteRows();
    for (auto& row : rows)
        m_rows.emplace_back(std::move(row));
    SetState(state);
    return true;
}

void CVexlorData::PushUndo() {
    Edited();
    PushUndoFor(m_nCurRow, 1);
}

bool CVexlorData::Undo() {
    Edited();
    return Invalidated(m_history.Undo());
}

bool CVexlorData::Redo() {
    Edited();
    return Invalidated(m_history.Redo());
}

bool CVexlorData::Invalidated(bool stepped) {
    if (stepped && m_pWnd)
        m_pWnd->Invalidate(true);
    return stepped;
}
