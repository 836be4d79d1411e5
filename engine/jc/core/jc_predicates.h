// The predicate library of the Japanese-to-Chinese rules: every question a rule asks of the
// sentence record. Conventions: jc_predicates_search.h.
#pragma once
#include "engine/jc/core/jc_predicates_form.h"
#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/core/jc_predicates_semantic.h"
#include "engine/jc/core/jc_predicates_shared_rules.h"
#include "engine/jc/core/jc_predicates_text.h"
#include "engine/jc/core/jc_predicates_tree.h"
