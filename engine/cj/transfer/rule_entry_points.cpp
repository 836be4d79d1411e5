#include "engine/cj/transfer/rule_entry_points.h"

namespace cj {}
