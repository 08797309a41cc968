// Cut, Copy and Paste: a fragment travels as one row's archive image behind
// a 32-bit length; plain text is read like one line of an expressions file.
#include <memory>

#include "editor/VexlorData.h"
#include "platform/Archive.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

namespace {
CClipboard* ClipboardOf(CEqWindow* wnd) {
    return wnd ? wnd->GetClipboard() : nullptr;
}
} // namespace

bool CVexlorData::CopySelection() {
    CClipboard* clipboard = ClipboardOf(m_pWnd);
    if (!m_pCurRow || !clipboard)
        return false;
    std::unique_ptr<CEqExpr> row(m_pCurRow->CloneSelection());
    if (row->IsBlank())
        return false;
    CArchive ar;
    row->Serialize(ar);
    const std::vector<uint8_t>& image = ar.GetBuffer();
    CArchive block;
    block << static_cast<int32_t>(image.size());
    block.Write(image.data(), image.size());
    return clipboard->SetPrivate(block.GetBuffer());
}

CEqExpr* CVexlorData::ReadClipboard() {
    CClipboard* clipboard = ClipboardOf(m_pWnd);
    if (!clipboard)
        return nullptr;
    std::vector<uint8_t> block;
    if (clipboard->HasPrivate() && clipboard->GetPrivate(&block)) {
        CArchive ar(block);
        int32_t length = 0;
        ar >> length;
        if (ar.IsFailed() || length < 0 || static_cast<size_t>(length) > ar.Remaining())
            return nullptr;
        auto row = std::make_unique<CEqExpr>();
        row->SetOwner(this);
        row->Serialize(ar);
        // A damaged block is ignored: nothing is pasted.
        return ar.IsFailed() ? nullptr : row.release();
    }
    std::string text;
    if (clipboard->HasText() && clipboard->GetText(&text)) {
        CEqExpr* row = m_pCurRow;
        int anchor = m_nAnchor;
        int caret = m_nCaret;
        CEqExpr* parsed = ParseRow(text);
        SetSelection(row, anchor, caret);
        return parsed;
    }
    return nullptr;
}

bool CVexlorData::CanPaste() const {
    CClipboard* clipboard = ClipboardOf(m_pWnd);
    return clipboard && (clipboard->HasPrivate() || clipboard->HasText());
}

bool CVexlorData::Copy() {
    return CopySelection();
}

bool CVexlorData::Cut() {
    if (!CopySelection())
        return false;
    PushUndo();
    EndRun();
    if (m_pWnd && m_pWnd->HasFocus())
        m_pWnd->DestroyCaret();
    m_pCurRow->DeleteSelection();
    m_pCurRow->Compose();
    m_bChanged = true;
    UpdateCaret(true, true);
    return true;
}

bool CVexlorData::Paste() {
    std::unique_ptr<CEqExpr> row(ReadClipboard());
    if (!row || !m_pCurRow)
        return false;
    size_t undoBefore = m_history.UndoSize();
    PushUndo();
    EndRun();
    if (m_pWnd)
        m_pWnd->DestroyCaret();
    m_pCurRow->InsertRow(*row, false);
    m_pCurRow->Compose();
    m_bChanged = true;
    if (RefuseTooDeep(undoBefore)) {
        UpdateCaret(true, true);
        return false;
    }
    UpdateCaret(true, true);
    return true;
}
