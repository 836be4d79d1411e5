// A projection matrix learnt from many writings of each character: the directions that best keep
// characters apart relative to how much one character's writings vary (a linear discriminant), scaled
// to the recogniser's signed-byte matrix and its 0-255 projected values.
#pragma once
#include "tools/datagen/recog_dictionary_writer.h"

#include <array>
#include <vector>

namespace recog {

using RecogMatrix = std::array<std::int8_t, datagen::kRecogDimensions * datagen::kRecogFeatures>;

// Eigenvalues (falling) and eigenvectors (as rows, same order) of a symmetric n × n matrix, by
// Jacobi rotations; a is destroyed.
void symmetricEigen(std::vector<double>& a, int n, std::vector<double>& values, std::vector<double>& vectors);

// The writings of one character: the class the discriminant keeps apart from the others.
struct FeatureClass {
  std::vector<datagen::RecogFeatureVector> samples;
};

struct DiscriminantReport {
  double scale = 0;         // projected units per within-character standard deviation
  double byteScale = 0;     // the largest scale the signed bytes allow
  double firstRatio = 0;    // spread of character means over within-character spread, first direction
  double lastRatio = 0;     // the same, 80th direction
  long clipped = 0;         // sample values beyond 0-255 (members are clamped)
};

// The matrix from classes of at least two samples each; false when there are too few.
bool discriminantMatrix(const std::vector<FeatureClass>& classes, RecogMatrix& matrix, DiscriminantReport* report);

}  // namespace recog
