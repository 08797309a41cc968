// Cut, Copy and Paste: a fragment travels as one row's archive image behind
// a 32-bit length, with its linear text and MathML for other programs;
// plain text is mapped into Windows-1251 and read like one line of an
// expressions file.
#include <memory>

#include "editor/VexlorData.h"
#include "platform/Archive.h"
#include "platform/EqWindow.h"
#include "platform/TextLimit.h"
#include "platform/UnicodeImport.h"
#include "rows/EqExpr.h"
#include "rows/LatexWriter.h"
#include "rows/MathMLWriter.h"

namespace {
// "Вставка отменена: текст больше 16 МБ" in Windows-1251.
const char kPasteTooLarge[] = "\xC2\xF1\xF2\xE0\xE2\xEA\xE0 \xEE\xF2\xEC\xE5\xED\xE5\xED\xE0: "
                              "\xF2\xE5\xEA\xF1\xF2 \xE1\xEE\xEB\xFC\xF8\xE5 16 \xCC\xC1";

CClipboard* ClipboardOf(CEqWindow* wnd) {
    return wnd ? wnd->GetClipboard() : nullptr;
}

// A copy of the selection in row, or null when there is no row or the
// selection holds only blanks.
std::unique_ptr<CEqExpr> SelectedPart(const CEqExpr* row) {
    std::unique_ptr<CEqExpr> part = row ? row->CloneSelection() : nullptr;
    return part && !part->IsBlank() ? std::move(part) : nullptr;
}
} // namespace

bool CVexlorData::CopySelection() {
    CClipboard* clipboard = ClipboardOf(m_pWnd);
    std::unique_ptr<CEqExpr> row = SelectedPart(m_pCurRow);
    if (!row || !clipboard)
        return false;
    CArchive ar;
    row->Serialize(ar);
    const std::vector<uint8_t>& image = ar.GetBuffer();
    CArchive block;
    block << static_cast<int32_t>(image.size());
    block.Write(image.data(), image.size());
    CClipboard::Fragment fragment;
    fragment.block = block.GetBuffer();
    fragment.text = row->PeekText();
    fragment.mathml = MathMLWriter::Write(*row);
    return clipboard->SetFragment(fragment);
}

bool CVexlorData::CopyLatex() {
    CClipboard* clipboard = ClipboardOf(m_pWnd);
    std::unique_ptr<CEqExpr> row = SelectedPart(m_pCurRow);
    if (!row || !clipboard)
        return false;
    return clipboard->SetUnicodeText(LatexWriter::Write(*row));
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
    if (clipboard->HasText() && clipboard->GetUnicodeText(&text)) {
        if (text.size() > kMaxTextBytes) {
            if (m_pWnd)
                m_pWnd->SetStatusMessage(kPasteTooLarge, true);
            return nullptr;
        }
        UnicodeImport::Result imported = UnicodeImport::FirstLine(text);
        if (std::string notice = UnicodeImport::Notice(imported); !notice.empty() && m_pWnd)
            m_pWnd->SetStatusMessage(notice, true);
        CEqExpr* row = m_pCurRow;
        int anchor = m_nAnchor;
        int caret = m_nCaret;
        CEqExpr* parsed = ParseRow(imported.text);
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
    Edited();
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
    Edited();
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
