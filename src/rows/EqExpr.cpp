#include "rows/EqExpr.h"

#include <algorithm>

#include "atoms/EqBrackets.h"
#include "elements/EqEmpty.h"
#include "elements/EqOwner.h"
#include "elements/EqSymbol.h"
#include "platform/Charset.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqExpr)

CEqExpr::~CEqExpr() {
    DeleteAtoms();
}

void CEqExpr::SetOwner(CEqOwner* owner) {
    m_pOwner = owner;
    for (const auto& atom : m_atoms)
        atom->SetOwner(owner);
}

void CEqExpr::ClampPoint(POINT* pt) {
    ClampPointTo(m_rect, pt);
}

void CEqExpr::ClampPointTo(const RECT& box, POINT* pt) {
    if (!pt || pt->y <= box.top || pt->y >= box.bottom)
        return;
    if (pt->x < box.left)
        pt->x = box.left;
    else if (pt->x >= box.right)
        pt->x = box.right - 1;
}

void CEqExpr::InsertAt(CEqAtom* atom, int pos) {
    if (!atom)
        return;
    // Never after the end atom: a position past it goes right before it.
    pos = std::clamp(pos, 0, std::max(GetCount() - 1, 0));
    m_atoms.insert(m_atoms.begin() + pos, std::unique_ptr<CEqAtom>(atom));
    atom->SetParent(this);
    atom->SetOwner(m_pOwner);
    if (CEqEmpty* end = EndAtom(); end && end != atom)
        end->SetPlaceholder(false);
}

CEqEmpty* CEqExpr::EndAtom() const {
    CEqAtom* end = GetEnd();
    return end ? end->As<CEqEmpty>() : nullptr;
}

void CEqExpr::RemoveAt(int pos, bool erase) {
    if (pos < 0 || pos >= GetCount() - 1)
        return;
    if (erase)
        FillBackground(m_atoms[static_cast<size_t>(pos)]->m_rect);
    m_atoms.erase(m_atoms.begin() + pos);
    if (GetCount() == 1)
        if (CEqEmpty* end = EndAtom())
            end->SetPlaceholder(true);
}

void CEqExpr::RemoveRange(int from, int to, bool erase) {
    if (from < 0 || from >= GetCount() - 1)
        return;
    to = std::min(to, GetCount() - 1);
    if (to <= from)
        return;
    auto first = m_atoms.begin() + from;
    auto last = m_atoms.begin() + to;
    if (erase)
        for (auto it = first; it != last; ++it)
            if (*it)
                FillBackground((*it)->m_rect);
    m_atoms.erase(first, last);
    ReleaseSpareCapacity();
    if (GetCount() == 1)
        if (CEqEmpty* end = EndAtom())
            end->SetPlaceholder(true);
}

std::unique_ptr<CEqAtom> CEqExpr::TakeAt(int pos, bool erase) {
    if (pos < 0 || pos >= GetCount() - 1 || !m_atoms[static_cast<size_t>(pos)])
        return nullptr;
    std::unique_ptr<CEqAtom> atom = std::move(m_atoms[static_cast<size_t>(pos)]);
    if (erase)
        FillBackground(atom->m_rect);
    return atom;
}

void CEqExpr::TakeRange(int from, int to, bool erase, std::vector<std::unique_ptr<CEqAtom>>* out) {
    from = std::max(from, 0);
    to = std::min(to, GetCount() - 1);
    for (int i = from; i < to; ++i) {
        std::unique_ptr<CEqAtom>& slot = m_atoms[static_cast<size_t>(i)];
        if (!slot)
            continue;
        if (erase)
            FillBackground(slot->m_rect);
        out->push_back(std::move(slot));
    }
}

void CEqExpr::InsertMoved(std::unique_ptr<CEqAtom> atom, int pos) {
    if (!atom)
        return;
    CEqAtom* raw = atom.get();
    pos = std::clamp(pos, 0, std::max(GetCount() - 1, 0));
    m_atoms.insert(m_atoms.begin() + pos, std::move(atom));
    raw->SetParent(this);
    if (raw->m_pOwner != m_pOwner)
        raw->SetOwner(m_pOwner);
    if (CEqEmpty* end = EndAtom(); end && end != raw)
        end->SetPlaceholder(false);
}

void CEqExpr::ReplaceRange(int from, int to, std::unique_ptr<CEqAtom> atom) {
    int last = GetCount() - 1;
    if (!atom || from < 0 || from > last)
        return;
    to = std::clamp(to, from, last);
    if (from == to) {
        InsertMoved(std::move(atom), from);
        return;
    }
    for (int i = from; i < to; ++i)
        if (const auto& old = m_atoms[static_cast<size_t>(i)])
            FillBackground(old->m_rect);
    CEqAtom* raw = atom.get();
    m_atoms[static_cast<size_t>(from)] = std::move(atom);
    m_atoms.erase(m_atoms.begin() + from + 1, m_atoms.begin() + to);
    ReleaseSpareCapacity();
    raw->SetParent(this);
    if (raw->m_pOwner != m_pOwner)
        raw->SetOwner(m_pOwner);
    if (CEqEmpty* end = EndAtom())
        end->SetPlaceholder(false);
}

void CEqExpr::AppendMoved(std::vector<std::unique_ptr<CEqAtom>> atoms) {
    std::erase(atoms, nullptr);
    if (atoms.empty())
        return;
    Adopt(atoms);
    if (m_atoms.size() == 1) { // the end atom alone: take over the moved atoms' array
        atoms.push_back(std::move(m_atoms.front()));
        m_atoms.swap(atoms);
        if (CEqEmpty* end = EndAtom())
            end->SetPlaceholder(false);
        return;
    }
    auto at = m_atoms.end() - (m_atoms.empty() ? 0 : 1);
    m_atoms.insert(at, std::make_move_iterator(atoms.begin()),
                   std::make_move_iterator(atoms.end()));
    if (CEqEmpty* end = EndAtom())
        end->SetPlaceholder(false);
}

void CEqExpr::SetAside(int pos, std::vector<std::unique_ptr<CEqAtom>>* aside) {
    int last = GetCount() - 1; // the end atom stays
    if (last <= 0)
        return;
    pos = std::clamp(pos, 0, last);
    aside->reserve(aside->size() + static_cast<size_t>(last - pos));
    for (int i = last - 1; i >= pos; --i)
        aside->push_back(std::move(m_atoms[static_cast<size_t>(i)]));
    m_atoms.erase(m_atoms.begin() + pos, m_atoms.begin() + last);
}

void CEqExpr::PutBack(std::vector<std::unique_ptr<CEqAtom>>* aside) {
    if (aside->empty() || m_atoms.empty())
        return;
    m_atoms.insert(m_atoms.end() - 1, std::move(aside->back()));
    aside->pop_back();
}

void CEqExpr::ReleaseSpareCapacity() {
    if (m_atoms.capacity() > m_atoms.size() + m_atoms.size() / 2 + 8)
        m_atoms.shrink_to_fit();
}

void CEqExpr::DeleteAtoms() {
    m_atoms.clear();
}

void CEqExpr::Clear() {
    ClearWith({});
}

// Atoms moved in from another row take this row as parent and, when it
// differs, its owner.
void CEqExpr::Adopt(const std::vector<std::unique_ptr<CEqAtom>>& atoms) {
    for (const auto& atom : atoms) {
        atom->SetParent(this);
        if (atom->m_pOwner != m_pOwner)
            atom->SetOwner(m_pOwner);
    }
}

void CEqExpr::ClearWith(std::vector<std::unique_ptr<CEqAtom>> atoms) {
    DeleteAtoms();
    std::erase(atoms, nullptr);
    auto end = std::make_unique<CEqEmpty>();
    end->m_pOwner = m_pOwner;
    end->m_size.cx = 0;
    end->SetParent(this);
    Adopt(atoms);
    bool filled = !atoms.empty();
    atoms.push_back(std::move(end));
    m_atoms.swap(atoms);
    if (CEqEmpty* last = EndAtom(); filled && last)
        last->SetPlaceholder(false);
}

int CEqExpr::IndexOf(const CEqAtom* atom) const {
    auto it = std::find_if(m_atoms.begin(), m_atoms.end(),
                           [atom](const auto& a) { return a.get() == atom; });
    return it == m_atoms.end() ? -1 : static_cast<int>(it - m_atoms.begin());
}

bool CEqExpr::DeleteSelection() {
    int lo = 0;
    int hi = 0;
    SelectionBounds(&lo, &hi);
    if (lo == hi)
        return false;
    RECT r{};
    GetSelectionRect(&r);
    RemoveRange(lo, hi, false);
    if (m_pOwner)
        m_pOwner->SetCaret(this, lo);
    FillBackground(r);
    if (CDC* dc = DC())
        dc->InvertRect(r);
    return true;
}

std::unique_ptr<CEqExpr> CEqExpr::Clone() const {
    auto copy = std::make_unique<CEqExpr>(m_pOwner);
    copy->m_size = m_size;
    copy->m_ptAnchor = m_ptAnchor;
    copy->m_rect = m_rect;
    copy->m_pOwnerAtom = m_pOwnerAtom;
    copy->m_atoms.reserve(m_atoms.size());
    for (const auto& atom : m_atoms) {
        std::unique_ptr<CEqAtom> a = atom->Clone();
        a->SetParent(copy.get());
        // A copy is owned throughout by its atom's owner: set it only when it differs.
        if (a->m_pOwner != m_pOwner)
            a->SetOwner(m_pOwner);
        copy->m_atoms.push_back(std::move(a));
    }
    return copy;
}

std::unique_ptr<CEqExpr> CEqExpr::CloneSelection() const {
    auto copy = std::make_unique<CEqExpr>(m_pOwner);
    copy->Clear();
    int lo = 0;
    int hi = 0;
    SelectionBounds(&lo, &hi);
    for (int i = lo; i < hi; ++i)
        copy->Append(m_atoms[static_cast<size_t>(i)]->Clone());
    return copy;
}

std::unique_ptr<CEqExpr> CEqExpr::SplitAtCaret() {
    auto tail = std::make_unique<CEqExpr>(m_pOwner);
    tail->Clear();
    int caret = m_pOwner ? std::clamp(m_pOwner->CaretPos(), 0, std::max(GetCount() - 1, 0)) : 0;
    int repeat = GetCount() - caret - 1;
    for (int k = 0; k < repeat; ++k) {
        tail->Append(m_atoms[static_cast<size_t>(caret)]->Clone());
        RemoveAt(caret, false);
    }
    return tail;
}

void CEqExpr::InsertRow(const CEqExpr& other, bool atEnd) {
    if (!m_pOwner)
        return;
    if (atEnd) {
        m_pOwner->SetCaret(this, GetCount() - 1);
        for (int i = 0; i + 1 < other.GetCount(); ++i)
            Append(other.m_atoms[static_cast<size_t>(i)]->Clone());
        return;
    }
    DeleteSelection();
    int pos = std::clamp(m_pOwner->CaretPos(), 0, std::max(GetCount() - 1, 0));
    for (int i = 0; i + 1 < other.GetCount(); ++i)
        InsertAt(other.m_atoms[static_cast<size_t>(i)]->Clone(), pos++);
    m_pOwner->SetCaret(this, pos);
}

bool CEqExpr::IsBlank() const {
    for (int i = 0; i + 1 < GetCount(); ++i)
        if (!IsSpaceAt(i))
            return false;
    return true;
}

bool CEqExpr::IsSimple() const {
    if (IsBlank())
        return false;
    int last = GetCount() - 1; // index of the end atom
    if (last == 1 && GetAt(0)->IsCompound())
        return true;
    int i = 0;
    while (i < last && IsSpaceAt(i))
        ++i;
    int j = last - 1;
    while (j > i && IsSpaceAt(j))
        --j;
    for (int k = i; k <= j; ++k)
        if (!IsIdentAt(k))
            return false;
    return true;
}

void CEqExpr::Trim() {
    if (GetCount() == 0)
        return;
    if (IsBlank()) {
        RemoveRange(0, GetCount() - 1, true);
        return;
    }
    while (GetCount() > 1 && IsSpaceAt(0))
        RemoveAt(0, true);
    while (GetCount() > 1 && IsSpaceAt(GetCount() - 2))
        RemoveAt(GetCount() - 2, true);
}

void CEqExpr::TrimUnwrap() {
    Trim();
    // Only a row that is one bracket atom with a row is unwrapped.
    if (GetCount() != 2)
        return;
    auto* brackets = GetAt(0)->As<CEqBrackets>();
    if (!brackets || !brackets->m_pRow)
        return;
    // The inner row's atoms move out, in one array, before the bracket atom
    // is removed; its end atom goes with it.
    std::unique_ptr<CEqExpr> inner = std::move(brackets->m_pRow);
    inner->Trim();
    RemoveRange(0, GetCount() - 1, true);
    std::vector<std::unique_ptr<CEqAtom>> atoms = std::move(inner->m_atoms);
    if (!atoms.empty())
        atoms.pop_back();
    AppendMoved(std::move(atoms));
}

void CEqExpr::WrapIfNeeded() {
    Trim();
    if (IsBlank() || IsSimple() || ToText(false) == "?")
        return;
    CEqExpr* inner = MoveIntoNewRow();
    auto* brackets = new CEqBrackets;
    brackets->m_pOwner = m_pOwner;
    brackets->SetRow(inner);
    Append(brackets);
}

CEqExpr* CEqExpr::MoveIntoNewRow() {
    auto* inner = new CEqExpr(m_pOwner);
    inner->m_size = m_size;
    inner->m_ptAnchor = m_ptAnchor;
    inner->m_rect = m_rect;
    inner->m_pOwnerAtom = m_pOwnerAtom;
    int last = GetCount() - 1;
    inner->m_atoms.reserve(m_atoms.size());
    for (int i = 0; i < last; ++i) {
        std::unique_ptr<CEqAtom> atom = TakeAt(i, true);
        atom->SetParent(inner);
        inner->m_atoms.push_back(std::move(atom));
    }
    std::unique_ptr<CEqAtom> end = GetEnd()->Clone();
    end->SetParent(inner);
    end->SetOwner(m_pOwner);
    inner->m_atoms.push_back(std::move(end));
    RemoveRange(0, last, true);
    return inner;
}

void CEqExpr::SelectionBounds(int* lo, int* hi) const {
    *lo = *hi = 0;
    if (!m_pOwner || GetCount() == 0)
        return;
    int last = GetCount() - 1;
    int a = std::clamp(m_pOwner->AnchorPos(), 0, last);
    int c = std::clamp(m_pOwner->CaretPos(), 0, last);
    *lo = std::min(a, c);
    *hi = std::max(a, c);
}

void CEqExpr::FillBackground(const RECT& r) const {
    if (IsRectEmpty(r)) // nothing to fill: a box never laid out, or collapsed
        return;
    if (CDC* dc = DC())
        dc->FillSolidRect(r, dc->GetBkColor());
}
