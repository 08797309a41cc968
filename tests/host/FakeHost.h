// A host inside the test process: a QLocalServer on a thread of its own, so
// that the editor's blocking start-up wait gets its answers as from a real
// host. A responder decides what the host answers to each frame; the test
// can also push raw bytes, hang up, and read every frame received.
#pragma once

#include <QLocalServer>
#include <QLocalSocket>
#include <QMutex>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/HostFrame.h"
#include "app/HostFrameReader.h"

class FakeHost {
  public:
    // Called on the host's thread for each frame; returns the bytes to
    // answer, or kHangUp to close the connection instead.
    using Responder = std::function<std::string(const HostFrame&)>;
    static const std::string kHangUp;

    struct Script {
        std::string name = "Model";
        std::string topic = "Vexlor";
        bool answerInitiate = true;
        bool serveRequests = true;
        std::string title = "Model 1";
        std::string text = "a = b;\nc = d;";
        // The answer to a poke of "CheckText"; empty for none.
        std::string pokeAnswer;
        // Hang up instead of answering a frame of this type (0: never).
        int hangUpOn = 0;
        // ... or instead of answering a request for this item.
        std::string hangUpOnItem;
    };
    // Standard answers by a script.
    static Responder Scripted(const Script& script);

    // Answers by the default script.
    FakeHost();
    explicit FakeHost(Responder responder);
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // Listens at path; false when it cannot.
    bool Listen(const QString& path);
    // Writes bytes to the connected editor.
    void SendRaw(const std::string& bytes);
    // Closes the connection to the editor.
    void HangUp();

    std::vector<HostFrame> Received() const;
    bool HasType(HostFrame::Type type) const;
    // The editor connected at some time.
    bool Connected() const;
    // The editor closed its end.
    bool EditorClosed() const;
    // The editor sent bytes that were no frame.
    bool SawBrokenFrame() const;

  private:
    QThread m_thread;
    std::unique_ptr<QObject> m_pContext; // lives on m_thread
    QLocalServer* m_pServer = nullptr;
    QLocalSocket* m_pEditor = nullptr;
    HostFrameReader m_reader;
    Responder m_responder;

    mutable QMutex m_mutex;
    std::vector<HostFrame> m_received;
    bool m_bConnected = false;
    bool m_bEditorClosed = false;
    bool m_bBroken = false;

    void RunOnThread(const std::function<void()>& work);
    void OnNewConnection();
    void OnReadyRead();
};
