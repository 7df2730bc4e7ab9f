// Renders the watcher's picture: a black-and-tan dog's head looking at the
// viewer, cut out along its outline on a pure black (see-through) background.
//
//   g++ -std=c++17 -O2 -o /tmp/render_dog tools/artwork/render_dog.cpp
//   /tmp/render_dog assets/dog.bmp
//
// How it is made: every part of the head (skull, cheeks, muzzle, ears, eyes,
// nose, mouth, tongue) is a shape with a height above the picture plane. The
// picture is rendered at 3 x 3 samples a pixel: hair is line-integral-
// convolved noise along a hair-flow field, which also roughens the height so
// that the light picks out the strands; a key light from the upper left, a
// fill light, ambient occlusion from the height field and a hair sheen do the
// shading. Each output pixel is either wholly dog or wholly background (the
// average of the dog samples in it only), so the outline has no dark fringe.
// Everything random comes from a fixed-seed hash: the output never changes.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <queue>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 277;
constexpr int kHeight = 220;
constexpr int kSub = 3;  // samples a pixel, each way
constexpr int kSW = kWidth * kSub;
constexpr int kSH = kHeight * kSub;
constexpr double kPi = 3.14159265358979323846;

// Eye centres; the program draws its moving pupils around them.
constexpr double kEyeY = 68;
constexpr double kEyeLeftX = 94;
constexpr double kEyeRightX = 180;
constexpr double kMid = 137;        // the face's middle line
constexpr double kKeepRadius = 50;  // around each eye nothing may be see-through

// ---------------------------------------------------------------- small maths

struct V3 {
  double x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V3 operator-(V3 a, V3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 operator*(V3 a, double s) {
  return {a.x * s, a.y * s, a.z * s};
}
double Dot(V3 a, V3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
V3 Normalize(V3 a) {
  const double l = std::sqrt(Dot(a, a));
  return l > 0 ? a * (1.0 / l) : a;
}
V3 Mix(V3 a, V3 b, double t) {
  return a + (b - a) * t;
}

double Clamp01(double v) {
  return std::min(1.0, std::max(0.0, v));
}
double Smooth(double e0, double e1, double v) {
  const double t = Clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
double Mixd(double a, double b, double t) {
  return a + (b - a) * t;
}
double Gauss(double x, double y, double cx, double cy, double sx, double sy) {
  const double u = (x - cx) / sx, v = (y - cy) / sy;
  return std::exp(-(u * u + v * v));
}
// Polynomial smooth minimum: a union of two distance fields with a rounded seam.
double SMin(double a, double b, double k) {
  const double h = std::max(k - std::fabs(a - b), 0.0) / k;
  return std::min(a, b) - h * h * k * 0.25;
}

// -------------------------------------------------------------- fixed noise

std::uint32_t Hash(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}
std::uint32_t Hash2(int x, int y, std::uint32_t seed) {
  return Hash(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^
              Hash(static_cast<std::uint32_t>(y) + seed * 0x85EBCA6BU));
}
double Rand01(int x, int y, std::uint32_t seed) {
  return Hash2(x, y, seed) / 4294967296.0;
}

// Smooth value noise in [-1, 1].
double Noise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * tx * (tx * (tx * 6 - 15) + 10);
  ty = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
  const double a = Rand01(ix, iy, seed), b = Rand01(ix + 1, iy, seed);
  const double c = Rand01(ix, iy + 1, seed), d = Rand01(ix + 1, iy + 1, seed);
  return 2 * Mixd(Mixd(a, b, tx), Mixd(c, d, tx), ty) - 1;
}
double Fbm(double x, double y, int octaves, std::uint32_t seed) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * Noise(x, y, seed + static_cast<std::uint32_t>(i) * 101U);
    norm += amp;
    x = x * 2.03 + 17.1;
    y = y * 2.03 - 5.3;
    amp *= 0.5;
  }
  return sum / norm;
}
// Distance to the nearest of randomly placed points, one a cell: pebbly skin.
double Cells(double x, double y, std::uint32_t seed) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  double best = 9;
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      const double px = ix + i + 0.15 + 0.7 * Rand01(ix + i, iy + j, seed);
      const double py = iy + j + 0.15 + 0.7 * Rand01(ix + i, iy + j, seed + 7);
      best = std::min(best, std::hypot(x - px, y - py));
    }
  }
  return best;
}

// A smooth curve through (x, y) points with increasing x (Catmull-Rom).
double Curve(const std::vector<std::pair<double, double>>& pts, double x) {
  if (x <= pts.front().first) return pts.front().second;
  if (x >= pts.back().first) return pts.back().second;
  std::size_t i = 0;
  while (x > pts[i + 1].first) ++i;
  const double x0 = pts[i].first, x1 = pts[i + 1].first;
  const double t = (x - x0) / (x1 - x0);
  const double p0 = i > 0 ? pts[i - 1].second : pts[i].second;
  const double p1 = pts[i].second, p2 = pts[i + 1].second;
  const double p3 = i + 2 < pts.size() ? pts[i + 2].second : p2;
  const double t2 = t * t, t3 = t2 * t;
  return 0.5 * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 +
                (-p0 + 3 * p1 - 3 * p2 + p3) * t3);
}

// ------------------------------------------------------------------- shapes

struct Ellipse {
  double cx, cy, rx, ry, rot = 0;
};
// Local coordinates of a point in an ellipse's frame, scaled to its radii.
void EllipseLocal(const Ellipse& e, double x, double y, double& u, double& v) {
  const double c = std::cos(e.rot), s = std::sin(e.rot);
  const double dx = x - e.cx, dy = y - e.cy;
  u = (c * dx + s * dy) / e.rx;
  v = (-s * dx + c * dy) / e.ry;
}
// 0 at the centre, 1 on the rim.
double EllipseQ(const Ellipse& e, double x, double y) {
  double u, v;
  EllipseLocal(e, x, y, u, v);
  return std::sqrt(u * u + v * v);
}
// Approximate signed distance in pixels, negative inside.
double EllipseDist(const Ellipse& e, double x, double y) {
  double u, v;
  EllipseLocal(e, x, y, u, v);
  const double q = std::sqrt(u * u + v * v);
  if (q < 1e-9) return -std::min(e.rx, e.ry);
  const double g = std::sqrt(u * u / (e.rx * e.rx) + v * v / (e.ry * e.ry)) / q;
  return (q - 1) / g;
}

struct P2 {
  double x, y;
};
// Signed distance to a closed polygon, negative inside.
double PolygonDist(const std::vector<P2>& poly, double x, double y) {
  double d = 1e18;
  double sign = 1;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const P2 a = poly[j], b = poly[i];
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double wx = x - a.x, wy = y - a.y;
    const double t = Clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
    const double bx = wx - ex * t, by = wy - ey * t;
    d = std::min(d, bx * bx + by * by);
    const bool c1 = y >= a.y, c2 = y<b.y, c3 = ex * wy> ey * wx;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
  }
  return sign * std::sqrt(d);
}

// A rounded rectangle-like shape: |u|^p + |v|^p = 1 in the ellipse's frame.
double SuperQ(const Ellipse& e, double p, double x, double y) {
  double u, v;
  EllipseLocal(e, x, y, u, v);
  return std::pow(std::pow(std::fabs(u), p) + std::pow(std::fabs(v), p), 1 / p);
}
double SuperDist(const Ellipse& e, double p, double x, double y) {
  const double q = SuperQ(e, p, x, y);
  const double gx = SuperQ(e, p, x + 0.5, y) - SuperQ(e, p, x - 0.5, y);
  const double gy = SuperQ(e, p, x, y + 0.5) - SuperQ(e, p, x, y - 0.5);
  const double g = std::hypot(gx, gy);
  return g > 1e-9 ? (q - 1) / g : -std::min(e.rx, e.ry);
}

// The head's outline: a broad skull, cheeks and the chin.
const Ellipse kSkull{kMid, 66, 95, 59};
const Ellipse kCheeks{kMid, 116, 99, 64};
const Ellipse kChin{kMid, 182, 62, 40};
const Ellipse kMuzzle{kMid, 140, 50, 47};

// The left ear (picture left) folds over and hangs outwards, past the frame;
// the right one stands higher and folds its tip forward. Both start behind
// the skull. Rounded by kEarRound.
const std::vector<P2> kLeftEar = {{114, 26}, {100, 8}, {76, 3}, {50, 8},  {28, 20}, {11, 38},
                                  {0, 58},   {-8, 80}, {6, 84}, {24, 74}, {40, 62}, {54, 48}};
// The right ear: the part that stands, whose inside shows under the flap
// folded forward over it.
const std::vector<P2> kRightEar = {{172, 24}, {188, 8},  {200, -2}, {226, -3}, {246, 6},
                                   {258, 22}, {254, 40}, {236, 50}, {214, 42}};
const std::vector<P2> kRightFlap = {{184, 8},  {200, -3}, {226, -4}, {246, 5},
                                    {259, 21}, {266, 42}, {262, 52}, {254, 44},
                                    {244, 30}, {228, 20}, {208, 16}, {190, 14}};
constexpr double kEarRound = 4;

double HeadDist(double x, double y) {
  double d = SMin(SuperDist(kSkull, 2.7, x, y), EllipseDist(kCheeks, x, y), 30);
  d = SMin(d, EllipseDist(kChin, x, y), 24);
  // Never let the outline come near the eyes.
  d = std::min(d, std::hypot(x - kEyeLeftX, y - kEyeY) - kKeepRadius);
  d = std::min(d, std::hypot(x - kEyeRightX, y - kEyeY) - kKeepRadius);
  return d;
}
double LeftEarDist(double x, double y) {
  return PolygonDist(kLeftEar, x, y) - kEarRound;
}
double RightEarDist(double x, double y) {
  return PolygonDist(kRightEar, x, y) - kEarRound;
}
double RightFlapDist(double x, double y) {
  return PolygonDist(kRightFlap, x, y) - kEarRound;
}

// Direction the hair lies in, as an angle.
double HairAngle(double x, double y) {
  const double dh = HeadDist(x, y);
  double dx, dy;
  if (dh < 4) {
    // Away from the top of the nose, drooping down the cheeks and chin.
    dx = x - kMid;
    dy = y - 122;
    const double l = std::hypot(dx, dy) + 1e-6;
    dx /= l;
    dy /= l;
    dy += 0.55 * Smooth(90, 160, y) + 0.25 * Smooth(60, 130, std::fabs(x - kMid));
    if (y > 168) {  // chin hair runs down
      dx *= 0.5;
      dy = 1;
    }
  } else if (x < kMid) {
    dx = x - 92;  // from the fold of the left ear down to its tip
    dy = y + 12;
  } else {
    dx = x - 205;
    dy = y + 6;
  }
  return std::atan2(dy, dx) + 0.35 * Fbm(x / 22, y / 22, 3, 11);
}

// ------------------------------------------------------------- the buffers

template <class T>
struct Grid {
  int w = 0, h = 0;
  std::vector<T> v;
  Grid(int w_, int h_, T fill = T()) : w(w_), h(h_), v(static_cast<std::size_t>(w_) * h_, fill) {}
  T& operator()(int x, int y) { return v[static_cast<std::size_t>(y) * w + x]; }
  const T& operator()(int x, int y) const { return v[static_cast<std::size_t>(y) * w + x]; }
  T Clamped(int x, int y) const {
    return (*this)(std::min(w - 1, std::max(0, x)), std::min(h - 1, std::max(0, y)));
  }
};

// Sample (sx, sy) sits at these picture coordinates; pixel centres are whole.
double SampleX(int sx) {
  return (sx + 0.5) / kSub - 0.5;
}
double SampleY(int sy) {
  return (sy + 0.5) / kSub - 0.5;
}

// Line integral convolution of noise along the hair flow: streaks of hair.
// `cell` is the size of the noise grain in samples, `reach` the streak half
// length in samples. The result has zero mean and unit deviation.
Grid<double> HairStreaks(const Grid<double>& angle, double cell, int reach, std::uint32_t seed) {
  Grid<double> grain(kSW, kSH);
  for (int y = 0; y < kSH; ++y) {
    for (int x = 0; x < kSW; ++x) {
      grain(x, y) = cell <= 1 ? Rand01(x, y, seed) * 2 - 1 : Noise(x / cell, y / cell, seed);
    }
  }
  Grid<double> out(kSW, kSH);
  double sum = 0, sum2 = 0;
  for (int y = 0; y < kSH; ++y) {
    for (int x = 0; x < kSW; ++x) {
      double acc = grain(x, y), wsum = 1;
      for (int dir = -1; dir <= 1; dir += 2) {
        double px = x, py = y;
        for (int i = 1; i <= reach; ++i) {
          const double a = angle.Clamped(static_cast<int>(px + 0.5), static_cast<int>(py + 0.5));
          px += dir * std::cos(a);
          py += dir * std::sin(a);
          const int ix = static_cast<int>(px + 0.5), iy = static_cast<int>(py + 0.5);
          if (ix < 0 || iy < 0 || ix >= kSW || iy >= kSH) break;
          const double w = 0.5 + 0.5 * std::cos(kPi * i / (reach + 1));
          acc += w * grain(ix, iy);
          wsum += w;
        }
      }
      out(x, y) = acc / wsum;
      sum += out(x, y);
      sum2 += out(x, y) * out(x, y);
    }
  }
  const double n = static_cast<double>(out.v.size());
  const double mean = sum / n, dev = std::sqrt(std::max(1e-12, sum2 / n - mean * mean));
  for (double& value : out.v) value = (value - mean) / dev;
  return out;
}

Grid<double> BoxBlur(const Grid<double>& in, int r) {
  Grid<double> tmp(in.w, in.h), out(in.w, in.h);
  for (int y = 0; y < in.h; ++y) {
    double acc = 0;
    for (int x = -r; x <= r; ++x) acc += in.Clamped(x, y);
    for (int x = 0; x < in.w; ++x) {
      tmp(x, y) = acc / (2 * r + 1);
      acc += in.Clamped(x + r + 1, y) - in.Clamped(x - r, y);
    }
  }
  for (int x = 0; x < in.w; ++x) {
    double acc = 0;
    for (int y = -r; y <= r; ++y) acc += tmp.Clamped(x, y);
    for (int y = 0; y < in.h; ++y) {
      out(x, y) = acc / (2 * r + 1);
      acc += tmp.Clamped(x, y + r + 1) - tmp.Clamped(x, y - r);
    }
  }
  return out;
}
Grid<double> SoftBlur(const Grid<double>& in, int r) {
  return BoxBlur(BoxBlur(BoxBlur(in, r), r), r);
}

// --------------------------------------------------------------- materials

enum Material : std::uint8_t { kNone, kFur, kEar, kNose, kEye, kSkin, kMouth, kTongue, kTooth };

struct Surface {
  Material mat = kNone;
  double z = 0;          // height towards the viewer, in pixels
  V3 albedo;             // colour before lighting
  double hair = 0;       // how much the hair texture shows, 0..1
  double gloss = 0;      // strength of a wet highlight
  double shine = 30;     // its sharpness
  bool painted = false;  // colour is final apart from the highlight (eyes)
  double glint = 0;      // reflection of the light source, added as white
};

const V3 kCoat{0.165, 0.155, 0.155};
const V3 kCoatWarm{0.20, 0.17, 0.15};
const V3 kTanLight{0.80, 0.55, 0.31};
const V3 kTanDeep{0.62, 0.36, 0.17};
const V3 kSkinDark{0.075, 0.065, 0.065};

struct EyeShape {
  double cx, cy, tilt;  // tilt: the outer corner sits higher
};
const EyeShape kEyes[2] = {{kEyeLeftX, kEyeY, -1}, {kEyeRightX, kEyeY, 1}};
constexpr double kEyeHalfWidth = 14.8;
constexpr double kIrisRadius = 10.2;
constexpr double kPupilRadius = 4.6;

// Signed distance-like value of the eye opening (negative inside), plus the
// distance below the upper lid.
double EyeOpening(const EyeShape& e, double x, double y, double* belowLid) {
  const double u = x - e.cx;
  const double v = y - e.cy + e.tilt * 0.12 * u;  // outer corner raised
  const double s = Clamp01(1 - (u / kEyeHalfWidth) * (u / kEyeHalfWidth));
  const double top = -10.3 * std::pow(s, 0.55);
  const double bottom = 9.7 * std::pow(s, 0.7);
  if (belowLid) *belowLid = v - top;
  return std::max({std::fabs(u) - kEyeHalfWidth, top - v, v - bottom});
}

V3 EyeColour(const EyeShape& e, double x, double y, double belowLid) {
  const double u = x - e.cx, v = y - e.cy;
  const double r = std::hypot(u, v);
  const double ang = std::atan2(v, u);
  V3 c;
  if (r < kPupilRadius) {
    c = {0.035, 0.03, 0.03};
  } else if (r < kIrisRadius) {
    const double t = (r - kPupilRadius) / (kIrisRadius - kPupilRadius);
    const V3 inner{0.42, 0.23, 0.085}, outer{0.22, 0.11, 0.045};
    c = Mix(inner, outer, Smooth(0.1, 0.9, t));
    // Radial fibres and flecks.
    const double fib =
        Noise(ang * 9.5 + 40, r * 0.7, 31) * 0.6 + Noise(ang * 23 + 9, r * 1.3, 32) * 0.4;
    c = c * (1 + 0.22 * fib);
    // The darker ring at the rim and the collar round the pupil.
    c = c * (1 - 0.55 * Smooth(0.72, 1.0, t));
    c = c * (1 - 0.35 * Smooth(0.2, 0.0, t));
    // Light passes the cornea and brightens the lower iris.
    c = c * (1 + 0.35 * Smooth(-2, 8, v));
  } else {
    c = V3{0.30, 0.22, 0.18} * (0.5 + 0.3 * Smooth(-4, 8, v));  // the little white that shows
    c = c * (1 - 0.4 * Smooth(kIrisRadius + 2.5, kIrisRadius, r));
  }
  // The upper lid shades the top of the eye.
  c = c * (0.35 + 0.65 * Smooth(0.0, 6.0, belowLid));
  return c;
}

// The catch-lights: the reflection of a bright window, and a small second one.
double CatchLight(const EyeShape& e, double x, double y) {
  const double u = x - e.cx + 4.2, v = y - e.cy + 4.4;
  const double box = std::max(std::fabs(u) / 2.0, std::fabs(v) / 1.7);
  const double main = Smooth(1.15, 0.75, box + 0.15 * std::hypot(u, v) / 2.0);
  const double small = Smooth(1.0, 0.3, std::hypot(x - e.cx - 3.6, y - e.cy - 3.9));
  return std::max(main, 0.45 * small);
}

// The mouth: its opening lies between the hanging upper lips and the lower
// lip; |u| is the distance from the middle line.
constexpr double kMouthHalfWidth = 47;
double UpperLipEdge(double au) {
  static const std::vector<std::pair<double, double>> pts = {
      {0, 164}, {5, 167}, {12, 175}, {22, 179}, {32, 178}, {40, 175}, {47, 171}};
  return Curve(pts, au);
}
double LowerLipEdge(double au) {
  static const std::vector<std::pair<double, double>> pts = {{0, 205},  {10, 204.5}, {22, 201},
                                                             {32, 194}, {40, 184},   {47, 171}};
  // Small bumps along the back of the lower lip.
  return Curve(pts, au) + 0.9 * Smooth(18, 28, au) * Noise(au / 2.5, 3, 77);
}
// Tongue half-width at a row, 0 outside.
double TongueHalfWidth(double y) {
  if (y < 166) return 0;
  if (y < 200) return 19.5 + 3.5 * Smooth(172, 200, y);
  const double t = (y - 200) / 15.5;
  return t >= 1 ? 0 : 23 * std::pow(1 - t * t, 0.45);
}

double TanAmount(double x, double y, double streak) {
  const double wobble = 0.10 * streak + 0.06 * Fbm(x / 9, y / 9, 3, 21);
  auto patch = [&](const Ellipse& e) { return Smooth(1.12, 0.88, EllipseQ(e, x, y) + wobble); };
  auto spot = [&](const Ellipse& e) {
    return 0.9 * Smooth(1.3, 0.6, EllipseQ(e, x, y) + 2.2 * wobble);
  };
  double tan = 0;
  tan = std::max(tan, spot({97, 47, 10, 7, 0.12}));
  tan = std::max(tan, spot({177, 47, 10, 7, -0.12}));
  tan = std::max(tan, patch({kMid, 151, 66, 47}));
  tan = std::max(tan, patch({85, 121, 20, 13, 0.4}));
  tan = std::max(tan, patch({189, 121, 20, 13, -0.4}));
  tan = std::max(tan, Smooth(178, 186, y + 3 * wobble * 10));
  // The dark stripe down the bridge of the nose.
  const double halfWidth = 11 + 0.15 * std::max(0.0, y - 96);
  const double bridge = Smooth(1.15, 0.85, std::fabs(x - kMid) / halfWidth + wobble) *
                        Smooth(127, 116, y + 6 * wobble * 10);
  return tan * (1 - bridge);
}

// Height of the head's surface (skull, muzzle and the features on them).
double HeadHeight(double x, double y, double dist) {
  const double depth = Clamp01(-dist / 42);
  double z = 42 * std::sqrt(depth * (2 - depth));
  z += 14 * Gauss(x, y, kMid, 36, 48, 34);  // forehead
  const double qm = EllipseQ(kMuzzle, x, y);
  z += 52 * std::pow(std::max(0.0, 1 - qm * qm), 1.2);                    // muzzle
  z -= 9 * Gauss(x, y, kMid, 88, 11, 15);                                 // the stop
  z -= 2.5 * Gauss(x, y, kMid, 45, 4, 25);                                // forehead furrow
  z += 7 * Gauss(x, y, 97, 50, 13, 7) + 7 * Gauss(x, y, 177, 50, 13, 7);  // brows
  z -= 11 * Gauss(x, y, kEyeLeftX, 70, 16, 13) + 11 * Gauss(x, y, kEyeRightX, 70, 16, 13);
  z += 9 * Gauss(x, y, 80, 122, 20, 20) + 9 * Gauss(x, y, 194, 122, 20, 20);   // cheeks
  z += 6 * Gauss(x, y, 117, 163, 16, 10) + 6 * Gauss(x, y, 157, 163, 16, 10);  // upper lips
  z -= 4 * Gauss(x, y, kMid, 166, 4, 6);                                       // cleft of the lip
  return z;
}

Surface HeadSurface(double x, double y, double dist, double streak, double fine) {
  Surface s;
  s.mat = kFur;
  s.hair = 1;
  s.z = HeadHeight(x, y, dist);
  const double u = x - kMid, au = std::fabs(u);

  // Coat colour: dark with warm and grey variation, tan markings.
  const double vary = Fbm(x / 14, y / 14, 4, 5);
  V3 coat = Mix(kCoat, kCoatWarm, Clamp01(0.5 + 0.8 * vary));
  if (fine > 2.1) coat = coat * 1.9;  // a few grey hairs
  const double tanMix = Clamp01(0.5 + 0.9 * Fbm(x / 18 + 3, y / 18, 3, 9));
  V3 tan = Mix(kTanLight, kTanDeep, tanMix);
  tan =
      Mix(tan, kTanDeep * 0.8, 0.6 * Smooth(125, 105, y) * Smooth(60, 20, au));  // rusty near dark
  s.albedo = Mix(coat, tan, TanAmount(x, y, streak));

  // Whisker spots on the muzzle.
  for (int side = -1; side <= 1; side += 2) {
    for (int row = 0; row < 3; ++row) {
      for (int col = 0; col < 4; ++col) {
        const int id = (side + 1) * 20 + row * 4 + col;
        const double px = kMid + side * (19 + col * 6.5 + row * 2 + 2 * Rand01(id, 0, 91));
        const double py = 150 + row * 5 + col * 1.2 + 1.5 * Rand01(id, 1, 91);
        s.albedo = s.albedo * (1 - 0.5 * Smooth(1.1, 0.4, std::hypot(x - px, y - py)));
      }
    }
  }
  // Whiskers: fine dark hairs from the muzzle, bending down as they go out.
  if (std::fabs(x - kMid) > 16 && std::fabs(x - kMid) < 75 && y > 135 && y < 190) {
    for (int side = -1; side <= 1; side += 2) {
      for (int i = 0; i < 5; ++i) {
        const int id = (side + 1) * 10 + i;
        const double sx0 = kMid + side * (20 + i * 4.5), sy0 = 150 + i * 2.2;
        const double a0 = -0.35 + 0.2 * i + 0.15 * Rand01(id, 2, 92);
        const double len = 22 + 10 * Rand01(id, 3, 92);
        // Nearest point along the curve, by stepping.
        double best = 9;
        double px = sx0, py = sy0;
        for (int k = 1; k <= 24; ++k) {
          const double t = k / 24.0;
          const double a = a0 + 0.5 * t;  // droops
          const double nx = px + side * std::cos(a) * len / 24, ny = py + std::sin(a) * len / 24;
          const double ex = nx - px, ey = ny - py;
          const double h = Clamp01(((x - px) * ex + (y - py) * ey) / (ex * ex + ey * ey));
          best = std::min(best, std::hypot(x - px - ex * h, y - py - ey * h) + 0.15 * t);
          px = nx;
          py = ny;
        }
        s.albedo = Mix(s.albedo, V3{0.05, 0.045, 0.045}, 0.85 * Smooth(0.6, 0.2, best));
      }
    }
  }
  // Hair is shortest and smoothest on the bridge of the muzzle and round the eyes.
  const double shortHair =
      std::max({Gauss(x, y, kMid, 116, 30, 18), Gauss(x, y, kEyeLeftX, kEyeY, 17, 14),
                Gauss(x, y, kEyeRightX, kEyeY, 17, 14)});
  s.hair = 1 - 0.5 * shortHair;

  // Eyes.
  for (const EyeShape& e : kEyes) {
    double below;
    const double open = EyeOpening(e, x, y, &below);
    if (open < 0) {
      s.mat = kEye;
      s.painted = true;
      s.hair = 0;
      s.albedo = EyeColour(e, x, y, below);
      s.z = HeadHeight(e.cx, e.cy, -60) + 2 +
            std::sqrt(std::max(0.0, 196 - std::pow(std::hypot(x - e.cx, y - e.cy), 2))) - 10;
      s.gloss = CatchLight(e, x, y);
      return s;
    }
    if (open < 1.8) {  // the dark rim of the lids
      s.mat = kSkin;
      s.hair = 0;
      s.albedo = kSkinDark;
      s.z += 1;
      s.gloss = 0.25;
      s.shine = 40;
      return s;
    }
    if (open < 4.5)
      s.albedo = s.albedo * (0.55 + 0.45 * Smooth(1.8, 4.5, open));  // short hair at the lid
  }

  // Nose.
  {
    const double nu = u / 25, nv = (y - 131) / (y < 131 ? 12.5 : 15.5);
    const double f = std::pow(std::fabs(nu), 2.6) + std::pow(std::fabs(nv), 2.2);
    if (f < 1) {
      s.mat = kNose;
      s.hair = 0;
      const double pebble = Cells(x / 1.4, y / 1.4, 41);
      s.z += 9 * std::sqrt(1 - f) + 0.9 * Smooth(0.0, 0.6, pebble);
      s.albedo = V3{0.10, 0.09, 0.095} * (0.8 + 0.3 * Smooth(0.1, 0.6, pebble));
      s.gloss = 0.4;
      s.shine = 45;
      // Wet reflections of the window on the top of the nose, broken up by
      // the pebbles of the skin.
      const double bead = Smooth(0.55, 0.15, pebble);
      const double dome = Smooth(1.0, 0.3, EllipseQ({kMid - 9, 124.5, 11, 3.6, -0.12}, x, y));
      const double right = Smooth(1.0, 0.4, EllipseQ({kMid + 12, 125, 6, 2.4, 0.15}, x, y));
      const double rim = Smooth(1.0, 0.5, EllipseQ({kMid, 121.5, 17, 2.2}, x, y));
      s.glint = (0.8 * dome + 0.4 * right + 0.3 * rim) * (0.35 + 0.65 * bead);
      // Nostrils: commas slanting up and outwards, with raised wings above.
      for (int side = -1; side <= 1; side += 2) {
        const Ellipse nostril{kMid + side * 12.5, 137.5, 6.8, 2.5, -side * 0.5};
        const double q = EllipseQ(nostril, x, y);
        const double wing = Gauss(x, y, kMid + side * 13, 132.5, 8, 3.5);
        s.z += 2.5 * wing;
        if (q < 1) {
          s.albedo = V3{0.025, 0.02, 0.02};
          s.z -= 5 * (1 - q * q);
          s.gloss = 0.1;
          s.glint = 0;
        }
        // Light along the wings over the nostrils.
        s.glint += 0.25 *
                   Smooth(1.0, 0.4, EllipseQ({kMid + side * 15, 133, 6, 1.5, -side * 0.45}, x, y)) *
                   (0.4 + 0.6 * bead);
      }
      // The groove down the middle.
      s.z -= 2.5 * std::exp(-u * u / 2.5) * Smooth(133, 141, y);
      return s;
    }
    // The nose sits in a slight hollow of short hair.
    s.albedo = s.albedo * (0.8 + 0.2 * Smooth(1.0, 1.5, f));
  }

  // Mouth, tongue and teeth.
  if (au < kMouthHalfWidth) {
    const double top = UpperLipEdge(au), bottom = LowerLipEdge(au);
    const double tongueHalf = TongueHalfWidth(y);
    const bool inOpening = y > top && y < bottom;
    const bool onTongue = au < tongueHalf && y > top;
    const double base = HeadHeight(kMid, 185, -60);
    if (onTongue) {
      const double t = au / tongueHalf;
      s.mat = kTongue;
      s.hair = 0;
      const double papillae = Noise(x * 1.7, y * 1.7, 51);
      s.z = base - 4 + 10 * Smooth(180, 205, y) + 3.5 * std::sqrt(std::max(0.0, 1 - t * t)) -
            1.8 * std::exp(-u * u / 4.5) * Smooth(214, 190, y) + 0.08 * papillae;
      s.albedo = V3{0.80, 0.41, 0.46} * (1 + 0.06 * Fbm(x / 5, y / 5, 3, 52));
      s.albedo = Mix(s.albedo, V3{0.70, 0.30, 0.36}, 0.5 * Smooth(0.8, 1.0, t));
      s.albedo = s.albedo * (0.35 + 0.65 * Smooth(top, top + 12, y));  // in the lips' shadow
      // Wet, but broken up by the papillae.
      s.gloss = 0.2 + 0.25 * Smooth(-0.3, 0.5, Noise(x / 3, y / 3, 53));
      s.shine = 30;
      return s;
    }
    if (inOpening) {
      // Upper canines hang from under the lips.
      for (int side = -1; side <= 1; side += 2) {
        const double tx = kMid + side * 36;
        const double tt = UpperLipEdge(36) - 1, tb = tt + 7.5;
        const double half = 2.2 * Clamp01((tb - y) / (tb - tt));
        if (y < tb && std::fabs(x - tx) < half) {
          s.mat = kTooth;
          s.hair = 0;
          s.z = base - 2 - std::fabs(x - tx);
          s.albedo = V3{0.80, 0.76, 0.66} * (0.55 + 0.3 * Smooth(tt, tb, y));
          s.gloss = 0.3;
          s.shine = 30;
          return s;
        }
      }
      // Lower canines beside the tongue.
      for (int side = -1; side <= 1; side += 2) {
        const double tx = kMid + side * 28.5;
        const double tb = LowerLipEdge(28.5) + 1, tt = tb - 10;
        const double half = 3.3 * Clamp01((y - tt) / (tb - tt));
        if (y > tt && std::fabs(x - tx) < half) {
          s.mat = kTooth;
          s.hair = 0;
          s.z = base + 2 - 2 * std::fabs(x - tx) / 3.3;
          s.albedo = V3{0.86, 0.82, 0.72} * (0.75 + 0.25 * Smooth(tb, tt, y));
          s.gloss = 0.3;
          s.shine = 30;
          return s;
        }
      }
      s.mat = kMouth;
      s.hair = 0;
      s.z = base - 14;
      s.albedo = Mix(V3{0.10, 0.03, 0.035}, V3{0.36, 0.12, 0.13}, Smooth(top, bottom, y));
      s.gloss = 0.15;
      return s;
    }
    // Black lip edges.
    const double upperLip = 1.5 + 1.2 * Smooth(34, 10, au) + 0.4 * Noise(au / 3, 1, 78);
    const double lowerLip = 2.0 + 0.8 * Smooth(10, 30, au);
    if ((y <= top && y > top - upperLip) || (y >= bottom && y < bottom + lowerLip)) {
      s.mat = kSkin;
      s.hair = 0;
      s.albedo = kSkinDark;
      s.gloss = 0.3;
      s.shine = 30;
      return s;
    }
    // Darker hair along the lips and in the corners of the mouth.
    const double nearLip = std::min(std::fabs(y - top), std::fabs(y - bottom));
    s.albedo = s.albedo * (0.6 + 0.4 * Smooth(2, 7, nearLip));
  }
  return s;
}

// Distance to an open polyline.
double PolylineDist(const std::vector<P2>& line, double x, double y) {
  double d = 1e18;
  for (std::size_t i = 1; i < line.size(); ++i) {
    const P2 a = line[i - 1], b = line[i];
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double t = Clamp01(((x - a.x) * ex + (y - a.y) * ey) / (ex * ex + ey * ey));
    d = std::min(d, std::hypot(x - a.x - ex * t, y - a.y - ey * t));
  }
  return d;
}

// Where each ear folds over: a thick rounded edge along its top.
const std::vector<P2> kLeftFold = {{104, 14}, {78, 9}, {53, 13}, {33, 24}, {18, 40}};
const std::vector<P2> kRightFold = {{190, 9}, {203, 3}, {225, 2}, {242, 10}, {254, 24}};

Surface EarSurface(double x, double y, double dist, bool left) {
  Surface s;
  s.mat = kEar;
  s.hair = 0.7;
  const double fold = PolylineDist(left ? kLeftFold : kRightFold, x, y);
  const double depth = Clamp01(-dist / 3);
  // A thick roll along the fold; below it the flap is thin at its free edges
  // and falls away towards its tip.
  const double roll = fold < 7 ? 7 * std::sqrt(1 - fold * fold / 49) : 0;
  s.z = 6 + 3 * std::sqrt(depth * (2 - depth)) + roll - 0.18 * std::max(0.0, fold - 7);
  s.albedo = kCoat * (1.0 + 0.2 * Fbm(x / 10, y / 10, 3, left ? 61 : 62));
  // Hair at the free edge is thin and lets light through.
  s.albedo = s.albedo * (1 + 0.4 * Smooth(-2.5, 0, dist) * Smooth(7, 12, fold));
  return s;
}

// The inside of the right ear, in the shadow of the flap folded over it.
Surface InnerEarSurface(double x, double y, double flapDist) {
  Surface s;
  s.mat = kEar;
  s.hair = 0.35;
  s.z = 0;
  const V3 skin{0.36, 0.27, 0.26}, hairs{0.55, 0.40, 0.27};
  s.albedo = Mix(skin, hairs, Clamp01(0.5 + Fbm(x / 3, y / 3, 2, 63)));
  s.albedo = s.albedo * (0.25 + 0.55 * Smooth(0, 9, flapDist));
  return s;
}

// ----------------------------------------------------------------- output

struct Rgb8 {
  std::uint8_t r = 0, g = 0, b = 0;
};

bool WriteBmp(const std::string& path, const std::vector<Rgb8>& px) {
  const std::uint32_t stride = (kWidth * 3 + 3) / 4 * 4;
  const std::uint32_t dataSize = stride * kHeight;
  std::vector<std::uint8_t> out;
  auto put16 = [&](unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
  };
  auto put32 = [&](std::uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  out.push_back('B');
  out.push_back('M');
  put32(54 + dataSize);
  put32(0);
  put32(54);
  put32(40);
  put32(kWidth);
  put32(kHeight);  // positive: bottom-up
  put16(1);
  put16(24);
  put32(0);  // BI_RGB
  put32(dataSize);
  put32(2835);  // 72 dpi
  put32(2835);
  put32(0);
  put32(0);
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb8 p = px[static_cast<std::size_t>(y) * kWidth + x];
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    for (std::uint32_t pad = kWidth * 3; pad < stride; ++pad) out.push_back(0);
  }
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

// Labels the 4-connected pieces of cells where `in` equals `value`.
int LabelPieces(const std::vector<bool>& in, bool value, std::vector<int>& label) {
  label.assign(in.size(), -1);
  int pieces = 0;
  for (std::size_t start = 0; start < in.size(); ++start) {
    if (in[start] != value || label[start] >= 0) continue;
    std::queue<std::size_t> todo;
    todo.push(start);
    label[start] = pieces;
    while (!todo.empty()) {
      const std::size_t i = todo.front();
      todo.pop();
      const int x = static_cast<int>(i % kWidth), y = static_cast<int>(i / kWidth);
      const int nx[4] = {x - 1, x + 1, x, x};
      const int ny[4] = {y, y, y - 1, y + 1};
      for (int k = 0; k < 4; ++k) {
        if (nx[k] < 0 || ny[k] < 0 || nx[k] >= kWidth || ny[k] >= kHeight) continue;
        const std::size_t j = static_cast<std::size_t>(ny[k]) * kWidth + nx[k];
        if (in[j] == value && label[j] < 0) {
          label[j] = pieces;
          todo.push(j);
        }
      }
    }
    ++pieces;
  }
  return pieces;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
    return 2;
  }

  // Hair flow and hair streaks.
  Grid<double> angle(kSW, kSH);
  for (int sy = 0; sy < kSH; ++sy) {
    for (int sx = 0; sx < kSW; ++sx) angle(sx, sy) = HairAngle(SampleX(sx), SampleY(sy));
  }
  const Grid<double> fine = HairStreaks(angle, 1, 9, 101);
  const Grid<double> medium = HairStreaks(angle, 2.2, 16, 102);
  const Grid<double> clumps = HairStreaks(angle, 6, 24, 103);

  // Surfaces, front to back.
  Grid<Surface> surf(kSW, kSH);
  for (int sy = 0; sy < kSH; ++sy) {
    for (int sx = 0; sx < kSW; ++sx) {
      const double x = SampleX(sx), y = SampleY(sy);
      const double streak = 0.6 * medium(sx, sy) + 0.4 * clumps(sx, sy);
      // Tufts where the outline runs up and down, only a ripple along the top.
      const double dh = HeadDist(x, y);
      double gx = HeadDist(x + 0.5, y) - HeadDist(x - 0.5, y);
      double gy = HeadDist(x, y + 0.5) - HeadDist(x, y - 0.5);
      const double steep = std::fabs(gx) / (std::hypot(gx, gy) + 1e-9);
      const double tuft =
          (0.25 + 2.9 * steep * steep) * std::max(0.0, streak) - 0.7 * std::max(0.0, -streak);
      if (dh - tuft < 0) {
        surf(sx, sy) = HeadSurface(x, y, std::min(dh, 0.0), streak, fine(sx, sy));
        continue;
      }
      const double dl = LeftEarDist(x, y), df = RightFlapDist(x, y), dr = RightEarDist(x, y);
      const double earTuft = 1.2 * std::max(0.0, streak) - 0.5 * std::max(0.0, -streak);
      if (dl - earTuft < 0) {
        surf(sx, sy) = EarSurface(x, y, std::min(dl, 0.0), true);
      } else if (df - earTuft < 0) {
        surf(sx, sy) = EarSurface(x, y, std::min(df, 0.0), false);
      } else if (dr - 0.5 * earTuft < 0) {
        surf(sx, sy) = InnerEarSurface(x, y, df);
      }
    }
  }

  // Heights, roughened by the hair, for the normals; blurred for the occlusion.
  Grid<double> z(kSW, kSH, -20);
  for (int sy = 0; sy < kSH; ++sy) {
    for (int sx = 0; sx < kSW; ++sx) {
      const Surface& s = surf(sx, sy);
      if (s.mat == kNone) continue;
      z(sx, sy) =
          s.z + s.hair * (0.15 * fine(sx, sy) + 0.25 * medium(sx, sy) + 0.35 * clumps(sx, sy));
    }
  }
  const Grid<double> zWide = SoftBlur(z, 14);
  const Grid<double> zNear = SoftBlur(z, 4);

  const V3 key = Normalize({-0.5, -0.62, 0.72});
  const V3 fill = Normalize({0.7, -0.05, 0.7});
  const V3 view{0, 0, 1};
  const V3 halfKey = Normalize(key + view);

  Grid<V3> colour(kSW, kSH);
  for (int sy = 0; sy < kSH; ++sy) {
    for (int sx = 0; sx < kSW; ++sx) {
      const Surface& s = surf(sx, sy);
      if (s.mat == kNone) continue;
      const double slope = kSub / 2.0;  // samples to pixels
      double dzx = (z.Clamped(sx + 1, sy) - z.Clamped(sx - 1, sy)) * slope;
      double dzy = (z.Clamped(sx, sy + 1) - z.Clamped(sx, sy - 1)) * slope;
      dzx = std::max(-4.0, std::min(4.0, dzx));
      dzy = std::max(-4.0, std::min(4.0, dzy));
      const V3 n = Normalize({-dzx, -dzy, 1});
      const double occlusion = Clamp01(1 - 0.028 * std::max(0.0, zWide(sx, sy) - z(sx, sy)) -
                                       0.06 * std::max(0.0, zNear(sx, sy) - z(sx, sy)));
      const double wrapKey = Clamp01((Dot(n, key) + 0.25) / 1.25);
      const double wrapFill = Clamp01((Dot(n, fill) + 0.2) / 1.2);
      const double light = 1.1 * wrapKey + 0.2 * wrapFill + 0.16 * occlusion;

      V3 c;
      if (s.painted) {
        c = s.albedo * (0.85 + 0.25 * occlusion);
        c = c + V3{1, 1, 1} * (0.95 * s.gloss);
      } else {
        V3 albedo = s.albedo;
        if (s.hair > 0) {
          // Lighter and darker strands, hair tips catching light.
          const double strand = 0.45 * fine(sx, sy) + 0.4 * medium(sx, sy) + 0.3 * clumps(sx, sy);
          albedo = albedo * (1 + s.hair * 0.35 * strand);
        }
        c = albedo * (light * (0.55 + 0.45 * occlusion));
        if (s.hair > 0) {
          // Sheen along the hair (Kajiya-Kay), strongest on the dark coat.
          const double a = angle(sx, sy);
          V3 t{std::cos(a), std::sin(a), 0};
          t = Normalize(t - n * Dot(n, t));
          const double th = Dot(t, halfKey);
          const double sheen = std::pow(std::sqrt(std::max(0.0, 1 - th * th)), 60);
          const double strands = Clamp01(0.6 + 0.5 * fine(sx, sy));
          c = c +
              (V3{0.75, 0.75, 0.78} * 0.5 + albedo * 0.8) * (0.16 * sheen * strands * occlusion);
        }
        if (s.gloss > 0) {
          const double specular = std::pow(std::max(0.0, Dot(n, halfKey)), s.shine);
          const double broad = std::pow(std::max(0.0, Dot(n, halfKey)), s.shine / 6);
          c = c + V3{0.95, 0.95, 1.0} * (s.gloss * (0.9 * specular + 0.08 * broad) * occlusion);
        }
        // Rim light in the fur at the edge of the head.
        if (s.hair > 0) c = c + albedo * (0.35 * std::pow(1 - n.z, 2.0));
      }
      c = c + V3{0.92, 0.93, 0.96} * s.glint;
      colour(sx, sy) = c;
    }
  }

  // Down to pixels: a pixel is dog when most of its samples are; its colour
  // is the mean of those samples only.
  std::vector<bool> dog(static_cast<std::size_t>(kWidth) * kHeight, false);
  std::vector<V3> rgb(dog.size());
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      V3 sum;
      int count = 0;
      for (int j = 0; j < kSub; ++j) {
        for (int i = 0; i < kSub; ++i) {
          const int sx = x * kSub + i, sy = y * kSub + j;
          if (surf(sx, sy).mat == kNone) continue;
          sum = sum + colour(sx, sy);
          ++count;
        }
      }
      const std::size_t k = static_cast<std::size_t>(y) * kWidth + x;
      if (count * 2 > kSub * kSub) {
        dog[k] = true;
        rgb[k] = sum * (1.0 / count);
      } else if (count > 0) {
        rgb[k] = sum * (1.0 / count);  // kept in case a hole must be filled
      }
    }
  }

  // Shape rules: one piece, no holes, at most three runs a row. Loose tufts
  // are dropped and pinholes filled until it all holds.
  for (int pass = 0; pass < 10; ++pass) {
    bool changed = false;
    std::vector<int> label;
    const int pieces = LabelPieces(dog, true, label);
    if (pieces > 1) {
      std::vector<int> size(pieces, 0);
      for (int l : label)
        if (l >= 0) ++size[l];
      const int keep = static_cast<int>(std::max_element(size.begin(), size.end()) - size.begin());
      for (std::size_t k = 0; k < dog.size(); ++k) {
        if (dog[k] && label[k] != keep) {
          dog[k] = false;
          changed = true;
        }
      }
    }
    const int holes = LabelPieces(dog, false, label);
    std::vector<bool> open(holes, false);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1) {
          const int l = label[static_cast<std::size_t>(y) * kWidth + x];
          if (l >= 0) open[l] = true;
        }
      }
    }
    for (std::size_t k = 0; k < dog.size(); ++k) {
      if (!dog[k] && !open[label[k]]) {
        dog[k] = true;
        changed = true;
      }
    }
    for (int y = 0; y < kHeight; ++y) {
      std::vector<std::pair<int, int>> runs;
      for (int x = 0; x < kWidth; ++x) {
        if (!dog[static_cast<std::size_t>(y) * kWidth + x]) continue;
        int e = x;
        while (e + 1 < kWidth && dog[static_cast<std::size_t>(y) * kWidth + e + 1]) ++e;
        runs.push_back({x, e});
        x = e;
      }
      while (runs.size() > 3) {
        // Drop the shortest run; with no holes left this cannot make one.
        auto shortest = std::min_element(runs.begin(), runs.end(), [](auto a, auto b) {
          return a.second - a.first < b.second - b.first;
        });
        const auto r = *shortest;
        for (int x = r.first; x <= r.second; ++x)
          dog[static_cast<std::size_t>(y) * kWidth + x] = false;
        runs.erase(shortest);
        changed = true;
        std::fprintf(stderr, "row %d: dropped a tuft at %d..%d\n", y, r.first, r.second);
      }
    }
    if (!changed) break;
    if (pass == 9) {
      std::fprintf(stderr, "shape rules still broken\n");
      return 1;
    }
  }

  // Filled pixels with no dog sample take their neighbours' colour.
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::size_t k = static_cast<std::size_t>(y) * kWidth + x;
      if (!dog[k] || rgb[k].x + rgb[k].y + rgb[k].z > 0) continue;
      V3 sum;
      int n = 0;
      for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
          const int nx = x + i, ny = y + j;
          if (nx < 0 || ny < 0 || nx >= kWidth || ny >= kHeight) continue;
          const V3 c = rgb[static_cast<std::size_t>(ny) * kWidth + nx];
          if (c.x + c.y + c.z > 0) {
            sum = sum + c;
            ++n;
          }
        }
      }
      rgb[k] = n > 0 ? sum * (1.0 / n) : kCoat;
    }
  }

  std::vector<Rgb8> pixels(dog.size());
  long dogCount = 0;
  for (std::size_t k = 0; k < dog.size(); ++k) {
    if (!dog[k]) continue;
    ++dogCount;
    auto channel = [](double v) {
      // Gentle filmic shoulder, then never pure black: black is see-through.
      v = v / (1 + 0.25 * v);
      return static_cast<std::uint8_t>(std::max(8.0, std::min(255.0, std::round(v * 1.25 * 255))));
    };
    pixels[k] = {channel(rgb[k].x), channel(rgb[k].y), channel(rgb[k].z)};
  }
  if (!WriteBmp(argv[1], pixels)) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %d x %d, %ld dog pixels, %ld see-through\n", argv[1], kWidth, kHeight, dogCount,
              static_cast<long>(dog.size()) - dogCount);
  return 0;
}
