#include "tools/art/Cursors.h"

#include <utility>

#include "tools/art/DetMath.h"
#include "tools/art/Palette.h"

namespace art {
namespace {

// Cursors are white shapes with a dark rim, crisp (pixel-centre sampled) so
// that the game's colour-keyed cursor drawing shows them exactly.
Canvas Finish(Canvas c) {
  c.Outline(pal::kInk, true);
  return c;
}

// A polygon given in a local frame, rotated by `angle` about (cx, cy).
void Rotated(Canvas& c, std::vector<double> xy, double cx, double cy, double angle, Rgba color) {
  const double s = Sin(angle), k = Cos(angle);
  for (size_t i = 0; i + 1 < xy.size(); i += 2) {
    const double x = xy[i], y = xy[i + 1];
    xy[i] = cx + x * k - y * s;
    xy[i + 1] = cy + x * s + y * k;
  }
  c.Polygon(xy, color);
}

Canvas Arrow() {
  Canvas c(32, 32);
  c.Polygon({1, 1, 1, 18.5, 5, 14.5, 8.2, 21.5, 11, 20.2, 8, 13.5, 13.5, 13.5}, pal::kWhite);
  return Finish(c);
}

// A double-headed arrow through (cx, cy) along `angle` (0 is horizontal).
Canvas DoubleArrow(double angle) {
  Canvas c(32, 32);
  const std::vector<double> shape = {-10, 0, -5, -5, -5, -1.6, 5,  -1.6, 5,  -5,
                                     10,  0, 5,  5,  5,  1.6,  -5, 1.6,  -5, 5};
  Rotated(c, shape, 12, 12, angle, pal::kWhite);
  return Finish(c);
}

Canvas Move() {
  Canvas c(32, 32);
  for (double angle : {0.0, kPi / 2}) {
    const std::vector<double> shape = {-10, 0, -6, -4, -6, -1.1, 6,  -1.1, 6,  -4,
                                       10,  0, 6,  4,  6,  1.1,  -6, 1.1,  -6, 4};
    Rotated(c, shape, 12, 12, angle, pal::kWhite);
  }
  return Finish(c);
}

Canvas Text() {
  Canvas c(32, 32);
  c.FillRect(6, 3, 2, 16, pal::kWhite);
  c.FillRect(3, 2, 3, 2, pal::kWhite);
  c.FillRect(8, 2, 3, 2, pal::kWhite);
  c.FillRect(3, 18, 3, 2, pal::kWhite);
  c.FillRect(8, 18, 3, 2, pal::kWhite);
  return Finish(c);
}

Canvas Target() {
  Canvas c(32, 32);
  auto ring = [](double x, double y) {
    const double dx = x - 12.5, dy = y - 12.5, d2 = dx * dx + dy * dy;
    return d2 <= 7.0 * 7.0 && d2 >= 5.2 * 5.2;
  };
  c.Paint(ring, 0, 0, 32, 32, pal::kWhite);
  c.FillRect(12, 2, 1, 7, pal::kWhite);
  c.FillRect(12, 17, 1, 7, pal::kWhite);
  c.FillRect(2, 12, 7, 1, pal::kWhite);
  c.FillRect(17, 12, 7, 1, pal::kWhite);
  c.Set(12, 12, pal::kWhite);
  return Finish(c);
}

Canvas Hand() {
  Canvas c(32, 32);
  // Pointing index finger, three folded fingers, thumb and palm.
  c.Capsule(8.5, 3.0, 8.5, 13.0, 2.0, pal::kWhite);
  c.Capsule(12.5, 11.0, 12.5, 14.0, 1.9, pal::kWhite);
  c.Capsule(16.0, 12.0, 16.0, 15.0, 1.9, pal::kWhite);
  c.Capsule(19.3, 13.0, 19.3, 16.0, 1.8, pal::kWhite);
  c.Capsule(4.0, 14.0, 6.5, 18.0, 1.8, pal::kWhite);
  c.Polygon({6.5, 13, 21, 14, 20.5, 21, 18, 24.5, 9, 24.5, 6, 19}, pal::kWhite);
  Canvas out = Finish(c);
  // Creases between the folded fingers.
  out.VLine(10, 13, 2, pal::kInk);
  out.VLine(14, 13, 2, pal::kInk);
  out.VLine(17, 14, 2, pal::kInk);
  // A blue cuff ties it to the interface's colours.
  out.FillRect(9, 22, 10, 2, pal::kBlue);
  return out;
}

}  // namespace

std::vector<Cursor> DrawCursors() {
  std::vector<Cursor> all;
  all.push_back({"cursor_arrow", 1, 1, Arrow()});
  all.push_back({"cursor_target", 12, 12, Target()});
  all.push_back({"cursor_move", 12, 12, Move()});
  all.push_back({"cursor_text", 7, 11, Text()});
  all.push_back({"cursor_link", 8, 1, Hand()});
  const Canvas horizontal = DoubleArrow(0), vertical = DoubleArrow(kPi / 2);
  const Canvas falling = DoubleArrow(kPi / 4), rising = DoubleArrow(-kPi / 4);
  all.push_back({"cursor_left", 12, 12, horizontal});
  all.push_back({"cursor_right", 12, 12, horizontal});
  all.push_back({"cursor_top", 12, 12, vertical});
  all.push_back({"cursor_bottom", 12, 12, vertical});
  all.push_back({"cursor_left_top", 12, 12, falling});
  all.push_back({"cursor_right_bottom", 12, 12, falling});
  all.push_back({"cursor_left_bottom", 12, 12, rising});
  all.push_back({"cursor_right_top", 12, 12, rising});
  return all;
}

}  // namespace art
