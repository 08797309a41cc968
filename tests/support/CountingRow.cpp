#include "CountingRow.h"

CountingRow::CountingRow(CEqOwner* owner, int formed, std::vector<int>* log)
    : CEqExpr(owner), m_nFormed(formed), m_pLog(log) {
    Clear();
}

int CountingRow::Compose() {
    if (m_pLog)
        m_pLog->push_back(m_nFormed);
    return m_nFormed;
}
