// A read-only view of the document's rows, which the document owns: each
// row is seen as a plain pointer. The rows are kept in a deque, so that a
// row inserted or removed near either end moves only the rows on that side.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>

class CEqExpr;

class RowList {
  public:
    using Owned = std::deque<std::unique_ptr<CEqExpr>>;

    class Iterator {
      public:
        explicit Iterator(Owned::const_iterator it) : m_it(it) {}
        CEqExpr* operator*() const { return m_it->get(); }
        Iterator& operator++() {
            ++m_it;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_it != other.m_it; }

      private:
        Owned::const_iterator m_it;
    };

    explicit RowList(const Owned& rows) : m_rows(rows) {}
    size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    CEqExpr* operator[](size_t i) const { return m_rows[i].get(); }
    CEqExpr* back() const { return m_rows.back().get(); }
    Iterator begin() const { return Iterator(m_rows.begin()); }
    Iterator end() const { return Iterator(m_rows.end()); }

  private:
    const Owned& m_rows;
};
