// Helpers shared by the Qt tests: answering message boxes from the test,
// finding atoms in the editor's trees, temporary expressions files.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

class CEqAtom;
class CEqExpr;
class CVexlor;
class CVexlorData;
class QWidget;

// Answers the message boxes that open while it lives, one answer each in
// order, and records what they said.
class ModalAnswerer : public QObject {
    Q_OBJECT

  public:
    explicit ModalAnswerer(std::vector<QMessageBox::StandardButton> answers);

    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QStringList buttons;
    };
    const std::vector<Seen>& Boxes() const { return m_seen; }
    QStringList Texts() const;

  private:
    void Poll();

    std::vector<QMessageBox::StandardButton> m_answers;
    std::vector<Seen> m_seen;
    QTimer m_timer;
};

namespace QtTestSupport {
// Shows a top-level widget, waits until it is active and gives it the focus.
bool ShowActive(QWidget* window, QWidget* focus);
// The Windows-1251 text as UTF-8 (for messages and comparisons).
QString FromCp1251(const std::string& bytes);
std::string ToCp1251(const QString& text);
// Writes bytes to a file; false when it could not be written.
bool WriteFile(const QString& path, const std::string& bytes);
std::string ReadFile(const QString& path);
// Every atom in the data's trees, depth first, with its class name.
void ForEachAtom(const CVexlorData& data, const std::function<void(CEqAtom*)>& visit);
std::vector<CEqAtom*> AtomsOfClass(const CVexlorData& data, const char* className);
// The data's linear text, in UTF-8.
QString TextOf(CVexlorData& data);
// Checks every row's tree and the caret; an empty string when all holds.
std::string CheckData(const CVexlorData& data);
} // namespace QtTestSupport
