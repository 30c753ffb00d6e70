// Each sweep zeroes every off-diagonal element once; a few sweeps bring a
// 5 x 5 matrix to diagonal within rounding.
#include "SymmetricEigen.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

void Rotate(Matrix& a, Matrix& v, std::size_t p, std::size_t q) {
  const std::size_t n = a.size();
  const double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
  const double t = (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
  const double c = 1 / std::sqrt(t * t + 1), s = t * c;
  for (std::size_t k = 0; k < n; ++k) {
    const double akp = a[k][p], akq = a[k][q];
    a[k][p] = c * akp - s * akq;
    a[k][q] = s * akp + c * akq;
  }
  for (std::size_t k = 0; k < n; ++k) {
    const double apk = a[p][k], aqk = a[q][k];
    a[p][k] = c * apk - s * aqk;
    a[q][k] = s * apk + c * aqk;
  }
  for (std::size_t k = 0; k < n; ++k) {
    const double vkp = v[k][p], vkq = v[k][q];
    v[k][p] = c * vkp - s * vkq;
    v[k][q] = s * vkp + c * vkq;
  }
}

}  // namespace

EigenPairs SymmetricEigen(Matrix a) {
  const std::size_t n = a.size();
  Matrix v(n, std::vector<double>(n, 0));
  for (std::size_t i = 0; i < n; ++i) v[i][i] = 1;
  for (int sweep = 0; sweep < 60; ++sweep) {
    double off = 0, diag = 0;
    for (std::size_t p = 0; p < n; ++p)
      for (std::size_t q = 0; q < n; ++q) (p == q ? diag : off) += a[p][q] * a[p][q];
    if (off <= 1e-30 * diag || off == 0) break;
    for (std::size_t p = 0; p < n; ++p)
      for (std::size_t q = p + 1; q < n; ++q)
        if (a[p][q] != 0) Rotate(a, v, p, q);
  }
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) { return a[i][i] > a[j][j]; });
  EigenPairs e;
  for (const std::size_t k : order) {
    e.values.push_back(a[k][k]);
    std::vector<double> column(n);
    for (std::size_t i = 0; i < n; ++i) column[i] = v[i][k];
    e.vectors.push_back(column);
  }
  return e;
}
