// Text in and out: one row per line, each statement normalised to end in
// one ";" with its comment after it.
#include <algorithm>
#include <memory>

#include "editor/VexlorData.h"
#include "elements/EqAtom.h"
#include "platform/Charset.h"
#include "rows/EqExpr.h"
#include "rows/TextScanner.h"

namespace {
// Atoms in row and below it; writing a row's text trims derivative rows.
size_t AtomCount(const CEqExpr& row) {
    size_t n = static_cast<size_t>(row.GetCount());
    for (int i = 0; i < row.GetCount(); ++i)
        for (const CEqExpr* inner : row.GetAt(i)->Rows())
            n += AtomCount(*inner);
    return n;
}

// Drops every `drop` that is followed by `next`, until none is: "a  ;" with
// (' ', ';') becomes "a;", and runs of `drop` shrink to one when next is
// drop itself. One pass from the end, whatever the length.
void DropBefore(std::string& s, char drop, char next) {
    // Kept bytes are written from the back, never ahead of the one read.
    size_t kept = s.size();
    for (size_t i = s.size(); i-- > 0;) {
        if (s[i] == drop && kept < s.size() && s[kept] == next)
            continue;
        s[--kept] = s[i];
    }
    s.erase(0, kept);
}

// Whether writing row's text would trim one of the rows inside it (writing
// trims blanks at the ends of every inner row).
bool WouldTrim(const CEqExpr& row, bool inner) {
    int n = row.GetCount();
    if (inner && n > 1 && (row.IsBlank() || row.IsSpaceAt(0) || row.IsSpaceAt(n - 2)))
        return true;
    for (int i = 0; i < n; ++i)
        for (const CEqExpr* r : row.GetAt(i)->Rows())
            if (WouldTrim(*r, true))
                return true;
    return false;
}

// A row's written text as one statement ended by ";" and its comment.
std::string Normalised(std::string text) {
    DropBefore(text, ' ', ' ');
    std::string statement = text;
    std::string comment;
    size_t dash = text.find("--");
    if (dash != std::string::npos) {
        size_t start = dash;
        while (start > 0 && text[start - 1] == ' ')
            --start;
        comment = text.substr(start);
        while (!comment.empty() && comment.back() == ' ')
            comment.pop_back();
        statement = text.substr(0, start);
    }
    DropBefore(statement, ' ', ';');
    DropBefore(statement, ';', ';');
    size_t lead = statement.find_first_not_of(';');
    statement.erase(0, lead == std::string::npos ? statement.size() : lead);
    lead = statement.find_first_not_of(' ');
    statement.erase(0, lead == std::string::npos ? statement.size() : lead);
    while (!statement.empty() && statement.back() == ';')
        statement.pop_back();
    if (!statement.empty())
        statement += ";";
    else // a comment alone starts its line, as loading it would make it
        comment.erase(0, std::min(comment.find_first_not_of(' '), comment.size()));
    return statement + comment;
}

// The text RowText writes for row, when writing does not trim it (and so
// leaves it as it is); false otherwise.
bool WrittenText(CEqExpr& row, std::string* text) {
    if (WouldTrim(row, false))
        return false;
    *text = Normalised(row.ToText(false));
    return true;
}

// The rows' texts one per line, empty lines dropped.
template <class RowText> std::string JoinedText(size_t rows, RowText rowText) {
    std::string text = rows ? rowText(0) : std::string();
    for (size_t i = 1; i < rows; ++i) {
        text += '\n';
        text += rowText(i);
    }
    DropBefore(text, '\n', '\n');
    if (!text.empty() && text[0] == '\n')
        text.erase(0, 1);
    return text;
}
} // namespace

std::string CVexlorData::GetText() {
    return JoinedText(m_rows.size(), [this](size_t i) { return RowText(static_cast<int>(i)); });
}

// Rows whose text would trim them are written from a copy; the others, most
// of a model, are written as they are.
std::string CVexlorData::SavedText() const {
    return JoinedText(m_rows.size(), [this](size_t i) {
        std::string text;
        if (LatentText(i, &text))
            return text;
        CEqExpr& row = *RowAt(static_cast<int>(i));
        if (WrittenText(row, &text))
            return text;
        std::unique_ptr<CEqExpr> copy = row.Clone();
        copy->SetOwner(nullptr);
        return Normalised(copy->ToText(false));
    });
}

std::string CVexlorData::RowText(int i) {
    if (i < 0 || i >= static_cast<int>(m_rows.size()))
        return {};
    std::string latent;
    if (LatentText(static_cast<size_t>(i), &latent))
        return latent;
    CEqExpr& row = *RowAt(i);
    // Most rows have nothing to trim; only the others are counted.
    bool mayTrim = WouldTrim(row, false);
    size_t atoms = mayTrim ? AtomCount(row) : 0;
    std::string text = row.ToText(false);
    if (mayTrim && AtomCount(row) != atoms)
        Trimmed(i);
    return Normalised(std::move(text));
}

// A latent row is written as its line, or as the text kept apart for it,
// unless writing would trim it: that row then becomes a tree, and RowText
// goes on as for any tree.
bool CVexlorData::LatentText(size_t i, std::string* text) const {
    LatentRow* latent = m_rows[i].latent.get();
    if (!latent || (!latent->textKnown && !KeepLatentText(latent)))
        return false;
    *text = latent->saved ? *latent->saved
                          : latent->text.substr(0, Charset::FindLineBreak(latent->text));
    return true;
}

// Learnt at the row's first writing, from its line alone: the text does not
// depend on where the row was laid out. Most lines are written back as they
// were read; only the others keep their written text apart.
bool CVexlorData::KeepLatentText(LatentRow* latent) const {
    TextScanner scanner;
    std::unique_ptr<CEqExpr> tree(scanner.ParseRow(latent->text, &m_quiet));
    return KeepLatentText(latent, *tree);
}

bool CVexlorData::KeepLatentText(LatentRow* latent, CEqExpr& tree) const {
    std::string text;
    if (!WrittenText(tree, &text))
        return false;
    if (latent->text.compare(0, Charset::FindLineBreak(latent->text), text) != 0)
        latent->saved = std::make_unique<std::string>(std::move(text));
    latent->textKnown = true;
    return true;
}

// A row whose writing would trim it is left to its writing; rows inserted
// or removed meanwhile only shift what is left, and a save learns any row
// passed over.
bool CVexlorData::LearnTexts(size_t count) {
    for (; m_nTextsFrom < m_rows.size() && count > 0; ++m_nTextsFrom) {
        LatentRow* latent = m_rows[m_nTextsFrom].latent.get();
        if (!latent || latent->textKnown)
            continue;
        KeepLatentText(latent);
        --count;
    }
    return m_nTextsFrom < m_rows.size();
}

// Writing the text removed blanks at the ends of derivative rows: a caret or
// anchor past its row's end comes back in, and the row is measured and the
// rows below it placed again at once.
void CVexlorData::Trimmed(int i) {
    if (i == m_nCurRow && m_pCurRow)
        SetSelection(m_pCurRow, m_nAnchor, m_nCaret);
    RowChanged(i);
    Arrange();
}

void CVexlorData::LoadText(const std::string& source) {
    Edited();
    DeleteRows();
    size_t end = source.size();
    while (end > 0 && (source[end - 1] == '\r' || source[end - 1] == '\n'))
        --end;
    const std::string text = source.substr(0, end);
    size_t start = 0;
    for (int i = 0;; ++i) {
        // The scanner reads a line, its break and at most two characters
        // after the break, so each row gets only that much of the text.
        size_t brk = Charset::FindLineBreak(text, start);
        size_t stop = brk == std::string::npos ? text.size() : std::min(brk + 3, text.size());
        SetRowText(i, text.substr(start, stop - start));
        if (m_scanner.Class() != TextScanner::kLineEnd)
            break;
        start += static_cast<size_t>(m_scanner.Pos()) + 1;
        if (start > text.size())
            start = text.size();
    }
}

void CVexlorData::Settle() {
    Edited();
    m_scanner = TextScanner();
    ResolveCaret();
    EndRun();
    m_bChanged = false;
}

void CVexlorData::SetRowText(int i, const std::string& text) {
    Edited();
    if (i < 0)
        return;
    int caret = m_nCaret;
    if (i < static_cast<int>(m_rows.size()))
        RowReplaced(i);
    else
        RowsMovedFrom(static_cast<int>(m_rows.size()));
    while (static_cast<int>(m_rows.size()) < i + 1) {
        auto row = std::make_unique<CEqExpr>(this);
        row->Clear();
        m_rows.emplace_back(std::move(row));
    }
    RowSlot& slot = m_rows[static_cast<size_t>(i)];
    if (slot.tree) {
        if (m_pCurRow == slot.tree.get())
            m_pCurRow = nullptr;
        m_history.ForgetRow(slot.tree.get());
    }
    // The row waits as its line until something needs its tree; the scanner
    // reads the line all the same, as the loader goes on after it.
    slot = m_bWholeModel ? RowSlot(std::unique_ptr<CEqExpr>(ParseRow(text)))
                         : RowSlot(std::make_unique<LatentRow>(text));
    if (slot.latent)
        m_scanner.SkipRow(text);
    m_nCurRow = std::clamp(m_nCurRow, 0, static_cast<int>(m_rows.size()) - 1);
    SetCaret(RowAt(m_nCurRow), i == m_nCurRow ? 0 : caret);
}

CEqExpr* CVexlorData::ParseRow(const std::string& text) {
    return m_scanner.ParseRow(text, this);
}

void CVexlorData::ScanChar() {
    Edited();
    m_scanner.ScanChar();
}
