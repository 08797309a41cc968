#include "app/qt/EqApp.h"

#include <QLibraryInfo>

#include "app/CommandLine.h"
#include "app/qt/AboutDlg.h"
#include "app/qt/MainFrame.h"
#include "app/qt/StringTable.h"
#include "editor/qt/CommandIds.h"

CEqApp::CEqApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(StringTable::AppTitle());
    setOrganizationName(QStringLiteral("Zentrik"));
    setDesktopFileName(QStringLiteral("vexlor"));
    m_bTranslated = m_translator.load(QStringLiteral("qtbase_ru"),
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (m_bTranslated)
        installTranslator(&m_translator);
}

CEqApp::~CEqApp() {
    m_pMainWnd.reset();
}

bool CEqApp::InitInstance(const std::vector<std::string>& args) {
    m_pMainWnd = std::make_unique<CMainFrame>(this);
    CommandLine commandLine = CommandLine::FromArguments(args, CommandLine::IsExistingFile);
    m_pMainWnd->ApplyCommandLine(commandLine);
    if (!m_pMainWnd->LoadFrame())
        return false;
    m_pMainWnd->RestoreWindowSettings();
    if (commandLine.m_bTopmost)
        m_pMainWnd->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_pMainWnd->show();
    return true;
}

bool CEqApp::OnCmdMsg(int id, CMainFrame* frame) {
    switch (id) {
    case ID_APP_ABOUT:
        OnAppAbout(frame);
        return true;
    case ID_APP_EXIT:
        if (frame)
            frame->close();
        return true;
    default:
        return false;
    }
}

void CEqApp::OnAppAbout(QWidget* parent) {
    CAboutDlg dialog(parent);
    dialog.exec();
}
