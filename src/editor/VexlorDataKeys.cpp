// Keys that work across rows, typed characters with typing runs, and the
// insert commands with their undo step.
#include <algorithm>

#include "editor/EditCommands.h"
#include "editor/EditingKeys.h"
#include "editor/VexlorData.h"
#include "elements/EqSymbol.h"
#include "platform/Charset.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"
#include "rows/RowEditor.h"

namespace {
bool Held(CEqWindow* wnd, unsigned vk) {
    return wnd && wnd->IsKeyDown(vk);
}
} // namespace

bool CVexlorData::IsAtTopLevel() const {
    return m_nCurRow >= 0 && m_nCurRow < static_cast<int>(m_rows.size()) &&
           m_pCurRow == RowAt(m_nCurRow);
}

void CVexlorData::OnKeyDown(UINT vk) {
    Edited();
    if (!m_pCurRow)
        return;
    if (Held(m_pWnd, VK_SHIFT)) {
        if (vk == VK_INSERT) {
            Paste();
            return;
        }
        if (vk == VK_DELETE) {
            Cut();
            return;
        }
    }
    if (Held(m_pWnd, VK_CONTROL)) {
        if (vk == VK_INSERT) {
            Copy();
            return;
        }
        if (const EditCommands::Command* command = EditCommands::EditorKey(vk)) {
            command->Run(*this);
            return;
        }
    }
    if (EditingKeys::IsRowKey(vk)) {
        HandleRowKey(vk);
        return;
    }
    switch (vk) {
    case VK_RETURN:
        if (IsAtTopLevel())
            SplitLine();
        return;
    case VK_PRIOR:
        PageUp();
        return;
    case VK_NEXT:
        PageDown();
        return;
    default:
        return;
    }
}

// Offers a key to the current row; what the row cannot use moves between
// lines or joins them.
bool CVexlorData::HandleRowKey(UINT vk) {
    if (m_pCurRow->HandleKey(vk)) {
        UpdateCaret(true, true);
        return true;
    }
    bool top = IsAtTopLevel();
    bool atStart = m_nCaret == 0;
    bool atEnd = m_nCaret == m_pCurRow->GetCount() - 1;
    bool first = m_nCurRow == 0;
    bool last = m_nCurRow == static_cast<int>(m_rows.size()) - 1;
    if (vk == VK_BACK && top && atStart && !first) {
        JoinRows(m_nCurRow);
    } else if (vk == VK_DELETE && top && atEnd && !last) {
        JoinRows(m_nCurRow + 1);
    } else if (vk == VK_LEFT && top && atStart && !first) {
        --m_nCurRow;
        CEqExpr* row = RowAt(m_nCurRow);
        SetCaret(row, row->GetCount() - 1);
        UpdateCaret(true, true);
    } else if (vk == VK_RIGHT && top && atEnd && !last) {
        ++m_nCurRow;
        SetCaret(RowAt(m_nCurRow), 0);
        UpdateCaret(true, true);
    } else if (vk == VK_UP) {
        OnKeyDown(VK_PRIOR);
    } else if (vk == VK_DOWN) {
        OnKeyDown(VK_NEXT);
    }
    return false;
}

// Appends row k to row k-1, the caret at the seam.
void CVexlorData::JoinRows(int k) {
    bool backspace = k == m_nCurRow;
    PushUndoFor(k - 1, 2);
    EndRun();
    CEqExpr* lower = RowAt(k);
    CEqExpr* upper = RowAt(k - 1);
    RowChanged(k - 1);
    lower->Redraw(0, 0, 0, 0);
    upper->InsertRow(*lower, true);
    upper->Compose();
    m_history.ForgetRow(lower);
    m_rows.erase(m_rows.begin() + k);
    RowsErased(k, 1);
    if (backspace)
        --m_nCurRow;
    m_bChanged = true;
    UpdateCaret(true, true);
}

void CVexlorData::SplitLine() {
    PushUndo();
    EndRun();
    CEqExpr* row = m_pCurRow;
    RowChanged(m_nCurRow);
    row->DeleteSelection();
    std::unique_ptr<CEqExpr> owned = row->SplitAtCaret();
    CEqExpr* tail = owned.get();
    m_rows.emplace(m_rows.begin() + m_nCurRow + 1, std::move(owned));
    RowsInserted(m_nCurRow + 1, 1);
    row->Compose();
    ++m_nCurRow;
    SetCaret(tail, 0);
    tail->Compose();
    m_bChanged = true;
    UpdateCaret(true, true);
}

void CVexlorData::PageUp() {
    if (m_nCurRow > 0) {
        --m_nCurRow;
        SetCaret(RowAt(m_nCurRow), 0);
    } else {
        m_ptScroll.y = 0;
    }
    UpdateCaret(true, true);
}

void CVexlorData::PageDown() {
    if (m_nCurRow >= static_cast<int>(m_rows.size()) - 1) {
        int h = m_pWnd ? RectHeight(m_pWnd->m_rcClient) : 0;
        if (m_sizeTotal.cy > h) {
            m_ptScroll.y = m_sizeTotal.cy - h + 1;
            UpdateCaret(true, true);
        }
        return;
    }
    ++m_nCurRow;
    SetCaret(RowAt(m_nCurRow), 0);
    UpdateCaret(true, true);
}

void CVexlorData::OnChar(UINT ch) {
    Edited();
    // Control characters and the host's error marker are not typed.
    if (ch < 32 || ch > 255 || ch == static_cast<uint8_t>(CEqSymbol::kHostMarker) || !m_pCurRow)
        return;
    bool ident = Charset::IsIdentChar(static_cast<uint8_t>(ch));
    bool continues = ident && m_history.TypingGoesOn(m_pCurRow, m_nCaret);
    if (!continues) {
        PushUndo();
        EndRun();
        m_history.BeginTyping(m_nCaret);
    }
    m_history.MoveRun(1);
    size_t undoBefore = continues ? m_history.UndoSize() : m_history.UndoSize() - 1;
    m_pCurRow->InsertChar(static_cast<int>(static_cast<signed char>(ch)));
    m_bChanged = true;
    RefuseTooDeep(undoBefore);
    UpdateCaret(true, true);
}

void CVexlorData::RunInsert(const EditCommands::Insertion& insertion) {
    Edited();
    // A command that would nest what it wraps deeper than an image can hold
    // is refused before it takes an undo step.
    if (!m_pCurRow || !RowEditor::HasRoomToWrap(*m_pCurRow, insertion.operands, insertion.wrap))
        return;
    size_t undoBefore = m_history.UndoSize();
    PushUndo();
    EndRun();
    insertion.build(*m_pCurRow);
    m_bChanged = true;
    RefuseTooDeep(undoBefore);
    UpdateCaret(true, true);
}
