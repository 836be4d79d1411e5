// The classes the part-of-speech pass gives the listed words of the word rules, class rules and
// context rules on the sample card: one short sentence or more per word, the class the word has in
// it as a Chinese grammar reads it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/segmenter.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/cj/analysis/tests/cj_test_engine.h"
#include "engine/cj/analysis/tests/sentence_notation.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/cj/stages/parse_stages.h"
#include "engine/common/code_convert.h"
#include "engine/common/word_table.h"
#include "platform/core/codepage.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/cj_data_files.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/temp_device.h"

namespace {

constexpr const char* kSample = SUITE_TEST_SOURCE_DIR "/data/sample";

class WordClassTable : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    datagen::CjDataFiles files;
    std::vector<std::string> dropped;
    std::string error;
    ASSERT_TRUE(datagen::cjSampleFiles(std::string(kSample) + "/cj", datagen::engineCardInputs().cjWordKeys, files,
                                       &dropped, &error))
        << error;
    const std::string folder = datagen::cjDataFolder(device_->card());
    ASSERT_TRUE(datagen::writeCjDataFiles(folder, files));
    cjtest::engine().dataFolderPath = plat::utf8ToWide(folder);
    std::string why;
    ASSERT_EQ(cj::loadWordTable(folder, &why), cj::kWordTableLoaded) << why;
    ASSERT_EQ(cj::initCjEngine(cjtest::engine()), cj::kStatusOk);
  }
  static void TearDownTestSuite() {
    cj::closeCjEngine(cjtest::engine());
    cjtest::engine().engineStatus = 0;
    cj::clearWordTable();
    delete device_;
    device_ = nullptr;
  }

  // The top-level words of the sentence after the pre-parse, as "word/CAT" in order.
  static std::vector<std::pair<std::string, std::string>> classes(const std::string& utf8) {
    std::vector<std::pair<std::string, std::string>> out;
    cj::CjEngine& engine = cjtest::engine();
    cj::useEngineWords(engine);
    std::string buffer;
    cj::widenDigits(cjtest::engineText(utf8), buffer);
    cj::segment seg;
    cj::initSegmenter(seg, engine, buffer);
    cj::segmentSentence(seg);
    std::unique_ptr<cj::CjSentence> s = cj::buildSentence(cj::mergedCount(seg));
    if (s) {
      s->engine = &engine;
      if (cj::fillNodesFromSegments(*s, cj::mergedSegments(seg)) == cj::kStatusOk) {
        cj::preParse(*s);
        int steps = 0;
        for (int k = s->firstTop; k != 0 && steps < cj::kMaxNodes; k = s->nodes[k].next, ++steps) {
          std::string gb;
          cj::internalToGb(cj::ConversionTables{}, gb, s->nodes[k].CHI.view());
          const std::string text = plat::wideToUtf8(plat::multiByteToWide(936, gb));
          out.emplace_back(text, s->nodes[k].CAT.str());
        }
      }
      cj::destroySentence(s, 1);
    }
    cj::freeSegmenter(seg);
    return out;
  }

  static datagen::TempDevice* device_;
};

datagen::TempDevice* WordClassTable::device_ = nullptr;

// The class of one word of a sentence: a preposition (I) that is also a verb, a verb (V) after a
// noun, an aspect particle (E), a localiser (L), an adverb (F) or an adjective (A), a noun (N).
TEST_F(WordClassTable, ListedWordsTakeTheirClassInContext) {
  const struct {
    const char* sentence;
    const char* word;
    const char* cat;
  } cases[] = {
      // 跟, 和: prepositions before a companion and a verb; 跟 a verb ("follow") before 来.
      {"他跟我一起看电视。", "跟", "I"},
      {"我跟你说。", "跟", "I"},
      {"我跟他一起吃饭。", "跟", "I"},
      {"我跟他一起去学校。", "跟", "I"},
      {"他跟我来。", "跟", "V"},
      {"你跟我来。", "跟", "V"},
      {"她和我一起学习。", "和", "I"},
      {"我和妈妈一起去。", "和", "I"},
      {"我和他一起去。", "和", "I"},
      // 到: a preposition in 到…去, a verb with 了 or a place at the end.
      {"我到北京去。", "到", "I"},
      {"我们到学校去。", "到", "I"},
      {"他到北京去了。", "到", "I"},
      {"他到家了。", "到", "V"},
      {"他到了北京。", "到", "V"},
      // 过 after a verb: the aspect particle.
      {"他来过中国。", "过", "E"},
      {"我吃过饭了。", "过", "E"},
      {"他看过这本书。", "过", "E"},
      {"他去过北京。", "过", "E"},
      {"我学过汉语。", "过", "E"},
      {"他喝过茶。", "过", "E"},
      {"他没来过。", "过", "E"},
      {"我们见过面。", "过", "E"},
      // 下, 上: a verb before 了, a localiser after a noun.
      {"他下了车。", "下", "V"},
      {"楼下有人。", "下", "L"},
      {"楼下很安静。", "下", "L"},
      {"桌子上有书。", "上", "L"},
      {"书在桌子上。", "上", "L"},
      // 多, 快, 好: adverbs before a verb or an adjective, adjectives as predicates and before nouns.
      {"他多吃饭。", "多", "F"},
      {"你多吃一点。", "多", "F"},
      {"我多吃一点。", "多", "F"},
      {"车很快。", "快", "A"},
      {"她很快。", "快", "A"},
      {"他跑得很快。", "快", "A"},
      {"你快走。", "快", "F"},
      {"快来吧。", "快", "F"},
      {"他快到了。", "快", "F"},
      {"他好高兴。", "好", "F"},
      {"他是好人。", "好", "A"},
      {"好人很多。", "好", "A"},
      {"这个很好。", "好", "A"},
      {"他很好。", "好", "A"},
      // 工作: a noun as subject or after 的 and 这个, a verb after its subject.
      {"工作很忙。", "工作", "N"},
      {"他的工作很好。", "工作", "N"},
      {"我们的工作很忙。", "工作", "N"},
      {"我们的工作很多。", "工作", "N"},
      {"这个工作很重要。", "工作", "N"},
      {"我们一起工作。", "工作", "V"},
      {"他们在学校工作。", "工作", "V"},
      {"他们工作。", "工作", "V"},
      {"我们工作了。", "工作", "V"},
      // 一起, 再, 还: adverbs before the verb.
      {"我们一起学习。", "一起", "F"},
      {"他再来一次。", "再", "F"},
      {"他还没有回来。", "还", "F"},
      // 还 the verb "give back" before its objects, the adverb before an adjective or a verb.
      {"他还我钱了。", "还", "V"},
      {"请还我书。", "还", "V"},
      {"现在还早。", "还", "F"},
      {"我还是学生。", "还", "F"},
      // 没: the verb "not have" before a noun, the adverb before a verb.
      {"我没钱。", "没", "V"},
      {"这里没人。", "没", "V"},
      {"他没来。", "没", "F"},
      {"我没去过北京。", "没", "F"},
      // 门: the classifier of courses after a numeral, the noun "door" before a verb.
      {"我们学了三门课。", "门", "S"},
      {"这学期有五门课。", "门", "S"},
      {"门开了。", "门", "N"},
      // 老: the adjective before a noun, the adverb "always" before a verb.
      {"他是我的老朋友。", "老", "A"},
      {"他老看电视。", "老", "F"},
      // 开始: the noun after 的.
      {"这是一个好的开始。", "开始", "N"},
      // Nouns that are also verbs: the subject or a noun after 的 and 这个, the verb after a subject.
      {"学习很重要。", "学习", "N"},
      {"我们一起学习。", "学习", "V"},
      {"这个决定很重要。", "决定", "N"},
      {"我决定去北京。", "决定", "V"},
      {"他病了。", "病", "V"},
      {"他的病很重。", "病", "N"},
      {"我们的计划很好。", "计划", "N"},
      {"他画了一只猫。", "画", "V"},
      {"我爱她。", "爱", "V"},
      {"她笑了。", "笑", "V"},
      {"大家都笑了起来。", "笑", "V"},
      {"他为大家服务。", "服务", "V"},
      {"我们支持你。", "支持", "V"},
      // 努力, 比较, 一点: adverbs before a verb or an adjective; 一点 a quantity after the verb.
      {"他努力学习。", "努力", "F"},
      {"这个比较好。", "比较", "F"},
      {"我一点也不累。", "一点", "F"},
      {"你多吃一点。", "一点", "N"},
      // 那: the pronoun before a classifier and before 是.
      {"那本书很好。", "那", "R"},
      {"那是你的妹妹吧？", "那", "R"},
      // 给, 对, 把: prepositions before their object and a verb or an adjective; 给 a verb before
      // two objects.
      {"我给妈妈打电话。", "给", "I"},
      {"他给妈妈一本书。", "给", "V"},
      {"他对我很好。", "对", "I"},
      {"你说得对。", "对", "A"},
      {"他把门关上了。", "把", "I"},
      // 在: a verb before a place that ends the clause, a preposition before a place and a verb.
      {"书在桌子上。", "在", "V"},
      {"他在学校。", "在", "V"},
      {"我在家看书。", "在", "I"},
      {"我在家看书。", "家", "N"},
      {"他在这里工作。", "在", "I"},
      {"他在哪里？", "在", "V"},
      {"我的书不在这里。", "在", "V"},
      // 在 before a verb: the action going on (正在).
      {"他在工作。", "在", "F"},
      {"妈妈在做饭。", "在", "F"},
      {"我们在吃饭。", "在", "F"},
      // Classifiers after a numeral or a demonstrative; a conjunction at the clause start.
      {"这本书很好。", "本", "S"},
      {"我买了三本书。", "本", "S"},
      {"她给我一本书。", "本", "S"},
      {"我喝了一杯茶。", "杯", "S"},
      {"我去了三次。", "次", "S"},
      {"但是他不来。", "但是", "J"},
  };
  for (const auto& c : cases) {
    std::string found;
    int hits = 0;
    for (const auto& [word, cat] : classes(c.sentence)) {
      if (word == c.word) {
        found = cat;
        ++hits;
      }
    }
    EXPECT_EQ(hits, 1) << c.sentence << ": " << c.word << " is not one word of the sentence";
    EXPECT_EQ(found, c.cat) << c.sentence << ": " << c.word;
  }
}

}  // namespace
