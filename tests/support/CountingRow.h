// A row whose Compose reports a fixed count and, when given a log, notes
// that count there each time it runs, so tests see what an atom composed
// and in which order.
#pragma once

#include <vector>

#include "rows/EqExpr.h"

class CountingRow : public CEqExpr {
  public:
    CountingRow(CEqOwner* owner, int formed, std::vector<int>* log = nullptr);
    int Compose() override;

  private:
    int m_nFormed;
    std::vector<int>* m_pLog;
};
