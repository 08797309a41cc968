// The connection to the host over a Unix-domain stream socket, and the
// conversation that runs over it. The frame owns one HostLink, opens it at
// the end of its creation and lets it end when its window is destroyed;
// every other call goes to Conversation().
//
// Open(name): the caption gets the conversation suffix; the link connects
// to the socket of host name (see HostSocketPath) when its folder is safe
// and its peer runs as the same user, sends INITIATE, and waits up to two
// seconds for the host's answer and its "GetTitle" and "GetText" replies,
// so that a prompt host's caption and text are in place before the window
// shows. Whatever comes later is handled as it arrives, from the event
// loop. Without a host to talk to the editor works without a conversation.
//
// Single-threaded: everything runs on the thread that owns the link.
#pragma once

#include <QLocalSocket>
#include <memory>
#include <string>

#include "app/HostConversation.h"
#include "app/HostTransport.h"

class HostFrameSide;

class HostLink : public HostTransport {
  public:
    // How long Open waits for the host at start-up.
    static constexpr int kStartupWaitMsec = 2000;
    // How long closing waits for queued bytes to leave.
    static constexpr int kFlushWaitMsec = 1000;

    explicit HostLink(HostFrameSide* frame);
    ~HostLink() override;
    HostLink(const HostLink&) = delete;
    HostLink& operator=(const HostLink&) = delete;

    // Opens the conversation with host serverName (Windows-1251, the /N
    // value). Nothing happens for an empty name.
    void Open(const std::string& serverName);
    // Sends TERMINATE and hangs up; the frame is not called afterwards.
    // Also done by the destructor.
    void End();

    HostConversation& Conversation() { return m_conversation; }
    const HostConversation& Conversation() const { return m_conversation; }

    // HostTransport.
    bool Send(const std::string& bytes) override;
    void Close() override;

  private:
    std::unique_ptr<QLocalSocket> m_pSocket;
    HostConversation m_conversation;

    bool Connect(const std::string& serverName);
    void WaitForStartup();
    void ReadAvailable();
    void OnDisconnected();
};
