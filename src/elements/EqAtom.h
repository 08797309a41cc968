// Base of everything that stands in a row: leaf atoms and compound atoms.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "elements/EqObject.h"
#include "platform/Keys.h"

class CEqExpr;

class CEqAtom : public CEqObject {
    VEXLOR_DECLARE_DYNCREATE(CEqAtom)

  public:
    // The largest extent an atom of no known class keeps.
    static constexpr int kMaxPlainExtent = 1024;

    CEqAtom() = default;

    void ClampPoint(POINT* pt) override;
    // A new atom of the same class, a deep copy of this one.
    virtual std::unique_ptr<CEqAtom> Clone() const;
    void SetParent(CEqExpr* row) { m_pParent = row; }
    virtual bool HitTest(POINT*) { return false; }
    virtual bool HitTestRange(POINT*, POINT*) { return false; }
    // One of this atom's rows hands over an arrow key it cannot use.
    virtual bool LeaveChild(CEqExpr*, UINT) { return false; }
    // The caret arrives from outside: VK_LEFT from the right, VK_RIGHT from the left.
    virtual bool EnterFrom(UINT) { return false; }
    // An atom of no known class (from a newer editor's image) keeps the size
    // stored with it, bounded to 1 .. kMaxPlainExtent, the anchor inside it.
    virtual void CalcSize();
    // Places the atom; when its box moved, erases the old box.
    virtual void Redraw(int x, int y, int hAlign, int vAlign);
    virtual void Draw() {}
    // Linear text; compound atoms trim their rows as they write them.
    virtual std::string ToText() { return {}; }
    virtual int GetChar() const { return 0; }
    virtual bool IsBlank() const { return true; }

    // The linear text without changing the tree (a copy is written).
    virtual std::string PeekText() const;

    // The rows of a compound atom, for code that walks whole trees.
    virtual int GetRowCount() const { return 0; }
    virtual CEqExpr* GetRow(int) const { return nullptr; }

    // The atom's rows in order, empty slots left out:
    // for (CEqExpr* row : atom.Rows()) ...
    class RowRange {
      public:
        class Iterator {
          public:
            Iterator(const CEqAtom* atom, int k) : m_pAtom(atom), m_nRow(k) { Skip(); }
            CEqExpr* operator*() const { return m_pAtom->GetRow(m_nRow); }
            Iterator& operator++() {
                ++m_nRow;
                Skip();
                return *this;
            }
            bool operator!=(const Iterator& other) const { return m_nRow != other.m_nRow; }

          private:
            void Skip() {
                while (m_nRow < m_pAtom->GetRowCount() && !m_pAtom->GetRow(m_nRow))
                    ++m_nRow;
            }
            const CEqAtom* m_pAtom;
            int m_nRow;
        };
        explicit RowRange(const CEqAtom* atom) : m_pAtom(atom) {}
        Iterator begin() const { return Iterator(m_pAtom, 0); }
        Iterator end() const { return Iterator(m_pAtom, m_pAtom->GetRowCount()); }

      private:
        const CEqAtom* m_pAtom;
    };
    RowRange Rows() const { return RowRange(this); }

    // Whether the atom is a CEqSymbol or a CEqEmpty, read without a call:
    // the structure former asks it of every atom it scans.
    bool IsSymbol() const { return m_kind == Kind::Symbol; }
    bool IsEnd() const { return m_kind == Kind::End; }
    // A compound atom: anything that is neither a symbol nor an end atom.
    bool IsCompound() const { return !IsSymbol() && !IsEnd(); }

    CEqExpr* m_pParent = nullptr;

  protected:
    enum class Kind : uint8_t { Other, Symbol, End };
    explicit CEqAtom(Kind kind) : m_kind(kind) {}

    // Copies the base fields into a freshly created clone.
    void CopyBaseTo(CEqAtom* copy) const;
    // Fills the owner's invalid rectangle with the background colour.
    void EraseInvalid();

  private:
    Kind m_kind = Kind::Other;
};
