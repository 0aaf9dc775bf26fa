#include "tools/art/Figures.h"

#include <algorithm>
#include <cmath>

#include "tools/art/DetMath.h"
#include "tools/art/Palette.h"

namespace art {
namespace {

struct P {
  double x, y;
};

P Add(P a, P b) {
  return P{a.x + b.x, a.y + b.y};
}
// The point at distance len from a, in the direction angle measured from
// straight down, positive towards +x.
P Reach(P a, double angle, double len) {
  return P{a.x + len * Sin(angle), a.y + len * Cos(angle)};
}

// A limb or body part drawn with a thin ink rim first, so overlapping parts of
// one colour stay apart.
void Part(Canvas& c, P a, P b, double r, Rgba color, bool rim = true) {
  if (rim) c.Capsule(a.x, a.y, b.x, b.y, r + 0.9, pal::kInk);
  c.Capsule(a.x, a.y, b.x, b.y, r, color);
}

void Finish(Canvas& c) {
  c.Outline(pal::kInk, false);
}

// ---- Runner ---------------------------------------------------------------

struct RunnerColors {
  Rgba sleeve, hand, trousers, boot;
};
constexpr RunnerColors kNear{pal::kSleeve, pal::kSkin, pal::kTrousers, pal::kBoot};
constexpr RunnerColors kFar{pal::kShirtDark, pal::kSkinDark, pal::kTrousersDark, pal::kBootDark};

void RunnerLeg(Canvas& c, P hip, P knee, P ankle, double toe, const RunnerColors& k, bool rim) {
  Part(c, hip, knee, 2.0, k.trousers, rim);
  Part(c, knee, ankle, 1.8, k.trousers, rim);
  Part(c, Add(ankle, P{-0.8, 0.2}), Add(ankle, P{toe, 0.2}), 1.5, k.boot, rim);
}

// Sleeves are told from the body by their shade, so arms get no rim.
void RunnerArm(Canvas& c, P shoulder, P elbow, P hand, const RunnerColors& k) {
  Part(c, shoulder, elbow, 1.6, k.sleeve, false);
  Part(c, elbow, hand, 1.4, k.sleeve, false);
  c.Circle(hand.x, hand.y, 1.5, k.hand);
}

// Head with the miner's helmet; facing is +1 (right), -1 (left) or 0 (front).
void RunnerHead(Canvas& c, P h, int facing) {
  c.Circle(h.x, h.y, 4.8, pal::kInk);
  c.Circle(h.x, h.y, 4.0, pal::kSkin);
  // Helmet dome over the upper half with a brim.
  Canvas dome(c.Width(), c.Height());
  dome.Circle(h.x, h.y - 0.3, 4.4, pal::kHelmet);
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (dome.IsOpaque(x, y) && y + 0.5 < h.y - 0.2) c.Set(x, y, pal::kHelmet);
  const int brimY = int(std::floor(h.y - 0.7));
  if (facing == 0) {
    c.HLine(int(std::floor(h.x - 4.5)), brimY, 9, pal::kHelmetDark);
    c.FillRect(int(std::floor(h.x - 1)), brimY - 3, 2, 2, pal::kLamp);
    c.Set(int(std::floor(h.x - 2)), int(std::floor(h.y + 1)), pal::kInk);
    c.Set(int(std::floor(h.x + 1)), int(std::floor(h.y + 1)), pal::kInk);
  } else {
    const int x0 = int(std::floor(h.x - 3.5));
    c.HLine(facing > 0 ? x0 : x0 - 1, brimY, 9, pal::kHelmetDark);
    const int lampX = int(std::floor(h.x + facing * 3.2));
    c.FillRect(facing > 0 ? lampX : lampX - 1, brimY - 3, 2, 2, pal::kLamp);
    c.Set(int(std::floor(h.x + facing * 2.0)), int(std::floor(h.y + 1)), pal::kInk);
  }
}

// Moves every opaque pixel so that the lowest one sits on row 31.
Canvas Ground(const Canvas& c) {
  int lowest = -1;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.IsOpaque(x, y)) lowest = y;
  Canvas out(c.Width(), c.Height());
  out.Blit(c, 0, 31 - lowest);
  return out;
}

}  // namespace

Canvas RunnerWalk(int frame) {
  const double p = 2 * kPi * frame / 8.0;
  Canvas c(32, 32);
  const P hip{15.0, 19.0};
  auto leg = [&](double phase, P& knee, P& ankle) {
    // A wide stride, so that two steps cover nearly the 32 pixels the unit
    // moves per cycle and the feet do not seem to slide.
    const double thigh = 0.65 * Sin(phase);
    const double bend = 0.1 + 1.2 * std::max(0.0, Cos(phase));
    knee = Reach(hip, thigh, 6.0);
    ankle = Reach(knee, thigh - bend, 6.0);
  };
  P nearKnee, nearAnkle, farKnee, farAnkle;
  leg(p, nearKnee, nearAnkle);
  leg(p + kPi, farKnee, farAnkle);
  const P shoulder{16.5, 11.0};
  auto arm = [&](double phase, P& elbow, P& hand) {
    // The elbow bends most when the arm swings forward.
    const double upper = -0.85 * Sin(phase);
    elbow = Reach(shoulder, upper, 4.5);
    hand = Reach(elbow, upper + 0.2 + 0.7 * std::max(0.0, -Sin(phase)), 4.0);
  };
  P nearElbow, nearHand, farElbow, farHand;
  arm(p, nearElbow, nearHand);
  arm(p + kPi, farElbow, farHand);

  RunnerArm(c, shoulder, farElbow, farHand, kFar);
  RunnerLeg(c, hip, farKnee, farAnkle, 2.8, kFar, false);
  Part(c, hip, shoulder, 3.3, pal::kShirt, false);
  c.HLine(12, 18, 7, pal::kTrousersDark);
  RunnerHead(c, P{17.6, 6.0}, 1);
  RunnerLeg(c, hip, nearKnee, nearAnkle, 2.8, kNear, true);
  RunnerArm(c, shoulder, nearElbow, nearHand, kNear);
  Canvas out = Ground(c);
  Finish(out);
  return out;
}

Canvas RunnerStand() {
  Canvas c(32, 32);
  // Legs apart, arms at the sides, facing the player.
  RunnerLeg(c, P{14.0, 19.5}, P{13.6, 24.5}, P{13.4, 29.5}, -1.5, kNear, false);
  RunnerLeg(c, P{18.0, 19.5}, P{18.4, 24.5}, P{18.6, 29.5}, 1.5, kNear, false);
  c.Capsule(16.0, 18.5, 16.0, 12.5, 3.6, pal::kShirt);
  c.HLine(12, 19, 8, pal::kTrousersDark);
  RunnerArm(c, P{12.5, 12.0}, P{11.3, 16.0}, P{11.0, 19.6}, kNear);
  RunnerArm(c, P{19.5, 12.0}, P{20.7, 16.0}, P{21.0, 19.6}, kNear);
  RunnerHead(c, P{16.0, 6.5}, 0);
  Canvas out = Ground(c);
  Finish(out);
  return out;
}

Canvas RunnerClimb(int frame) {
  const double p = 2 * kPi * frame / 8.0;
  const double s = Sin(p);
  Canvas c(32, 32);
  const P lHip{14.0, 19.5}, rHip{18.0, 19.5};
  // Diagonal gait: the left hand rises with the right foot.
  const P lFoot{12.5, 29.5 - 2.5 * (1 - s)}, rFoot{19.5, 29.5 - 2.5 * (1 + s)};
  const P lKnee{11.8, (lHip.y + lFoot.y) / 2}, rKnee{20.2, (rHip.y + rFoot.y) / 2};
  Part(c, lHip, lKnee, 2.0, pal::kTrousers, false);
  Part(c, lKnee, lFoot, 1.8, pal::kTrousers, false);
  Part(c, rHip, rKnee, 2.0, pal::kTrousers, false);
  Part(c, rKnee, rFoot, 1.8, pal::kTrousers, false);
  c.Ellipse(lFoot.x, lFoot.y + 0.8, 2.0, 1.4, pal::kBoot);
  c.Ellipse(rFoot.x, rFoot.y + 0.8, 2.0, 1.4, pal::kBoot);
  c.Capsule(16.0, 18.5, 16.0, 12.5, 3.6, pal::kShirtDark);
  c.VLine(16, 11, 7, pal::kShirt);
  c.HLine(12, 19, 8, pal::kTrousersDark);
  const P lShoulder{12.8, 11.5}, rShoulder{19.2, 11.5};
  const P lHand{9.5, 5.5 - 2.5 * (1 + s)}, rHand{22.5, 5.5 - 2.5 * (1 - s)};
  const P lElbow{8.6, (lShoulder.y + lHand.y) / 2 + 1},
      rElbow{23.4, (rShoulder.y + rHand.y) / 2 + 1};
  RunnerArm(c, lShoulder, lElbow, lHand, kNear);
  RunnerArm(c, rShoulder, rElbow, rHand, kNear);
  // The back of the head: helmet all over, a strip of neck below.
  c.Circle(16.0, 6.8, 4.6, pal::kInk);
  c.Circle(16.0, 6.8, 3.8, pal::kSkin);
  c.Ellipse(16.0, 5.6, 4.3, 3.9, pal::kHelmet);
  c.HLine(12, 8, 9, pal::kHelmetDark);
  Finish(c);
  return c;
}

// ---- Alien ----------------------------------------------------------------

namespace {

// The round body with a darker underside and a highlight.
void AlienBody(Canvas& c, P center, double rx, double ry) {
  c.Ellipse(center.x, center.y, rx + 0.9, ry + 0.9, pal::kInk);
  c.Ellipse(center.x, center.y, rx, ry, pal::kAlienDark);
  c.Ellipse(center.x, center.y - 1.0, rx - 0.6, ry - 1.2, pal::kAlien);
  c.Ellipse(center.x - rx * 0.4, center.y - ry * 0.5, 1.6, 1.1, pal::kAlienLight);
}

void Antenna(Canvas& c, P base, P tip) {
  c.Line(int(base.x), int(base.y), int(tip.x), int(tip.y), pal::kAlienDeep);
  c.Circle(tip.x, tip.y, 1.5, pal::kAntenna);
}

void AlienEye(Canvas& c, P center, double r, double lookX) {
  c.Circle(center.x, center.y, r + 0.8, pal::kInk);
  c.Circle(center.x, center.y, r, pal::kEye);
  c.Circle(center.x + lookX, center.y, r * 0.45, pal::kPupil);
}

}  // namespace

Canvas AlienWalk(int frame) {
  const double p = 2 * kPi * frame / 8.0;
  const double s = Sin(p);
  const double bob = std::fabs(Sin(p));
  Canvas c(32, 32);
  const P body{15.5, 18.0 + bob};
  // Two stubby legs that step in turn.
  for (int side = 0; side < 2; ++side) {
    const double phase = side ? p + kPi : p;
    const P hip{body.x + (side ? -3.0 : 3.0), body.y + 5.0};
    const P foot = Reach(hip, 0.6 * Sin(phase), 6.5 - bob);
    const Rgba color = side ? pal::kAlienDeep : pal::kAlienDark;
    Part(c, hip, foot, 1.7, color, side == 0);
    c.Ellipse(foot.x + 1.0, foot.y + 0.5, 2.4, 1.3, color);
  }
  // Antennae trail the motion a little.
  const double sway = 1.5 * Sin(p - 1.2);
  Antenna(c, P{body.x - 2.0, body.y - 6.0}, P{body.x - 5.0 - sway, body.y - 12.5 + bob});
  Antenna(c, P{body.x + 2.0, body.y - 6.0}, P{body.x + 3.0 - sway, body.y - 13.5 + bob});
  AlienBody(c, body, 8.0, 6.8);
  AlienEye(c, P{body.x + 3.2, body.y - 1.5}, 3.3, 1.4);
  c.HLine(int(body.x + 1.5), int(body.y + 3.5), 4, pal::kAlienDeep);
  // Little arms swinging against the legs.
  const P shoulder{body.x - 3.5, body.y + 2.0};
  const P hand = Reach(shoulder, -0.8 * s, 4.0);
  Part(c, shoulder, hand, 1.1, pal::kAlien, true);
  c.Circle(hand.x, hand.y, 1.3, pal::kAlienLight);
  Canvas out = Ground(c);
  Finish(out);
  return out;
}

Canvas AlienStand() {
  Canvas c(32, 32);
  const P body{16.0, 18.0};
  Part(c, P{13.0, 23.0}, P{12.5, 29.5}, 1.7, pal::kAlienDark, false);
  Part(c, P{19.0, 23.0}, P{19.5, 29.5}, 1.7, pal::kAlienDark, false);
  c.Ellipse(11.8, 30.0, 2.4, 1.3, pal::kAlienDark);
  c.Ellipse(20.2, 30.0, 2.4, 1.3, pal::kAlienDark);
  Antenna(c, P{13.0, 12.0}, P{10.5, 5.0});
  Antenna(c, P{19.0, 12.0}, P{21.5, 5.0});
  Part(c, P{8.5, 18.0}, P{6.5, 22.5}, 1.2, pal::kAlienLight, true);
  Part(c, P{23.5, 18.0}, P{25.5, 22.5}, 1.2, pal::kAlienLight, true);
  AlienBody(c, body, 8.0, 6.8);
  AlienEye(c, P{16.0, 16.5}, 3.6, 0.0);
  c.HLine(14, 21, 5, pal::kAlienDeep);
  Canvas out = Ground(c);
  Finish(out);
  return out;
}

Canvas AlienClimb(int frame) {
  const double p = 2 * kPi * frame / 8.0;
  const double s = Sin(p);
  Canvas c(32, 32);
  const P body{16.0, 17.5};
  const P lFoot{12.0, 29.5 - 2.5 * (1 - s)}, rFoot{20.0, 29.5 - 2.5 * (1 + s)};
  Part(c, P{13.0, 22.0}, lFoot, 1.7, pal::kAlienDark, false);
  Part(c, P{19.0, 22.0}, rFoot, 1.7, pal::kAlienDark, false);
  c.Ellipse(lFoot.x, lFoot.y + 0.6, 2.0, 1.3, pal::kAlienDeep);
  c.Ellipse(rFoot.x, rFoot.y + 0.6, 2.0, 1.3, pal::kAlienDeep);
  Antenna(c, P{15.0, 12.0}, P{13.5 - s, 4.5});
  Antenna(c, P{17.0, 12.0}, P{18.5 - s, 4.5});
  AlienBody(c, body, 8.0, 6.8);
  // Spots on its back instead of the eye.
  c.Circle(13.5, 16.0, 1.3, pal::kAlienDark);
  c.Circle(18.5, 18.5, 1.6, pal::kAlienDark);
  c.Circle(15.0, 20.5, 1.0, pal::kAlienDark);
  const P lHand{9.5, 9.5 - 2.5 * (1 + s)}, rHand{22.5, 9.5 - 2.5 * (1 - s)};
  Part(c, P{10.5, 15.0}, lHand, 1.0, pal::kAlien, true);
  Part(c, P{21.5, 15.0}, rHand, 1.0, pal::kAlien, true);
  c.Circle(lHand.x, lHand.y, 1.4, pal::kAlienLight);
  c.Circle(rHand.x, rHand.y, 1.4, pal::kAlienLight);
  Finish(c);
  return c;
}

Sprites DrawSprites() {
  Sprites s;
  s.runnerStand = RunnerStand();
  s.alienStand = AlienStand();
  for (int f = 0; f < 8; ++f) {
    s.runner[1][f] = RunnerWalk(f);
    s.runner[0][f] = s.runner[1][f].MirrorX();
    s.runner[2][f] = RunnerClimb(f);
    s.alien[1][f] = AlienWalk(f);
    s.alien[0][f] = s.alien[1][f].MirrorX();
    s.alien[2][f] = AlienClimb(f);
  }
  // Climbing down plays the climbing-up cycle backwards.
  for (int f = 0; f < 8; ++f) {
    s.runner[3][f] = s.runner[2][(8 - f) % 8];
    s.alien[3][f] = s.alien[2][(8 - f) % 8];
  }
  return s;
}

}  // namespace art
