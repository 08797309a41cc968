#include "app/TextInstaller.h"

#include "editor/VexlorData.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

namespace {
// "Выражение " in Windows-1251.
const char kExpression[] = "\xC2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE5 ";
} // namespace

std::string TextInstaller::StatusText(int line, const std::string& message) {
    return kExpression + std::to_string(line + 1) + ": " + message;
}

std::string TextInstaller::Install(std::unique_ptr<CVexlorData>& data, CEqWindow* wnd,
                                   const std::string& text, int line, const std::string& message) {
    // 1. The text goes into a document of its own, 2. which then takes the
    // old one's place.
    auto loaded = std::make_unique<CVexlorData>();
    loaded->Reset();
    loaded->LoadText(text);
    loaded->Settle();
    data.reset();
    data = std::move(loaded);
    data->SetWindow(wnd);
    if (wnd)
        wnd->Invalidate(true);
    if (line < 0)
        return {};
    if (line < static_cast<int>(data->Rows().size())) {
        data->SetCurRowIndex(line);
        CEqExpr* row = data->Rows()[static_cast<size_t>(line)];
        data->SetSelection(row, 0, row->GetCount() - 1);
    }
    std::string status = StatusText(line, message);
    if (wnd)
        wnd->SetStatusMessage(status, true);
    return status;
}
