// Structural checks and builders shared by the tests.
#pragma once

#include <memory>
#include <string>

#include "editor/VexlorData.h"
#include "platform/HeadlessWindow.h"
#include "rows/EqExpr.h"

// The program's own tree checks (TreeInvariant), under the names the tests
// use: a row and everything below it; empty when all holds.
std::string CheckTree(const CEqExpr& row, CEqOwner* owner);

// The whole top row around the current row, and the caret and anchor in
// 0 .. n-1 of the current row.
std::string CheckCaret(const CVexlorData& data);

// A headless window with editor data attached to it.
struct TestEditor {
    TestEditor();
    explicit TestEditor(CDC* dc);
    ~TestEditor();
    // A new empty row owned by this data (the caller owns the row).
    CEqExpr* NewRow() const;
    // A row holding one symbol per byte of text.
    CEqExpr* RowOf(const std::string& text) const;
    // Measures and places a row at (0, 0) like the editor's layout pass.
    void Layout(CEqExpr* row, int x = 0, int y = 0) const;

    std::unique_ptr<CHeadlessWindow> wnd;
    std::unique_ptr<CVexlorData> data;
};
