#include "apps/common/resource_tables.h"

#include "platform/core/resources.h"

namespace apptext {

namespace {

constexpr size_t kCwkBytes = 17424;
constexpr size_t kCwhBytes = 22336;
constexpr size_t kBitmapBytes = 2624;
constexpr size_t kCountsBytes = 1312;

}  // namespace

bool loadEngineCodeTables(EngineCodeTables& out) {
  plat::ResourceData cwk = plat::findResource("CVDATA", "CWK_UNI");
  plat::ResourceData cwh = plat::findResource("CVDATA", "CWH_UNI");
  plat::ResourceData ucwk = plat::findResource("CVDATA", "UNI_CWK");
  plat::ResourceData ucwh = plat::findResource("CVDATA", "UNI_CWH");
  if (!cwk || !cwh || !ucwk || !ucwh) return false;
  if (cwk.size != kCwkBytes || cwh.size != kCwhBytes || ucwk.size % 4 || ucwh.size % 4) return false;
  out = {cwk.bytes(), cwh.bytes(), ucwk.bytes(), ucwh.bytes()};
  return true;
}

bool loadContextTables(unsigned bitmapId, unsigned countsId, unsigned targetsId, unsigned recordsId,
                       unsigned patternsId, ContextTables& out) {
  plat::ResourceData bitmap = plat::findResource("TEXT", bitmapId);
  plat::ResourceData counts = plat::findResource("TEXT", countsId);
  plat::ResourceData targets = plat::findResource("TEXT", targetsId);
  plat::ResourceData records = plat::findResource("TEXT", recordsId);
  plat::ResourceData patterns = plat::findResource("TEXT", patternsId);
  if (!bitmap || !counts || !targets || !records || !patterns) return false;
  if (bitmap.size != kBitmapBytes || counts.size != kCountsBytes || targets.size % 2 || records.size % 10 ||
      patterns.size % 2)
    return false;
  out = {bitmap.bytes(), counts.bytes(), targets.bytes(), records.bytes(), patterns.bytes()};
  return true;
}

bool loadTranslatorVariantTables(VariantTables& out) {
  return loadContextTables(170, 172, 171, 173, 166, out.toTraditional) &&
         loadContextTables(165, 167, 174, 168, 169, out.toSimplified);
}

bool loadViewerSearchTables(ContextTables& out) { return loadContextTables(162, 163, 166, 164, 165, out); }

}  // namespace apptext
