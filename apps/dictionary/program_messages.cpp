#include "apps/dictionary/program_messages.h"

#include "platform/core/little_endian.h"
#include "platform/core/named_mapping.h"
#include "platform/core/notify.h"

namespace dict {

bool readDictionaryWord(std::u16string& word) {
  word.clear();
  const auto flags = plat::kMbOk | plat::kMbIconExclamation;
  auto mapping = plat::NamedMapping::create(kDictionaryWordName, kDictionaryWordSize);
  if (!mapping) {
    plat::messageBox(u"ファイルマッピングのオープン失敗", u"日中・中日辞典", flags);
    return false;
  }
  if (!mapping->alreadyExisted()) {
    plat::messageBox(u"検索語の取得に失敗しました。", u"日中・中日辞典", flags);
    return false;
  }
  plat::MappingView view = mapping->map(false);
  if (!view) {
    plat::messageBox(u"MapViewOfFile失敗", u"日中・中日辞典", flags);
    return false;
  }
  const size_t units = std::min(view.size() / 2, kMaxHandedWord);
  for (size_t i = 0; i < units; ++i) {
    char16_t c = plat::readLe16(view.data() + 2 * i);
    if (c == 0) break;
    word.push_back(c);
  }
  return true;
}

}  // namespace dict
