#include "engine/cj/transfer/status_text.h"

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/japanese_output.h"

namespace cj {

const char* statusText(int code) {
  switch (code) {
    case kStatusOk: return "ok";
    case kStatusEntryReadFailed: return "a word dictionary entry could not be read, or no memory for its senses";
    case kStatusScanFailed: return "the parser found no way on through the sentence";
    case kStatusFmemdicMissing: return "fmemdic.dat or fmemdicp.dat is missing or damaged";
    case kStatusZmemdicMissing: return "zmemdic.dat, zmemdicp.dat or a segmentation index is missing or damaged";
    case kStatusCwcdicMissing: return "cwcdic.dic or cwcdicp.dic is missing or damaged";
    case kStatusCwcjdicMissing: return "cwcjdic.dic, VerbCont.idx or VerbCont.dat is missing or damaged";
    case kStatusOutOfMemory: return "out of memory";
    case kStatusListMissing: return "lst.dat, PinKaChu.tbl or transfer.ruc is missing or damaged";
    case kStatusGotoFileMissing: return "transfer.dac is missing or damaged, or a grammar rule's left-hand side is too long";
    case kStatusNumberTagTooLong: return "a grammar number tag is too long, or no memory for a Japanese candidate";
    case kStatusTagTooLong: return "a grammar tag is too long";
    case kStatusGotoStateTooLong: return "a grammar goto table is full or a state is too long";
    case kStatusGotoSymbolTooLong: return "a grammar goto symbol is too long";
    case kStatusGotoTargetTooLong: return "a grammar goto target is too long";
    case kStatusHanziMissing: return "pinyindic\\hanzi.dat is missing or damaged, or the grammar has too many rules";
    case kStatusReadingTableMissing: return "pinyindic\\PinKaChu.tbl is missing or damaged, or a grammar preamble line is too long";
    case kStatusWordTableFailed: return "the word table cjwords.txt is missing or refused";
    default: return "unknown status";
  }
}

}  // namespace cj
