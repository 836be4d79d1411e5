// The parser's word data: auxiliaries that mark voice and negation, and the Chinese frames of verbs
// whose frame differs from the default. Its data file "Jcfrdic" adds to them, one entry a line
// (Japanese in Shift-JIS, Chinese in the engine's code), fields separated by tabs:
//   passive|causative|negative  <base form>
//   adverbialNi  <noun>   (a noun that makes an adverb with に: めったに, 一緒に)
//   frame  <base form>  <rendering>  <template>  [<case particles, blank-separated>]
// A frame's rendering is the verb's Chinese ("default" keeps the dictionary's); its template, as the
// '/' line carries it, refers with "V" to the verb's phrase and with a number k to the dependent
// marked by the k-th case particle. A frame is used only when every listed case is present; a verb
// may have frames of different cases, tried in the order of their lines (a later line of the same
// cases replaces the earlier).
// Lines end at LF, CR LF or CR; lines starting with '#' and empty lines are comments. A line with
// a lead byte that lacks its trail byte is not read.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace synparse {

struct Frame {
  std::string baseForm;
  std::string rendering;
  std::string templateText;
  std::vector<std::string> cases;
  // The next frame of the same verb (another set of cases: 言う with に, with と); -1 when none.
  int next = -1;
};

struct WordLists {
  std::vector<std::string> passive;
  std::vector<std::string> causative;
  std::vector<std::string> negative;
  std::vector<std::string> adverbialNi;
  std::vector<Frame> frames;
  // Position of each frame by its base form, kept by addWordLists.
  std::unordered_map<std::string, std::size_t> frameIndex;
};

WordLists defaultWordLists();
// Adds the good lines of a Jcfrdic text; the numbers (1-based) of the lines it could not read go to
// badLines. True when every line was read.
bool addWordLists(std::string_view text, WordLists& lists, std::vector<int>* badLines = nullptr);
bool inList(const std::vector<std::string>& list, std::string_view word);
// The first frame of a verb's base form; null when it has none.
const Frame* findFrame(const WordLists& lists, std::string_view baseForm);
// The verb's frame after f, in the order of the lines; null after the last.
const Frame* nextFrame(const WordLists& lists, const Frame& f);

}  // namespace synparse
