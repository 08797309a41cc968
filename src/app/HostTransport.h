// The connection to the host as the conversation sees it: bytes out and a
// way to hang up. Bytes in and the loss of the connection are reported to
// HostConversation by whoever owns the connection (Receive, ConnectionLost).
#pragma once

#include <string>

class HostTransport {
  public:
    virtual ~HostTransport() = default;

    // Queues bytes for the host. False when the connection is gone (or
    // turned out to be gone while writing); the bytes then reached no one.
    virtual bool Send(const std::string& bytes) = 0;
    // Hands over what is still queued (waiting briefly) and closes the
    // connection for good. Reports nothing back to the conversation.
    virtual void Close() = 0;
};
