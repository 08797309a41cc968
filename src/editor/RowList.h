// A read-only view of the document's rows, which the document owns: each
// row is seen as a plain pointer. The rows are kept in a deque, so that a
// row inserted or removed near either end moves only the rows on that side.
// A row loaded from text may wait as its line (LatentRow) until first seen
// here or edited: its tree is built then.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>

#include "editor/LatentRow.h"
#include "rows/EqExpr.h"

class CVexlorData;

// One row of the document: its tree, or while it waits, its line.
struct RowSlot {
    RowSlot() = default;
    explicit RowSlot(std::unique_ptr<CEqExpr> row) : tree(std::move(row)) {}
    explicit RowSlot(std::unique_ptr<LatentRow> line) : latent(std::move(line)) {}

    std::unique_ptr<CEqExpr> tree;
    std::unique_ptr<LatentRow> latent;
};

class RowList {
  public:
    using Owned = std::deque<RowSlot>;

    class Iterator {
      public:
        Iterator(const RowList* list, size_t i) : m_pList(list), m_nRow(i) {}
        CEqExpr* operator*() const { return (*m_pList)[m_nRow]; }
        Iterator& operator++() {
            ++m_nRow;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_nRow != other.m_nRow; }

      private:
        const RowList* m_pList;
        size_t m_nRow;
    };

    RowList(const CVexlorData& data, size_t count) : m_data(data), m_nCount(count) {}
    size_t size() const { return m_nCount; }
    bool empty() const { return m_nCount == 0; }
    CEqExpr* operator[](size_t i) const;
    CEqExpr* back() const { return (*this)[m_nCount - 1]; }
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, m_nCount); }

  private:
    const CVexlorData& m_data;
    size_t m_nCount;
};
