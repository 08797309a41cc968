// Binary archive over a byte buffer: little-endian 32-bit integers, raw byte
// blocks and the length-prefixed string form. The reader never reads past the
// end and never throws: a short or malformed image marks the archive failed,
// every later read yields zeros, and the caller checks IsFailed().
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CArchive {
  public:
    enum Mode { store, load };

    // Nesting of rows deeper than this marks a loading archive failed, so a
    // crafted image cannot exhaust the stack.
    static constexpr int kMaxDepth = 256;

    // A storing archive that appends to its own buffer.
    CArchive();
    // A loading archive over a copy of the given bytes.
    explicit CArchive(std::vector<uint8_t> image);
    CArchive(const void* data, size_t size);

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }
    bool IsFailed() const { return m_bFailed; }
    void SetFailed() { m_bFailed = true; }

    void Write(const void* data, size_t size);
    // Reads size bytes and returns size; when fewer remain, reads nothing,
    // fills with zeros, marks the archive failed and returns 0.
    size_t Read(void* data, size_t size);

    CArchive& operator<<(int32_t value);
    CArchive& operator>>(int32_t& value);
    CArchive& operator<<(uint8_t value);
    CArchive& operator>>(uint8_t& value);
    CArchive& operator<<(uint16_t value);
    CArchive& operator>>(uint16_t& value);
    CArchive& operator<<(uint32_t value);
    CArchive& operator>>(uint32_t& value);

    // Length-prefixed string: 1 byte below 255, else 0xFF and 2 bytes below
    // 0xFFFE, else 0xFF 0xFFFF and 4 bytes; then the bytes themselves.
    void WriteString(const std::string& s);
    std::string ReadString();

    // Depth guard for nested records while loading.
    bool EnterNested();
    void LeaveNested();

    const std::vector<uint8_t>& GetBuffer() const { return m_buffer; }
    std::vector<uint8_t> TakeBuffer() { return std::move(m_buffer); }
    size_t Position() const { return m_nPos; }
    size_t Remaining() const { return m_buffer.size() - m_nPos; }
    bool AtEnd() const { return m_nPos >= m_buffer.size(); }

  private:
    Mode m_mode;
    std::vector<uint8_t> m_buffer;
    size_t m_nPos = 0;
    bool m_bFailed = false;
    int m_nDepth = 0;
};
