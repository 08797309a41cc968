#include "app/qt/AboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/qt/StringTable.h"
#include "app/qt/ToolbarIcons.h"

#ifndef VEXLOR_PRODUCT_VERSION
#error "VEXLOR_PRODUCT_VERSION comes from the project version in CMakeLists.txt"
#endif

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    auto* icon = new QLabel(this);
    icon->setPixmap(ToolbarIcons::AppIcon().pixmap(32, 32));
    m_version.setObjectName(QStringLiteral("version"));
    m_legal.setObjectName(QStringLiteral("legal"));
    auto* texts = new QVBoxLayout;
    texts->addWidget(&m_version);
    texts->addWidget(&m_legal);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    OnInitDialog();
}

QString CAboutDlg::DisplayVersion(const QString& productVersion) {
    QString version = productVersion;
    version.replace(QLatin1Char(','), QLatin1Char('.'));
    version.remove(QLatin1Char(' '));
    return version;
}

void CAboutDlg::OnInitDialog() {
    setWindowTitle(StringTable::AboutCaption());
    m_strVersion = StringTable::AppTitle() + StringTable::VersionWord() +
                   DisplayVersion(QStringLiteral(VEXLOR_PRODUCT_VERSION));
    m_strLegal = StringTable::Copyright();
    m_version.setText(m_strVersion);
    m_legal.setText(m_strLegal);
}
