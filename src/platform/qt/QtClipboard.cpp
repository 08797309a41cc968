#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/QtText.h"

CQtClipboard::CQtClipboard(QClipboard* clipboard) : m_pClipboard(clipboard) {}

QString CQtClipboard::PrivateMimeType() {
    return QStringLiteral("application/x-qt-windows-mime;value=\"Vexlor format\"");
}

QClipboard* CQtClipboard::Clipboard() const {
    if (m_pClipboard)
        return m_pClipboard;
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

const char* const CQtClipboard::kMathMLMimeTypes[2] = {"application/mathml-presentation+xml",
                                                       "application/mathml+xml"};

bool CQtClipboard::SetFragment(const Fragment& fragment) {
    QClipboard* clipboard = Clipboard();
    if (!clipboard)
        return false;
    auto* data = new QMimeData;
    data->setData(PrivateMimeType(),
                  QByteArray(reinterpret_cast<const char*>(fragment.block.data()),
                             static_cast<qsizetype>(fragment.block.size())));
    data->setText(QtText::FromCp1251(fragment.text));
    QByteArray mathml = QByteArray::fromStdString(fragment.mathml);
    for (const char* type : kMathMLMimeTypes)
        data->setData(QString::fromLatin1(type), mathml);
    clipboard->setMimeData(data);
    return true;
}

bool CQtClipboard::SetUnicodeText(const std::string& utf8) {
    QClipboard* clipboard = Clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(QString::fromStdString(utf8));
    return true;
}

bool CQtClipboard::GetUnicodeText(std::string* utf8) const {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!utf8 || !data || !data->hasText())
        return false;
    *utf8 = data->text().toStdString();
    return true;
}

bool CQtClipboard::SetPrivate(const std::vector<uint8_t>& block) {
    QClipboard* clipboard = Clipboard();
    if (!clipboard)
        return false;
    auto* data = new QMimeData;
    data->setData(PrivateMimeType(), QByteArray(reinterpret_cast<const char*>(block.data()),
                                                static_cast<qsizetype>(block.size())));
    clipboard->setMimeData(data);
    return true;
}

bool CQtClipboard::HasPrivate() const {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasFormat(PrivateMimeType());
}

bool CQtClipboard::HasText() const {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

bool CQtClipboard::GetPrivate(std::vector<uint8_t>* block) const {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!block || !data || !data->hasFormat(PrivateMimeType()))
        return false;
    QByteArray bytes = data->data(PrivateMimeType());
    block->assign(bytes.begin(), bytes.end());
    return true;
}

bool CQtClipboard::GetText(std::string* text) const {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!text || !data || !data->hasText())
        return false;
    *text = QtText::ToCp1251(data->text());
    return true;
}
