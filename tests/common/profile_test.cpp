#include "common/profile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_basics.h"

namespace vorlan {
namespace {

using namespace std::string_literals;

// Profile text is code page 932; the tests write it as UTF-8 literals.
std::string Sj(std::string_view utf8) {
  static const sim::SimCodec codec;
  return codec.Utf8ToCp932(utf8);
}

struct ReadCase {
  const char* what;
  std::string file, section, key, expected;
  friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.what; }
};

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, ReadsAsThePlatformDoes) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(ProfileRead(c.file, c.section, c.key), c.expected) << c.what;
  // The index answers the same as the one-off read.
  EXPECT_EQ(ProfileIndex(c.file).Get(c.section, c.key), c.expected) << c.what;
}

const std::string k2000Ascii(2000, 'a');

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileReadTest,
    ::testing::Values(
        ReadCase{"plain", "[sec]\r\nkey=value\r\n", "sec", "key", "value"},
        ReadCase{"padded request, unpadded file", Sj("[5月祭日]\r\n3日=憲法記念日\r\n"),
                 Sj(" 5月祭日"), Sj(" 3日"), Sj("憲法記念日")},
        ReadCase{"unpadded request, padded file", Sj("[ 12月祭日 ]\r\n  23日 = 天皇誕生日 \r\n"),
                 Sj("12月祭日"), Sj("23日"), Sj("天皇誕生日")},
        ReadCase{"tabs and vertical tabs in the file", "\t [\tsec\v]\r\n\tkey\v=\tvalue\t\r\n",
                 "sec", "key", "value"},
        ReadCase{"a tab in the request is part of the name", "[sec]\r\nkey=v\r\n", "\tsec",
                 "key", ""},
        ReadCase{"letters match either case", "[SeC]\r\nKeY=v\r\n", "sEc", "kEY", "v"},
        ReadCase{"full-width letters are not folded", Sj("[ＡＢ]\r\nk=v\r\n"), Sj("ａｂ"), "k",
                 ""},
        ReadCase{"trail byte 'A' is not folded", Sj("[ア]\r\nk=v\r\n"), Sj("ヂ"), "k", ""},
        ReadCase{"trail byte ']' does not end the name", Sj("[ゾ江]\r\nk=v\r\n"), Sj("ゾ江"), "k",
                 "v"},
        ReadCase{"trail byte '[' in a name", Sj("[ー]\r\nk=v\r\n"), Sj("ー"), "k", "v"},
        ReadCase{"first of duplicate keys", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1"},
        ReadCase{"first of duplicate sections", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "s", "k", "1"},
        ReadCase{"a later duplicate section is not searched", "[s]\r\nk=1\r\n[s]\r\nj=2\r\n",
                 "s", "j", ""},
        ReadCase{"comment line skipped", "[s]\r\n;k=1\r\nk=2\r\n", "s", "k", "2"},
        ReadCase{"comment never found by name", "[s]\r\n  ;k=1\r\n", "s", ";k", ""},
        ReadCase{"commented header does not open a section", "[s]\r\n;[t]\r\nk=1\r\n", "s", "k",
                 "1"},
        ReadCase{"semicolon inside a value stays", "[s]\r\nk=a ;b\r\n", "s", "k", "a ;b"},
        ReadCase{"keys before the first section are not found", "k=1\r\n[s]\r\n", "", "k", ""},
        ReadCase{"empty section name", "[]\r\nk=1\r\n", "", "k", "1"},
        ReadCase{"header without ']'", "[sec  \r\nk=1\r\n", "sec", "k", "1"},
        ReadCase{"text after ']' is ignored", "[sec]k=1\r\n", "sec", "k", ""},
        ReadCase{"name ends at the first ']'", "[a]b]\r\nk=1\r\n", "a", "k", "1"},
        ReadCase{"missing section", "[a]\r\nk=1\r\n", "b", "k", ""},
        ReadCase{"missing key", "[a]\r\nk=1\r\n", "a", "j", ""},
        ReadCase{"key without '='", "[a]\r\nk\r\nk=1\r\n", "a", "k", ""},
        ReadCase{"empty value", "[a]\r\nk=\r\n", "a", "k", ""},
        ReadCase{"'=' in the value", "[a]\r\nk=x=y\r\n", "a", "k", "x=y"},
        ReadCase{"double quotes removed, inner blanks kept", "[a]\r\nk=  \"  v  \"  \r\n", "a",
                 "k", "  v  "},
        ReadCase{"single quotes removed", "[a]\r\nk='v'\r\n", "a", "k", "v"},
        ReadCase{"only the outer pair", "[a]\r\nk='\"v\"'\r\n", "a", "k", "\"v\""},
        ReadCase{"unmatched quotes stay", "[a]\r\nk=\"v'\r\n", "a", "k", "\"v'"},
        ReadCase{"a lone quote stays", "[a]\r\nk=\"\r\n", "a", "k", "\""},
        ReadCase{"empty quotes", "[a]\r\nk=''\r\n", "a", "k", ""},
        ReadCase{"LF only", "[a]\nx=0\nk=1\n", "a", "k", "1"},
        ReadCase{"CR only", "[a]\rx=0\rk=1\r", "a", "k", "1"},
        ReadCase{"mixed line ends", "[a]\rx=0\nk=1\r\n[b]\rk=2", "b", "k", "2"},
        ReadCase{"no final line end", "[a]\r\nk=1", "a", "k", "1"},
        ReadCase{"value up to its first NUL", "[a]\r\nk=ab\0cd\r\n"s, "a", "k", "ab"},
        ReadCase{"NUL elsewhere in the file", "[a]\r\nx\0=0\r\nk=1\r\n"s, "a", "k", "1"},
        ReadCase{"request names end at NUL", "[a]\r\nk=1\r\n", "a\0zz"s, "k\0zz"s, "1"},
        ReadCase{"invalid Shift_JIS passes through", "[a]\r\n\x81\r\nk=\xFF\xFE\x80v\r\n", "a",
                 "k", "\xFF\xFE\x80v"},
        ReadCase{"lead byte at the end of the file", "[a]\r\nk=v\x81", "a", "k", "v\x81"},
        ReadCase{"lead byte swallows ']' of the header", "[a\x81]\r\nk=1\r\n", "a\x81", "k", ""},
        ReadCase{"2000 ASCII bytes cut to 1023", "[a]\r\nk=" + k2000Ascii + "\r\n", "a", "k",
                 std::string(1023, 'a')},
        ReadCase{"cut after quotes are removed", "[a]\r\nk='" + k2000Ascii + "'\r\n", "a", "k",
                 std::string(1023, 'a')},
        ReadCase{"2000-byte name cut to 1023 bytes", "[a]\r\nk=x" + Repeat(Sj("祭"), 1000), "a",
                 "k", "x" + Repeat(Sj("祭"), 511)},
        ReadCase{"double-byte character not split by the cut",
                 "[a]\r\nk=" + Repeat(Sj("祭"), 1000), "a", "k", Repeat(Sj("祭"), 511)}));

TEST(ProfileRead, HugeFilesReadInOnePass) {
  // Ten megabytes of key lines with the wanted key last, one 10 MB line, and
  // a 10 MB unterminated header: each must come back promptly.
  std::string lines = "[s]\r\n";
  while (lines.size() < 10'000'000) lines += "key0123456789=value\r\n";
  lines += "last=found\r\n";
  EXPECT_EQ(ProfileRead(lines, "s", "last"), "found");
  EXPECT_EQ(ProfileRead(lines, "s", "nothing"), "");

  std::string one_line = "[s]\r\nk=" + std::string(10'000'000, 'x');
  EXPECT_EQ(ProfileRead(one_line, "s", "k"), std::string(1023, 'x'));

  std::string header = "[" + std::string(10'000'000, '\x81');
  EXPECT_EQ(ProfileRead(header, "s", "k"), "");

  std::string nuls(10'000'000, '\0');
  EXPECT_EQ(ProfileRead(nuls, "s", "k"), "");
  EXPECT_EQ(ProfileWrite(nuls, "s", "k", "v").size(), nuls.size() + 12);  // "\r\n[s]\r\nk=v\r\n"
}

struct WriteCase {
  const char* what;
  std::string file, section, key, value, expected;
  friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.what; }
};

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, ChangesOnlyWhatItMust) {
  const WriteCase& c = GetParam();
  const std::string written = ProfileWrite(c.file, c.section, c.key, c.value);
  EXPECT_EQ(written, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWriteTest,
    ::testing::Values(
        WriteCase{"empty file", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
        WriteCase{"names trimmed, value as given", "", "  s  ", " k ", " 255",
                  "[s]\r\nk= 255\r\n"},
        WriteCase{"replace keeps key part and line end", "[s]\r\n k = old \r\nz=1\r\n", "s", "K",
                  "new", "[s]\r\n k =new\r\nz=1\r\n"},
        WriteCase{"replace in an LF file", "[s]\nk=old\n", "s", "k", "x", "[s]\nk=x\n"},
        WriteCase{"replace in a CR file, last line unterminated", "[s]\rk=old", "s", "k", "x",
                  "[s]\rk=x"},
        WriteCase{"key line without '='", "[s]\r\nk\r\n", "s", "k", "v", "[s]\r\nk=v\r\n"},
        WriteCase{"new key before the blank lines ending the section",
                  "[a]\r\nx=1\r\n\r\n  \r\n[b]\r\ny=2\r\n", "a", "k", "v",
                  "[a]\r\nx=1\r\nk=v\r\n\r\n  \r\n[b]\r\ny=2\r\n"},
        WriteCase{"new key in an empty section", "[a]\n[b]\n", "a", "k", "v", "[a]\nk=v\n[b]\n"},
        WriteCase{"new key after the header at the end of the file", "[s]", "s", "k", "v",
                  "[s]\r\nk=v\r\n"},
        WriteCase{"new key, file without final line end", "[a]\nx=1", "a", "k", "v",
                  "[a]\nx=1\nk=v\n"},
        WriteCase{"new key in CR style", "[a]\rx=1\r", "a", "k", "v", "[a]\rx=1\rk=v\r"},
        WriteCase{"new key goes after a trailing comment", "[a]\r\nx=1\r\n;note\r\n[b]\r\n", "a",
                  "k", "v", "[a]\r\nx=1\r\n;note\r\nk=v\r\n[b]\r\n"},
        WriteCase{"new section at the end", "[a]\r\nx=1\r\n", "b", "k", "v",
                  "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        WriteCase{"new section, file without final line end", "[a]\nx=1", "b", "k", "v",
                  "[a]\nx=1\n[b]\nk=v\n"},
        WriteCase{"into the first of duplicate sections", "[s]\nk=1\n[s]\nj=2\n", "s", "j", "v",
                  "[s]\nk=1\nj=v\n[s]\nj=2\n"},
        WriteCase{"existing spelling of names kept", "[S]\nK=1\n", "s", "k", "2", "[S]\nK=2\n"},
        WriteCase{"padded section found", Sj("[ 5月祭日 ]\r\n"), Sj(" 5月祭日"), Sj(" 3日"), "x",
                  Sj("[ 5月祭日 ]\r\n3日=x\r\n")},
        WriteCase{"value ends at NUL", "", "s", "k", "ab\0cd"s, "[s]\r\nk=ab\r\n"},
        WriteCase{"key before any section does not count", "k=1\n[s]\n", "s", "k", "2",
                  "k=1\n[s]\nk=2\n"},
        WriteCase{"comment is not the key", "[s]\n;k=1\n", "s", "k", "2", "[s]\n;k=1\nk=2\n"},
        WriteCase{"unknown sections, comments and line ends untouched",
                  "; head\r\n[x]\nq=\"1\"\r\n\r\n[s]\r\nk=1\rj=2\n\n[y]\r\n;c\r\n", "s", "k",
                  "99", "; head\r\n[x]\nq=\"1\"\r\n\r\n[s]\r\nk=99\rj=2\n\n[y]\r\n;c\r\n"}));

TEST(ProfileWrite, WhatIsWrittenReadsBack) {
  const std::vector<std::string> files = {
      "", "[a]\r\nk=1\r\n", "[a]\nx=1", "[a]\rx\r\r[b]\r", "; c\r\n[ s ]\r\n k = 'q' \r\n",
      Sj("[ 5月祭日]\r\n 3日=憲法記念日\r\n[5月祭日色]\r\n")};
  const std::vector<std::pair<std::string, std::string>> names = {
      {"s", "k"}, {" s ", " K "}, {"a", "x"}, {"b", "new"}, {Sj("5月祭日"), Sj(" 3日")}};
  for (const std::string& file : files) {
    for (const auto& [section, key] : names) {
      const std::string value = Sj("振替休日");
      const std::string once = ProfileWrite(file, section, key, value);
      EXPECT_EQ(ProfileRead(once, section, key), value) << file;
      // Writing the same value again changes nothing.
      EXPECT_EQ(ProfileWrite(once, section, key, value), once) << file;
    }
  }
}

}  // namespace
}  // namespace vorlan
