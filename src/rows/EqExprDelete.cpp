// Backspace and Delete in a row.
#include "rows/EqExpr.h"

// Deleting atoms needs the undo machinery of the editor data; until the row
// has it, deletion keys are reported as not handled.
bool CEqExpr::HandleDeletion(UINT) {
    return false;
}
