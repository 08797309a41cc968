#include "QtTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

#include "TreeCheck.h"
#include "editor/VexlorData.h"
#include "elements/EqAtom.h"
#include "platform/qt/QtText.h"
#include "rows/EqExpr.h"

ModalAnswerer::ModalAnswerer(std::vector<QMessageBox::StandardButton> answers)
    : m_answers(std::move(answers)) {
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::Poll);
    m_timer.start(10);
}

QStringList ModalAnswerer::Texts() const {
    QStringList texts;
    for (const Seen& seen : m_seen)
        texts << seen.text;
    return texts;
}

void ModalAnswerer::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    Seen seen{box->windowTitle(), box->text(), box->icon(), {}};
    for (QAbstractButton* button : box->buttons())
        seen.buttons << button->text();
    m_seen.push_back(seen);
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    if (m_seen.size() <= m_answers.size())
        answer = m_answers[m_seen.size() - 1];
    QAbstractButton* button = box->button(answer);
    if (!button)
        button = box->escapeButton();
    if (button)
        button->click();
    else
        box->reject();
}

namespace QtTestSupport {

bool ShowActive(QWidget* window, QWidget* focus) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return false;
    if (focus)
        focus->setFocus();
    QApplication::processEvents();
    return !focus || focus->hasFocus();
}

QString FromCp1251(const std::string& bytes) {
    return QtText::FromCp1251(bytes);
}
std::string ToCp1251(const QString& text) {
    return QtText::ToCp1251(text);
}

bool WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
}

std::string ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

namespace {
void VisitRow(CEqExpr* row, const std::function<void(CEqAtom*)>& visit) {
    for (int i = 0; i < row->GetCount(); ++i) {
        CEqAtom* atom = row->GetAt(i);
        visit(atom);
        for (int r = 0; r < atom->GetRowCount(); ++r) {
            if (CEqExpr* inner = atom->GetRow(r))
                VisitRow(inner, visit);
        }
    }
}
} // namespace

void ForEachAtom(const CVexlorData& data, const std::function<void(CEqAtom*)>& visit) {
    for (CEqExpr* row : data.Rows())
        VisitRow(row, visit);
}

std::vector<CEqAtom*> AtomsOfClass(const CVexlorData& data, const char* className) {
    std::vector<CEqAtom*> atoms;
    ForEachAtom(data, [&](CEqAtom* atom) {
        if (atom->IsClass(className))
            atoms.push_back(atom);
    });
    return atoms;
}

QString TextOf(CVexlorData& data) {
    return QtText::FromCp1251(data.GetText());
}

std::string CheckData(const CVexlorData& data) {
    for (CEqExpr* row : data.Rows()) {
        std::string fault = CheckTree(*row, const_cast<CVexlorData*>(&data));
        if (!fault.empty())
            return fault;
    }
    return CheckCaret(data);
}

} // namespace QtTestSupport
