// Plain points, sizes and rectangles for the editor's window and view rules,
// so that the rules can be computed and tested without a window system.
// Rectangles follow the Win32 convention: right and bottom are exclusive.
#pragma once

#include <algorithm>
#include <ostream>

namespace ksv::editor {

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

}  // namespace ksv::editor
