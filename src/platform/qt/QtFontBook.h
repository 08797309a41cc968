// The Qt fonts behind the window's font handles. A handle's height is its
// cell height (ascent + descent); the pixel size is chosen to give exactly
// that cell, so "Courier New" (matched to a metric-compatible face) lays out
// on the same grid of cells however the face is scaled.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/DrawTypes.h"
#include "platform/Geometry.h"

class QtFontBook {
  public:
    const QFont& FontFor(const CFont& font);
    const QFontMetrics& MetricsFor(const CFont& font);
    // The extent of a Windows-1251 text: the sum of its bytes' advances, read
    // from a table the font fills once, and the cell height.
    SIZE TextExtent(const CFont& font, const std::string& text);

    // The face's own glyph of a Windows-1251 byte; false when the byte has
    // none there (another face would stand in for it).
    bool GlyphFor(const CFont& font, uint8_t byte, quint32* glyph);
    const QRawFont& RawFontFor(const CFont& font);

    // Fills in the handle's character width from the real face.
    void Describe(CFont* font);

    // The largest pixel size whose cell is at most cellHeight (exactly
    // cellHeight whenever the face has such a size); at least 1.
    static int PixelSizeFor(const QString& family, int cellHeight, bool bold, bool italic);

  private:
    struct Entry {
        explicit Entry(const QFont& f);
        QFont font;
        QFontMetrics metrics;
        std::array<int, 256> advances{};
        QRawFont raw;
        // Glyph indexes in raw; 0 where the face has no glyph of its own.
        std::array<quint32, 256> glyphs{};
        int cell = 0;
    };
    using Key = std::tuple<std::string, int, bool, bool>;

    Entry& EntryFor(const CFont& font);
    static QFont MakeFont(const QString& family, int pixelSize, bool bold, bool italic);

    std::map<Key, std::unique_ptr<Entry>> m_entries;
    // The entry found last, for the run of calls with one font.
    Key m_lastKey;
    Entry* m_pLast = nullptr;
};
