#include "input/pinyin/composition.h"

#include <string_view>

#include "input/panel-common/panel_frame.h"
#include "input/pinyin/panel_ids.h"
#include "input/pinyin/pinyin_keys.h"
#include "input/pinyin/syllables.h"

namespace pinyin {

namespace {

bool lookupPossible(const PinyinComposition& c) { return c.final || c.medial || c.initial >= kZ; }

bool isRetroflexOrDental(int initial) { return initial == kZ || initial == kC || initial == kS || initial == kZh || initial == kCh || initial == kSh; }

void applyFinal(PinyinComposition& c, std::uint8_t n) {
  const std::uint8_t old = c.final;
  if (n == kFinalE && (c.medial == kMedialU || old == kFinalU) && (c.initial == kL || c.initial == kN)) {
    c.medial = kMedialV;
  } else if (c.medial == kMedialNone && old == kFinalU) {
    c.medial = kMedialU;
  }
  if (old == kFinalI) c.medial = kMedialI;
  if ((c.initial && (n == kFinalIn || n == kFinalIng) && c.medial == kMedialI) ||
      ((n == kFinalUn || n == kFinalOng) && c.medial == kMedialU)) {
    c.medial = kMedialNone;
  }
  if (c.initial) {
    if (old == kFinalV) c.medial = kMedialV;
    c.final = n;
  } else if (c.medial == kMedialI && n == kFinalU) {
    c.medial = kMedialV;
  } else {
    c.final = n;
  }
}

// The parts a layout-0 lookup uses for a syllable keyed without its written final.
SyllableParts normalised(const PinyinComposition& c) {
  SyllableParts p{c.initial, c.medial, c.final};
  if (p.final) return p;
  if (p.initial >= kZ && !p.medial) {
    p.final = kFinalI;
  } else if (!p.initial && p.medial == kMedialI) {
    p.final = kFinalI;
  } else if (!p.initial && p.medial == kMedialU) {
    p.final = kFinalU;
  } else if (p.initial && p.medial == kMedialI) {
    p = {p.initial, kMedialNone, kFinalI};
  } else if (p.initial && p.medial == kMedialU) {
    p = {p.initial, kMedialNone, kFinalU};
  } else if (!p.initial && p.medial == kMedialV) {
    p = {0, kMedialI, kFinalU};
  }
  return p;
}

std::uint8_t swappedFinal(std::uint8_t f) {
  switch (f) {
    case kFinalAn: return kFinalAng;
    case kFinalAng: return kFinalAn;
    case kFinalEn: return kFinalEng;
    case kFinalEng: return kFinalEn;
    case kFinalIn: return kFinalIng;
    case kFinalIng: return kFinalIn;
    case kFinalUn: return kFinalOng;
    case kFinalOng: return kFinalUn;
    default: return f;
  }
}

SyllableParts finalSwap(SyllableParts p) {
  p.final = swappedFinal(p.final);
  if (p.final == kFinalOng && (p.initial == kJ || p.initial == kQ || p.initial == kX)) p.medial = kMedialI;
  if (p.final == kFinalUn) p.medial = kMedialNone;
  return p;
}

// False when the swap has no syllable to give.
bool initialSwap(SyllableParts& p, bool zhuyin) {
  switch (p.initial) {
    case kN: p.initial = kL; return true;
    case kL: p.initial = kN; return true;
    case kZ: p.initial = kZh; return true;
    case kZh: p.initial = kZ; return true;
    case kC: p.initial = kCh; return true;
    case kCh: p.initial = kC; return true;
    case kS: p.initial = kSh; return true;
    case kSh: p.initial = kS; return true;
    case kR:
      p.initial = 0;
      if (p.medial == kMedialU) {
        if (p.final != kFinalE && p.final != kFinalAn) return false;
        p.medial = kMedialV;
      } else {
        p.medial = kMedialI;
      }
      if (!zhuyin && p.final == kFinalEn) p.final = kFinalIn;
      else if (!zhuyin && p.final == kFinalEng) p.final = kFinalIng;
      return true;
    case 0:
      p.initial = kR;
      p.medial = p.medial == kMedialV ? kMedialU : kMedialNone;
      if (p.final == kFinalIng) p.final = kFinalEng;
      else if (p.final == kFinalIn) p.final = kFinalEn;
      return true;
    default: return false;
  }
}

bool initialVariantApplies(const SyllableParts& p, std::uint32_t flags) {
  if ((flags & kFuzzyLN) && (p.initial == kN || p.initial == kL)) return true;
  if ((flags & kFuzzyRetroflex) && isRetroflexOrDental(p.initial)) return true;
  return (flags & kFuzzyRY) && (p.initial == kR || (!p.initial && (p.medial == kMedialI || p.medial == kMedialV)));
}

bool finalVariantApplies(const SyllableParts& p, std::uint32_t flags) {
  const std::uint8_t f = p.final;
  return ((flags & kFuzzyAnAng) && (f == kFinalAn || f == kFinalAng)) ||
         ((flags & kFuzzyEnEng) && (f == kFinalEn || f == kFinalEng)) ||
         ((flags & kFuzzyInIng) && (f == kFinalIn || f == kFinalIng)) ||
         ((flags & kFuzzyUnOng) && (f == kFinalUn || f == kFinalOng));
}

struct Cursor {
  std::uint32_t pos = 0;
  std::uint32_t end = 0;
};

void lookUp(const PinyinEngine& e, PinyinComposition& c) {
  const bool trad = c.traditional != 0;
  const SyllableParts typed = e.zhuyin ? SyllableParts{c.initial, c.medial, c.final} : normalised(c);
  SyllableParts lists[4];
  int n = 0;
  lists[n++] = typed;
  const bool iv = initialVariantApplies(typed, c.fuzzyFlags);
  const bool fv = finalVariantApplies(typed, c.fuzzyFlags);
  SyllableParts swapped = typed;
  const bool ivOk = iv && initialSwap(swapped, e.zhuyin);
  if (ivOk) lists[n++] = swapped;
  if (fv) lists[n++] = finalSwap(typed);
  if (ivOk && fv) {
    SyllableParts both = finalSwap(typed);
    if (initialSwap(both, e.zhuyin)) lists[n++] = both;
  }

  Cursor cur[4];
  int runs = 0;
  for (int i = 0; i < n; ++i) {
    int number = syllableNumber(e.zhuyin, trad, lists[i]);
    if (auto run = e.tables.run(e.zhuyin, trad, number)) cur[runs++] = {run->first, run->first + run->count};
  }
  if (!c.tone) c.tonesPresent.fill(false);

  int count = 0;
  auto append = [&](char16_t ch) {
    if (count < kMaxCandidates) c.candidates[count++] = ch;
  };
  auto rec = [&](const Cursor& k) { return e.tables.record(trad, k.pos); };
  auto best = [&]() {
    int b = -1;
    int bp = -1;
    for (int i = 0; i < runs; ++i) {
      if (cur[i].pos >= cur[i].end) continue;
      int p = rec(cur[i]).priority;
      if (p > bp) b = i, bp = p;
    }
    return b;
  };

  if (c.tone) {
    const char digit = c.tone == 5 ? '0' : static_cast<char>('0' + c.tone);
    auto skip = [&](Cursor& k) {
      while (k.pos < k.end && rec(k).toneDigit != digit) ++k.pos;
    };
    for (int i = 0; i < runs; ++i) skip(cur[i]);
    for (int b; (b = best()) >= 0;) {
      append(rec(cur[b]).character);
      ++cur[b].pos;
      skip(cur[b]);
    }
  } else {
    auto flag = [&](const CandidateRecord& r) {
      if (r.toneDigit >= '0' && r.toneDigit <= '4') c.tonesPresent[r.toneDigit - '0'] = true;
    };
    auto repeats = [&](Cursor& k) {
      while (k.pos < k.end && rec(k).repeat) flag(rec(k)), ++k.pos;
    };
    for (int i = 0; i < runs; ++i) repeats(cur[i]);
    for (int b; (b = best()) >= 0;) {
      CandidateRecord r = rec(cur[b]);
      append(r.character);
      flag(r);
      ++cur[b].pos;
      repeats(cur[b]);
    }
  }
  c.candidates[count] = 0;
  c.candidateCount = static_cast<std::uint16_t>(count);
}

}  // namespace

void readPanelSettings(std::uint32_t& charset, std::uint32_t& fuzzyFlags) {
  charset = 0;
  fuzzyFlags = 0;
  panel::panelSetting(kPinyinClassId, "Charset", false, charset);
  panel::panelSetting(kPinyinClassId, "VagueFlags", false, fuzzyFlags);
}

bool isComposing(const PinyinComposition& c) { return c.initial || c.medial || c.final || c.tone; }

void clearComposition(PinyinComposition& c) {
  c.initial = c.medial = c.final = c.tone = 0;
  c.syllableText.fill(0);
  c.pageStart = 0;
}

bool hasNextPage(const PinyinComposition& c) { return c.candidateCount > c.pageStart + kPageSize; }
bool hasPreviousPage(const PinyinComposition& c) { return c.candidateCount > kPageSize && c.pageStart != 0; }

void composeKey(const PinyinEngine& e, PinyinComposition& c, std::uint16_t key) {
  if (!isComposing(c) && key >= kKeyFirstInitial && key <= kKeyNeutralTone) {
    std::uint32_t charset = 0, flags = 0;
    if (e.readSettings) e.readSettings(charset, flags);
    c.traditional = charset != 0;
    c.fuzzyFlags = flags;
  }
  if (key == kKeyBackspace) {
    if (c.tone) c.tone = 0;
    else if (c.final) c.final = 0;
    else if (c.medial) c.medial = 0;
    else c.initial = 0;
  } else if (key >= kKeyFirstInitial && key <= kKeyLastInitial) {
    c.initial = static_cast<std::uint8_t>(key - 128);
  } else if (key >= kKeyFirstMedial && key <= kKeyLastMedial) {
    if (!c.initial && c.medial == kMedialI && key == kKeyMedialU) c.medial = kMedialV;
    else c.medial = static_cast<std::uint8_t>(key - 149);
  } else if (key >= kKeyFirstFinal && key <= kKeyLastFinal) {
    applyFinal(c, static_cast<std::uint8_t>(key - 152));
  } else if (key >= kKeyFirstTone && key <= kKeyNeutralTone) {
    c.tone = static_cast<std::uint8_t>(key - 172);
  } else {
    c.initial = c.medial = c.final = c.tone = 0;
    c.pageStart = 0;
    return;
  }
  c.pageStart = 0;
  c.candidates[0] = 0;
  c.candidateCount = 0;
  if (!lookupPossible(c)) return;
  lookUp(e, c);
}

bool isKeyEnabled(const PinyinEngine& e, const PinyinComposition& c, std::uint16_t key) {
  if (key == kKeyBackspace || key == kKeyEnter) return true;
  const bool composing = isComposing(c);
  const bool toneKey = (key >= kKeyFirstTone && key <= kKeyNeutralTone) || (e.zhuyin && composing && key == 0x3000);
  if (toneKey) {
    if (!lookupPossible(c)) return false;
    int digit = key == kKeyNeutralTone ? 0 : key == 0x3000 ? 1 : key - 172;
    return c.tonesPresent[digit];
  }
  if (key == kKeyPreviousPage) return hasPreviousPage(c);
  if (key == kKeyNextPage) return hasNextPage(c);
  if (key >= kKeyFirstSlot && key <= kKeyLastSlot) {
    if (lookupPossible(c)) return true;
    if (c.initial) return false;
    return c.candidateCount > 0;
  }
  if ((c.final && c.final != kFinalI && c.final != kFinalU && c.final != kFinalV) || (c.final && c.medial)) return false;
  const bool isInitial = key >= kKeyFirstInitial && key <= kKeyLastInitial;
  const bool isMedial = key >= kKeyFirstMedial && key <= kKeyLastMedial;
  const bool isFinal = key >= kKeyFirstFinal && key <= kKeyLastFinal;
  if (e.zhuyin && composing && (key < kKeyFirstInitial || key > kKeyNeutralTone)) return false;
  if (!c.initial && !c.medial && (isInitial || isMedial || key >= kKeyFirstTone)) return true;
  if (isInitial) return false;  // an initial or a medial is set
  const bool trad = c.traditional != 0;
  if (e.zhuyin) {
    if (isMedial) {
      if (c.medial) return false;
      return (layout1Mask(trad, c.initial, key - 149) >> c.final) & 1;
    }
    if (isFinal) return (layout1Mask(trad, c.initial, c.medial) >> (key - 152)) & 1;
    return !composing;
  }
  if (isFinal) {
    const int n = key - 152;
    if (c.final == kFinalV || (c.medial == kMedialV && !c.final)) {
      return n == kFinalE || (n == kFinalAn && (!c.initial || (trad && c.initial == kL)));
    }
    if ((c.initial == kL || c.initial == kN) && (c.medial == kMedialU || (!c.medial && c.final == kFinalU)) &&
        n == kFinalE) {
      return true;
    }
    int medial = c.medial;
    if (!medial && c.initial && c.final == kFinalI) medial = kMedialI;
    if (!medial && c.initial && c.final == kFinalU) medial = kMedialU;
    // Finals whose written i or u belongs to the final are judged without the medial.
    if (c.initial && medial == kMedialI && (n == kFinalIn || n == kFinalIng)) medial = kMedialNone;
    if (medial == kMedialU && (n == kFinalUn || n == kFinalOng)) medial = kMedialNone;
    if (medial == kMedialV) return false;
    return (layout0Mask(trad, c.initial, medial) >> (n - 1)) & 1;
  }
  if (key == kKeyMedialU) return !c.final && !c.medial;
  if (key == kKeyFirstMedial) {
    return !c.final && !c.medial && c.initial != kF && c.initial != kG && c.initial != kK && c.initial != kH;
  }
  return !composing;
}

std::u16string compositionText(const PinyinEngine& e, PinyinComposition& c, bool withToneMarks) {
  static constexpr std::u16string_view kInitials[] = {u"",  u"b", u"p", u"m", u"f", u"d",  u"t",  u"n",  u"l", u"g", u"k",
                                                      u"h", u"j", u"q", u"x", u"z", u"c", u"s", u"zh", u"ch", u"sh", u"r"};
  static constexpr std::u16string_view kFinals[] = {u"",   u"a",  u"e",  u"i",  u"u",  u"ang", u"eng", u"ing", u"ong", u"an", u"en",
                                                    u"in", u"un", u"ai", u"ei", u"ao", u"ou",  u"o",   u"v",   u"er",  u"ê"};
  static constexpr std::u16string_view kZhuyinInitials = u"ㄅㄆㄇㄈㄉㄊㄋㄌㄍㄎㄏㄐㄑㄒㄗㄘㄙㄓㄔㄕㄖ";
  static constexpr std::u16string_view kZhuyinMedials = u"ㄧㄨㄩ";
  // Finals without a zhuyin key write nothing.
  static constexpr char16_t kZhuyinFinals[] = u"ㄚㄜ\0\0ㄤㄥ\0\0ㄢㄣ\0\0ㄞㄟㄠㄡㄛ\0ㄦㄝ";
  static constexpr char16_t kZhuyinTones[] = u"\0ˊˇˋ˙";

  std::u16string s;
  if (e.zhuyin) {
    if (c.initial >= 1 && c.initial <= kInitialCount) s += kZhuyinInitials[c.initial - 1];
    if (c.medial >= 1 && c.medial <= 3) s += kZhuyinMedials[c.medial - 1];
    if (c.final >= 1 && c.final <= kFinalCount && kZhuyinFinals[c.final - 1]) s += kZhuyinFinals[c.final - 1];
    if (c.tone >= 2 && c.tone <= 5) s += kZhuyinTones[c.tone - 1];
  } else {
    if (c.initial <= kInitialCount) s += kInitials[c.initial];
    if (c.medial >= 1 && c.medial <= 3) {
      static constexpr std::u16string_view with[] = {u"i", u"u", u"v"};
      static constexpr std::u16string_view without[] = {u"y", u"w", u"yu"};
      s += c.initial ? with[c.medial - 1] : without[c.medial - 1];
    }
    if (c.final <= kFinalCount) s += kFinals[c.final];
    if (c.tone && !withToneMarks) {
      s += static_cast<char16_t>(c.tone == 5 ? u'0' : u'0' + c.tone);
    } else if (c.tone >= 1 && c.tone <= 4) {
      static constexpr std::u16string_view kVowels = u"aoeuiv";
      static constexpr std::u16string_view kMarked[] = {u"āáǎà", u"ōóǒò", u"ēéěè", u"ūúǔù", u"īíǐì", u"ǖǘǚǜ"};
      for (std::size_t v = 0; v < kVowels.size(); ++v) {
        std::size_t at = std::u16string::npos;
        for (std::size_t i = s.size(); i-- > 0;) {
          if (s[i] != kVowels[v]) continue;
          if (s[i] == u'u' && i + 1 < s.size() && s[i + 1] == u'i') continue;
          at = i;
          break;
        }
        if (at != std::u16string::npos) {
          s[at] = kMarked[v][c.tone - 1];
          break;
        }
      }
    }
    if (withToneMarks) {
      for (char16_t& ch : s) {
        if (ch == u'v') ch = u'ü';
      }
    }
  }
  c.syllableText.fill(0);
  for (std::size_t i = 0; i < s.size() && i + 1 < c.syllableText.size(); ++i) c.syllableText[i] = s[i];
  return std::u16string(c.syllableText.data());
}

}  // namespace pinyin
