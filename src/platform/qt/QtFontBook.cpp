#include "platform/qt/QtFontBook.h"

#include <algorithm>

#include "platform/qt/QtText.h"

// The fonts are monospaced, but the table keeps each byte's own advance, so
// a face that is not gives the same extents as measuring every character.
QtFontBook::Entry::Entry(const QFont& f) : font(f), metrics(f), raw(QRawFont::fromFont(f)) {
    for (int byte = 0; byte < 256; ++byte) {
        QString chars = QtText::FromCp1251(std::string(1, static_cast<char>(byte)));
        int advance = 0;
        for (QChar ch : chars)
            advance += metrics.horizontalAdvance(ch);
        advances[static_cast<size_t>(byte)] = advance;
        // Spaces, controls and format characters are left to text drawing.
        if (raw.isValid() && chars.size() == 1 && chars[0].isPrint() && !chars[0].isSpace() &&
            raw.supportsCharacter(chars[0])) {
            QList<quint32> index = raw.glyphIndexesForString(chars);
            glyphs[static_cast<size_t>(byte)] = index.size() == 1 ? index[0] : 0;
        }
    }
    cell = metrics.ascent() + metrics.descent();
}

QFont QtFontBook::MakeFont(const QString& family, int pixelSize, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(std::max(pixelSize, 1));
    font.setBold(bold);
    font.setItalic(italic);
    font.setKerning(false);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

int QtFontBook::PixelSizeFor(const QString& family, int cellHeight, bool bold, bool italic) {
    int best = 1;
    for (int size = 1; size <= 2 * std::max(cellHeight, 1); ++size) {
        QFontMetrics metrics(MakeFont(family, size, bold, italic));
        int cell = metrics.ascent() + metrics.descent();
        if (cell > cellHeight)
            break;
        best = size;
    }
    return best;
}

QtFontBook::Entry& QtFontBook::EntryFor(const CFont& font) {
    if (m_pLast && std::get<1>(m_lastKey) == font.m_nHeight &&
        std::get<2>(m_lastKey) == font.m_bBold && std::get<3>(m_lastKey) == font.m_bItalic &&
        std::get<0>(m_lastKey) == font.m_strFace)
        return *m_pLast;
    Key key{font.m_strFace, font.m_nHeight, font.m_bBold, font.m_bItalic};
    auto found = m_entries.find(key);
    if (found != m_entries.end()) {
        m_lastKey = key;
        m_pLast = found->second.get();
        return *m_pLast;
    }
    QString family = QString::fromStdString(font.m_strFace);
    int size = PixelSizeFor(family, font.m_nHeight, font.m_bBold, font.m_bItalic);
    auto entry = std::make_unique<Entry>(MakeFont(family, size, font.m_bBold, font.m_bItalic));
    Entry& result = *entry;
    m_entries.emplace(key, std::move(entry));
    m_lastKey = key;
    m_pLast = &result;
    return result;
}

const QFont& QtFontBook::FontFor(const CFont& font) {
    return EntryFor(font).font;
}

bool QtFontBook::GlyphFor(const CFont& font, uint8_t byte, quint32* glyph) {
    *glyph = EntryFor(font).glyphs[byte];
    return *glyph != 0;
}

const QRawFont& QtFontBook::RawFontFor(const CFont& font) {
    return EntryFor(font).raw;
}

const QFontMetrics& QtFontBook::MetricsFor(const CFont& font) {
    return EntryFor(font).metrics;
}

SIZE QtFontBook::TextExtent(const CFont& font, const std::string& text) {
    const Entry& entry = EntryFor(font);
    int width = 0;
    for (char c : text)
        width += entry.advances[static_cast<unsigned char>(c)];
    return SIZE{width, entry.cell};
}

void QtFontBook::Describe(CFont* font) {
    if (font)
        font->m_nCharWidth = MetricsFor(*font).horizontalAdvance(QLatin1Char('M'));
}
