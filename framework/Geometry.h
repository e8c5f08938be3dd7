// Point, Size and Rect: value types laid out exactly as POINT, SIZE and RECT
// (they derive from them), so they pass straight to Win32. Rectangle
// arithmetic is the platform's own (IntersectRect, UnionRect, PtInRect, ...).
#pragma once

#include <windows.h>

#include <utility>

struct Point : POINT {
    constexpr Point() noexcept : POINT{0, 0} {}
    constexpr Point(LONG x, LONG y) noexcept : POINT{x, y} {}
    constexpr Point(const POINT& point) noexcept : POINT(point) {}

    void Offset(LONG dx, LONG dy) noexcept
    {
        x += dx;
        y += dy;
    }
    Point& operator+=(const Point& other) noexcept
    {
        Offset(other.x, other.y);
        return *this;
    }
    Point& operator-=(const Point& other) noexcept
    {
        Offset(-other.x, -other.y);
        return *this;
    }
    friend Point operator+(Point a, const Point& b) noexcept { return a += b; }
    friend Point operator-(Point a, const Point& b) noexcept { return a -= b; }
    friend bool operator==(const Point& a, const Point& b) noexcept { return a.x == b.x && a.y == b.y; }
};

struct Size : SIZE {
    constexpr Size() noexcept : SIZE{0, 0} {}
    constexpr Size(LONG cx, LONG cy) noexcept : SIZE{cx, cy} {}
    constexpr Size(const SIZE& size) noexcept : SIZE(size) {}

    Size& operator+=(const Size& other) noexcept
    {
        cx += other.cx;
        cy += other.cy;
        return *this;
    }
    Size& operator-=(const Size& other) noexcept
    {
        cx -= other.cx;
        cy -= other.cy;
        return *this;
    }
    friend Size operator+(Size a, const Size& b) noexcept { return a += b; }
    friend Size operator-(Size a, const Size& b) noexcept { return a -= b; }
    friend bool operator==(const Size& a, const Size& b) noexcept { return a.cx == b.cx && a.cy == b.cy; }
};

struct Rect : RECT {
    constexpr Rect() noexcept : RECT{0, 0, 0, 0} {}
    constexpr Rect(LONG left, LONG top, LONG right, LONG bottom) noexcept : RECT{left, top, right, bottom} {}
    constexpr Rect(const RECT& rect) noexcept : RECT(rect) {}
    constexpr Rect(const Point& topLeft, const Size& size) noexcept
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy}
    {
    }

    LONG Width() const noexcept { return right - left; }
    LONG Height() const noexcept { return bottom - top; }
    Size GetSize() const noexcept { return Size(Width(), Height()); }
    Point TopLeft() const noexcept { return Point(left, top); }
    Point BottomRight() const noexcept { return Point(right, bottom); }
    Point CenterPoint() const noexcept { return Point((left + right) / 2, (top + bottom) / 2); }

    // Empty: no area (width or height not positive).
    bool IsEmpty() const noexcept { return IsRectEmpty(this) != FALSE; }
    bool Contains(const Point& point) const noexcept { return PtInRect(this, point) != FALSE; }

    void Set(LONG l, LONG t, LONG r, LONG b) noexcept { SetRect(this, l, t, r, b); }
    void SetEmpty() noexcept { SetRectEmpty(this); }
    void Offset(LONG dx, LONG dy) noexcept { OffsetRect(this, dx, dy); }
    void Offset(const Point& delta) noexcept { OffsetRect(this, delta.x, delta.y); }
    void Inflate(LONG dx, LONG dy) noexcept { InflateRect(this, dx, dy); }
    void Deflate(LONG dx, LONG dy) noexcept { InflateRect(this, -dx, -dy); }
    // Swaps the edges where right < left or bottom < top.
    void Normalize() noexcept
    {
        if (right < left)
            std::swap(left, right);
        if (bottom < top)
            std::swap(top, bottom);
    }

    // Set this to the intersection (or union) of a and b; the result tells
    // whether it is non-empty.
    bool Intersect(const RECT& a, const RECT& b) noexcept { return IntersectRect(this, &a, &b) != FALSE; }
    bool Union(const RECT& a, const RECT& b) noexcept { return UnionRect(this, &a, &b) != FALSE; }

    friend bool operator==(const Rect& a, const Rect& b) noexcept { return EqualRect(&a, &b) != FALSE; }
};

static_assert(sizeof(Point) == sizeof(POINT) && sizeof(Size) == sizeof(SIZE) && sizeof(Rect) == sizeof(RECT));
