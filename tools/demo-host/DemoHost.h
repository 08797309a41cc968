// A small host for trying the editor and for tests: it listens as host
// NAME, answers the editor's INITIATE, serves "GetTitle" and "GetText" from
// its file, checks every text poked as "CheckText" (TextChecker), writes an
// accepted text to its file and acknowledges "CheckTextOK", and answers
// "[showhelp]" by printing a short help to standard output. It serves one
// editor and quits when that editor ends. Every frame is logged to
// standard error.
#pragma once

#include <QLocalServer>
#include <QLocalSocket>
#include <QString>
#include <string>

#include "app/HostFrame.h"
#include "app/HostFrameReader.h"

class DemoHost {
  public:
    // Exit codes: the editor said TERMINATE; it went away without saying
    // so; it sent a broken frame; the host could not listen.
    enum ExitCode { kTerminated = 0, kVanished = 3, kBadFrame = 4, kCannotListen = 5 };

    // name and title are Windows-1251; file is the expressions file.
    DemoHost(const std::string& name, const std::string& title, const QString& file);

    // Listens at the socket of name; false, with the reason on standard
    // error, when it cannot.
    bool Listen();

  private:
    std::string m_strName;
    std::string m_strTitle;
    QString m_strFile;
    QLocalServer m_server;
    QLocalSocket* m_pEditor = nullptr;
    HostFrameReader m_reader;

    void OnNewConnection();
    void OnReadyRead();
    void OnDisconnected();
    void Handle(const HostFrame& frame);
    void OnInitiate(const HostFrame& frame);
    void OnRequest(const HostFrame& frame);
    void OnPoke(const HostFrame& frame);
    void OnExecute(const HostFrame& frame);
    void Reply(const HostFrame& frame);
    void Quit(ExitCode code);
    std::string ReadFile() const;
    bool WriteFile(const std::string& text) const;
    static void Log(const char* direction, const HostFrame& frame);
    static std::string Shown(const std::string& text);
};
