// The discrete cosine transforms of the JPEG codec. The reduced inverse transforms take
// the low size x size coefficients of a block and give the picture at 1/2, 1/4 or 1/8
// of its size directly: with the standard's orthonormal scaling the N-point transform
// of the low coefficients uses the same weights as the 8-point one.
#include <algorithm>
#include <cmath>

#include "jpeg_tables.h"

namespace imglib::jpeg {

namespace {

// basis[N][x][u] = w(u) cos((2x + 1) u pi / 2N), w(0) = 1 / sqrt(8), w(u) = 1 / 2.
struct Basis {
  float m[4][8][8];
  Basis() {
    const double pi = 3.14159265358979323846;
    for (int level = 0; level < 4; ++level) {
      int n = 1 << level;
      for (int x = 0; x < n; ++x)
        for (int u = 0; u < n; ++u)
          m[level][x][u] = float((u == 0 ? 1.0 / std::sqrt(8.0) : 0.5) * std::cos((2 * x + 1) * u * pi / (2.0 * n)));
    }
  }
};

const Basis& TheBasis() {
  static const Basis basis;
  return basis;
}

inline uint8_t Clamp(float v) {
  int i = int(v + 128.5f);  // truncation errs only where the clamp takes over
  return uint8_t(i < 0 ? 0 : i > 255 ? 255 : i);
}

}  // namespace

void InverseDct(const int32_t* c, int size, uint8_t* out, int outStride) {
  if (size <= 1) {
    int v = (c[0] >= 0 ? c[0] + 4 : c[0] - 4) / 8 + 128;
    out[0] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
    return;
  }
  int level = size == 2 ? 1 : size == 4 ? 2 : 3;
  const float(*m)[8] = TheBasis().m[level];
  // Rows of coefficients first: tmp[v][x] = sum over u of F[v][u] m[x][u].
  float tmp[8][8];
  for (int v = 0; v < size; ++v) {
    const int32_t* row = c + v * 8;
    bool acZero = true;
    for (int u = 1; u < size; ++u) acZero = acZero && row[u] == 0;
    if (acZero) {
      float dc = float(row[0]) * m[0][0];
      for (int x = 0; x < size; ++x) tmp[v][x] = dc;
      continue;
    }
    for (int x = 0; x < size; ++x) {
      float s = 0;
      for (int u = 0; u < size; ++u) s += float(row[u]) * m[x][u];
      tmp[v][x] = s;
    }
  }
  // Then columns: f[y][x] = sum over v of m[y][v] tmp[v][x].
  for (int y = 0; y < size; ++y) {
    uint8_t* o = out + y * outStride;
    for (int x = 0; x < size; ++x) {
      float s = 0;
      for (int v = 0; v < size; ++v) s += m[y][v] * tmp[v][x];
      o[x] = Clamp(s);
    }
  }
}

void ForwardDct(const float* samples, float* coefficients) {
  const float(*m)[8] = TheBasis().m[3];
  float tmp[8][8];
  // F[v][u] = sum over y, x of m[y][v] m[x][u] f[y][x].
  for (int y = 0; y < 8; ++y)
    for (int u = 0; u < 8; ++u) {
      float s = 0;
      for (int x = 0; x < 8; ++x) s += m[x][u] * samples[y * 8 + x];
      tmp[y][u] = s;
    }
  for (int v = 0; v < 8; ++v)
    for (int u = 0; u < 8; ++u) {
      float s = 0;
      for (int y = 0; y < 8; ++y) s += m[y][v] * tmp[y][u];
      coefficients[v * 8 + u] = s;
    }
}

}  // namespace imglib::jpeg
