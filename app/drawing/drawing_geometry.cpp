#include "app/drawing/drawing_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace app {
namespace {

// The GDI style of each layer style at width step 1.
constexpr std::array<int, kPenStyles> kStyledPens = {PS_SOLID, PS_DASH,       PS_DOT, PS_DASHDOT,
                                                     PS_DASH,  PS_DASHDOTDOT, PS_NULL};
constexpr int kStyledWidthStep = 1;

// Pi and its multiples as the angle table uses them.
constexpr double kPi = 3.14159;
constexpr double kHalfPi = 1.570795;
constexpr double kThreeHalfPi = 4.712385;
constexpr double kTwoPi = 6.28318;
constexpr int kFullCircle = 3600;
constexpr int kOctant = 450;

struct Offset {
  double x;
  double y;
};

// One function an octant: the radial's crossing with the unit square, t in radians.
Offset FirstOctant(double t) { return {1.0, -std::tan(t)}; }
Offset SecondOctant(double t) { return {std::tan(kHalfPi - t), -1.0}; }
Offset ThirdOctant(double t) { return {-std::tan(t - kHalfPi), -1.0}; }
Offset FourthOctant(double t) { return {-1.0, -std::tan(kPi - t)}; }
Offset FifthOctant(double t) { return {-1.0, std::tan(t - kPi)}; }
Offset SixthOctant(double t) { return {-std::tan(kThreeHalfPi - t), 1.0}; }
Offset SeventhOctant(double t) { return {std::tan(t - kThreeHalfPi), 1.0}; }
Offset EighthOctant(double t) { return {1.0, std::tan(kTwoPi - t)}; }

using OctantFunction = Offset (*)(double);
constexpr std::array<OctantFunction, 8> kOctants = {FirstOctant, SecondOctant, ThirdOctant,   FourthOctant,
                                                    FifthOctant, SixthOctant,  SeventhOctant, EighthOctant};
static_assert(kOctants.size() * kOctant == kFullCircle);

// Distance of an arrow head's corners from its tip, and the constants of the corner equations.
constexpr double kWing = 10.2;
constexpr double kWingSquared = 104.04;
constexpr double kSlopeFactor = 1.923;
constexpr double kReach = 9.8073;

int Round(double v) { return static_cast<int>(std::lround(v)); }
double RootOrZero(double v) { return std::sqrt(std::max(0.0, v)); }

}  // namespace

int GdiPenStyle(int layer_style, int width_step) {
  if (width_step != kStyledWidthStep || layer_style < 0 || layer_style >= kPenStyles) return PS_SOLID;
  return kStyledPens[static_cast<std::size_t>(layer_style)];
}

DrawPoint ArcEndPoint(DrawPoint centre, int radius, int angle) {
  const int a = ((angle % kFullCircle) + kFullCircle) % kFullCircle;
  const double t = a / 1800.0 * kPi;
  const Offset o = kOctants[static_cast<std::size_t>(a / kOctant)](t);
  return DrawPoint{Round(centre.x + o.x * radius), Round(centre.y + o.y * radius)};
}

std::array<DrawPoint, 4> AxisArrowHead(int x, int y, int length, int half_width, int direction) {
  DrawPoint w1, w2;
  switch (direction) {
    case 0: w1 = {x + length, y - half_width}; w2 = {x + length, y + half_width}; break;
    case 1: w1 = {x - length, y - half_width}; w2 = {x - length, y + half_width}; break;
    case 2: w1 = {x - half_width, y + length}; w2 = {x + half_width, y + length}; break;
    default: w1 = {x - half_width, y - length}; w2 = {x + half_width, y - length}; break;
  }
  return {w1, DrawPoint{x, y}, w2, w1};
}

std::array<DrawPoint, 4> SlantedArrowHead(DrawPoint tip, DrawPoint neighbour) {
  const double dx = tip.x - neighbour.x;
  const double dy = tip.y - neighbour.y;
  const double l2 = dx * dx + dy * dy;
  const double l = std::sqrt(l2);
  const double b = kSlopeFactor * l * kWing * dx / l2;
  const double c = ((kReach * l) * (kReach * l) - dy * dy * kWingSquared) / l2;
  const double root = RootOrZero(b * b * 0.25 - c);
  const double ua = -0.5 * b + root;
  const double ub = -0.5 * b - root;
  double va = RootOrZero(kWingSquared - ua * ua);
  double vb = RootOrZero(kWingSquared - ub * ub);
  if (tip.y > neighbour.y) {
    va = -va;
    vb = -vb;
  }
  const DrawPoint a{Round(tip.x + ua), Round(tip.y + va)};
  const DrawPoint bpt{Round(tip.x + ub), Round(tip.y + vb)};
  return {a, tip, bpt, a};
}

}  // namespace app
