// The core's reader of the holiday file against the system's own
// GetPrivateProfileStringA, on files written byte for byte into a temporary
// folder.
//
// The core must read as Windows reads. Wine's reader is a second, independent
// implementation that agrees with Windows on most rows; where it does not,
// the row carries the Windows result and says what Wine does instead, and the
// run lists every such difference at its end (so it can be noted, and so a
// Wine that changes shows up as "now agrees").
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "common/holiday_file.h"
#include "common/profile.h"
#include "e2e/win32/support.h"
#include "platform/win32/text_conv.h"
#include "platform/win32/win32_basics.h"
#include "platform/win32/win32_files.h"

namespace {

const vorlan::win32::Win32Codec kCodec;

std::string Sjis(const std::string& utf8) { return kCodec.Utf8ToCp932(utf8); }

// --- the table --------------------------------------------------------------

struct ProfileCase {
  const char* id;        // test name
  std::string file;      // UTF-8 here, written in code page 932
  std::string section;   // the request, UTF-8
  std::string key;
  std::string expected;  // what Windows returns, UTF-8
  // Set when Wine's reader returns something else: what Wine does and why
  // the row still expects the Windows result.
  const char* wine_differs = nullptr;
  // The stored value is longer than the buffer: the system then returns
  // nSize - 1 whatever it copied.
  bool cut = false;
};

ProfileCase Cut(ProfileCase c) {
  c.cut = true;
  return c;
}

std::string PrintCaseName(const testing::TestParamInfo<ProfileCase>& info) {
  return info.param.id;
}

// Failure messages name the row instead of dumping its bytes.
void PrintTo(const ProfileCase& c, std::ostream* os) { *os << c.id; }

const std::string kMay = "[5月祭日]\r\n3日=憲法記念日\r\n4日=みどりの日\r\n";

std::vector<ProfileCase> Cases() {
  const std::string a1022(1022, 'A'), a1023(1023, 'A'), a2000(2000, 'A');
  std::string kanji600;
  for (int i = 0; i < 600; ++i) kanji600 += "祭";
  std::string kanji511;
  for (int i = 0; i < 511; ++i) kanji511 += "祭";

  return {
      // Padded and unpadded names: blanks around names are ignored in the
      // request and in the file alike.
      {"PaddedRequestFindsUnpaddedNames", kMay, " 5月祭日", " 3日", "憲法記念日"},
      {"UnpaddedRequestFindsPaddedNames", "[ 5月祭日]\r\n 3日=憲法記念日\r\n", "5月祭日", "3日",
       "憲法記念日"},
      {"PaddedBoth", "[ 5月祭日]\r\n 3日=憲法記念日\r\n", " 5月祭日", " 3日", "憲法記念日"},
      {"BlanksInsideBracketsAndAroundKey", "[  5月祭日  ]\r\n   3日   =憲法記念日\r\n", "5月祭日",
       "3日", "憲法記念日"},
      {"TwoDigitNamesHaveNoBlank", "[12月祭日]\r\n23日=天皇誕生日\r\n", "12月祭日", "23日",
       "天皇誕生日"},
      {"InnerBlankIsPartOfTheName", "[5 月祭日]\r\n3日=x\r\n", "5月祭日", "3日", ""},
      {"IndentedHeaderAndKey", "  [5月祭日]\r\n\t3日=憲法記念日\r\n", "5月祭日", "3日",
       "憲法記念日"},

      // Letter case of ASCII names.
      {"SectionCaseIgnored", "[Holiday]\r\nName=value\r\n", "HOLIDAY", "name", "value"},
      {"KeyCaseIgnored", "[holiday]\r\nNAME=value\r\n", "Holiday", "nAmE", "value"},
      {"MixedJapaneseAndLatinCase", "[Day祭日]\r\nKey日=value\r\n", "dAY祭日", "kEY日", "value"},
      {"HalfWidthKatakanaIsNotALetter", "[ｽｷｬﾝ]\r\nｷｰ=ﾃﾞｽｸﾄｯﾌﾟ\r\n", "ｽｷｬﾝ", "ｷｰ", "ﾃﾞｽｸﾄｯﾌﾟ"},

      // Duplicates: the first section of a name is the only one searched, and
      // the first key of a name in it wins.
      {"DuplicateSectionFirstWins",
       "[5月祭日]\r\n3日=最初\r\n[6月祭日]\r\n1日=x\r\n[5月祭日]\r\n3日=二番目\r\n", "5月祭日",
       "3日", "最初"},
      {"DuplicateSectionLaterKeysUnseen",
       "[5月祭日]\r\n3日=最初\r\n[6月祭日]\r\n1日=x\r\n[5月祭日]\r\n4日=みどりの日\r\n", "5月祭日",
       "4日", ""},
      {"DuplicateSectionDifferentPadding", "[5月祭日]\r\n3日=最初\r\n[ 5月祭日 ]\r\n4日=後\r\n",
       " 5月祭日", "4日", ""},
      {"DuplicateKeyFirstWins", "[5月祭日]\r\n3日=最初\r\n 3日 =二番目\r\n", "5月祭日", "3日",
       "最初"},

      // Comments.
      {"CommentLinesAreSkipped", "[5月祭日]\r\n; 3日=コメント\r\n3日=憲法記念日\r\n", "5月祭日",
       "3日", "憲法記念日"},
      {"CommentedOutHeaderOpensNothing",
       "[1月祭日]\r\n1日=元日\r\n;[5月祭日]\r\n3日=偽\r\n[5月祭日]\r\n3日=本物\r\n", "5月祭日",
       "3日", "本物"},
      {"CommentLineIsNoKey", "[5月祭日]\r\n;3日=コメント\r\n", "5月祭日", ";3日", "",
       "Wine returns \"コメント\": it keeps a ';' line as a key named \";3日\". Windows skips "
       "comment lines entirely, even for a request whose name starts with ';'."},
      {"SemicolonInsideValueIsText", "[5月祭日]\r\n3日=憲法記念日 ; 祝日\r\n", "5月祭日", "3日",
       "憲法記念日 ; 祝日"},

      // Line ends.
      {"NoFinalLineEnd", "[5月祭日]\r\n3日=憲法記念日", "5月祭日", "3日", "憲法記念日"},
      {"NoFinalLineEndSectionOnly", "[5月祭日]", "5月祭日", "3日", ""},
      {"LfOnly", "[4月祭日]\n29日=昭和の日\n[5月祭日]\n3日=憲法記念日\n4日=みどりの日\n",
       " 5月祭日", " 4日", "みどりの日"},
      {"CrOnly", "[4月祭日]\r29日=昭和の日\r[5月祭日]\r3日=憲法記念日\r", "5月祭日", "3日",
       "憲法記念日"},
      {"MixedLineEnds", "[4月祭日]\n29日=昭和の日\r\n[5月祭日]\r3日=憲法記念日\n", "5月祭日",
       "3日", "憲法記念日"},
      {"BlankLinesBetween", "\r\n\r\n[5月祭日]\r\n\r\n   \r\n3日=憲法記念日\r\n\r\n", "5月祭日",
       "3日", "憲法記念日"},

      // Values: blanks stripped, one pair of enclosing quotes removed.
      {"ValueBlanksStripped", "[5月祭日]\r\n3日 =   憲法記念日   \r\n", "5月祭日", "3日",
       "憲法記念日"},
      {"ValueTabsStripped", "[5月祭日]\r\n3日=\t憲法記念日\t\r\n", "5月祭日", "3日", "憲法記念日"},
      {"ValueInnerBlanksKept", "[5月祭日]\r\n3日=憲法 記念日\r\n", "5月祭日", "3日",
       "憲法 記念日"},
      {"DoubleQuotesRemoved", "[5月祭日]\r\n3日=\"憲法記念日\"\r\n", "5月祭日", "3日",
       "憲法記念日"},
      {"SingleQuotesRemoved", "[5月祭日]\r\n3日='憲法記念日'\r\n", "5月祭日", "3日",
       "憲法記念日"},
      {"QuotesKeepInnerBlanks", "[5月祭日]\r\n3日= \"  憲法記念日  \" \r\n", "5月祭日", "3日",
       "  憲法記念日  "},
      {"EmptyQuotes", "[5月祭日]\r\n3日=\"\"\r\n", "5月祭日", "3日", ""},
      {"MismatchedQuotesKept", "[5月祭日]\r\n3日=\"憲法記念日'\r\n", "5月祭日", "3日",
       "\"憲法記念日'"},
      {"LoneQuoteKept", "[5月祭日]\r\n3日=\"\r\n", "5月祭日", "3日", "\""},
      {"OnlyOnePairRemoved", "[5月祭日]\r\n3日=\"\"x\"\"\r\n", "5月祭日", "3日", "\"x\""},
      {"QuoteOnlyAtStartKept", "[5月祭日]\r\n3日=\"憲法\" 記念日\r\n", "5月祭日", "3日",
       "\"憲法\" 記念日"},
      {"EqualsInValue", "[5月祭日]\r\n3日=a=b\r\n", "5月祭日", "3日", "a=b"},
      {"EmptyValue", "[5月祭日]\r\n3日=\r\n", "5月祭日", "3日", ""},
      {"BlankValue", "[5月祭日]\r\n3日=    \r\n", "5月祭日", "3日", ""},
      {"KeyWithoutEquals", "[5月祭日]\r\n3日\r\n", "5月祭日", "3日", ""},
      {"ColourNumberText", "[5月祭日色]\r\n3日= 255\r\n", " 5月祭日色", " 3日", "255"},
      {"HexColourKeptAsText", "[5月祭日色]\r\n3日=&HFF&\r\n", "5月祭日色", "3日", "&HFF&"},

      // Missing things.
      {"MissingSection", kMay, "6月祭日", "3日", ""},
      {"MissingKey", kMay, "5月祭日", "5日", ""},
      {"KeyOfAnotherSection", "[4月祭日]\r\n3日=x\r\n[5月祭日]\r\n4日=y\r\n", "5月祭日", "3日",
       ""},
      {"KeyBeforeAnySection", "3日=x\r\n[5月祭日]\r\n4日=y\r\n", "5月祭日", "3日", ""},
      {"EmptyFile", "", "5月祭日", "3日", ""},

      // Long values: at most 1023 bytes (the buffer of 1024 less its NUL) and
      // the documented return value nSize - 1 for a cut value. A double-byte
      // character that does not fit whole is left out, not halved.
      {"Value1023Whole", "[5月祭日]\r\n3日=" + a1023 + "\r\n", "5月祭日", "3日", a1023},
      Cut({"Value2000CutTo1023", "[5月祭日]\r\n3日=" + a2000 + "\r\n", "5月祭日", "3日", a1023}),
      Cut({"DoubleByteStraddlingTheLimit", "[5月祭日]\r\n3日=" + a1022 + "日本\r\n", "5月祭日",
           "3日", a1022}),
      Cut({"DoubleByteEndingAtTheLimit", "[5月祭日]\r\n3日=" + a1022.substr(1) + "日本\r\n",
           "5月祭日", "3日", a1022.substr(1) + "日"}),
      Cut({"KanjiOnlyCutOnACharacter", "[5月祭日]\r\n3日=" + kanji600 + "\r\n", "5月祭日", "3日",
           kanji511}),
      Cut({"LongQuotedValue", "[5月祭日]\r\n3日=\"" + a2000 + "\"\r\n", "5月祭日", "3日", a1023}),

      // Shift_JIS trail bytes that look like syntax: ']' (ゾ = 83 5D) and
      // letters (ア = 83 41, ヂ = 83 61 differ only in what would be the case
      // bit of 'A'/'a').
      {"TrailByteBracketInSectionName", "[ゾウ祭]\r\nk=v\r\n", "ゾウ祭", "k", "v"},
      {"TrailByteBracketLastInSectionName", "[5月ゾ]\r\nk=v\r\n", "5月ゾ", "k", "v"},
      {"TrailByteBracketWithPadding", "[ 5月ゾ ]\r\nk=v\r\n", "5月ゾ", "k", "v"},
      {"TrailByteLetterMatchesItself", "[ア祭]\r\nア=1\r\n", "ア祭", "ア", "1"},
      {"TrailByteLetterIsNotFolded", "[ア祭]\r\nk=v\r\n", "ヂ祭", "k", ""},
      {"TrailByteLetterKeysDistinct", "[s]\r\nア=1\r\nヂ=2\r\n", "s", "ヂ", "2"},
      {"TrailByteBackslash", "[ソ]\r\nソ=表\r\n", "ソ", "ソ", "表"},

      // Other bytes of the header line.
      {"TextAfterClosingBracketIgnored", "[5月祭日] ; 祝日\r\n3日=憲法記念日\r\n", "5月祭日", "3日",
       "憲法記念日"},
      {"SecondClosingBracket", "[5月祭日]x]\r\n3日=憲法記念日\r\n", "5月祭日", "3日", "憲法記念日",
       "Wine returns \"\": it ends the name at the last ']' of the line, so the section is "
       "\"5月祭日]x\" (next row). Windows ends the name at the first ']'."},
      {"SecondClosingBracketNameAsWineSeesIt", "[5月祭日]x]\r\n3日=憲法記念日\r\n", "5月祭日]x",
       "3日", "",
       "Wine returns the value: to Wine the section is named \"5月祭日]x\". To Windows it is "
       "\"5月祭日\"."},
      {"HeaderWithoutClosingBracket", "[5月祭日\r\n3日=憲法記念日\r\n", "5月祭日", "3日",
       "憲法記念日",
       "Wine returns \"\": it does not take a '[' line without ']' as a section header. Windows "
       "takes the name to the line end."},
      // An ideographic space (81 40) is text, not a blank.
      {"IdeographicSpaceIsNotABlank", "[　5月祭日]\r\n3日=憲法記念日\r\n", "5月祭日", "3日", ""},
      {"TabEndingARequestIsPartOfTheName", kMay, "5月祭日", "3日\t", "",
       "Wine returns the value: it strips a tab from a requested name as it strips spaces. Windows "
       "strips only spaces from a request, so the tab stays part of the name."},
      {"NulInValueEndsIt", std::string("[5月祭日]\r\n3日=憲法") + '\0' + "記念日\r\n", "5月祭日", "3日",
       "憲法"},
  };
}

// --- recording Wine's differences -------------------------------------------

struct Difference {
  std::string row, wine, windows, why;
};
std::vector<Difference>& Differences() {
  static std::vector<Difference> d;
  return d;
}
std::vector<std::string>& NowAgrees() {
  static std::vector<std::string> a;
  return a;
}

class DifferenceReport : public testing::Environment {
 public:
  void TearDown() override {
    if (Differences().empty() && NowAgrees().empty()) return;
    std::printf("\nWine's GetPrivateProfileStringA differs from Windows in %zu rows "
                "(the tests follow Windows):\n",
                Differences().size());
    for (const Difference& d : Differences())
      std::printf("  %s: Wine %s, Windows %s\n    %s\n", d.row.c_str(), d.wine.c_str(),
                  d.windows.c_str(), d.why.c_str());
    for (const std::string& row : NowAgrees())
      std::printf("  %s: marked as a Wine difference, but this Wine agrees with Windows\n",
                  row.c_str());
    std::fflush(stdout);
  }
};
[[maybe_unused]] const testing::Environment* const kReport = testing::AddGlobalTestEnvironment(new DifferenceReport);

// --- the comparison ---------------------------------------------------------

class ProfileAgreement : public testing::TestWithParam<ProfileCase> {
 protected:
  static void SetUpTestSuite() { dir_ = new e2e::TempFolder("profile"); }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static e2e::TempFolder* dir_;
};
e2e::TempFolder* ProfileAgreement::dir_ = nullptr;

TEST_P(ProfileAgreement, CoreReadsAsWindows) {
  const ProfileCase& c = GetParam();
  // A file of its own per row: the system reader caches files by name.
  const std::string path = dir_->File(std::string(c.id) + ".ini");
  const std::string bytes = Sjis(c.file);
  ASSERT_TRUE(e2e::WriteRaw(path, bytes));
  const std::string section = Sjis(c.section), key = Sjis(c.key);
  const std::string want = Sjis(c.expected);

  // The core on the bytes, and through the platform layer on the file.
  EXPECT_EQ(e2e::Show932(vorlan::ProfileRead(bytes, section, key)), e2e::Show932(want));
  const vorlan::win32::Win32Files files;
  EXPECT_EQ(vorlan::ReadIniValue(files, kCodec, path, c.section, c.key), c.expected)
      << "ReadIniValue";

  // The system's reader, as ReadIniValue's original asked it: empty default,
  // a buffer of 1024 bytes, the text up to its first NUL.
  const e2e::ProfileAnswer sys = e2e::SystemProfileRead(section, key, path);
  if (c.wine_differs == nullptr) {
    EXPECT_EQ(e2e::Show932(sys.text), e2e::Show932(want)) << "GetPrivateProfileStringA";
    EXPECT_EQ(sys.returned, c.cut ? 1023u : want.size()) << "its return value";
  } else if (sys.text != want) {
    Differences().push_back({c.id, e2e::Show932(sys.text), e2e::Show932(want), c.wine_differs});
    std::printf("[ WINE DIFF] %s: Wine %s, Windows %s\n", c.id, e2e::Show932(sys.text).c_str(),
                e2e::Show932(want).c_str());
  } else {
    NowAgrees().push_back(c.id);
  }
}

INSTANTIATE_TEST_SUITE_P(HolidayFiles, ProfileAgreement, testing::ValuesIn(Cases()),
                         PrintCaseName);

// A caller that presets its buffer (Visual Basic's String$(1024, " "), say)
// sees whatever the reader leaves unwritten. Windows documents that the cut
// text is followed by a NUL, so the preset must not show.
TEST(ProfileBuffer, CutTextIsFollowedByItsNul) {
  const e2e::TempFolder dir("buffer");
  const std::string path = dir.File("straddle.ini");
  ASSERT_TRUE(e2e::WriteRaw(path, Sjis("[s]\r\nk=" + std::string(1022, 'A') + "日本\r\n")));
  const e2e::ProfileAnswer zeroed = e2e::SystemProfileRead("s", "k", path, 1024, '\0');
  const e2e::ProfileAnswer preset = e2e::SystemProfileRead("s", "k", path, 1024, '#');
  EXPECT_EQ(zeroed.text, std::string(1022, 'A'));
  EXPECT_EQ(zeroed.returned, 1023u);
  if (preset.text != zeroed.text) {
    Differences().push_back(
        {"CutTextIsFollowedByItsNul", e2e::Show932(preset.text), e2e::Show932(zeroed.text),
         "Wine leaves the byte where the double-byte character did not fit unwritten (the NUL "
         "comes one byte later, at nSize - 1), so a preset buffer shows through. Readers that "
         "zero the buffer, as the tests do, see the same text as on Windows."});
    std::printf("[ WINE DIFF] CutTextIsFollowedByItsNul: Wine %s with a buffer preset to '#'\n",
                e2e::Show932(preset.text).c_str());
  }
}

// --- a whole holiday file ---------------------------------------------------

// Every name, colour and flag of a year, asked with the names the programs
// form (" 5月祭日", " 3日"), through IniFile as the calendar reads a month.
void CompareYear(const std::string& path) {
  const vorlan::win32::Win32Files files;
  const vorlan::IniFile ini(files, kCodec, path);
  ASSERT_TRUE(ini.exists()) << path;
  int found = 0, asked = 0;
  for (int m = 1; m <= 12; ++m) {
    for (int d = 1; d <= 31; ++d) {
      for (const std::string& section : {vorlan::HolidayNameSection(m),
                                         vorlan::HolidayColourSection(m),
                                         vorlan::HolidaySubstituteSection(m)}) {
        const std::string key = vorlan::HolidayDayKey(d);
        const std::string core = ini.Get(section, key);
        const std::string sys =
            kCodec.Cp932ToUtf8(e2e::SystemProfileRead(Sjis(section), Sjis(key), path).text);
        EXPECT_EQ(core, sys) << section << " / " << key;
        ++asked;
        if (!core.empty()) ++found;
      }
    }
  }
  std::printf("[   NOTE   ] %s: %d lookups, %d values\n", path.c_str(), asked, found);
  EXPECT_GT(found, 0);
}

TEST(HolidayFile, SyntheticYearAgrees) {
  // Both spellings of the names, blank-padded values, LF and CR LF lines, a
  // comment and an unknown section, as hand-edited files have them.
  std::string text =
      "; 祭日情報\r\n[Info]\r\nVersion=2\r\n"
      "[ 1月祭日]\r\n 1日=元日\r\n 9日=成人の日\r\n[ 1月祭日色]\r\n 1日= 255\r\n 9日=&HFF&\r\n"
      "[ 1月振替]\r\n 1日= 1\r\n 9日=0\r\n"
      "[2月祭日]\n11日= 建国記念の日 \n23日=\"天皇誕生日\"\n[2月祭日色]\n11日=255\n23日= 255\n"
      "[2月振替]\n11日=1\n23日= 1\n"
      "[ 5月祭日 ]\r\n3日=憲法記念日\r\n4日=みどりの日\r\n5日=こどもの日\r\n"
      "[5月祭日色]\r\n 3日 = 16711680\r\n[5月振替]\r\n3日= 1\r\n"
      "[11月祭日]\r\n3日=文化の日\r\n23日=勤労感謝の日\r\n[11月祭日色]\r\n23日=-1\r\n"
      "[12月祭日]\r\n31日=ﾃﾞｽｸﾄｯﾌﾟ大掃除";
  const e2e::TempFolder dir("year");
  const std::string path = dir.File("Saijitu.ini");
  ASSERT_TRUE(e2e::WriteRaw(path, Sjis(text)));
  CompareYear(path);
}

TEST(HolidayFile, DeliveredFileAgrees) {
  // run-wine.sh names the source tree's data folder (as a Windows path).
  wchar_t dir[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(L"VORLAN_E2E_DATA", dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) GTEST_SKIP() << "VORLAN_E2E_DATA is not set";
  const std::string path = vorlan::win32::WideToUtf8(dir) + "\\saijitu.ini";
  if (!e2e::Exists(path)) GTEST_SKIP() << path << " is missing";
  CompareYear(path);
}

}  // namespace
