// One message of the conversation with the host and its wire form.
//
// A frame is a 32-bit little-endian length of the rest of the frame, one
// message byte, then the message's fields. A string field is a 32-bit
// little-endian byte count and that many bytes (Windows-1251, no
// terminator); a word field is 16 bits, little-endian.
//
//   byte  message    fields                      held in
//   1     INITIATE   application, topic          m_strName, m_strText
//   2     ACK        name1, name2, status word   m_strName, m_strText, m_nWord
//   3     REQUEST    format word, item           m_nWord, m_strName
//   4     DATA       item, data                  m_strName, m_strText
//   5     POKE       item, data                  m_strName, m_strText
//   6     EXECUTE    command                     m_strName
//   7     TERMINATE  (none)
//
// The length counts the message byte and the fields; it is at most
// kMaxLength. HostFrameReader decodes frames.
#pragma once

#include <cstdint>
#include <string>

class HostFrame {
  public:
    enum Type : uint8_t {
        kInitiate = 1,
        kAck = 2,
        kRequest = 3,
        kData = 4,
        kPoke = 5,
        kExecute = 6,
        kTerminate = 7,
    };

    // The largest length field accepted: 16 MiB.
    static constexpr uint32_t kMaxLength = 16u * 1024u * 1024u;
    // Size of the length field in front of every frame.
    static constexpr size_t kHeaderSize = 4;
    // The format word of a text request.
    static constexpr uint16_t kFormatText = 1;

    Type m_nType = kTerminate;
    std::string m_strName;
    std::string m_strText;
    uint16_t m_nWord = 0;

    static HostFrame Initiate(const std::string& application, const std::string& topic);
    static HostFrame Ack(const std::string& name1, const std::string& name2, uint16_t status);
    static HostFrame Request(const std::string& item, uint16_t format = kFormatText);
    static HostFrame Data(const std::string& item, const std::string& data);
    static HostFrame Poke(const std::string& item, const std::string& data);
    static HostFrame Execute(const std::string& command);
    static HostFrame Terminate();

    static bool IsKnownType(uint8_t byte) { return byte >= kInitiate && byte <= kTerminate; }
    // "INITIATE", "ACK", ... for logs; "?" for a byte that names no message.
    static const char* TypeName(uint8_t byte);

    // The whole frame, length field included. Empty when its length would
    // exceed kMaxLength: such a frame cannot be sent.
    std::string Encode() const;
    // The length field the frame would carry (without the limit).
    uint64_t BodyLength() const;

    bool operator==(const HostFrame& other) const = default;

  private:
    static void PutWord(std::string* out, uint16_t value);
    static void PutLong(std::string* out, uint32_t value);
    static void PutString(std::string* out, const std::string& value);
};
