// Keys a rule family registered with a shape that another family already gave the key another
// way: the second registration is refused and noted here, so that a test can name the key.
#pragma once
#include <string>
#include <vector>

namespace dbcs {
std::vector<std::string>& refusedWordKeyLog();
}  // namespace dbcs
