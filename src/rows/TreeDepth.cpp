#include "rows/TreeDepth.h"

#include <algorithm>

#include "elements/EqAtom.h"
#include "platform/Archive.h"
#include "rows/EqExpr.h"

int TreeDepth::Level(const CEqExpr& row) {
    int level = 1;
    for (const CEqExpr* r = &row; r->m_pOwnerAtom && r->m_pOwnerAtom->m_pParent;
         r = r->m_pOwnerAtom->m_pParent) {
        if (++level > CArchive::kMaxDepth)
            break;
    }
    return level;
}

int TreeDepth::Depth(const CEqExpr& row) {
    return 1 + RangeDepth(row, 0, row.GetCount());
}

int TreeDepth::AtomDepth(const CEqAtom& atom) {
    int depth = 0;
    for (const CEqExpr* inner : atom.Rows())
        depth = std::max(depth, Depth(*inner));
    return depth;
}

int TreeDepth::RangeDepth(const CEqExpr& row, int from, int to) {
    from = std::max(from, 0);
    to = std::min(to, row.GetCount());
    int depth = 0;
    for (int i = from; i < to; ++i)
        if (const CEqAtom* atom = row.GetAt(i); atom->IsCompound()) // symbols hold no rows
            depth = std::max(depth, AtomDepth(*atom));
    return depth;
}

bool TreeDepth::Fits(int level, int depth) {
    return level - 1 + depth <= CArchive::kMaxDepth;
}
