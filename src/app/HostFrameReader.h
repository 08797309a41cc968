// Reads frames of the host conversation from a byte stream that arrives in
// pieces of any size. Bytes are fed as they come; Next hands out each
// complete frame in order.
//
// The stream is broken, for good, by a length field above
// HostFrame::kMaxLength or of 0 (no message byte), a message byte that names
// no message, or fields that do not fill the frame exactly (a string count
// beyond the frame's end, or bytes left over). An oversized length or an
// unknown byte is reported as soon as it arrives, without waiting for the
// rest of the frame. After an error the reader takes nothing more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/HostFrame.h"

class HostFrameReader {
  public:
    enum Result { kNeedMore, kFrame, kError };

    // Appends bytes to the stream; ignored once the stream is broken.
    void Feed(const char* data, size_t size);
    void Feed(const std::string& bytes) { Feed(bytes.data(), bytes.size()); }
    // Takes the next complete frame into *frame (kFrame), tells that more
    // bytes are needed (kNeedMore), or that the stream is broken (kError).
    Result Next(HostFrame* frame);

    bool IsFailed() const { return m_bFailed; }
    // Bytes received and not yet handed out.
    size_t Pending() const { return m_buffer.size() - m_nStart; }

  private:
    std::string m_buffer;
    size_t m_nStart = 0;
    bool m_bFailed = false;

    Result Fail();
    uint32_t PeekLength() const;
    void Consume(size_t size);
    static bool ParseFields(const char* body, size_t size, HostFrame* frame);
};
