#include "app/HostFrame.h"

namespace {
constexpr uint64_t kWordSize = 2;
constexpr uint64_t kCountSize = 4;

HostFrame Make(HostFrame::Type type, const std::string& name, const std::string& text,
               uint16_t word) {
    HostFrame frame;
    frame.m_nType = type;
    frame.m_strName = name;
    frame.m_strText = text;
    frame.m_nWord = word;
    return frame;
}
} // namespace

HostFrame HostFrame::Initiate(const std::string& application, const std::string& topic) {
    return Make(kInitiate, application, topic, 0);
}

HostFrame HostFrame::Ack(const std::string& name1, const std::string& name2, uint16_t status) {
    return Make(kAck, name1, name2, status);
}

HostFrame HostFrame::Request(const std::string& item, uint16_t format) {
    return Make(kRequest, item, {}, format);
}

HostFrame HostFrame::Data(const std::string& item, const std::string& data) {
    return Make(kData, item, data, 0);
}

HostFrame HostFrame::Poke(const std::string& item, const std::string& data) {
    return Make(kPoke, item, data, 0);
}

HostFrame HostFrame::Execute(const std::string& command) {
    return Make(kExecute, command, {}, 0);
}

HostFrame HostFrame::Terminate() {
    return Make(kTerminate, {}, {}, 0);
}

const char* HostFrame::TypeName(uint8_t byte) {
    static const char* const kNames[] = {"?",    "INITIATE", "ACK",     "REQUEST",
                                         "DATA", "POKE",     "EXECUTE", "TERMINATE"};
    return IsKnownType(byte) ? kNames[byte] : kNames[0];
}

uint64_t HostFrame::BodyLength() const {
    const uint64_t name = kCountSize + m_strName.size();
    const uint64_t text = kCountSize + m_strText.size();
    switch (m_nType) {
    case kInitiate:
    case kData:
    case kPoke:
        return 1 + name + text;
    case kAck:
        return 1 + name + text + kWordSize;
    case kRequest:
        return 1 + kWordSize + name;
    case kExecute:
        return 1 + name;
    case kTerminate:
        break;
    }
    return 1;
}

std::string HostFrame::Encode() const {
    const uint64_t length = BodyLength();
    if (length > kMaxLength)
        return {};
    std::string out;
    out.reserve(kHeaderSize + length);
    PutLong(&out, static_cast<uint32_t>(length));
    out.push_back(static_cast<char>(m_nType));
    switch (m_nType) {
    case kInitiate:
    case kData:
    case kPoke:
        PutString(&out, m_strName);
        PutString(&out, m_strText);
        break;
    case kAck:
        PutString(&out, m_strName);
        PutString(&out, m_strText);
        PutWord(&out, m_nWord);
        break;
    case kRequest:
        PutWord(&out, m_nWord);
        PutString(&out, m_strName);
        break;
    case kExecute:
        PutString(&out, m_strName);
        break;
    case kTerminate:
        break;
    }
    return out;
}

void HostFrame::PutWord(std::string* out, uint16_t value) {
    out->push_back(static_cast<char>(value & 0xFF));
    out->push_back(static_cast<char>(value >> 8));
}

void HostFrame::PutLong(std::string* out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out->push_back(static_cast<char>((value >> shift) & 0xFF));
}

void HostFrame::PutString(std::string* out, const std::string& value) {
    PutLong(out, static_cast<uint32_t>(value.size()));
    out->append(value);
}
