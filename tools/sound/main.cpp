// digmaze-sound: synthesises the game's sound effects as 16-bit mono PCM WAV
// files at 44100 Hz. Only basic arithmetic is used (no C library sin/exp), so
// the same build always writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/sound/WavFile.h"

namespace {

constexpr const char* kUsage =
    "usage: digmaze-sound OUT_DIR\n"
    "  writes OUT_DIR/vdd/sound/*.wav\n";

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

double Sin(double x) {
  x -= 2 * kPi * std::floor(x / (2 * kPi) + 0.5);
  if (x > kPi / 2) x = kPi - x;
  if (x < -kPi / 2) x = -kPi - x;
  const double x2 = x * x;
  double term = x, sum = x;
  for (int n = 1; n < 10; ++n) {
    term *= -x2 / ((2.0 * n) * (2.0 * n + 1.0));
    sum += term;
  }
  return sum;
}

// A buffer of samples in -1..1 that sounds are mixed into.
struct Track {
  std::vector<double> s;
  explicit Track(double seconds) : s(size_t(seconds * kRate), 0.0) {}
  size_t At(double t) const { return std::min(s.size(), size_t(t * kRate)); }
};

// Per-sample factor that halves the level about every `half` seconds, or
// doubles it for a negative `half` (first-order, close enough, no exp()).
double HalfLifeFactor(double half) {
  return 1.0 - 0.6931471805599453 / (half * kRate);
}

// Linear ramps over the first `attack` seconds and the last 10 ms of a part,
// so that no part starts or stops with a jump.
double Edges(size_t i, size_t a, size_t b, double attack) {
  const double in = double(i - a) / (attack * kRate), out = double(b - i) / (0.010 * kRate);
  return std::min({1.0, in, out});
}

// A tone with harmonics and a sharp attack, decaying by half every `half`
// seconds. Frequency glides linearly from f0 to f1.
void Tone(Track& tr, double start, double length, double f0, double f1, double gain, double half,
          std::initializer_list<double> harmonics, double attack = 0.004) {
  const size_t a = tr.At(start), b = tr.At(start + length);
  const double k = HalfLifeFactor(half);
  double env = 1.0, phase = 0.0;
  for (size_t i = a; i < b; ++i) {
    const double t = double(i - a) / kRate;
    const double f = f0 + (f1 - f0) * t / length;
    phase += 2 * kPi * f / kRate;
    double v = 0, h = 1;
    for (double amp : harmonics) {
      v += amp * Sin(phase * h);
      h += 1;
    }
    tr.s[i] += gain * env * Edges(i, a, b, attack) * v;
    env *= k;
  }
}

// Noise through a one-pole low-pass, decaying like a tone.
void Noise(Track& tr, double start, double length, double gain, double half, double smooth,
           uint32_t seed) {
  const size_t a = tr.At(start), b = tr.At(start + length);
  const double k = HalfLifeFactor(half);
  double env = 1.0, low = 0.0;
  for (size_t i = a; i < b; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double white = double(seed >> 8) / double(1u << 24) * 2.0 - 1.0;
    low += (white - low) * smooth;
    tr.s[i] += gain * env * Edges(i, a, b, 0.002) * low;
    env *= k;
  }
}

// Fades both ends to silence (no clicks), scales the loudest sample to
// `peak`, and writes a 16-bit mono WAV.
bool Write(Track tr, double peak, const std::filesystem::path& path) {
  const size_t n = tr.s.size(), fadeIn = size_t(0.002 * kRate), fadeOut = size_t(0.012 * kRate);
  for (size_t i = 0; i < n; ++i) {
    double g = 1.0;
    if (i < fadeIn) g = double(i) / double(fadeIn);
    if (n - 1 - i < fadeOut) g = std::min(g, double(n - 1 - i) / double(fadeOut));
    tr.s[i] *= g;
  }
  double loudest = 0;
  for (double v : tr.s) loudest = std::max(loudest, std::fabs(v));
  const double scale = loudest > 0 ? peak / loudest : 0.0;
  const std::vector<uint8_t> bytes = Pcm16Wav(1, kRate, tr.s, scale);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (out) return true;
  std::fprintf(stderr, "digmaze-sound: cannot write %s\n", path.string().c_str());
  return false;
}

double Note(int semitonesFromA4) {
  // 440 * 2^(n/12) by repeated multiplication with the twelfth root of two.
  const double step = 1.0594630943592953;
  double f = 440.0;
  for (int i = 0; i < semitonesFromA4; ++i) f *= step;
  for (int i = 0; i > semitonesFromA4; --i) f /= step;
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const auto dir = std::filesystem::path(argv[1]) / "vdd" / "sound";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  bool ok = true;

  {  // A soft footfall: a muffled tap with a little grit.
    Track t(0.07);
    Tone(t, 0, 0.07, 150, 90, 1.0, 0.012, {1.0, 0.3});
    Noise(t, 0, 0.05, 0.6, 0.006, 0.12, 11);
    ok &= Write(t, 0.16, dir / "horizontal_step.wav");
  }
  {  // A hollow knock on a wooden rung, higher than the footfall.
    Track t(0.07);
    Tone(t, 0, 0.07, 520, 480, 1.0, 0.010, {1.0, 0.0, 0.35});
    Noise(t, 0, 0.03, 0.3, 0.004, 0.5, 23);
    ok &= Write(t, 0.14, dir / "vertical_step.wav");
  }
  {  // Two bright bell notes going up.
    Track t(0.45);
    Tone(t, 0.00, 0.45, Note(19), Note(19), 1.0, 0.07, {1.0, 0.0, 0.25, 0.0, 0.1});
    Tone(t, 0.08, 0.37, Note(26), Note(26), 1.0, 0.09, {1.0, 0.0, 0.25, 0.0, 0.1});
    ok &= Write(t, 0.5, dir / "treasure.wav");
  }
  {  // A rising major arpeggio with a shimmering top note.
    Track t(0.9);
    const int notes[] = {15, 19, 22, 27, 31};
    for (int i = 0; i < 5; ++i)
      Tone(t, 0.07 * i, 0.9 - 0.07 * i, Note(notes[i]), Note(notes[i]), i == 4 ? 1.0 : 0.7,
           i == 4 ? 0.18 : 0.08, {1.0, 0.3, 0.15});
    ok &= Write(t, 0.55, dir / "life.wav");
  }
  {  // A short fanfare ending on a held chord.
    Track t(1.8);
    const double beat = 0.13;
    const int melody[] = {3, 7, 10, 15};
    for (int i = 0; i < 4; ++i)
      Tone(t, beat * i, beat * 1.5, Note(melody[i]), Note(melody[i]), 0.8, 0.1,
           {1.0, 0.45, 0.25, 0.12}, 0.006);
    for (int n : {3, 7, 10, 15})
      Tone(t, beat * 4, 1.8 - beat * 4, Note(n), Note(n), 0.5, 0.35, {1.0, 0.45, 0.25, 0.12}, 0.01);
    ok &= Write(t, 0.55, dir / "victory.wav");
  }
  {  // A tone falling in two steps: the runner is caught.
    Track t(1.1);
    Tone(t, 0.0, 0.35, Note(2), Note(-3), 0.8, 0.3, {1.0, 0.0, 0.33, 0.0, 0.2});
    Tone(t, 0.33, 0.77, Note(-3), Note(-22), 0.8, 0.3, {1.0, 0.0, 0.33, 0.0, 0.2});
    ok &= Write(t, 0.5, dir / "death.wav");
  }
  {  // Digging: three crunches of grit over a low scrape.
    Track t(0.32);
    for (int i = 0; i < 3; ++i) Noise(t, 0.08 * i, 0.14, 1.0 - 0.2 * i, 0.025, 0.22, 101 + i);
    Tone(t, 0, 0.3, 110, 70, 0.5, 0.07, {1.0, 0.5});
    ok &= Write(t, 0.45, dir / "hole.wav");
  }
  {  // The hole fills in: a rising rush of earth ending in a thud.
    Track t(0.4);
    Noise(t, 0, 0.26, 0.12, -0.1, 0.08, 7);
    Tone(t, 0.0, 0.26, 90, 180, 0.06, -0.1, {1.0, 0.4});
    Tone(t, 0.24, 0.16, 85, 55, 1.0, 0.04, {1.0, 0.5, 0.2});
    ok &= Write(t, 0.45, dir / "close_hole.wav");
  }
  return ok ? 0 : 1;
}
