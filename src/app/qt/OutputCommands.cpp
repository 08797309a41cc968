#include "app/qt/OutputCommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "app/qt/FormulaExport.h"
#include "editor/VexlorData.h"
#include "editor/qt/Vexlor.h"

namespace {
constexpr int kCancelled = -2;
} // namespace

int OutputCommands::AskWhat(QWidget* parent, CVexlor& view) {
    const CVexlorData* data = view.GetData();
    if (data->Rows().size() < 2)
        return -1;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Экспорт"),
                    QStringLiteral("Экспортировать все выражения или только текущее?"),
                    QMessageBox::Cancel, parent);
    QPushButton* all = box.addButton(QStringLiteral("Все выражения"), QMessageBox::AcceptRole);
    QPushButton* current =
        box.addButton(QStringLiteral("Текущее выражение"), QMessageBox::AcceptRole);
    box.setDefaultButton(all);
    box.exec();
    if (box.clickedButton() == all)
        return -1;
    return box.clickedButton() == current ? data->CurRowIndex() : kCancelled;
}

// 1. The file, its extension taken from the chosen type when it has none.
// 2. The whole model or the current expression.
// 3. The file is written; a failure is said.
void OutputCommands::Export(QWidget* parent, CVexlor& view) {
    QString filter;
    QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Экспорт"), QString(),
        QStringLiteral("SVG (*.svg);;PNG (*.png);;PDF (*.pdf)"), &filter);
    if (path.isEmpty())
        return;
    if (FormulaExport::FormatOf(path) == FormulaExport::Format::kNone &&
        QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + filter.left(3).toLower();
    int expression = AskWhat(parent, view);
    if (expression == kCancelled)
        return;
    QString error;
    if (!FormulaExport::Write(view, path, view.GetZoom() / 100.0, expression, &error))
        QMessageBox::warning(parent, QStringLiteral("Экспорт"), error);
}

bool OutputCommands::PrintOn(QPrinter* printer, CVexlor& view, bool currentOnly) {
    int expression = currentOnly ? view.GetData()->CurRowIndex() : -1;
    return FormulaExport::PaintPages(view, printer, expression);
}

void OutputCommands::Print(QWidget* parent, CVexlor& view) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    bool currentOnly = printer.printRange() == QPrinter::Selection;
    if (!PrintOn(&printer, view, currentOnly))
        QMessageBox::warning(parent, QStringLiteral("Печать"),
                             QStringLiteral("Печать не удалась."));
}
