// The application: Russian texts in the standard dialogs, the main frame
// made from the user's command line, and the commands the frame leaves to
// the application (about, exit).
#pragma once

#include <QApplication>
#include <QTranslator>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;

class CEqApp : public QApplication {
    Q_OBJECT

  public:
    CEqApp(int& argc, char** argv);
    ~CEqApp() override;

    // Creates the main frame from the arguments after the program's name
    // (joined and parsed as the host's command line), loads it and shows it.
    // False when the frame could not be made.
    bool InitInstance(const std::vector<std::string>& args);
    CMainFrame* GetMainFrame() const { return m_pMainWnd.get(); }

    // About and exit; false for any other id.
    bool OnCmdMsg(int id, CMainFrame* frame);
    void OnAppAbout(QWidget* parent);

    // Whether Qt's Russian texts were found and installed.
    bool HasTranslation() const { return m_bTranslated; }

  private:
    QTranslator m_translator;
    bool m_bTranslated = false;
    std::unique_ptr<CMainFrame> m_pMainWnd;
};
