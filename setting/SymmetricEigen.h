// The eigenvalues and eigenvectors of a small symmetric matrix (the normal
// matrix of a weighted least-squares problem) by cyclic Jacobi rotations:
// what the readings determine, and which combinations they cannot separate.
#pragma once

#include <vector>

using Matrix = std::vector<std::vector<double>>;

struct EigenPairs {
  std::vector<double> values;                // largest first
  std::vector<std::vector<double>> vectors;  // vectors[k] belongs to values[k], unit length
};

EigenPairs SymmetricEigen(Matrix a);
