// The editor as the fuzz targets drive it: a batch editor (headless window
// of fixed metrics, in-memory clipboard) with the checks every target makes.
// A check that fails prints what broke and aborts, which libFuzzer reports
// as a crash and keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/BatchEditor.h"

class FuzzEditor {
  public:
    using Bytes = std::vector<uint8_t>;

    // A small model of three lines that exercises every compound atom.
    static const char kSmallModel[];

    // Installs text as the editor installs a file (a host error marker "~"
    // is split off), then paints. Without marked the text is loaded as it is.
    explicit FuzzEditor(const std::string& text = kSmallModel, bool marked = true);

    // Aborts with what when ok is false.
    static void Require(bool ok, const std::string& what);

    // The whole archive image, as an undo step holds it.
    Bytes Image() { return m_editor.Data().WriteSnapshot(); }
    // The rows' images in scroll-independent coordinates: the model alone,
    // without caret, selection or scroll position.
    Bytes Model();
    // Every row's tree is sound and the caret lies inside the current row.
    void CheckInvariant(const std::string& when);
    // Storing the present image and loading it into a fresh editor gives
    // back the same bytes.
    void CheckImageRoundTrip(const std::string& when);

    BatchEditor& Editor() { return m_editor; }
    CVexlorData& Data() { return m_editor.Data(); }

  private:
    BatchEditor m_editor;
};
