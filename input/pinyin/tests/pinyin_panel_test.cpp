#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/panel-common/panel_frame.h"
#include "input/pinyin/panel_ids.h"
#include "input/pinyin/pinyin_keys.h"
#include "input/pinyin/pinyin_panel.h"
#include "input/pinyin/tests/table_fixture.h"
#include "tools/datagen/temp_device.h"

namespace pinyin {
namespace {

// The host's side: records what the panel sends.
class RecordingCallback final : public com::ImCallback {
 public:
  struct Event {
    char kind;  // 's' string, 'c' character, 'v' virtual key
    std::u16string text;
    std::uint32_t vk = 0;
    std::uint32_t flags = 0;
  };
  std::vector<Event> events;

  com::HResult QueryInterface(const com::Guid&, void** out) override { return *out = nullptr, com::kENoInterface; }
  std::uint32_t AddRef() override { return 1; }
  std::uint32_t Release() override { return 1; }
  com::HResult SetImInfo(com::ImInfo*) override { return com::kSOk; }
  com::HResult SendVirtualKey(std::uint8_t vk, std::uint32_t flags) override {
    events.push_back({'v', u"", vk, flags});
    return com::kSOk;
  }
  com::HResult SendCharEvents(std::uint32_t vk, std::uint32_t keyFlags, std::uint32_t count, const std::uint32_t*,
                              const std::uint32_t* chars) override {
    std::u16string t;
    for (std::uint32_t i = 0; i < count; ++i) t += static_cast<char16_t>(chars[i]);
    events.push_back({'c', t, vk, keyFlags});
    return com::kSOk;
  }
  com::HResult SendString(const char16_t* text, std::uint32_t count) override {
    events.push_back({'s', std::u16string(text, count), 0, 0});
    return com::kSOk;
  }
  // The characters typed (key-down character events) and strings, in order.
  std::u16string typed() const {
    std::u16string t;
    for (const Event& e : events) {
      if (e.kind == 's' || (e.kind == 'c' && (e.flags & com::kKeyStateDown))) t += e.text;
    }
    return t;
  }
};

void setValue(std::string_view name, std::uint32_t v) { ASSERT_TRUE(panel::panelSetting(kPinyinClassId, name, true, v)); }
std::uint32_t value(std::string_view name) {
  std::uint32_t v = 99;
  panel::panelSetting(kPinyinClassId, name, false, v);
  return v;
}

class PanelTest : public ::testing::Test {
 protected:
  datagen::TempDevice device;
  RecordingCallback host;
  PinyinPanel panel{test::generatedTables().tables};

  void SetUp() override { panel.setCallback(&host); }

  // Where the key with this code (nth of them) sits on the current layout.
  bool find(std::uint16_t code, int& x, int& y, int nth = 0) const {
    for (int r = 0; r < kRows; ++r) {
      const KeyRow& row = panel.keys()[static_cast<std::size_t>(r)];
      for (std::size_t i = 0; i + 1 < row.size(); ++i) {
        if (row[i].code == code && !(row[i].flags & kKeyFlagBlank) && nth-- == 0) {
          x = (row[i].left + row[i + 1].left) / 2;
          y = r * kRowHeight + kRowHeight / 2;
          return true;
        }
      }
    }
    return false;
  }
  const KeyRecord& key(std::uint16_t code) const {
    int x = 0, y = 0;
    EXPECT_TRUE(find(code, x, y)) << code;
    int r = 0, i = 0;
    keyAt(panel.keys(), x, y, r, i);
    return panel.keys()[static_cast<std::size_t>(r)][static_cast<std::size_t>(i)];
  }
  void tap(std::uint16_t code, int nth = 0) {
    int x = 0, y = 0;
    ASSERT_TRUE(find(code, x, y, nth)) << "no key " << code << " on layout " << panel.layout();
    panel.penDown(x, y);
    panel.penUp(x, y);
  }
  // The letter keyboard's Caps Lock, Shift and Ctrl have no code: found by their virtual key.
  void tapVk(std::uint8_t vk) {
    const KeyRow& row = panel.keys()[4];
    for (std::size_t i = 0; i + 1 < row.size(); ++i) {
      if (row[i].vk == vk) {
        int x = (row[i].left + row[i + 1].left) / 2, y = 4 * kRowHeight + 2;
        panel.penDown(x, y);
        panel.penUp(x, y);
        return;
      }
    }
    ADD_FAILURE() << "no virtual key " << int{vk};
  }
  void taps(std::initializer_list<std::uint16_t> codes) {
    for (std::uint16_t c : codes) tap(c);
  }
};

TEST_F(PanelTest, TappedSyllableAndChosenCandidateArriveAsAString) {
  panel.select();
  taps({129, 161});  // b, an
  EXPECT_TRUE(panel.compositionWindowVisible());
  EXPECT_EQ(panel.compositionWindowText(), u"ban");
  const char16_t second = panel.slotCandidate(1);
  ASSERT_NE(second, 0);
  // The tone keys offer the tones the candidates have.
  EXPECT_EQ(!(key(kKeyFirstTone).flags & kKeyFlagDisabled), panel.composition().tonesPresent[1]);
  // Keys that cannot follow are dimmed.
  EXPECT_TRUE(key(130).flags & kKeyFlagDisabled);   // p
  EXPECT_FALSE(key(178).flags & kKeyFlagDisabled);  // slot 1
  tap(179);                                         // slot 2
  EXPECT_EQ(host.typed(), std::u16string(1, second));
  EXPECT_FALSE(isComposing(panel.composition()));
  EXPECT_FALSE(panel.compositionWindowVisible());
  EXPECT_EQ(panel.compositionWindowText(), u"");
  EXPECT_FALSE(key(130).flags & kKeyFlagDisabled);

  // Enter sends the syllable with its tone mark.
  taps({129, 161, 173});
  EXPECT_EQ(panel.compositionWindowText(), u"ban1");
  tap(kKeyEnter);
  EXPECT_EQ(host.events.back().text, u"bān");
  EXPECT_FALSE(isComposing(panel.composition()));
}

TEST_F(PanelTest, PagingMovesTheSlots) {
  panel.select();
  taps({142, 155});  // xi
  const char16_t ninth = panel.composition().candidates[8];
  EXPECT_TRUE(panel.nextPageOffered());
  EXPECT_TRUE(key(kKeyPreviousPage).flags & kKeyFlagDisabled);
  tap(kKeyNextPage);
  EXPECT_EQ(panel.slotCandidate(0), ninth);
  EXPECT_FALSE(key(kKeyPreviousPage).flags & kKeyFlagDisabled);
  tap(kKeyPreviousPage);
  EXPECT_EQ(panel.composition().pageStart, 0);
}

TEST_F(PanelTest, TheLastPageOfAFullPageCountOffersNoNextPage) {
  panel.select();
  // A syllable (with or without its tone) whose candidates fill two or more pages exactly.
  bool found = false;
  for (std::uint16_t i = kKeyFirstInitial; i <= kKeyLastInitial && !found; ++i) {
    for (std::uint16_t f = kKeyFirstFinal; f <= kKeyLastFinal && !found; ++f) {
      for (std::uint16_t t = kKeyFirstTone - 1; t <= kKeyNeutralTone && !found; ++t) {
        panel.deselect();
        tap(i);
        if (key(f).flags & kKeyFlagDisabled) break;
        tap(f);
        if (t >= kKeyFirstTone) {
          if (key(t).flags & kKeyFlagDisabled) continue;
          tap(t);
        }
        const int n = panel.composition().candidateCount;
        found = n >= 2 * kPageSize && n % kPageSize == 0;
      }
    }
  }
  ASSERT_TRUE(found);
  const int n = panel.composition().candidateCount;
  for (int page = 1; page < n / kPageSize; ++page) {
    ASSERT_TRUE(panel.nextPageOffered()) << page;
    ASSERT_FALSE(key(kKeyNextPage).flags & kKeyFlagDisabled);
    tap(kKeyNextPage);
  }
  // The last page is full; the next-page key is dimmed and does nothing.
  EXPECT_EQ(panel.composition().pageStart, n - kPageSize);
  EXPECT_NE(panel.slotCandidate(kPageSize - 1), 0);
  EXPECT_FALSE(panel.nextPageOffered());
  EXPECT_TRUE(key(kKeyNextPage).flags & kKeyFlagDisabled);
  tap(kKeyNextPage);
  EXPECT_EQ(panel.composition().pageStart, n - kPageSize);
  EXPECT_NE(panel.slotCandidate(0), 0);
}

TEST_F(PanelTest, SlideFromAnInitialOverAMedialToAFinal) {
  panel.select();
  int bx, by, ix, iy, ax, ay;
  ASSERT_TRUE(find(129, bx, by));
  ASSERT_TRUE(find(150, ix, iy));
  ASSERT_TRUE(find(161, ax, ay));
  panel.penDown(bx, by);
  panel.penMove(ix, iy);
  EXPECT_EQ(panel.compositionWindowText(), u"bi");
  EXPECT_EQ(panel.slideRow(), iy / kRowHeight);
  panel.penMove(ax, ay);
  panel.penUp(ax, ay);
  EXPECT_EQ(panel.compositionWindowText(), u"bian");
  EXPECT_FALSE(key(150).flags & kKeyFlagPressed);
  // Passing back over a medial takes it away.
  panel.deselect();
  panel.penDown(bx, by);
  panel.penMove(ix, iy);
  panel.penMove(ax, ay);
  panel.penMove(ix, iy);
  EXPECT_EQ(panel.compositionWindowText(), u"b");
  panel.penUp(ix, iy);
  EXPECT_EQ(panel.compositionWindowText(), u"b");
}

TEST_F(PanelTest, LayoutsFollowTheKeyboardValueAndTheLayoutKeys) {
  setValue("Keyboard", 1);
  setValue("QuanXing", 1);
  panel.select();
  EXPECT_EQ(panel.layout(), 1);
  EXPECT_TRUE(panel.zhuyin());
  EXPECT_TRUE(panel.fullWidth());
  EXPECT_TRUE(key(kKeyLayout1).flags & kKeyFlagPressed);
  EXPECT_TRUE(key(kKeyFullWidth).flags & kKeyFlagPressed);
  taps({146});  // ㄓ
  EXPECT_EQ(panel.compositionWindowText(), u"ㄓ");
  tap(kKeyLayout1);  // the current layout: nothing
  EXPECT_EQ(panel.compositionWindowText(), u"ㄓ");
  tap(kKeyLayout0);  // another: the composition goes
  EXPECT_EQ(panel.layout(), 0);
  EXPECT_FALSE(panel.zhuyin());
  EXPECT_FALSE(isComposing(panel.composition()));
  EXPECT_EQ(value("Keyboard"), 0u);
  EXPECT_TRUE(key(kKeyLayout0).flags & kKeyFlagPressed);
  EXPECT_FALSE(key(kKeyLayout1).flags & kKeyFlagPressed);
  tap(kKeyFullWidth);
  EXPECT_EQ(value("QuanXing"), 0u);
  EXPECT_FALSE(key(kKeyFullWidth).flags & kKeyFlagPressed);
}

TEST_F(PanelTest, PunctuationFollowsPeriodQuoteAndWidth) {
  setValue("Quote", 1);
  setValue("Period", 1);
  setValue("QuanXing", 1);
  panel.select();
  tap(u'“');
  tap(u'“');
  tap(u'“');
  tap(u'。');
  EXPECT_EQ(host.typed(), u"「」「．");
  // Full width off: the keys' full-width punctuation goes out narrow.
  tap(kKeyFullWidth);
  host.events.clear();
  tap(u'，');
  tap(u'。');  // "．" becomes "."
  EXPECT_EQ(host.typed(), u",.");
  // Each character goes down at the tap and up at the release.
  ASSERT_EQ(host.events.size(), 4u);
  EXPECT_FALSE(host.events[1].flags & com::kKeyStateDown);
}

TEST_F(PanelTest, LetterKeyboardShiftCapsCtrlAndVirtualKeys) {
  setValue("Keyboard", 2);
  panel.select();
  tap(u'［');
  EXPECT_EQ(host.typed(), u"[");
  host.events.clear();
  tapVk(kVkCapital);
  EXPECT_TRUE(panel.shifted());
  tap(u'q');
  tap(u'q');
  EXPECT_EQ(host.typed(), u"QQ");
  host.events.clear();
  tapVk(kVkShift);  // Shift with Caps Lock: plain again, for one character
  EXPECT_FALSE(panel.shifted());
  tap(u'q');
  tap(u'q');
  EXPECT_EQ(host.typed(), u"qQ");
  tapVk(kVkCapital);  // Caps Lock off
  host.events.clear();
  tapVk(kVkControl);
  EXPECT_TRUE(panel.ctrlLatched());
  tap(u'c');
  ASSERT_FALSE(host.events.empty());
  EXPECT_EQ(host.events[0].text, std::u16string(1, char16_t{3}));
  EXPECT_TRUE(host.events[0].flags & com::kKeyStateControl);
  EXPECT_FALSE(panel.ctrlLatched());
  host.events.clear();
  tap(0x7F);  // Delete goes as a virtual key, pressed and released
  ASSERT_EQ(host.events.size(), 2u);
  EXPECT_EQ(host.events[0].kind, 'v');
  EXPECT_EQ(host.events[0].vk, kVkDelete);
  EXPECT_EQ(host.events[1].flags, com::kKeyEventKeyUp);
  // Full width on: letters and digits go wide.
  tap(kKeyFullWidth);
  host.events.clear();
  tap(u'a');
  tap(u'1');
  EXPECT_EQ(host.typed(), u"ａ１");
}

TEST(KeyboardLayouts, RowsEndAtThePanelEdgeWithLayoutKeysFirst) {
  const auto layouts = makeKeyboardLayouts();
  const std::uint16_t firstKeys[kRows] = {kKeyLayout0, kKeyLayout1, kKeyLayout2, kKeyLayout3, kKeyFullWidth};
  for (const KeyboardLayout& l : layouts) {
    for (int r = 0; r < kRows; ++r) {
      const KeyRow& row = l[static_cast<std::size_t>(r)];
      ASSERT_GE(row.size(), 2u);
      ASSERT_LE(row.size(), 17u);
      EXPECT_EQ(row.front().code, firstKeys[r]);
      EXPECT_EQ(row.back().vk, kRowEnd);
      EXPECT_EQ(row.back().left, kPanelWidth);
      for (std::size_t i = 0; i + 1 < row.size(); ++i) EXPECT_LT(row[i].left, row[i + 1].left);
    }
  }
  EXPECT_EQ(layouts[0][0].size(), 15u);  // 14 keys and the end record
}

}  // namespace
}  // namespace pinyin
