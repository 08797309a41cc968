#include "platform/Archive.h"

#include <cstring>
#include <type_traits>

CArchive::CArchive() : m_mode(store) {}

CArchive::CArchive(std::vector<uint8_t> image) : m_mode(load), m_buffer(std::move(image)) {}

CArchive::CArchive(const void* data, size_t size) : m_mode(load) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (bytes && size)
        m_buffer.assign(bytes, bytes + size);
}

void CArchive::Write(const void* data, size_t size) {
    if (!IsStoring() || size == 0)
        return;
    const auto* bytes = static_cast<const uint8_t*>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
}

size_t CArchive::Read(void* data, size_t size) {
    auto* out = static_cast<uint8_t*>(data);
    size_t available = IsLoading() && !m_bFailed ? Remaining() : 0;
    if (size > available) {
        // A short image: nothing partial is handed out.
        if (size)
            std::memset(out, 0, size);
        m_bFailed = true;
        return 0;
    }
    if (size)
        std::memcpy(out, m_buffer.data() + m_nPos, size);
    m_nPos += size;
    return size;
}

namespace {
template <typename T> void PutLittle(CArchive& ar, T value) {
    uint8_t bytes[sizeof(T)];
    auto u = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<uint8_t>(u >> (8 * i));
    ar.Write(bytes, sizeof(T));
}

template <typename T> T GetLittle(CArchive& ar) {
    uint8_t bytes[sizeof(T)];
    ar.Read(bytes, sizeof(T));
    std::make_unsigned_t<T> u = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        u = static_cast<std::make_unsigned_t<T>>(
            u | (static_cast<std::make_unsigned_t<T>>(bytes[i]) << (8 * i)));
    return static_cast<T>(u);
}
} // namespace

CArchive& CArchive::operator<<(int32_t value) {
    PutLittle(*this, value);
    return *this;
}
CArchive& CArchive::operator>>(int32_t& value) {
    value = GetLittle<int32_t>(*this);
    return *this;
}
CArchive& CArchive::operator<<(uint8_t value) {
    Write(&value, 1);
    return *this;
}
CArchive& CArchive::operator>>(uint8_t& value) {
    Read(&value, 1);
    return *this;
}
CArchive& CArchive::operator<<(uint16_t value) {
    PutLittle(*this, value);
    return *this;
}
CArchive& CArchive::operator>>(uint16_t& value) {
    value = GetLittle<uint16_t>(*this);
    return *this;
}
CArchive& CArchive::operator<<(uint32_t value) {
    PutLittle(*this, value);
    return *this;
}
CArchive& CArchive::operator>>(uint32_t& value) {
    value = GetLittle<uint32_t>(*this);
    return *this;
}

void CArchive::WriteString(const std::string& s) {
    size_t n = s.size();
    if (n < 0xFF) {
        *this << static_cast<uint8_t>(n);
    } else if (n < 0xFFFE) {
        *this << static_cast<uint8_t>(0xFF) << static_cast<uint16_t>(n);
    } else {
        *this << static_cast<uint8_t>(0xFF) << static_cast<uint16_t>(0xFFFF)
              << static_cast<uint32_t>(n);
    }
    Write(s.data(), n);
}

std::string CArchive::ReadString() {
    uint8_t b = 0;
    *this >> b;
    uint32_t n = b;
    if (b == 0xFF) {
        uint16_t w = 0;
        *this >> w;
        n = w;
        if (w == 0xFFFF)
            *this >> n;
    }
    // A length beyond the image is damage: never allocate for it.
    if (m_bFailed || n > Remaining()) {
        m_bFailed = true;
        return {};
    }
    std::string s(m_buffer.begin() + static_cast<ptrdiff_t>(m_nPos),
                  m_buffer.begin() + static_cast<ptrdiff_t>(m_nPos + n));
    m_nPos += n;
    return s;
}

bool CArchive::EnterNested() {
    if (++m_nDepth > kMaxDepth)
        m_bFailed = true;
    return !m_bFailed;
}

void CArchive::LeaveNested() {
    if (m_nDepth > 0)
        --m_nDepth;
}
