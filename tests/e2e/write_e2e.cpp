// Files edited by the core's WriteIniValue (through Win32Files) read back
// correctly with the system's own GetPrivateProfileStringA, keep everything
// they did not change byte for byte, and survive a refused write unchanged.
#include <gtest/gtest.h>

#include <string>

#include "common/holiday_file.h"
#include "e2e/win32/support.h"
#include "platform/win32/text_conv.h"
#include "platform/win32/win32_basics.h"
#include "platform/win32/win32_files.h"

using vorlan::win32::Utf8ToWide;

namespace {

class WriteE2E : public testing::Test {
 protected:
  // What the system reads at section/key of the file (UTF-8 in and out); a
  // missing key gives "<none>", so an empty value can be told from it.
  std::string System(const std::string& section, const std::string& key) const {
    const e2e::ProfileAnswer a =
        e2e::SystemProfileRead(codec_.Utf8ToCp932(section), codec_.Utf8ToCp932(key), path_, 1024,
                               '\0', "<none>");
    return codec_.Cp932ToUtf8(a.text);
  }
  bool Write(const std::string& section, const std::string& key, const std::string& value) {
    return vorlan::WriteIniValue(files_, codec_, path_, section, key, value);
  }
  std::string Bytes() const { return e2e::ReadRaw(path_); }
  std::string Sjis(const std::string& utf8) const { return codec_.Utf8ToCp932(utf8); }

  e2e::TempFolder dir_{"write"};
  std::string path_ = dir_.File("Saijitu.ini");
  vorlan::win32::Win32Files files_;
  vorlan::win32::Win32Codec codec_;
};

// True when `after` is `before` with one run of bytes inserted; `inserted`
// receives that run.
bool IsOneInsertion(const std::string& before, const std::string& after, std::string& inserted) {
  if (after.size() < before.size()) return false;
  std::size_t head = 0;
  while (head < before.size() && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < before.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  if (head + tail < before.size()) return false;
  inserted = after.substr(head, after.size() - before.size());
  return true;
}

TEST_F(WriteE2E, NewFileNewSectionNewKeyReplacedValue) {
  ASSERT_FALSE(e2e::Exists(path_));
  // A new file, with the names as the programs form them.
  ASSERT_TRUE(Write(" 5月祭日", " 3日", "憲法記念日"));
  EXPECT_EQ(System(" 5月祭日", " 3日"), "憲法記念日");
  EXPECT_EQ(System("5月祭日", "3日"), "憲法記念日");

  // A new key in that section, a new section.
  ASSERT_TRUE(Write(" 5月祭日", " 4日", "みどりの日"));
  ASSERT_TRUE(Write(" 5月祭日色", " 3日", " 255"));
  ASSERT_TRUE(Write("11月祭日", "23日", "勤労感謝の日"));
  EXPECT_EQ(System(" 5月祭日", " 3日"), "憲法記念日");
  EXPECT_EQ(System(" 5月祭日", " 4日"), "みどりの日");
  EXPECT_EQ(System(" 5月祭日色", " 3日"), "255");
  EXPECT_EQ(System("11月祭日", "23日"), "勤労感謝の日");

  // Replaced values: longer, shorter, half-width katakana, empty (the key
  // stays, with an empty value), and again non-empty.
  ASSERT_TRUE(Write(" 5月祭日", " 3日", "憲法記念日（ｹﾝﾎﾟｳｷﾈﾝﾋﾞ）"));
  EXPECT_EQ(System(" 5月祭日", " 3日"), "憲法記念日（ｹﾝﾎﾟｳｷﾈﾝﾋﾞ）");
  ASSERT_TRUE(Write(" 5月祭日", " 3日", "祝"));
  EXPECT_EQ(System(" 5月祭日", " 3日"), "祝");
  ASSERT_TRUE(Write(" 5月祭日", " 4日", ""));
  EXPECT_EQ(System(" 5月祭日", " 4日"), "");
  EXPECT_EQ(System(" 5月祭日", " 5日"), "<none>");
  ASSERT_TRUE(Write(" 5月祭日", " 4日", "みどりの日"));
  EXPECT_EQ(System(" 5月祭日", " 4日"), "みどりの日");

  // The unpadded spelling names the same entries.
  ASSERT_TRUE(Write("5月祭日", "3日", "憲法記念日"));
  EXPECT_EQ(System(" 5月祭日", " 3日"), "憲法記念日");
  EXPECT_EQ(vorlan::ReadIniValue(files_, codec_, path_, " 5月祭日", " 3日"), "憲法記念日");

  // Every entry stayed once: no duplicates were created along the way.
  const std::string bytes = Bytes();
  auto count = [&](const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = bytes.find(what); at != std::string::npos; at = bytes.find(what, at + 1))
      ++n;
    return n;
  };
  EXPECT_EQ(count(Sjis("月祭日]")), 2u) << e2e::Show932(bytes);  // 5月 and 11月
  EXPECT_EQ(count(Sjis("\n3日=")), 2u) << e2e::Show932(bytes);   // 5月祭日 and 5月祭日色
  EXPECT_EQ(e2e::ListFolder(dir_.path()), "Saijitu.ini");
}

TEST_F(WriteE2E, JapaneseAndLatinNamesAndCase) {
  ASSERT_TRUE(Write("ﾃﾞｽｸﾄｯﾌﾟ設定", "貼付け位置", "画面上部"));
  ASSERT_TRUE(Write("Holiday", "Name", "x"));
  ASSERT_TRUE(Write("HOLIDAY", "NAME", "y"));  // the same entry, another case
  EXPECT_EQ(System("ﾃﾞｽｸﾄｯﾌﾟ設定", "貼付け位置"), "画面上部");
  EXPECT_EQ(System("holiday", "name"), "y");
  // Trail bytes that look like syntax in the names.
  ASSERT_TRUE(Write("ゾウ祭", "ア", "1"));
  ASSERT_TRUE(Write("ゾウ祭", "ヂ", "2"));
  EXPECT_EQ(System("ゾウ祭", "ア"), "1");
  EXPECT_EQ(System("ゾウ祭", "ヂ"), "2");
}

TEST_F(WriteE2E, ReplacingAValueKeepsEveryOtherByte) {
  // Hand-edited: a comment first, an unknown section, LF-only lines in one
  // part, blanks around names, a tab, blank lines, no final line end.
  const std::string head = Sjis(
      "; 祭日情報ファイル\r\n"
      "[Info]\r\nAuthor = 山田\r\n\r\n"
      "[ 5月祭日 ]\n  3日 =");
  const std::string tail = Sjis(
      "\n4日=みどりの日\n"
      "; 5日はこどもの日\r\n"
      "5日=こどもの日\r\n\r\n"
      "[未知の節]\r\nkey\t=\tvalue\r\n"
      "[5月祭日色]\r\n3日= 255");
  ASSERT_TRUE(e2e::WriteRaw(path_, head + Sjis("  旧い名前") + tail));
  EXPECT_EQ(System(" 5月祭日", " 3日"), "旧い名前");

  ASSERT_TRUE(Write(" 5月祭日", " 3日", "憲法記念日"));
  EXPECT_EQ(e2e::Show932(Bytes()), e2e::Show932(head + Sjis("憲法記念日") + tail));
  EXPECT_EQ(System(" 5月祭日", " 3日"), "憲法記念日");
  EXPECT_EQ(System("Info", "Author"), "山田");
  EXPECT_EQ(System("未知の節", "key"), "value");

  // The last value of the file, which has no line end.
  ASSERT_TRUE(Write(" 5月祭日色", " 3日", " 16711680"));
  EXPECT_EQ(e2e::Show932(Bytes()),
            e2e::Show932(head + Sjis("憲法記念日") + tail.substr(0, tail.size() - 4) + " 16711680"));
  EXPECT_EQ(System(" 5月祭日色", " 3日"), "16711680");
}

TEST_F(WriteE2E, AddingAKeyOrSectionInsertsOnlyItsLine) {
  const std::string original = Sjis(
      "; コメント\r\n[ 5月祭日]\r\n 3日=憲法記念日\r\n\r\n[未知]\r\nx=1\r\n; 終わり\r\n");
  ASSERT_TRUE(e2e::WriteRaw(path_, original));

  ASSERT_TRUE(Write(" 5月祭日", " 4日", "みどりの日"));
  std::string inserted;
  const std::string after_key = Bytes();
  ASSERT_TRUE(IsOneInsertion(original, after_key, inserted)) << e2e::Show932(after_key);
  EXPECT_NE(inserted.find(Sjis("みどりの日")), std::string::npos);
  EXPECT_EQ(inserted.find(Sjis("未知")), std::string::npos);
  EXPECT_EQ(System(" 5月祭日", " 4日"), "みどりの日");
  EXPECT_EQ(System(" 5月祭日", " 3日"), "憲法記念日");

  ASSERT_TRUE(Write(" 6月祭日", " 1日", "x"));
  const std::string after_section = Bytes();
  ASSERT_TRUE(IsOneInsertion(after_key, after_section, inserted)) << e2e::Show932(after_section);
  EXPECT_EQ(after_section.substr(0, after_key.size()), after_key) << "appended at the end";
  EXPECT_EQ(System(" 6月祭日", " 1日"), "x");
  EXPECT_EQ(System("未知", "x"), "1");
}

TEST_F(WriteE2E, AFileWithoutFinalLineEndGetsOneBeforeTheNewLine) {
  ASSERT_TRUE(e2e::WriteRaw(path_, Sjis("[5月祭日]\n3日=憲法記念日")));
  ASSERT_TRUE(Write(" 5月祭日", " 4日", "みどりの日"));
  EXPECT_EQ(System(" 5月祭日", " 3日"), "憲法記念日");
  EXPECT_EQ(System(" 5月祭日", " 4日"), "みどりの日");
  ASSERT_TRUE(Write(" 6月祭日", " 1日", "x"));
  EXPECT_EQ(System(" 6月祭日", " 1日"), "x");
  EXPECT_EQ(System(" 5月祭日", " 4日"), "みどりの日");
}

TEST_F(WriteE2E, ReadOnlyFileIsLeftUnchanged) {
  const std::string original = Sjis("[5月祭日]\r\n3日=憲法記念日\r\n");
  ASSERT_TRUE(e2e::WriteRaw(path_, original));
  ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(path_).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(Write(" 5月祭日", " 3日", "変更"));
  EXPECT_EQ(Bytes(), original);
  EXPECT_EQ(System(" 5月祭日", " 3日"), "憲法記念日");
  EXPECT_EQ(e2e::ListFolder(dir_.path()), "Saijitu.ini");
}

TEST_F(WriteE2E, MissingFolderFailsAndCreatesNothing) {
  const std::string nowhere = dir_.File("ない\\Saijitu.ini");
  EXPECT_FALSE(vorlan::WriteIniValue(files_, codec_, nowhere, " 5月祭日", " 3日", "x"));
  EXPECT_EQ(e2e::ListFolder(dir_.path()), "");
}

TEST_F(WriteE2E, FileHeldByAnotherProgramIsLeftUnchanged) {
  const std::string original = Sjis("[5月祭日]\r\n3日=憲法記念日\r\n");
  ASSERT_TRUE(e2e::WriteRaw(path_, original));
  HANDLE holder = CreateFileW(Utf8ToWide(path_).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Write(" 5月祭日", " 3日", "変更"));
  CloseHandle(holder);
  EXPECT_EQ(Bytes(), original);
  EXPECT_EQ(e2e::ListFolder(dir_.path()), "Saijitu.ini");
}

}  // namespace
