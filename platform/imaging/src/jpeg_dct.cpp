// The discrete cosine transforms of the JPEG codec. The reduced inverse transforms give
// the picture at 1/2, 1/4 or 1/8 of its size directly: each output sample is the mean of
// the 8 / size x 8 / size samples that the full transform would give in its place, so
// every coefficient of the block takes part (the high ones fold onto the low ones) and
// fine detail averages out instead of turning into stripes.
#include <algorithm>
#include <cmath>

#include "jpeg_tables.h"

namespace imglib::jpeg {

namespace {

// m[level][x][u]: the mean over the samples 2^(3 - level) x .. 2^(3 - level) (x + 1) - 1
// of w(u) cos((2 i + 1) u pi / 16), with the standard's orthonormal w(0) = 1 / sqrt(8),
// w(u) = 1 / 2; level 3 is the full transform's basis.
// Over the n = 2^level outputs of a reduced transform, that mean is a multiple of one
// n-point cosine, cos((2 x + 1) u' pi / 2n): coefficient u lands on u' = slot[level][u]
// with the weight fold[level][u] (0 for those whose samples average out), so a reduced
// block is an n x n transform of the folded coefficients.
struct Basis {
  float m[4][8][8];
  int slot[4][8];
  float fold[4][8];
  float cosine[4][8][8];  // cosine[level][x][u'] = cos((2 x + 1) u' pi / 2n)
  Fold folds[4][4];       // [level across][level down], both directions together
  Basis() {
    const double pi = 3.14159265358979323846;
    for (int level = 0; level < 4; ++level) {
      int n = 1 << level, span = 8 / n;
      for (int x = 0; x < n; ++x)
        for (int u = 0; u < 8; ++u) {
          double sum = 0;
          for (int i = x * span; i < (x + 1) * span; ++i) sum += std::cos((2 * i + 1) * u * pi / 16.0);
          m[level][x][u] = float((u == 0 ? 1.0 / std::sqrt(8.0) : 0.5) * sum / span);
        }
      for (int x = 0; x < n; ++x)
        for (int u = 0; u < n; ++u) cosine[level][x][u] = float(std::cos((2 * x + 1) * u * pi / (2.0 * n)));
      for (int u = 0; u < 8; ++u) {
        // The n-point cosine that the column m[level][.][u] is a multiple of.
        slot[level][u] = 0;
        fold[level][u] = 0;
        double best = 1e-6;
        for (int k = 0; k < n; ++k) {
          double dot = 0, norm = 0;
          for (int x = 0; x < n; ++x) {
            dot += double(m[level][x][u]) * cosine[level][x][k];
            norm += double(cosine[level][x][k]) * cosine[level][x][k];
          }
          if (std::abs(dot) > best) {
            best = std::abs(dot);
            slot[level][u] = k;
            fold[level][u] = float(dot / norm);
          }
        }
      }
    }
    for (int lx = 0; lx < 4; ++lx)
      for (int ly = 0; ly < 4; ++ly)
        for (int z = 0; z < 64; ++z) {
          int v = z >> 3, u = z & 7;
          folds[lx][ly].index[z] = uint8_t(slot[ly][v] * (1 << lx) + slot[lx][u]);
          folds[lx][ly].weight[z] = fold[ly][v] * fold[lx][u];
        }
  }
};

int Level(int size) { return size >= 8 ? 3 : size >= 4 ? 2 : size >= 2 ? 1 : 0; }

const Basis& TheBasis() {
  static const Basis basis;
  return basis;
}

inline uint8_t Clamp(float v) {
  int i = int(v + 128.5f);  // truncation errs only where the clamp takes over
  return uint8_t(i < 0 ? 0 : i > 255 ? 255 : i);
}

}  // namespace

uint8_t MeanSample(int32_t dc) {
  // The block's mean is DC / 8, rounded half up as the common integer transforms do.
  int v = ((dc + 4) >> 3) + 128;
  return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

const Fold& FoldFor(int sizeX, int sizeY) { return TheBasis().folds[Level(sizeX)][Level(sizeY)]; }

void ReducedDct(const float* folded, int sizeX, int sizeY, uint8_t* out, int outStride) {
  const Basis& b = TheBasis();
  const float(*cx)[8] = b.cosine[Level(sizeX)];
  const float(*cy)[8] = b.cosine[Level(sizeY)];
  // Down first: tmp[y][u] = sum over v of cy[y][v] g[v][u]; then across.
  float tmp[8][8];
  for (int y = 0; y < sizeY; ++y)
    for (int u = 0; u < sizeX; ++u) {
      float s = 0;
      for (int v = 0; v < sizeY; ++v) s += cy[y][v] * folded[v * sizeX + u];
      tmp[y][u] = s;
    }
  for (int y = 0; y < sizeY; ++y) {
    uint8_t* o = out + y * outStride;
    for (int x = 0; x < sizeX; ++x) {
      float s = 0;
      for (int u = 0; u < sizeX; ++u) s += tmp[y][u] * cx[x][u];
      o[x] = Clamp(s);
    }
  }
}

void FlatBlock(int32_t dc, int sizeX, int sizeY, uint8_t* out, int outStride) {
  uint8_t v = MeanSample(dc);
  for (int y = 0; y < sizeY; ++y) std::fill_n(out + y * outStride, sizeX, v);
}

void InverseDct(const int32_t* c, int sizeX, int sizeY, uint8_t* out, int outStride, int rows, int columns) {
  if (sizeX <= 1 && sizeY <= 1) {
    out[0] = MeanSample(c[0]);
    return;
  }
  const Basis& b = TheBasis();
  if (sizeX < 8 || sizeY < 8) {
    const Fold& fold = FoldFor(sizeX, sizeY);
    float g[64] = {};
    for (int v = 0; v < rows; ++v)
      for (int u = 0; u < columns; ++u) {
        int z = v * 8 + u;
        if (c[z] != 0) g[fold.index[z]] += fold.weight[z] * float(c[z]);
      }
    ReducedDct(g, sizeX, sizeY, out, outStride);
    return;
  }
  const float(*mx)[8] = b.m[3];
  const float(*my)[8] = b.m[3];
  // Rows of coefficients first: tmp[v][x] = sum over u of F[v][u] mx[x][u]. Rows and
  // columns beyond the last non-zero coefficient add nothing.
  float tmp[8][8];
  for (int v = 0; v < rows; ++v) {
    const int32_t* row = c + v * 8;
    bool acZero = true;
    for (int u = 1; u < columns; ++u) acZero = acZero && row[u] == 0;
    if (acZero) {
      float dc = float(row[0]) * mx[0][0];
      for (int x = 0; x < sizeX; ++x) tmp[v][x] = dc;
      continue;
    }
    for (int x = 0; x < sizeX; ++x) {
      float s = 0;
      for (int u = 0; u < columns; ++u) s += float(row[u]) * mx[x][u];
      tmp[v][x] = s;
    }
  }
  // Then columns: f[y][x] = sum over v of my[y][v] tmp[v][x].
  for (int y = 0; y < sizeY; ++y) {
    uint8_t* o = out + y * outStride;
    for (int x = 0; x < sizeX; ++x) {
      float s = 0;
      for (int v = 0; v < rows; ++v) s += my[y][v] * tmp[v][x];
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
