// The synthesiser: every note is rendered on its own into three stereo
// buses (dry, the echo's and the room's), which are then run through the
// echo and the room and added up.
//
// Index of this file:
//   Oscillators and filters
//   Melodic voices
//   Drums
//   Echo, room and the whole piece

#include "tools/music/Synth.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "tools/music/Math.h"

namespace music {

namespace {

// ---------------------------------------------------------------------------
// Oscillators and filters
// ---------------------------------------------------------------------------

constexpr size_t kTableSize = 4096;

// One cycle of a sine, read with linear interpolation.
struct SineTable {
  std::array<double, kTableSize + 1> v;
  SineTable() {
    for (size_t i = 0; i <= kTableSize; ++i) v[i] = Sin(2.0 * kPi * i / kTableSize);
  }
};

double SineCycle(double phase) {
  static const SineTable table;
  phase -= std::floor(phase);
  const double x = phase * kTableSize;
  const size_t i = static_cast<size_t>(x);
  return table.v[i] + (table.v[i + 1] - table.v[i]) * (x - static_cast<double>(i));
}

// Smooths the jump of a saw or pulse wave at phase 0, so the waves do not
// alias into tones of their own.
double Blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

struct Noise {
  uint32_t state;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
  }
};

// A resonant low-pass (a state-variable filter in its trapezoidal form, stable
// at any cutoff). Its coefficients follow the cutoff every 32 frames.
struct LowPass {
  double ic1 = 0, ic2 = 0, a1 = 0, a2 = 0, a3 = 0, k = 1;
  int countdown = 0;
  double Run(double x, double cutoff, double resonance, double rate) {
    if (countdown-- <= 0) {
      countdown = 31;
      const double g = Tan(kPi * std::clamp(cutoff, 20.0, 0.45 * rate) / rate);
      k = 2.0 - 1.9 * std::clamp(resonance, 0.0, 1.0);
      a1 = 1.0 / (1.0 + g * (g + k));
      a2 = g * a1;
      a3 = g * a2;
    }
    const double v3 = x - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    return v2;
  }
};

// A first-order high-pass.
struct HighPass {
  double a = 0, x1 = 0, y1 = 0;
  HighPass(double cutoff, double rate) : a(1.0 / (1.0 + 2.0 * kPi * cutoff / rate)) {}
  double Run(double x) {
    y1 = a * (y1 + x - x1);
    x1 = x;
    return y1;
  }
};

// What one note adds to the three buses, clipped to the piece's end.
struct Buses {
  std::vector<double> dry, echo, room;
  size_t frames = 0;
  explicit Buses(size_t n) : dry(2 * n), echo(2 * n), room(2 * n), frames(n) {}
};

struct Placement {
  double left, right, echo, room;
};

Placement Place(const Voice& voice, double gain) {
  // Constant power: the middle sends each side 0.707.
  const double angle = (std::clamp(voice.Get("pan", 0.0), -1.0, 1.0) + 1.0) * kPi / 4.0;
  return {Cos(angle) * gain, Sin(angle) * gain, voice.Get("echo", 0.0), voice.Get("reverb", 0.0)};
}

void Put(Buses& buses, size_t at, const Placement& p, double left, double right) {
  if (at >= buses.frames) return;
  const double l = left * p.left, r = right * p.right;
  buses.dry[2 * at] += l;
  buses.dry[2 * at + 1] += r;
  buses.echo[2 * at] += l * p.echo;
  buses.echo[2 * at + 1] += r * p.echo;
  buses.room[2 * at] += l * p.room;
  buses.room[2 * at + 1] += r * p.room;
}

// The factor by which something falls to 1/e in `seconds`, per frame.
double Falling(double seconds, double rate) {
  return Exp(-1.0 / std::max(seconds * rate, 1.0));
}

// ---------------------------------------------------------------------------
// Melodic voices
// ---------------------------------------------------------------------------

// One oscillator of a note: a phase and what it plays.
double Wave(const std::string& kind, double phase, double dt, double width) {
  if (kind == "sine") return SineCycle(phase);
  if (kind == "triangle") return 4.0 * std::fabs(phase - 0.5) - 1.0;
  if (kind == "saw") return 2.0 * phase - 1.0 - Blep(phase, dt);
  // pulse
  double t2 = phase + 1.0 - width;
  t2 -= std::floor(t2);
  return (phase < width ? 1.0 : -1.0) + Blep(phase, dt) - Blep(t2, dt);
}

void Melodic(const Voice& voice, const Note& note, size_t at, size_t length, double rate,
             Buses& buses) {
  const Placement place = Place(voice, voice.Get("gain", 0.3) * note.velocity);
  const double attack = std::max(voice.Get("attack", 0.005) * rate, 1.0);
  const double decay = Falling(voice.Get("decay", 0.3), rate);
  const double sustain = voice.Get("sustain", 0.7);
  const double releaseSeconds = voice.Get("release", 0.08);
  const double release = Falling(releaseSeconds, rate);
  const double cutoff = voice.Get("cutoff", 0.0), envcut = voice.Get("envcut", 0.0);
  const double resonance = voice.Get("resonance", 0.2);
  const double vibrato = voice.Get("vibrato", 0.0) * 0.05776226504666211;  // ln 2 / 12
  const double vibratoRate = voice.Get("rate", 5.5) / rate;
  const double width = std::clamp(voice.Get("width", 0.5), 0.05, 0.95);
  const double detune = voice.Get("detune", 0.0);
  const double frequency = 440.0 * Exp2((note.pitch - 69 + voice.Get("tune", 0.0)) / 12.0);
  const bool bell = voice.kind == "bell";
  const double ratio = voice.Get("ratio", 3.5), index = voice.Get("index", 2.0);
  const double bellFade = Falling(voice.Get("decay", 0.3) * 0.6, rate);

  // A held note lets go a little before its length is up, so repeated
  // notes are heard as two.
  const size_t gate = length - std::min(length / 8, static_cast<size_t>(0.03 * rate));
  const size_t end = gate + static_cast<size_t>(releaseSeconds * 7.0 * rate);
  // Detuned, two oscillators a few cents apart, one a little to each side.
  const int count = detune > 0 ? 2 : 1;
  double step[2] = {frequency / rate, frequency / rate};
  if (count == 2) {
    step[0] *= Exp2(-detune / 1200.0);
    step[1] *= Exp2(detune / 1200.0);
  }
  double phase[2] = {0.0, 0.37}, modulator = 0.0, vibratoPhase = 0.0;
  LowPass filters[2];
  double level = 0.0, held = 1.0, modLevel = 1.0;
  for (size_t i = 0; i < end && at + i < buses.frames; ++i) {
    if (i < gate) {
      if (i < attack) {
        level = i / attack;
      } else {
        held *= decay;
        level = sustain + (1.0 - sustain) * held;
      }
    } else {
      level *= release;
    }
    double bend = 1.0;
    if (vibrato > 0) {
      const double fadeIn = std::min(1.0, static_cast<double>(i) / (0.3 * rate));
      bend += vibrato * fadeIn * SineCycle(vibratoPhase);
      vibratoPhase += vibratoRate;
    }
    double side[2] = {0.0, 0.0};
    for (int o = 0; o < count; ++o) {
      const double dt = step[o] * bend;
      double v;
      if (bell) {
        v = SineCycle(phase[o] + index * modLevel * SineCycle(modulator) / (2.0 * kPi));
      } else {
        v = Wave(voice.kind, phase[o], dt, width);
      }
      phase[o] += dt;
      phase[o] -= std::floor(phase[o]);
      if (cutoff > 0) v = filters[o].Run(v, cutoff + envcut * level, resonance, rate);
      side[o] = v;
    }
    if (bell) {
      modulator += step[0] * bend * ratio;
      modulator -= std::floor(modulator);
      modLevel *= bellFade;
    }
    const double left = count == 2 ? 0.65 * side[0] + 0.35 * side[1] : side[0];
    const double right = count == 2 ? 0.35 * side[0] + 0.65 * side[1] : side[0];
    Put(buses, at + i, place, left * level, right * level);
  }
}

// ---------------------------------------------------------------------------
// Drums
// ---------------------------------------------------------------------------

void Drum(const Voice& voice, const Note& note, size_t at, double rate, uint32_t seed,
          Buses& buses) {
  const Placement place = Place(voice, voice.Get("gain", 0.5) * note.velocity);
  const double stretch = voice.Get("decay", 1.0);
  const double tune = Exp2(voice.Get("tune", 0.0) / 12.0);
  Noise noise{seed * 2654435761u + 12345u};
  const std::string& kind = voice.kind;
  const bool metal = kind == "hat" || kind == "openhat" || kind == "crash";
  const double body = stretch * (kind == "kick"      ? 0.30
                                 : kind == "snare"   ? 0.14
                                 : kind == "hat"     ? 0.035
                                 : kind == "openhat" ? 0.22
                                 : kind == "crash"   ? 1.1
                                                     : 0.22);
  const size_t length = static_cast<size_t>(body * 7.0 * rate);
  const double fade = Falling(body, rate);
  HighPass hiss(metal ? (kind == "crash" ? 3500.0 : 6500.0) : 1500.0, rate);
  HighPass hiss2(metal ? 5000.0 : 1500.0, rate);
  LowPass soften;
  double level = 1.0, phase = 0.0, sweep = 1.0, click = 1.0;
  const double sweepFall = Falling(kind == "kick" ? 0.035 : 0.05, rate);
  const double clickFall = Falling(0.004, rate);
  const double toneFall = Falling(kind == "snare" ? 0.05 : body, rate);
  double toneLevel = 1.0;
  for (size_t i = 0; i < length && at + i < buses.frames; ++i) {
    double v;
    if (kind == "kick") {
      const double f = (46.0 + 105.0 * sweep) * tune;
      v = SineCycle(phase) * level + 0.25 * click * soften.Run(noise.Next(), 3000.0, 0.0, rate);
      phase += f / rate;
    } else if (kind == "tom") {
      const double f = (95.0 + 45.0 * sweep) * tune;
      v = SineCycle(phase) * level + 0.1 * click * noise.Next();
      phase += f / rate;
    } else if (kind == "snare") {
      const double tone = SineCycle(phase) * toneLevel * 0.55;
      phase += 185.0 * tune / rate;
      v = tone + 0.9 * level * soften.Run(hiss.Run(noise.Next()), 7000.0, 0.0, rate);
    } else {
      v = level * hiss2.Run(hiss.Run(noise.Next())) * 1.6;
    }
    level *= fade;
    toneLevel *= toneFall;
    sweep *= sweepFall;
    click *= clickFall;
    // The first 2 ms rise, so even the sharpest hit does not click.
    const double rise = std::min(1.0, static_cast<double>(i) / (0.002 * rate));
    Put(buses, at + i, place, v * rise, v * rise);
  }
}

// ---------------------------------------------------------------------------
// Echo, room and the whole piece
// ---------------------------------------------------------------------------

// An echo that bounces from side to side, each repeat a little duller.
void Echo(Buses& buses, size_t delay, double feedback) {
  std::vector<double> left(delay, 0.0), right(delay, 0.0);
  double dullLeft = 0.0, dullRight = 0.0;
  for (size_t f = 0, i = 0; f < buses.frames; ++f, i = (i + 1) % delay) {
    const double in = 0.5 * (buses.echo[2 * f] + buses.echo[2 * f + 1]);
    const double outLeft = left[i], outRight = right[i];
    dullLeft += 0.45 * (outRight - dullLeft);
    dullRight += 0.45 * (outLeft - dullRight);
    left[i] = in + feedback * dullLeft;
    right[i] = feedback * dullRight;
    buses.dry[2 * f] += outLeft;
    buses.dry[2 * f + 1] += outRight;
    buses.room[2 * f] += 0.3 * outLeft;
    buses.room[2 * f + 1] += 0.3 * outRight;
  }
}

// A small room: four damped combs in parallel and two all-passes after them
// on each side, the right side's a little longer so the two differ.
void Room(Buses& buses) {
  struct Comb {
    std::vector<double> line;
    size_t i = 0;
    double store = 0;
    double Run(double in) {
      const double out = line[i];
      store = out * 0.75 + store * 0.25;
      line[i] = in + store * 0.8;
      i = (i + 1) % line.size();
      return out;
    }
  };
  struct AllPass {
    std::vector<double> line;
    size_t i = 0;
    double Run(double in) {
      const double held = line[i];
      line[i] = in + held * 0.5;
      i = (i + 1) % line.size();
      return held - in;
    }
  };
  const size_t combs[4] = {1116, 1188, 1277, 1356}, passes[2] = {556, 441};
  for (int side = 0; side < 2; ++side) {
    const size_t spread = side ? 23 : 0;
    std::vector<Comb> c;
    for (size_t n : combs) c.push_back({std::vector<double>(n + spread, 0.0)});
    std::vector<AllPass> a;
    for (size_t n : passes) a.push_back({std::vector<double>(n + spread, 0.0)});
    for (size_t f = 0; f < buses.frames; ++f) {
      const double in = 0.5 * (buses.room[2 * f] + buses.room[2 * f + 1]) * 0.12;
      double out = 0;
      for (Comb& comb : c) out += comb.Run(in);
      for (AllPass& pass : a) out = pass.Run(out);
      buses.dry[2 * f + side] += out;
    }
  }
}

}  // namespace

Audio Render(const Score& score, int rate, size_t margin) {
  const double framesPerStep = score.SecondsPerStep() * rate;
  auto frameOf = [&](int step) { return static_cast<size_t>(std::llround(step * framesPerStep)); };
  const size_t pass = frameOf(score.steps);
  // How long anything rings on: notes started longer ago than this before
  // the cut are not rendered, and a loop is cut from a pass that follows
  // enough passes to have all that ringing in it, as the loop will when it
  // plays over and over.
  const size_t horizon = 10 * static_cast<size_t>(rate);
  const size_t lead = score.loop ? (horizon + margin + pass - 1) / pass : 0;
  const size_t from = score.loop ? lead * pass - margin : 0;
  const size_t total =
      score.loop ? (lead + 1) * pass + margin : pass + static_cast<size_t>(score.tail * rate);
  Buses buses(total);
  for (size_t p = 0; p < (score.loop ? lead + 2 : 1); ++p) {
    for (size_t n = 0; n < score.notes.size(); ++n) {
      const Note& note = score.notes[n];
      const Voice& voice = score.voices[static_cast<size_t>(note.voice)];
      const size_t at = p * pass + frameOf(note.step);
      if (at >= total || at + horizon < from) continue;
      if (voice.IsDrum())
        Drum(voice, note, at, rate, static_cast<uint32_t>(n), buses);
      else
        Melodic(voice, note, at, frameOf(note.step + note.length) - frameOf(note.step), rate,
                buses);
    }
  }
  Echo(buses, std::max<size_t>(1, frameOf(score.echoSteps)), score.echoFeedback);
  Room(buses);
  // No steady offset: what the voices leave off centre would only eat headroom.
  for (int side = 0; side < 2; ++side) {
    HighPass still(10.0, rate);
    for (size_t f = 0; f < buses.frames; ++f)
      buses.dry[2 * f + side] = still.Run(buses.dry[2 * f + side]);
  }

  Audio audio;
  audio.samples.assign(buses.dry.begin() + static_cast<long>(2 * from), buses.dry.end());
  if (score.loop) {
    audio.loopStart = margin;
    audio.loopLength = pass;
  } else {
    // The tail ends in silence, whatever still rings.
    const size_t fade = std::min(audio.frames(), static_cast<size_t>(0.05 * rate));
    for (size_t i = 0; i < fade; ++i) {
      const size_t f = audio.frames() - 1 - i;
      audio.samples[2 * f] *= static_cast<double>(i) / fade;
      audio.samples[2 * f + 1] *= static_cast<double>(i) / fade;
    }
  }
  return audio;
}

}  // namespace music
