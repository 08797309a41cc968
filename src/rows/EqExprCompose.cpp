// Structure forming of a row; the passes live in RowComposer.
#include "rows/EqExpr.h"
#include "rows/RowComposer.h"

int CEqExpr::Compose() {
    return RowComposer(*this).Compose();
}
