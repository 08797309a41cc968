// The Qt fonts behind the window's font handles. A handle's height is its
// cell height (ascent + descent); the pixel size is chosen to give exactly
// that cell, so "Courier New" (matched to a metric-compatible face) lays out
// on the same grid of cells however the face is scaled.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/DrawTypes.h"

class QtFontBook {
  public:
    const QFont& FontFor(const CFont& font);
    const QFontMetrics& MetricsFor(const CFont& font);

    // Fills in the handle's character width from the real face.
    void Describe(CFont* font);

    // The largest pixel size whose cell is at most cellHeight (exactly
    // cellHeight whenever the face has such a size); at least 1.
    static int PixelSizeFor(const QString& family, int cellHeight, bool bold, bool italic);

  private:
    struct Entry {
        explicit Entry(const QFont& f) : font(f), metrics(f) {}
        QFont font;
        QFontMetrics metrics;
    };
    using Key = std::tuple<std::string, int, bool, bool>;

    Entry& EntryFor(const CFont& font);
    static QFont MakeFont(const QString& family, int pixelSize, bool bold, bool italic);

    std::map<Key, std::unique_ptr<Entry>> m_entries;
};
