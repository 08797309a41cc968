// Pixel geometry of the editor window's client area: 32-bit signed integers,
// x to the right, y downwards.
#pragma once

#include <algorithm>
#include <cstdint>

// The largest coordinate or extent the editor works with, in either
// direction. Geometry read from an image is bounded to it and layout
// saturates at it, so sums of coordinates never overflow 32 bits.
constexpr int32_t kMaxCoordinate = 1 << 24;

// v bounded into -kMaxCoordinate .. kMaxCoordinate.
inline int32_t ClampCoordinate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, -kMaxCoordinate, kMaxCoordinate));
}

// A scroll offset bounded into -kMaxCoordinate/2 .. kMaxCoordinate. A real
// window scrolls at most a little before the start, and rows placed
// against a scroll past that would pile up at the bound, where they could
// no longer be told apart; forward, the whole extent stays reachable.
inline int32_t ClampScroll(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, -kMaxCoordinate / 2, kMaxCoordinate));
}

struct POINT {
    int32_t x = 0;
    int32_t y = 0;
};

struct SIZE {
    int32_t cx = 0;
    int32_t cy = 0;
};

struct RECT {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

inline bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator==(const SIZE& a, const SIZE& b) {
    return a.cx == b.cx && a.cy == b.cy;
}

inline bool EqualRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(a, b);
}

// Half-open test: the right and bottom edges are outside.
inline bool PtInRect(const RECT& r, const POINT& p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

inline bool IsRectEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

inline void SetRectEmpty(RECT& r) {
    r = RECT{};
}

inline RECT MakeRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return RECT{left, top, right, bottom};
}

inline int32_t RectWidth(const RECT& r) {
    return r.right - r.left;
}
inline int32_t RectHeight(const RECT& r) {
    return r.bottom - r.top;
}

inline void OffsetRect(RECT& r, int32_t dx, int32_t dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

// The smallest rectangle holding both; an empty rectangle adds nothing.
inline RECT UnionRect(const RECT& a, const RECT& b) {
    if (IsRectEmpty(a))
        return b;
    if (IsRectEmpty(b))
        return a;
    return RECT{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

// Whether the two rectangles share at least one pixel.
inline bool IntersectsRect(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
