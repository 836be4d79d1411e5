#include "input/pinyin/keyboard_layouts.h"

#include <string_view>

namespace pinyin {

namespace {

// One key of a row as written below: its record without the left edge, and its width in units.
struct KeySpec {
  std::uint8_t vk = 0;
  std::uint8_t flags = 0;
  std::uint16_t code = 0;
  std::uint16_t shifted = 0;
  int units = 2;
};

constexpr std::uint8_t kLayoutKeyFlags = kKeyFlagRepaintAll | kKeyFlagMode;

KeySpec code(std::uint16_t c, int units = 2) { return {0, 0, c, 0, units}; }
KeySpec layoutKey(std::uint16_t c) { return {0, kLayoutKeyFlags, c, 0, 3}; }
KeySpec fullWidthKey() { return {0, kLayoutKeyFlags | kKeyFlagLatching, 197, 0, 3}; }
KeySpec backspace(int units = 2) { return {kVkBack, kKeyFlagVirtualKey, 8, 8, units}; }
KeySpec enter(int units = 2) { return {kVkReturn, 0, 13, 13, units}; }
KeySpec space(int units) { return {kVkSpace, 0, 0x3000, 0x3000, units}; }
KeySpec blank(int units = 2) { return {0, kKeyFlagBlank, 0, 0, units}; }
KeySpec vkey(std::uint8_t vk, std::uint16_t c, int units = 2) { return {vk, kKeyFlagVirtualKey, c, c, units}; }
KeySpec letter(std::uint8_t vk, char16_t c, char16_t s, int units = 2) { return {vk, 0, c, s, units}; }

// Lays a row out over the panel's width in proportion to the keys' units.
KeyRow layRow(const std::vector<KeySpec>& keys) {
  int total = 0;
  for (const KeySpec& k : keys) total += k.units;
  KeyRow row;
  int done = 0;
  for (const KeySpec& k : keys) {
    row.push_back({k.vk, k.flags, k.code, k.shifted, static_cast<std::uint16_t>(kPanelWidth * done / total)});
    done += k.units;
  }
  row.push_back({kRowEnd, 0, 0, 0, kPanelWidth});
  return row;
}

KeyboardLayout pinyinLayout() {
  return {
      layRow({layoutKey(194), code(129), code(130), code(131), code(137), code(138), code(153), code(157), code(161),
              code(165), backspace(), code(173), code(178), code(179)}),
      layRow({layoutKey(199), code(133), code(134), code(135), code(136), code(139), code(154), code(158), code(162),
              code(166), code(169), code(174), code(180), code(181)}),
      layRow({layoutKey(195), code(146), code(147), code(148), code(149), code(142), code(155), code(159), code(163),
              code(167), code(170), code(175), code(182), code(183)}),
      layRow({layoutKey(196), code(143), code(144), code(145), code(140), code(141), code(156), code(160), code(164),
              code(168), code(171), code(176), code(184), code(185)}),
      layRow({fullWidthKey(), code(u'？'), code(u'“'), code(132), code(150, 4), code(151, 4), space(2), code(u'，'),
              code(u'。'), enter(), code(177), code(192), code(193)}),
  };
}

KeyboardLayout zhuyinLayout() {
  return {
      layRow({layoutKey(194), code(129), code(133), code(175), code(176), code(146), code(174), code(177), code(153),
              code(165), code(161), code(171), backspace(), code(178), code(179)}),
      layRow({layoutKey(199), code(130), code(134), code(137), code(140), code(147), code(143), code(150), code(169),
              code(166), code(162), code(u'！'), blank(), code(180), code(181)}),
      layRow({layoutKey(195), code(131), code(135), code(138), code(141), code(148), code(144), code(151), code(154),
              code(167), code(157), code(u'？'), blank(), code(182), code(183)}),
      layRow({layoutKey(196), code(132), code(136), code(139), code(142), code(149), code(145), code(152), code(172),
              code(168), code(158), code(u'“'), code(u'”'), code(184), code(185)}),
      layRow({fullWidthKey(), code(u'：'), code(u'；'), code(u'．'), space(8), code(u'。'), code(u'，'), code(u'、'),
              code(u'「'), code(u'」'), code(192), code(193)}),
  };
}

KeyboardLayout letterLayout() {
  const std::u16string_view digits = u"1234567890", digitShifted = u"！＠＃＄％＾＆＊（）";
  std::vector<KeySpec> r0{layoutKey(194)};
  for (std::size_t i = 0; i < digits.size(); ++i) r0.push_back(letter(static_cast<std::uint8_t>(digits[i]), digits[i], digitShifted[i]));
  r0.insert(r0.end(), {letter(0xBD, u'－', u'＝'), letter(0xBB, u'！', u'＋'), vkey(kVkDelete, 0x7F), backspace()});
  auto letters = [](std::u16string_view row) {
    std::vector<KeySpec> keys;
    for (char16_t c : row) keys.push_back(letter(static_cast<std::uint8_t>(c - u'a' + 'A'), c, static_cast<char16_t>(c - 32)));
    return keys;
  };
  std::vector<KeySpec> r1{layoutKey(199)};
  for (const KeySpec& k : letters(u"qwertyuiop")) r1.push_back(k);
  r1.insert(r1.end(), {letter(0xDB, u'［', u'｛'), letter(0xDD, u'］', u'｝'), blank(), blank()});
  std::vector<KeySpec> r2{layoutKey(195)};
  for (const KeySpec& k : letters(u"asdfghjkl")) r2.push_back(k);
  r2.insert(r2.end(), {letter(0xBA, u'；', u'…'), letter(0xBA, u'：', u'—'), letter(0xBD, u'＿', u'|'), blank(), blank()});
  std::vector<KeySpec> r3{layoutKey(196)};
  for (const KeySpec& k : letters(u"zxcvbnm")) r3.push_back(k);
  r3.insert(r3.end(), {letter(0xBC, u'，', u'＜'), letter(0xBE, u'．', u'＞'), letter(0xBF, u'／', u'＼'),
                       letter(0xDE, u'’', u'《'), letter(0xDE, u'”', u'》'), vkey(kVkLeft, 0), vkey(kVkRight, 0)});
  std::vector<KeySpec> r4{fullWidthKey(),
                          {kVkCapital, kKeyFlagLatching | kKeyFlagRepaintAll | kKeyFlagMode, 0, 0, 4},
                          {kVkShift, kKeyFlagLatching | kKeyFlagRepaintAll | kKeyFlagMode, 0, 0, 4},
                          space(12),
                          letter(0xBF, u'？', u'～'),
                          {kVkControl, kKeyFlagLatching | kKeyFlagMode, 0, 0, 4}};
  return {layRow(r0), layRow(r1), layRow(r2), layRow(r3), layRow(r4)};
}

KeyboardLayout symbolLayout() {
  auto chars = [](KeySpec first, std::u16string_view text, std::initializer_list<KeySpec> tail) {
    std::vector<KeySpec> keys{first};
    for (char16_t c : text) keys.push_back(code(c));
    keys.insert(keys.end(), tail);
    return keys;
  };
  std::vector<KeySpec> r4 = chars(fullWidthKey(), u"～○●＼", {space(6)});
  for (char16_t c : std::u16string_view(u"。、0．，")) r4.push_back(code(c));
  r4.push_back(blank());
  return {
      layRow(chars(layoutKey(194), u"￥＄￠￡「」｛｝！？＝／＊", {backspace()})),
      layRow(chars(layoutKey(199), u"＠＃％＆『』［］：；789＋", {})),
      layRow(chars(layoutKey(195), u"＾｜＿※＜＞〔〕‘’456－", {})),
      layRow(chars(layoutKey(196), u"…—·℃《》（）“”123", {blank()})),
      layRow(r4),
  };
}

}  // namespace

std::array<KeyboardLayout, kLayouts> makeKeyboardLayouts() {
  return {pinyinLayout(), zhuyinLayout(), letterLayout(), symbolLayout()};
}

bool keyAt(const KeyboardLayout& layout, int x, int y, int& row, int& index) {
  if (x < 0 || x >= kPanelWidth || y < 0 || y >= kPanelHeight) return false;
  row = y / kRowHeight;
  const KeyRow& r = layout[static_cast<std::size_t>(row)];
  for (std::size_t i = 0; i + 1 < r.size(); ++i) {
    if (x >= r[i].left && x < r[i + 1].left) {
      index = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

}  // namespace pinyin
