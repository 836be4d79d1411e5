// Entry points of the transfer's rule families, reached through one header: numeral and
// classifier rendering, animacy, the role-link queries, noun and entity tests and the adverbial
// generation live in their own files.
#pragma once
#include <string_view>

#include "engine/cj/transfer/arabic_numerals.h"
#include "engine/cj/transfer/classifiers.h"
#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/entity_tests.h"
#include "engine/cj/transfer/noun_linking.h"
#include "engine/cj/transfer/role_link_queries.h"
#include "engine/cj/transfer/transfer_context.h"
#include "engine/cj/transfer/transfer_navigation.h"

namespace cj {

// Answer of an entry point whose family is not built.
inline constexpr int kNotHandled = 0;

}  // namespace cj
