#include "platform/qt/QtFontBook.h"

#include <algorithm>

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
    Key key{font.m_strFace, font.m_nHeight, font.m_bBold, font.m_bItalic};
    auto found = m_entries.find(key);
    if (found != m_entries.end())
        return *found->second;
    QString family = QString::fromStdString(font.m_strFace);
    int size = PixelSizeFor(family, font.m_nHeight, font.m_bBold, font.m_bItalic);
    auto entry = std::make_unique<Entry>(MakeFont(family, size, font.m_bBold, font.m_bItalic));
    Entry& result = *entry;
    m_entries.emplace(key, std::move(entry));
    return result;
}

const QFont& QtFontBook::FontFor(const CFont& font) {
    return EntryFor(font).font;
}

const QFontMetrics& QtFontBook::MetricsFor(const CFont& font) {
    return EntryFor(font).metrics;
}

void QtFontBook::Describe(CFont* font) {
    if (font)
        font->m_nCharWidth = MetricsFor(*font).horizontalAdvance(QLatin1Char('M'));
}
