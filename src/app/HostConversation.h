// The editor's conversation with its host: the editor is the client. It
// opens the conversation with the host named by /N, fetches the caption
// and the text, hands the edited text over for checking on Save, shows the
// host's verdict, asks the host for help, and says goodbye when it ends.
// Every decision the frame's Save, Save and Exit, Exit without saving,
// close and Get help need from the conversation is made here.
//
// States (m_bConnected stands for the host's server window):
//
//   state              connected  initiating  text accepted  error shown
//   No conversation    no         no          yes            no
//   Initiating         no         yes         yes            no
//   Idle               yes        no          yes            no
//   Check pending      yes        no          no             no
//   Error shown        yes        no          no             yes
//
// A lost connection (the host hangs up, dies, sends TERMINATE or a broken
// frame, or a frame cannot be written) ends the conversation: back to No
// conversation, Get help disabled, a pending check no longer holds the
// window open, and the user is told in the message pane.
//
// Who calls what:
//
// The connection's owner (HostLink on Qt):
//   Begin(name)          at the end of the frame's creation, /N given
//   Opened()             the connection is up: sends INITIATE
//   OpenFailed()         no host to talk to: silently no conversation
//   Receive(bytes)       bytes from the host
//   ConnectionLost()     the host hung up
//   IsStartupPending()   whether the start-up wait should go on
//   End()                the frame is destroyed: TERMINATE, hang up
//
// The frame:
//   IsConnected()        Get help is enabled exactly when it is true
//   ShowHelp()           the Get help command (F1)
//   Save(...)            Save, after writing the file (if any)
//   CloseAfterSave(...)  Save and Exit after its Save; Yes on the save
//                        question after its Save
//   ExitWithoutSaving()  Exit without saving, before its close
//   QueryClose()         closing with data that is not modified
#pragma once

#include <string>

#include "app/HostFrame.h"
#include "app/HostFrameReader.h"

class HostFrameSide;
class HostTransport;

class HostConversation {
  public:
    // Neither is owned; both must outlive the conversation or End().
    HostConversation(HostFrameSide* frame, HostTransport* transport);

    // --- The connection's owner ---

    // Starts the conversation with the host named serverName (Windows-1251):
    // the caption gets " - для NAME DDE-сервера" and the state becomes
    // Initiating. Nothing happens for an empty name.
    void Begin(const std::string& serverName);
    // The connection to the host is up: sends INITIATE.
    void Opened();
    // No host could be reached: the state becomes No conversation, silently.
    void OpenFailed();
    // Bytes from the host, in any pieces. Each complete frame is handled in
    // order; a broken stream ends the conversation. DATA before the answer
    // to INITIATE is ignored.
    void Receive(const char* data, size_t size);
    void Receive(const std::string& bytes) { Receive(bytes.data(), bytes.size()); }
    // The host closed the connection, or it broke.
    void ConnectionLost();
    // True while the connection is open and the editor still waits for the
    // answer to INITIATE or for the "GetTitle" and "GetText" replies.
    bool IsStartupPending() const;
    // Sends TERMINATE when the connection is open and closes it. The frame
    // is not called from here on.
    void End();

    // --- The frame ---

    // A conversation is open (the host answered INITIATE).
    bool IsConnected() const { return m_bConnected; }
    // Get help: sends EXECUTE "[showhelp]"; nothing without a conversation.
    void ShowHelp();
    // Save's share with the host, after the frame wrote the file. hasFileName
    // tells whether /F named a file, fileWritten whether writing it worked,
    // text is GetText() of a working copy of the editor's data. With a
    // conversation the text goes to the host for checking. Returns whether
    // the save counts as done (the file was written or the host has the
    // text): then the message pane has been cleared here and the frame
    // clears the undo history. A text that could not be sent
    // makes no save done and leaves a notice in the message pane.
    bool Save(const std::string& text, bool hasFileName, bool fileWritten);
    // After Save and Exit's save, or after the save that Yes on the save
    // question ran: from now on the host's acceptance closes the frame.
    // Returns true when the frame may close at once: the data no longer
    // counts as modified and there is no conversation to wait for.
    bool CloseAfterSave(bool modified);
    // Exit without saving: whatever the host was checking is forgotten.
    void ExitWithoutSaving();
    // Closing when the data is not modified: true when the frame may close.
    // With an error verdict on show asks "Вы уверены?"; with a check pending
    // refuses silently.
    bool QueryClose();

    // --- State, for the frame's update handlers and for tests ---
    const std::string& ServerName() const { return m_strServerName; }
    bool IsInitiating() const { return m_bInitiating; }
    bool IsErrorShown() const { return m_bErrorShown; }
    bool IsTextAccepted() const { return m_bTextAccepted; }
    bool IsCloseWhenAccepted() const { return m_bCloseWhenAccepted; }
    bool IsLinkOpen() const { return m_bLinkOpen; }

    // Names on the wire.
    static const char kTopic[];
    static const char kGetTitle[];
    static const char kGetText[];
    static const char kCheckText[];
    static const char kCheckTextOK[];
    static const char kCheckTextError[];
    static const char kShowHelp[];

  private:
    enum class Loss { kHungUp, kBadFrame };
    enum class Delivery { kNoHost, kSent, kFailed };

    HostFrameSide* m_pFrame;
    HostTransport* m_pTransport;
    HostFrameReader m_reader;

    std::string m_strServerName;
    bool m_bConnected = false;
    bool m_bInitiating = false;
    bool m_bErrorShown = false;
    bool m_bTextAccepted = true;
    bool m_bCloseWhenAccepted = false;
    bool m_bLinkOpen = false;
    bool m_bEnded = false;
    bool m_bAwaitingTitle = false;
    bool m_bAwaitingText = false;

    void Handle(const HostFrame& frame);
    void OnInitiateAnswer(const HostFrame& frame);
    void OnAcknowledge(const HostFrame& frame);
    void OnData(const HostFrame& frame);
    void InstallMarkedText(const std::string& text);
    Delivery SendForCheck(const std::string& text);
    bool Send(const HostFrame& frame);
    void Lose(Loss loss);
};
