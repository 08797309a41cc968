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
// the layout, which reads them without the tree.
#pragma once

#include <string>

#include "platform/Geometry.h"

struct LatentRow {
    explicit LatentRow(std::string line) : text(std::move(line)) {}

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
    bool sized = false;
    bool placed = false;
    // The document's own mark: whether the row counts as measured.
    bool measured = false;
    POINT at;
    POINT offset;
    SIZE size;
    RECT rect;
};
