// The about box: the title with the product version, and the copyright.
#pragma once

#include <QDialog>
#include <QLabel>

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // "1, 1, 15, 0" as the version resource writes it becomes "1.1.15.0".
    static QString DisplayVersion(const QString& productVersion);

    QString m_strVersion;
    QString m_strLegal;

  private:
    void OnInitDialog();

    QLabel m_version; // control 1004
    QLabel m_legal;   // control 1006
};
