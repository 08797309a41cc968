// The editor data: the list of expressions (one top-level row per line),
// caret and selection, layout and scrolling, text in and out, undo and redo,
// the keys that work across rows, and the clipboard commands. Every element
// reaches its window through it.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditCommands.h"
#include "editor/QuietOwner.h"
#include "editor/RowExtents.h"
#include "editor/RowList.h"
#include "editor/UndoHistory.h"
#include "editor/UndoStep.h"
#include "elements/EqOwner.h"
#include "platform/Geometry.h"
#include "platform/Keys.h"
#include "platform/Object.h"
#include "rows/TextScanner.h"

class CArchive;
class CEqExpr;
class CEqWindow;

class CVexlorData : public CObject, public CEqOwner, public UndoHistory::Document {
    VEXLOR_DECLARE_DYNCREATE(CVexlorData)

  public:
    using Snapshot = std::vector<uint8_t>;

    // A data object with no rows; call Reset() before use.
    CVexlorData();
    // Copies rows, current row, caret and selection; never the undo history.
    CVexlorData(const CVexlorData& other);
    CVexlorData& operator=(const CVexlorData&) = delete;
    ~CVexlorData() override;

    void Serialize(CArchive& ar) override;
    virtual std::unique_ptr<CVexlorData> Clone() const {
        return std::make_unique<CVexlorData>(*this);
    }
    void Assign(const CVexlorData& other);

    void Reset();
    void Home();
    void DeleteRows();
    void ClearUndo();
    void ClearRedo();
    bool IsModified() const { return m_history.CanUndo(); }
    const UndoHistory& History() const { return m_history; }
    UndoHistory& History() { return m_history; }

    // Caret and selection.
    int SetCaret(CEqExpr* row, int pos) override;
    int SetSelection(CEqExpr* row, int from, int to) override;
    void MoveCaret(int anchor, int caret) override;
    CEqExpr* CurrentRow() const override { return m_pCurRow; }
    int CaretPos() const override { return m_nCaret; }
    int AnchorPos() const override { return m_nAnchor; }
    RECT GetCaretRect();
    RECT GetSelectionRect() override;
    void CaretFromPoint(POINT* pt);
    void SelectBetween(POINT* from, POINT* to);
    // Closes any open typing or erasing run: the next edit starts a new undo step.
    void EndRun() override { m_history.EndRun(); }
    bool ErasingGoesOn() const override;
    void BeginErasing(int pos) override;
    void MoveErasing(int offset) override;
    void MarkChanged() override {
        m_bChanged = true;
        m_bArranged = false;
    }
    void SetInvalid(const RECT& r) override { m_rcInvalid = r; }
    RECT Invalid() const override { return m_rcInvalid; }
    CEqWindow* Window() const override { return m_pWnd; }

    // Text.
    void LoadText(const std::string& text);
    // After loading: the scanner starts afresh, no run goes on and the caret
    // is found in its row again, as in a copy of the document.
    void Settle();
    std::string GetText();
    // What GetText gives, leaving every tree as it is (GetText trims blanks
    // inside atoms): the text that Save writes.
    std::string SavedText() const;
    std::string RowText(int i);
    void SetRowText(int i, const std::string& text);
    CEqExpr* ParseRow(const std::string& text);
    void ScanChar();
    const TextScanner& Scanner() const { return m_scanner; }

    // Layout and display. Arrange measures only the rows that changed and
    // the current row and places them and the last row; Layout arranges,
    // then brings the rows in the window to their places and draws them.
    // Rows out of sight keep stale places until something needs them
    // (PlaceAll).
    void Arrange();
    void Layout();
    // Whether the last Arrange still holds: no edit since, the same rows,
    // current row and client rectangle; the scroll offset may differ.
    bool IsArranged() const;
    // IsArranged, at the same scroll offset too: the rows in the window
    // need only be drawn.
    bool IsPlaced() const { return IsArranged() && m_ptScroll == m_ptArranged; }
    // After the view scrolled: what Arrange would leave, measuring nothing
    // (Arrange itself when something else changed).
    void ArrangeView();
    // Brings the rows of the last layout that reach into area (window
    // coordinates) to their places and draws them.
    void DrawRows(const RECT& area);
    // How many times Arrange ran since the data was made.
    int ArrangeCount() const { return m_nArranges; }
    // Brings every row to the place the last layout gave it.
    void PlaceAll() const;
    // The content of row i changed: it is measured again at the next layout.
    void RowChanged(int i);
    void UpdateScrollBars();
    void UpdateCaret(bool bLayout, bool bScroll);
    // UpdateCaret(true, false) after the scroll offset changed, through
    // ArrangeView.
    void Scrolled();
    // The window's caret: one pixel wide, as high as the caret rectangle,
    // only while the window has the focus.
    void PlaceCaret();

    // Editing entry points.
    void OnKeyDown(UINT vk);
    void OnChar(UINT ch);
    void PushUndo() override;
    bool Undo();
    bool Redo();
    // Runs an insert command (by its row operation) with undo.
    void RunInsert(const EditCommands::Insertion& insertion);

    // Clipboard.
    bool CopySelection();
    CEqExpr* ReadClipboard();
    bool CanPaste() const;
    bool Copy();
    // The selection as LaTeX text on the clipboard.
    bool CopyLatex();
    bool Cut();
    bool Paste();

    // The whole image that Serialize writes.
    Snapshot WriteSnapshot();
    // Reads an image back; a damaged image changes nothing and gives false.
    // The rows' geometry is moved by shift before the caret is resolved.
    bool ReadSnapshot(const Snapshot& image, POINT shift = POINT{});
    // The image of row i in scroll-independent coordinates.
    UndoStep::Bytes RowImage(size_t i);
    // The present state of the rows the coming edit may change (the current
    // row unless an edit of several rows said otherwise), with the editor
    // state. Rows are kept in scroll-independent coordinates.
    UndoStep MakeStep() override;
    bool ApplyStep(const UndoStep& step, UndoStep* inverse) override;
    // The reference the editor's shortcuts must agree with: every undo step
    // holds every row, every layout measures and places every row, and every
    // row is a tree from the start.
    void SetWholeModel(bool whole);
    // Whether measuring a latent row also learns the text Save writes for
    // it, rather than its first writing: for a caller that writes every
    // row anyway, which then parses each line once instead of twice.
    void SetTextsWhenMeasured(bool learn) { m_bTextsWhenMeasured = learn; }
    // Learns that text for up to count more latent rows, going on from
    // where the last call stopped: work for idle moments, so that a later
    // save reads texts already known. Returns whether rows remain.
    bool LearnTexts(size_t count);
    // While set, a row drawn that still waits as its line is drawn from a
    // tree of the moment and goes on waiting: pictures and printing draw
    // every row once, and the model keeps no trees for them.
    void SetDrawingApart(bool apart) { m_bDrawingApart = apart; }
    // Calls visit with each row in turn: a row that waits as its line is
    // given as a tree of the moment and goes on waiting.
    void VisitRows(const std::function<void(const CEqExpr&)>& visit) const;
    // Every row's box where the layout puts it at the present scroll
    // position, rows out of sight included; no row is built for it.
    std::vector<RECT> RowBoxes() const;
    // How many rows still wait as their lines.
    size_t LatentCount() const;
    // Moves the geometry of every element of row and below by (dx, dy).
    static void OffsetTree(CEqExpr& row, int dx, int dy);
    // Bytes held by the undo and redo history, each shared part counted once.
    size_t HistoryBytes() const { return m_history.HistoryBytes(); }
    // Every row's tree in shape and owned by this data, and the current row
    // one of theirs with the caret and anchor in it: empty when all holds,
    // otherwise what went wrong.
    std::string CheckInvariant() const;
    // Rows nested in the deepest place of row (1 for a row of plain symbols).
    static int Depth(const CEqExpr& row);
    // After an edit that took an undo step: when the current tree became
    // deeper than an archive image may hold, goes back to that step and
    // drops it. Returns whether the edit was refused.
    bool RefuseTooDeep(size_t undoBefore);

    // The layout's state: the total size, the caret and selection boxes
    // last measured (the caret box also finds the caret's row again when an
    // image is read back), and whether the document changed since.
    SIZE TotalSize() const { return m_sizeTotal; }
    RECT CaretBox() const { return m_rcCaret; }
    void SetCaretBox(const RECT& r) { m_rcCaret = r; }
    RECT SelectionBox() const { return m_rcSel; }
    bool IsChanged() const { return m_bChanged; }
    void SetChanged(bool changed) { m_bChanged = changed; }

    // The rows, one per expression, and the index of the caret's row.
    RowList Rows() const { return RowList(*this, m_rows.size()); }
    // Appends a row (it takes the document as its owner).
    void AppendRow(std::unique_ptr<CEqExpr> row);
    int CurRowIndex() const { return m_nCurRow; }
    // Makes row i (clamped) the caret's row, the caret at its start.
    void SetCurRowIndex(int i);
    // The window the document is shown in, or null.
    void SetWindow(CEqWindow* wnd) { m_pWnd = wnd; }
    // The view's scroll position.
    POINT Scroll() const { return m_ptScroll; }
    void SetScroll(POINT scroll) {
        m_ptScroll = POINT{ClampScroll(scroll.x), ClampScroll(scroll.y)};
    }

  private:
    friend class RowList;
    // Rows that wait as their lines are built when first asked for, so the
    // rows change even where the document does not.
    mutable RowList::Owned m_rows;
    // Row i, which must exist; a latent row becomes a tree for good.
    CEqExpr* RowAt(int i) const;
    // A latent row's tree, built again through the quiet owner.
    std::unique_ptr<CEqExpr> BuildLatent(const LatentRow& latent) const;
    // BuildLatent, the tree then owned by the document, as a kept row's is.
    std::unique_ptr<CEqExpr> BuildOwned(const LatentRow& latent) const;
    // The box of row i, latent or not, without building it.
    const RECT& RowBox(int i) const;
    // Moves row i and every element in it by (dx, dy).
    void OffsetRow(int i, int dx, int dy) const;
    // Whether a click at pt (clamped as the row would) may fall in row i:
    // a latent row is built only when it does. A drag tests both ends in
    // turn, as the row does.
    bool MayHit(size_t i, POINT* pt) const;
    // The text of latent row i as RowText writes it, when writing does not
    // trim the row; false otherwise.
    bool LatentText(size_t i, std::string* text) const;
    // Notes the text Save writes for a latent row, from its line or from a
    // tree of the moment, unless writing would trim the tree; returns
    // whether it did.
    bool KeepLatentText(LatentRow* latent) const;
    bool KeepLatentText(LatentRow* latent, CEqExpr& tree) const;
    mutable QuietOwner m_quiet{*this};
    // The tree MeasureRow built for a latent row, for the redraw that may
    // follow at once.
    mutable std::unique_ptr<CEqExpr> m_pBuilt;
    mutable int m_nBuilt = -1;
    int m_nCurRow = 0;
    CEqWindow* m_pWnd = nullptr;
    CEqExpr* m_pCurRow = nullptr;
    int m_nAnchor = 0;
    int m_nCaret = 0;
    POINT m_ptScroll;
    RECT m_rcCaret;
    RECT m_rcSel;
    bool m_bChanged = false;
    SIZE m_sizeTotal;
    RECT m_rcInvalid;

    UndoHistory m_history{*this};
    int m_nStepFrom = -1;
    int m_nStepCount = 1;
    bool m_bWholeModel = false;
    bool m_bTextsWhenMeasured = false;
    bool m_bDrawingApart = false;
    size_t m_nTextsFrom = 0; // where LearnTexts goes on
    // Layout: each row's step down (height and gap) and width, for rows
    // before m_nTopsValid; rows changed in place since are in m_dirtyRows,
    // the first of them m_nFirstDirty. A row's top holds while it lies
    // before both.
    RowExtents m_extents;
    int m_nTopsValid = 0;
    std::vector<int> m_dirtyRows;
    int m_nFirstDirty = INT_MAX;
    SIZE m_sizeM{-1, -1};
    const CEqExpr* m_pLaidOutRow = nullptr;
    int m_nLaidOutRow = -1;
    // What the last Arrange saw; m_bArranged falls with every edit.
    bool m_bArranged = false;
    int m_nArrangedRows = -1;
    POINT m_ptArranged;
    RECT m_rcArrangedClient;
    int m_nArranges = 0;
    TextScanner m_scanner;

    // The editor state an image keeps after its rows.
    struct State {
        SIZE total;
        POINT scroll;
        int32_t curRow = 0;
        RECT caretRect;
        RECT selRect;
        int32_t anchor = 0;
        int32_t caret = 0;
        RECT invalid;
    };
    void WriteState(CArchive& ar) const;
    static void ReadState(CArchive& ar, State* state);
    // Takes a state read back; the caret is then found in its row.
    void SetState(const State& state);
    State CurrentState() const;

    // The rows from .. from+count-1 become an undo step.
    void PushUndoFor(int from, int count);
    // The step holding rows from .. from+count-1 and the editor state.
    UndoStep StepOf(int from, int count);
    // Puts the last row, when the step does not replace it, where it was
    // when the step was taken (its redraw at the next layout then leaves the
    // invalid rectangle as that of a whole document read back would).
    void MoveLastRowBack(int from, int count, const UndoStep& step, POINT scroll);
    // Replaces rows from .. from+count-1 by rows, the others staying.
    void ReplaceRows(int from, int count, std::vector<std::unique_ptr<CEqExpr>> rows);
    // Reads one row image; null when it is damaged.
    std::unique_ptr<CEqExpr> ReadRow(const UndoStep::Bytes& image, POINT shift);

    // Row i lost blanks while its text was written.
    void Trimmed(int i);
    // Asks for a repaint after a step of the history was taken.
    bool Invalidated(bool stepped);

    void CopyFrom(const CVexlorData& other);
    void ResolveCaret();
    bool IsAtTopLevel() const;
    bool HandleRowKey(UINT vk);
    void JoinRows(int k);
    void SplitLine();
    void PageUp();
    void PageDown();
    void InvertRect(const RECT& r);
    // Rows from i on may have moved or changed size.
    void RowsMovedFrom(int i) {
        m_nTopsValid = std::min(m_nTopsValid, std::max(i, 0));
        m_bArranged = false;
    }
    // Rows i .. i+count-1 are new, or went: the rows after them move
    // without being read again.
    void RowsInserted(int i, int count);
    void RowsErased(int i, int count);
    // Row i was replaced or changed in place; the rows around it stay.
    void RowReplaced(int i) {
        if (i < m_nTopsValid) { // rows from there on are read again anyway
            m_dirtyRows.push_back(i);
            m_nFirstDirty = std::min(m_nFirstDirty, i);
        }
        m_bArranged = false;
    }
    // The rows before this one stand where the last layout put them.
    int RowsWithValidTops() const {
        return std::min({m_nTopsValid, m_nFirstDirty, static_cast<int>(m_rows.size())});
    }
    // The scroll-independent top of row i (its rows before it laid out).
    int TopOf(int i) const;
    // Measures row i if it changed, then takes its extents.
    void MeasureRow(int i, std::vector<int>* remeasured, bool bPull);
    // An edit may change what the next Arrange sees.
    void Edited() { m_bArranged = false; }
    // UpdateCaret with arrange (a member such as Arrange, or null) as the
    // layout step.
    void UpdateCaretWith(void (CVexlorData::*arrange)(), bool bScroll);
    // Measures the changed rows from the first that may have moved on and
    // brings the tops and widths up to date; remeasured gets their indexes.
    // With bPlace (every row measured anew, so from the first), each
    // remeasured row but the last is also laid out at its place as soon as
    // it is measured; the caller then leaves them alone.
    void UpdateTops(SIZE m, std::vector<int>* remeasured, bool bPlace);
    // Moves row i to its place from the tops (without redrawing it).
    void PlaceRow(int i) const;
    // Lays row i out at its place, or at the given top.
    void RedrawRow(int i);
    void RedrawRowAt(int i, int top);
    // The first row whose bottom lies at or below y (scroll-independent).
    int FirstRowReaching(int y) const;
    RECT ScrollTarget() const;
    void ScrollTo(const RECT& target);
};
