#include "platform/qt/QtText.h"

#include <QList>

#include "platform/Cp1251Codec.h"

QString QtText::FromCp1251(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        text.append(QChar(static_cast<char16_t>(Cp1251Codec::CharOf(static_cast<uint8_t>(c)))));
    return text;
}

std::string QtText::ToCp1251(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (char32_t ch : text.toUcs4()) {
        int byte = ByteOf(ch);
        if (byte >= 0)
            bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

int QtText::ByteOf(char32_t ch) {
    return Cp1251Codec::ByteOf(ch);
}
