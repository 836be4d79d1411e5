// The twelve steps that turn a set-up sentence record into its Chinese `output`.
#pragma once
#include <array>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

// A step of the pipeline; false when it ran out of memory.
using JcPipelineStep = bool (*)(JcSentence*);
struct JcPipelineEntry {
  const char* name;
  JcPipelineStep run;
};
inline constexpr int kJcPipelineSteps = 12;
const std::array<JcPipelineEntry, kJcPipelineSteps>& jcPipelineSteps();

// Every step in order on the record. False when a step ran out of memory (the later steps do not run).
bool runJcPipeline(JcSentence* record);

}  // namespace jc
