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

CVexlorData::~CVexlorData() {
    ClearRedo();
    ClearUndo();
    DeleteRows();
}

void CVexlorData::Assign(const CVexlorData& other) {
    if (&other == this)
        return;
    ClearRedo();
    ClearUndo();
    DeleteRows();
    CopyFrom(other);
}

void CVexlorData::CopyFrom(const CVexlorData& other) {
    m_pWnd = other.m_pWnd;
    for (const CEqExpr* row : other.m_rows) {
        CEqExpr* copy = row->Clone();
        copy->SetOwner(this);
        m_rows.push_back(copy);
    }
    m_nCurRow = other.m_nCurRow;
    m_nAnchor = other.m_nAnchor;
    m_nCaret = other.m_nCaret;
    m_rcInvalid = other.m_rcInvalid;
    m_rcCaret = other.m_rcCaret;
    m_rcSel = other.m_rcSel;
    ResolveCaret();
    m_bChanged = false;
    m_sizeTotal = other.m_sizeTotal;
    m_ptScroll = other.m_ptScroll;
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
    CEqExpr* top = m_rows[static_cast<size_t>(m_nCurRow)];
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
    ClearRedo();
    ClearUndo();
    DeleteRows();
    auto* row = new CEqExpr(this);
    row->Clear();
    m_rows.push_back(row);
    Home();
}

void CVexlorData::Home() {
    m_nCurRow = 0;
    SetCaret(m_rows.empty() ? nullptr : m_rows[0], 0);
    SetRectEmpty(m_rcCaret);
    SetRectEmpty(m_rcSel);
    EndRun();
    m_ptScroll = POINT{};
    m_history.ForgetRow();
    m_scanner.Clear();
    m_bChanged = false;
}

void CVexlorData::DeleteRows() {
    for (CEqExpr* row : m_rows)
        delete row;
    m_rows.clear();
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
    m_pCurRow = row;
    int n = row ? row->GetCount() : 0;
    bool lowered = false;
    pos = ClampPos(pos, n, &lowered);
    m_nAnchor = m_nCaret = pos;
    return lowered ? n - 1 : n;
}

int CVexlorData::SetSelection(CEqExpr* row, int from, int to) {
    m_pCurRow = row;
    int n = row ? row->GetCount() : 0;
    bool ignored = false;
    bool lowered = false;
    m_nAnchor = ClampPos(from, n, &ignored);
    m_nCaret = ClampPos(to, n, &lowered);
    return lowered ? n - 1 : n;
}

void CVexlorData::MoveCaret(int anchor, int caret) {
    m_nAnchor = anchor;
    m_nCaret = caret;
}

bool CVexlorData::ErasingGoesOn() const {
    return m_history.ErasingGoesOn(m_pCurRow, m_nCaret);
}

void CVexlorData::BeginErasing(int pos) {
    m_history.BeginErasing(pos);
}

void CVexlorData::MoveErasing(int offset) {
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
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i]->HitTest(pt)) {
            m_nCurRow = static_cast<int>(i);
            UpdateCaret(true, false);
            return;
        }
    }
}

void CVexlorData::SelectBetween(POINT* from, POINT* to) {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        POINT a = *from;
        POINT b = *to;
        if (m_rows[i]->HitTestRange(&a, &b)) {
            UpdateCaret(false, false);
            return;
        }
    }
}

void CVexlorData::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_rows.size());
        for (CEqExpr* row : m_rows)
            row->Serialize(ar);
        ar << ClampCoordinate(m_sizeTotal.cx) << ClampCoordinate(m_sizeTotal.cy)
           << ClampCoordinate(m_ptScroll.x) << ClampCoordinate(m_ptScroll.y);
        ar << static_cast<int32_t>(m_nCurRow);
        SerializeRect(ar, m_rcCaret);
        SerializeRect(ar, m_rcSel);
        ar << static_cast<int32_t>(m_nAnchor) << static_cast<int32_t>(m_nCaret);
        SerializeRect(ar, m_rcInvalid);
        return;
    }
    // Loading goes through ReadSnapshot, which checks the image first.
    Snapshot rest(ar.GetBuffer().begin() + static_cast<long>(ar.Position()), ar.GetBuffer().end());
    if (!ReadSnapshot(rest))
        ar.SetFailed();
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

UndoSnapshot CVexlorData::MakeStep(const UndoSnapshot* previous) {
    std::vector<UndoSnapshot::Bytes> rows;
    rows.reserve(m_rows.size());
    for (CEqExpr* row : m_rows) {
        OffsetTree(*row, m_ptScroll.x, m_ptScroll.y);
        CArchive ar;
        row->Serialize(ar);
        OffsetTree(*row, -m_ptScroll.x, -m_ptScroll.y);
        rows.push_back(ar.TakeBuffer());
    }
    CArchive tail;
    tail << ClampCoordinate(m_sizeTotal.cx) << ClampCoordinate(m_sizeTotal.cy)
         << ClampCoordinate(m_ptScroll.x) << ClampCoordinate(m_ptScroll.y);
    tail << static_cast<int32_t>(m_nCurRow);
    SerializeRect(tail, m_rcCaret);
    SerializeRect(tail, m_rcSel);
    tail << static_cast<int32_t>(m_nAnchor) << static_cast<int32_t>(m_nCaret);
    SerializeRect(tail, m_rcInvalid);
    return UndoSnapshot(std::move(rows), tail.TakeBuffer(), previous);
}

std::string CVexlorData::CheckInvariant() const {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        std::string why = TreeInvariant::CheckTree(*m_rows[i], this);
        if (!why.empty())
            return "row " + std::to_string(i) + ": " + why;
    }
    if (!m_pCurRow)
        return {};
    const CEqExpr& top = TreeInvariant::TopOf(*m_pCurRow);
    if (std::find(m_rows.begin(), m_rows.end(), &top) == m_rows.end())
        return "the current row is in no row of the document";
    return TreeInvariant::CheckCaret(*this);
}

int CVexlorData::Depth(const CEqExpr& row) {
    return TreeDepth::Depth(row);
}

bool CVexlorData::RefuseTooDeep(size_t undoBefore) {
    bool valid = m_nCurRow >= 0 && m_nCurRow < static_cast<int>(m_rows.size());
    return m_history.RefuseTooDeep(undoBefore,
                                   valid ? m_rows[static_cast<size_t>(m_nCurRow)] : nullptr);
}

bool CVexlorData::ReadStep(const UndoSnapshot& step) {
    // The scroll offset of the step is in its tail, right after the total size.
    CArchive tail(*step.Tail());
    int32_t cx = 0, cy = 0, x = 0, y = 0;
    tail >> cx >> cy >> x >> y;
    if (tail.IsFailed())
        return false;
    return ReadSnapshot(step.Image(), POINT{-x, -y});
}

bool CVexlorData::ReadSnapshot(const Snapshot& image, POINT shift) {
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
    SIZE total;
    POINT scroll;
    int32_t curRow = 0, anchor = 0, caret = 0;
    RECT rcCaret, rcSel, rcInvalid;
    ar >> total.cx >> total.cy >> scroll.x >> scroll.y >> curRow;
    SerializeRect(ar, rcCaret);
    SerializeRect(ar, rcSel);
    ar >> anchor >> caret;
    SerializeRect(ar, rcInvalid);
    if (ar.IsFailed() || curRow < 0 || curRow >= count)
        return false;
    total = SIZE{ClampCoordinate(total.cx), ClampCoordinate(total.cy)};
    scroll = POINT{ClampCoordinate(scroll.x), ClampCoordinate(scroll.y)};
    if (shift.x || shift.y)
        for (auto& row : rows)
            OffsetTree(*row, shift.x, shift.y);
    DeleteRows();
    for (auto& row : rows)
        m_rows.push_back(row.release());
    m_sizeTotal = total;
    m_ptScroll = scroll;
    m_nCurRow = curRow;
    m_rcCaret = rcCaret;
    m_rcSel = rcSel;
    m_nAnchor = anchor;
    m_nCaret = caret;
    m_rcInvalid = rcInvalid;
    ResolveCaret();
    return true;
}

void CVexlorData::PushUndo() {
    m_history.Push(m_pCurRow);
}

bool CVexlorData::Undo() {
    return Invalidated(m_history.Undo());
}

bool CVexlorData::Redo() {
    return Invalidated(m_history.Redo());
}

bool CVexlorData::Invalidated(bool stepped) {
    if (stepped && m_pWnd)
        m_pWnd->Invalidate(true);
    return stepped;
}
