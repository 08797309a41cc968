// A top-level row kept as the line it was loaded from, until something
// needs its tree. What the layout did to it since is kept too, so that the
// tree built later is the one a row built at load would be by then:
//
//   1. the line, composed (always);
//   2. measured, when `sized`;
//   3. then laid out at `at`, when `placed`;
//   4. then moved by `offset`.
//
// `size` and `rect` are the row's own size and box after these steps, for
// the layout, which reads them without the tree. Once measured, the row
// also knows the text Save writes for it (`textKnown`): its line up to the
// break, or `saved` where that differs.
#pragma once

#include <memory>
#include <string>

#include "platform/Geometry.h"

struct LatentRow {
    explicit LatentRow(std::string line) : text(std::move(line)) {}
    LatentRow(const LatentRow& other)
        : text(other.text),
          saved(other.saved ? std::make_unique<std::string>(*other.saved) : nullptr),
          textKnown(other.textKnown), sized(other.sized), placed(other.placed),
          measured(other.measured), at(other.at), offset(other.offset), size(other.size),
          rect(other.rect) {}
    LatentRow& operator=(const LatentRow&) = delete;

    // Measured and laid out anew: the steps before no longer count.
    void Placed(POINT where, const RECT& box) {
        placed = true;
        at = where;
        offset = POINT{};
        rect = box;
    }
    void Move(int dx, int dy) {
        offset.x += dx;
        offset.y += dy;
        OffsetRect(rect, dx, dy);
    }
    // Measured in another font: what the old layout did no longer holds.
    void Forget() {
        sized = placed = measured = false;
        at = offset = POINT{};
        size = SIZE{};
        rect = RECT{};
    }

    std::string text;
    std::unique_ptr<std::string> saved;
    bool textKnown = false;
    bool sized = false;
    bool placed = false;
    // The document's own mark: whether the row counts as measured.
    bool measured = false;
    POINT at;
    POINT offset;
    SIZE size;
    RECT rect;
};
