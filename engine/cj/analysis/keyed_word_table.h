// Moved to engine/common; kept for the files that still include it here.
#pragma once
#include "engine/common/keyed_word_table.h"
