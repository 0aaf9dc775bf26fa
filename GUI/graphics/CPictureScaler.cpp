#include "GUI/graphics/CPictureScaler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

constexpr int kWeightBits = 7;
constexpr int kWeightOne = 1 << kWeightBits;
constexpr uint32_t kOpaque = 0xFF000000u;
constexpr uint32_t kEvenBytes = 0x00FF00FFu;

// (a * (128 - w) + b * w) / 128 for each byte, truncated; two bytes at a
// time, each product fitting its 16 bits.
inline uint32_t Mix(uint32_t a, uint32_t b, int w) {
  const uint32_t v = static_cast<uint32_t>(kWeightOne - w);
  const uint32_t u = static_cast<uint32_t>(w);
  const uint32_t even = (((a & kEvenBytes) * v + (b & kEvenBytes) * u) >> kWeightBits) & kEvenBytes;
  const uint32_t odd =
      ((((a >> 8) & kEvenBytes) * v + ((b >> 8) & kEvenBytes) * u) >> kWeightBits) & kEvenBytes;
  return even | (odd << 8);
}

// The four pixels around a sample weighed in both directions at once,
// rounded down once at the end: (row weight x column weight) / 16384 each.
inline uint32_t Mix2(uint32_t upperLeft, uint32_t upperRight, uint32_t lowerLeft,
                     uint32_t lowerRight, int column, int row) {
  const uint32_t v = static_cast<uint32_t>(kWeightOne - row), u = static_cast<uint32_t>(row);
  const uint32_t l = static_cast<uint32_t>(kWeightOne - column), r = static_cast<uint32_t>(column);
  uint32_t mixed = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const auto at = [shift](uint32_t p) { return (p >> shift) & 0xFFu; };
    const uint32_t left = at(upperLeft) * v + at(lowerLeft) * u;
    const uint32_t right = at(upperRight) * v + at(lowerRight) * u;
    mixed |= ((left * l + right * r) >> (2 * kWeightBits)) << shift;
  }
  return mixed;
}

}  // namespace

// The filter works in 16.16 fixed point on the repeated picture of length
// s = picture x factor: destination pixel d samples s * (d + 1/2) / D - 1/2,
// the step rounded down and the half step rounded to nearest, as the
// software stretch computes them. Samples before the first pixel or past
// the last but one take the edge pixel alone.
void CPictureScaler::Axis::Build(int pictureLength, int factor, int destinationLength) {
  samples.assign(static_cast<size_t>(std::max(destinationLength, 0)), Sample());
  reach.assign(static_cast<size_t>(std::max(pictureLength, 0)), destinationLength);
  past.assign(static_cast<size_t>(std::max(pictureLength, 0)), destinationLength);
  if (pictureLength < 1 || destinationLength < 1 || factor < 1) return;
  const int64_t length = int64_t{pictureLength} * factor;
  const int64_t step = (length << 16) / destinationLength;
  int64_t at = ((step * 0x8000 + 0x8000) >> 16) - 0x8000;
  for (Sample& sample : samples) {
    int64_t first = 0;
    int weight = 0;
    if (at >= 0) {
      first = at >> 16;
      if (first > length - 2)
        first = length - 1;
      else
        weight = static_cast<int>((at >> (16 - kWeightBits)) & (kWeightOne - 1));
    }
    const int64_t second = weight ? first + 1 : first;
    sample.first = static_cast<int>(first / factor);
    // Two samples in the same picture pixel give that pixel exactly.
    sample.weight = second / factor == sample.first ? 0 : weight;
    at += step;
  }
  // Both the first and the last pixel read grow with d, so each picture
  // pixel is read by one run of destination pixels (none when skipped).
  int d = 0;
  for (int p = 0; p < pictureLength; ++p) {
    while (d < destinationLength && samples[d].first + (samples[d].weight ? 1 : 0) < p) ++d;
    reach[p] = d;
  }
  d = 0;
  for (int p = 0; p < pictureLength; ++p) {
    while (d < destinationLength && samples[d].first <= p) ++d;
    past[p] = d;
  }
}

CPictureScaler::CPictureScaler(const CPictureTransform& fit) : transform(fit) {
  const CFerroRect& destination = transform.GetDestination();
  if (destination.IsEmpty()) return;
  across.Build(transform.GetPicture().width, transform.GetFactor(), destination.Width());
  down.Build(transform.GetPicture().height, transform.GetFactor(), destination.Height());
}

CFerroRect CPictureScaler::Affected(const CFerroRect& pictureRect) const {
  const CFerroSize& picture = transform.GetPicture();
  const CFerroRect part = pictureRect.Intersection(CFerroRect(0, 0, picture.width, picture.height));
  if (part.IsEmpty() || across.samples.empty() || down.samples.empty()) return CFerroRect();
  const CFerroRect& destination = transform.GetDestination();
  const CFerroRect affected(
      destination.left + across.reach[part.left], destination.top + down.reach[part.top],
      destination.left + across.past[part.right - 1], destination.top + down.past[part.bottom - 1]);
  return affected.IsEmpty() ? CFerroRect() : affected;
}

void CPictureScaler::Scale(const uint32_t* picture, int picturePitch, const CFerroRect& area,
                           uint32_t* target, int targetPitch) const {
  const CFerroRect& destination = transform.GetDestination();
  if (!picture || !target || !destination.ContainsRect(area) || area.IsEmpty()) return;
  const CFerroRect& part = area;
  const Sample* columns = across.samples.data() + (part.left - destination.left);
  const int width = part.Width();
  const Sample* previous = nullptr;
  for (int y = part.top; y < part.bottom; ++y) {
    uint32_t* out = target + static_cast<std::ptrdiff_t>(y - part.top) * targetPitch;
    const Sample& row = down.samples[y - destination.top];
    // A row made like the one above it (a whole factor repeats each row) is
    // a copy of it.
    if (previous && previous->first == row.first && previous->weight == row.weight) {
      std::memcpy(out, out - targetPitch, static_cast<size_t>(width) * sizeof(uint32_t));
      continue;
    }
    previous = &row;
    const uint32_t* upper = picture + static_cast<std::ptrdiff_t>(row.first) * picturePitch;
    if (row.weight == 0) {
      for (int x = 0; x < width; ++x) {
        const Sample& c = columns[x];
        const uint32_t p = upper[c.first];
        out[x] = (c.weight ? Mix(p, upper[c.first + 1], c.weight) : p) | kOpaque;
      }
      continue;
    }
    const uint32_t* lower = upper + picturePitch;
    for (int x = 0; x < width; ++x) {
      const Sample& c = columns[x];
      const uint32_t p = c.weight ? Mix2(upper[c.first], upper[c.first + 1], lower[c.first],
                                         lower[c.first + 1], c.weight, row.weight)
                                  : Mix(upper[c.first], lower[c.first], row.weight);
      out[x] = p | kOpaque;
    }
  }
}
