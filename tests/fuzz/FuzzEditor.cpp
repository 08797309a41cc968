#include "FuzzEditor.h"

#include <cstdio>
#include <cstdlib>

#include "TreeCheck.h"
#include "rows/EqExpr.h"

const char FuzzEditor::kSmallModel[] = "x[1] = a/b + sqrt(y**2);\n"
                                       "d(v)/dt = (F - k*v)/m;  -- motion\n"
                                       "d2(s)/dt = abs(v) + f[i,j];";

FuzzEditor::FuzzEditor(const std::string& text, bool marked) {
    if (marked) {
        m_editor.Install(text);
        return;
    }
    Data().Reset();
    Data().LoadText(text);
    m_editor.PaintPass();
}

void FuzzEditor::Require(bool ok, const std::string& what) {
    if (ok)
        return;
    std::fprintf(stderr, "property broken: %s\n", what.c_str());
    std::abort();
}

FuzzEditor::Bytes FuzzEditor::Model() {
    Bytes all;
    for (size_t i = 0; i < Data().Rows().size(); ++i) {
        Bytes row = Data().RowImage(i);
        all.insert(all.end(), row.begin(), row.end());
    }
    return all;
}

void FuzzEditor::CheckInvariant(const std::string& when) {
    for (size_t i = 0; i < Data().Rows().size(); ++i) {
        std::string why = CheckTree(*Data().Rows()[i], &Data());
        Require(why.empty(), when + ": row " + std::to_string(i) + ": " + why);
    }
    std::string why = CheckCaret(Data());
    Require(why.empty(), when + ": " + why);
}

void FuzzEditor::CheckImageRoundTrip(const std::string& when) {
    Bytes image = Image();
    BatchEditor fresh;
    Require(fresh.Data().ReadSnapshot(image), when + ": the editor's own image does not load");
    Require(fresh.Data().WriteSnapshot() == image, when + ": the image changes when reloaded");
}
