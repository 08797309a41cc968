#include "app/HostFrameReader.h"

namespace {
// Reads fields from one frame's body, never past its end.
class FieldCursor {
  public:
    FieldCursor(const char* data, size_t size) : m_pData(data), m_nSize(size) {}

    bool ReadWord(uint16_t* value) {
        if (m_nSize - m_nPos < 2)
            return false;
        *value = static_cast<uint16_t>(Byte(0) | (Byte(1) << 8));
        m_nPos += 2;
        return true;
    }

    bool ReadString(std::string* value) {
        if (m_nSize - m_nPos < 4)
            return false;
        const uint32_t count = Byte(0) | (Byte(1) << 8) | (Byte(2) << 16) | (Byte(3) << 24);
        m_nPos += 4;
        if (count > m_nSize - m_nPos)
            return false;
        value->assign(m_pData + m_nPos, count);
        m_nPos += count;
        return true;
    }

    bool AtEnd() const { return m_nPos == m_nSize; }

  private:
    const char* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;

    uint32_t Byte(size_t offset) const { return static_cast<uint8_t>(m_pData[m_nPos + offset]); }
};
} // namespace

void HostFrameReader::Feed(const char* data, size_t size) {
    if (m_bFailed || data == nullptr || size == 0)
        return;
    m_buffer.append(data, size);
}

HostFrameReader::Result HostFrameReader::Next(HostFrame* frame) {
    if (m_bFailed)
        return kError;
    // 1. The length field: complain at once when it cannot be right.
    if (Pending() < HostFrame::kHeaderSize)
        return kNeedMore;
    const uint32_t length = PeekLength();
    if (length == 0 || length > HostFrame::kMaxLength)
        return Fail();
    // 2. The message byte, as soon as it is there.
    if (Pending() < HostFrame::kHeaderSize + 1)
        return kNeedMore;
    const uint8_t type = static_cast<uint8_t>(m_buffer[m_nStart + HostFrame::kHeaderSize]);
    if (!HostFrame::IsKnownType(type))
        return Fail();
    // 3. The whole frame, whose fields must fill it exactly.
    if (Pending() < HostFrame::kHeaderSize + length)
        return kNeedMore;
    HostFrame parsed;
    parsed.m_nType = static_cast<HostFrame::Type>(type);
    const char* body = m_buffer.data() + m_nStart + HostFrame::kHeaderSize + 1;
    if (!ParseFields(body, length - 1, &parsed))
        return Fail();
    Consume(HostFrame::kHeaderSize + length);
    if (frame)
        *frame = std::move(parsed);
    return kFrame;
}

HostFrameReader::Result HostFrameReader::Fail() {
    m_bFailed = true;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_nStart = 0;
    return kError;
}

uint32_t HostFrameReader::PeekLength() const {
    uint32_t value = 0;
    for (size_t i = 0; i < HostFrame::kHeaderSize; ++i)
        value |= static_cast<uint32_t>(static_cast<uint8_t>(m_buffer[m_nStart + i])) << (8 * i);
    return value;
}

void HostFrameReader::Consume(size_t size) {
    m_nStart += size;
    // Drop handed-out bytes once they are the larger part of the buffer.
    if (m_nStart == m_buffer.size()) {
        m_buffer.clear();
        m_nStart = 0;
    } else if (m_nStart > m_buffer.size() / 2) {
        m_buffer.erase(0, m_nStart);
        m_nStart = 0;
    }
}

bool HostFrameReader::ParseFields(const char* body, size_t size, HostFrame* frame) {
    FieldCursor cursor(body, size);
    bool ok = true;
    switch (frame->m_nType) {
    case HostFrame::kInitiate:
    case HostFrame::kData:
    case HostFrame::kPoke:
        ok = cursor.ReadString(&frame->m_strName) && cursor.ReadString(&frame->m_strText);
        break;
    case HostFrame::kAck:
        ok = cursor.ReadString(&frame->m_strName) && cursor.ReadString(&frame->m_strText) &&
             cursor.ReadWord(&frame->m_nWord);
        break;
    case HostFrame::kRequest:
        ok = cursor.ReadWord(&frame->m_nWord) && cursor.ReadString(&frame->m_strName);
        break;
    case HostFrame::kExecute:
        ok = cursor.ReadString(&frame->m_strName);
        break;
    case HostFrame::kTerminate:
        break;
    }
    return ok && cursor.AtEnd();
}
