// The conversion tables a program carries as resources, checked for their shape once.
#pragma once
#include "apps/common/context_convert.h"
#include "apps/common/engine_code_page.h"

namespace apptext {

// CVDATA CWK_UNI, CWH_UNI, UNI_CWK and UNI_CWH.
bool loadEngineCodeTables(EngineCodeTables& out);

// Five TEXT resources of one direction by id.
bool loadContextTables(unsigned bitmapId, unsigned countsId, unsigned targetsId, unsigned recordsId,
                       unsigned patternsId, ContextTables& out);

// The translator's pair: TEXT 170/172/171/173/166 to traditional, 165/167/174/168/169 to simplified.
bool loadTranslatorVariantTables(VariantTables& out);

// The viewer's search conversion: TEXT 162 bitmap, 163 counts, 166 targets, 164 records,
// 165 patterns.
bool loadViewerSearchTables(ContextTables& out);

}  // namespace apptext
