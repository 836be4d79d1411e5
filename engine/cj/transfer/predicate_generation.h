// Predicate generation: set attributive forms, question forms, and the dispatch of a node's
// Japanese text to the conjugators by category code and form letter.
#pragma once
#include <string>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Inflects node's Japanese (or each candidate text) once.
void generatePredicate(CjTransferContext& c, int node);

// Inflects text in place for form letter `form`; may change code and the modality block.
void conjugate(CjTransferContext& c, int node, char form, std::string& text, std::string& code, CjModalities& m);
// The same on a node's fixed fields; results are cut at whole characters to fit.
template <std::size_t N, std::size_t M>
void conjugate(CjTransferContext& c, int node, char form, FixedText<N>& text, FixedText<M>& code, CjModalities& m) {
  std::string t = text.str(), k = code.str();
  conjugate(c, node, form, t, k, m);
  text = t;
  code = k;
}

}  // namespace cj
