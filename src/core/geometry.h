// Plain points, sizes and rectangles, so that window, view, capture and
// layout rules can be computed and tested without a window system.
//
// Two rectangle types with one meaning each, because mixing them up moves
// a control by its own size:
//  - Rect: edges (left, top, right, bottom), right and bottom exclusive,
//    as window and clip rectangles are;
//  - Box: a corner and a size (left, top, width, height), as CreateWindow
//    and the design tables place controls.
#pragma once

#include <algorithm>
#include <ostream>

namespace ksv {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(Point, Point) = default;
};

inline Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
inline Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }

struct Size {
  int width = 0;
  int height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
  friend bool operator==(Size, Size) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static Rect FromOriginSize(Point origin, Size size) {
    return {origin.x, origin.y, origin.x + size.width, origin.y + size.height};
  }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  Size GetSize() const { return {Width(), Height()}; }
  Point Origin() const { return {left, top}; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int right() const { return left + width; }
  int bottom() const { return top + height; }
  friend bool operator==(const Box&, const Box&) = default;
};

inline Rect ToRect(const Box& b) { return {b.left, b.top, b.right(), b.bottom()}; }
inline Box ToBox(const Rect& r) { return {r.left, r.top, r.Width(), r.Height()}; }

// Whether two boxes share a pixel.
inline bool Overlaps(const Box& a, const Box& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}
// Whether every pixel of `inner` lies in `outer`.
inline bool Contains(const Box& outer, const Box& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
         inner.bottom() <= outer.bottom();
}

// The common part of two rectangles; an empty rectangle at a's origin when
// they do not meet.
inline Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.Empty()) return {a.left, a.top, a.left, a.top};
  return r;
}

inline std::ostream& operator<<(std::ostream& os, Point p) { return os << "(" << p.x << ", " << p.y << ")"; }
inline std::ostream& operator<<(std::ostream& os, Size s) { return os << s.width << "x" << s.height; }
inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
  return os << "[" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline std::ostream& operator<<(std::ostream& os, const Box& b) {
  return os << "{" << b.left << ", " << b.top << " " << b.width << "x" << b.height << "}";
}

}  // namespace ksv
