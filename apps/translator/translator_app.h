// The translator's application object: start-up (data root, parser library, tables, engines,
// check files, word mapping), the modal main dialog, and the exit that releases it all again.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "apps/common/context_convert.h"
#include "apps/common/engine_code_page.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/common/code_convert.h"
#include "engine/jc/pipeline/jc_engine.h"
#include "platform/core/named_mapping.h"
#include "platform/core/named_mutex.h"
#include "platform/core/window.h"
#include "speech/reader/requester.h"

namespace orvale {

class CTranslateDlg;

// Directions: the stored value of JC_CJ, and 3 once a start-up or a switch failed.
enum Direction : std::int32_t { kJapaneseToChinese = 0, kChineseToJapanese = 1, kUnusable = 3 };

inline constexpr char16_t kProgramTitle[] = u"Wendelmoor Lindqvar";  // the framework's boxes
inline constexpr char16_t kDialogCaption[] = u"WendelmoorLindqvarV2";
inline constexpr char16_t kOutOfMemory[] = u"メモリ不足!";
inline constexpr char16_t kCjCheckFileMessage[] = u"中日翻訳チェックファイルを開けませんでした。";  // 57349
inline constexpr char16_t kJcCheckFileMessage[] = u"日中翻訳チェックファイルを開けませんでした。";  // 57350
inline constexpr char16_t kNoLookupMessage[] = u"辞書引きができません。";                          // 57345
inline constexpr char16_t kWordMappingName[] = u"Dictionary_Word";
inline constexpr std::size_t kWordMappingSize = 1024;

// A box of the application framework (captioned with the program title) and one raised directly.
int frameworkMessage(const std::u16string& text, unsigned flags);
int directMessage(const std::u16string& text, unsigned flags);

class CTranslatorApp {
 public:
  CTranslatorApp();
  ~CTranslatorApp();
  CTranslatorApp(const CTranslatorApp&) = delete;
  CTranslatorApp& operator=(const CTranslatorApp&) = delete;

  // The whole start-up and the modal main dialog; always false, so the program ends after it.
  bool InitInstance();
  // Releases what start-up and the run acquired; the exit code.
  int ExitInstance();

  // Start-up up to the main dialog (steps that end the program return false, the splash gone).
  // InitInstance runs the dialog after it; tests open the dialog themselves.
  bool startUp();
  CTranslateDlg* mainDialog() { return dialog_.get(); }

  // The Japanese side of a direction switch: a new analyser and the parser (false: unusable),
  // and its release.
  bool startJapaneseSide();
  // The parser on its word file; a refusal is shown with the file.
  bool startParser();
  void stopJapaneseSide();
  void openJcCheckFile(bool reportFailure);
  void closeJcCheckFile();

  // Fields of the application object.
  bool parserInitialised = false;
  std::unique_ptr<plat::NamedMutex> readingMutex;
  std::unique_ptr<plat::NamedMapping> wordMapping;

  // Program-wide state.
  std::u16string programFolder;  // host folder of the program, ending in '/'
  std::u16string dataRoot;       // "\<card>\Talvenro\Chinese\"
  std::u16string japaneseSystemFolder;
  std::u16string parserDictionaryPath;
  std::u16string cjCheckPath, jcCheckPath;
  std::FILE* cjCheckFile = nullptr;
  std::FILE* jcCheckFile = nullptr;
  // A check file lost to a stale card and not reopened: tried again at the next line.
  bool cjCheckLost = false, jcCheckLost = false;
  // The Japanese-to-Chinese engine: analyser, Synparse and its entry points, parse buffer.
  jc::JcEngine jcEngine;
  std::int32_t direction = kJapaneseToChinese;
  std::int32_t traditional = 0;  // IsFanTi
  std::int32_t readingMode = 3;  // pyType
  dbcs::ConversionTables gbTables;
  std::unique_ptr<cj::CjEngine> cjEngine;  // opened at start-up on the Chinese-to-Japanese data folder
  apptext::VariantTables variantTables;
  apptext::EngineCodeTables engineCodeTables;
  std::u16string readerCommandLine;
  plat::Hwnd readerWindow = 0;
  vocra::ReadingRequester reading;  // the reading requested by either dialog, its mutex and file
  plat::Hwnd viewerWindow = 0;

 private:
  void probeInputMethods();
  bool findDataRoot();
  void buildPaths();
  bool bindParser();
  void showSplash();
  void destroySplash();
  void loadTables();
  bool createAnalyser();
  // The rules' renderings (jcwords.txt) of the Japanese data folder; a refusal ends the start
  // after a message that names the file.
  bool loadRenderings();

  std::unique_ptr<CTranslateDlg> dialog_;
  plat::Hwnd splash_ = 0;
};

}  // namespace orvale
