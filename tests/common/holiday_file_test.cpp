#include "common/holiday_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/sim/sim_basics.h"
#include "platform/sim/sim_files.h"

namespace vorlan {
namespace {

constexpr std::string_view kPath = "C:\\Vorlan2\\saijitu.ini";

class HolidayFileTest : public ::testing::Test {
 protected:
  std::string Sj(std::string_view utf8) const { return codec.Utf8ToCp932(utf8); }
  std::string Read(std::string_view section, std::string_view key) const {
    return ReadIniValue(files, codec, kPath, section, key);
  }
  sim::SimCodec codec;
  sim::SimFiles files;
};

TEST(TwoDigitField, RightAlignsInTwoCharacters) {
  const std::pair<int, const char*> cases[] = {{1, " 1"}, {5, " 5"}, {9, " 9"},
                                               {10, "10"}, {12, "12"}, {31, "31"}};
  for (const auto& [n, text] : cases) EXPECT_EQ(TwoDigitField(n), text) << n;
}

TEST(HolidayNames, SectionAndKeyNames) {
  EXPECT_EQ(HolidayNameSection(5), " 5月祭日");
  EXPECT_EQ(HolidayColourSection(5), " 5月祭日色");
  EXPECT_EQ(HolidaySubstituteSection(5), " 5月振替");
  EXPECT_EQ(HolidayNameSection(11), "11月祭日");
  EXPECT_EQ(HolidayColourSection(11), "11月祭日色");
  EXPECT_EQ(HolidayDayKey(3), " 3日");
  EXPECT_EQ(HolidayDayKey(23), "23日");
}

TEST_F(HolidayFileTest, NamesWithAndWithoutTheBlankMeet) {
  files.Put(kPath, Sj("[5月祭日]\r\n3日=憲法記念日\r\n[12月祭日]\r\n 23日 =年末\r\n"
                      "[11月祭日色]\r\n23日= 255\r\n"));
  EXPECT_EQ(Read(HolidayNameSection(5), HolidayDayKey(3)), "憲法記念日");
  EXPECT_EQ(Read(HolidayNameSection(12), HolidayDayKey(23)), "年末");
  EXPECT_EQ(Read("12月祭日", "23日"), "年末");
  EXPECT_EQ(Read(HolidayColourSection(11), HolidayDayKey(23)), "255");
  EXPECT_EQ(Read(HolidayNameSection(5), HolidayDayKey(4)), "");
  EXPECT_EQ(Read(HolidayNameSection(6), HolidayDayKey(3)), "");
}

TEST_F(HolidayFileTest, MissingOrUnreadableFileReadsEmpty) {
  EXPECT_EQ(Read(HolidayNameSection(5), HolidayDayKey(3)), "");
  files.Put(kPath, Sj("[5月祭日]\r\n3日=憲法記念日\r\n"));
  files.set_unreadable(kPath, true);
  EXPECT_EQ(Read(HolidayNameSection(5), HolidayDayKey(3)), "");
  files.Remove(kPath);
  files.MakeDirectory(kPath);
  EXPECT_EQ(Read(HolidayNameSection(5), HolidayDayKey(3)), "");
}

TEST_F(HolidayFileTest, LongNameReadsAsItsFirst1023Bytes) {
  std::string name = "x";
  for (int i = 0; i < 1000; ++i) name += "祭";  // 1 + 2000 bytes in code page 932
  files.Put(kPath, Sj("[5月祭日]\r\n3日=" + name + "\r\n"));
  std::string expected = "x";
  for (int i = 0; i < 511; ++i) expected += "祭";
  EXPECT_EQ(Read(HolidayNameSection(5), HolidayDayKey(3)), expected);
}

TEST_F(HolidayFileTest, WriteCreatesTheFileAndReadsBack) {
  ASSERT_TRUE(WriteIniValue(files, codec, kPath, HolidayNameSection(5), HolidayDayKey(6), "振替休日"));
  ASSERT_TRUE(WriteIniValue(files, codec, kPath, HolidayColourSection(5), HolidayDayKey(6), " 255"));
  ASSERT_TRUE(WriteIniValue(files, codec, kPath, HolidayNameSection(5), HolidayDayKey(7), ""));
  EXPECT_EQ(*files.ReadBytes(kPath),
            Sj("[5月祭日]\r\n6日=振替休日\r\n7日=\r\n[5月祭日色]\r\n6日= 255\r\n"));
  EXPECT_EQ(Read(HolidayNameSection(5), HolidayDayKey(6)), "振替休日");
  EXPECT_EQ(Read(HolidayColourSection(5), HolidayDayKey(6)), "255");
}

TEST_F(HolidayFileTest, WriteLeavesTheRestOfTheFileAlone) {
  const std::string before = Sj("; 祭日\n[ 5月祭日 ]\n 3日 = 憲法記念日\n\n[その他]\nx=1");
  files.Put(kPath, before);
  ASSERT_TRUE(WriteIniValue(files, codec, kPath, HolidayNameSection(5), HolidayDayKey(3), "憲法"));
  ASSERT_TRUE(WriteIniValue(files, codec, kPath, HolidayNameSection(5), HolidayDayKey(4), "緑"));
  EXPECT_EQ(*files.ReadBytes(kPath),
            Sj("; 祭日\n[ 5月祭日 ]\n 3日 =憲法\n4日=緑\n\n[その他]\nx=1"));
}

TEST_F(HolidayFileTest, FailedWriteKeepsTheOldFile) {
  const std::string before = Sj("[5月祭日]\r\n3日=憲法記念日\r\n");
  files.Put(kPath, before);
  files.set_fail_writes(true);
  EXPECT_FALSE(WriteIniValue(files, codec, kPath, HolidayNameSection(5), HolidayDayKey(3), "x"));
  EXPECT_EQ(*files.ReadBytes(kPath), before);
  files.set_fail_writes(false);

  // A file that is there but cannot be read is not overwritten either.
  files.set_unreadable(kPath, true);
  EXPECT_FALSE(WriteIniValue(files, codec, kPath, HolidayNameSection(5), HolidayDayKey(3), "x"));
  files.set_unreadable(kPath, false);
  EXPECT_EQ(*files.ReadBytes(kPath), before);
}

TEST_F(HolidayFileTest, IniFileReadsOnceForManyLookups) {
  files.Put(kPath, Sj("[5月祭日]\r\n3日=憲法記念日\r\n4日=みどりの日\r\n"));
  const int reads = files.read_count();
  const IniFile ini(files, codec, kPath);
  EXPECT_TRUE(ini.exists());
  EXPECT_EQ(ini.Get(HolidayNameSection(5), HolidayDayKey(3)), "憲法記念日");
  EXPECT_EQ(ini.Get(HolidayNameSection(5), HolidayDayKey(4)), "みどりの日");
  EXPECT_EQ(ini.Get(HolidayNameSection(5), HolidayDayKey(5)), "");
  EXPECT_EQ(files.read_count(), reads + 1);

  const IniFile none(files, codec, "C:\\nowhere\\saijitu.ini");
  EXPECT_FALSE(none.exists());
  EXPECT_EQ(none.Get(HolidayNameSection(5), HolidayDayKey(3)), "");
}

// The holiday file the product ships.
TEST_F(HolidayFileTest, ShippedFileHoldsTheFixedNationalHolidays) {
  const auto path = std::filesystem::path(__FILE__).parent_path() / "../../data/saijitu.ini";
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  // Code page 932 throughout, and every line ends in CR LF.
  EXPECT_EQ(codec.Utf8ToCp932(codec.Cp932ToUtf8(bytes)), bytes);
  EXPECT_EQ(codec.Cp932ToUtf8(bytes).find("\xEF\xBF\xBD"), std::string::npos);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << i;
    } else if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << i;
    }
  }
  const std::string text = codec.Cp932ToUtf8(bytes);
  for (int m = 1; m <= 12; ++m) {
    for (const std::string& section :
         {HolidayNameSection(m), HolidayColourSection(m), HolidaySubstituteSection(m)}) {
      // Written as the platform's writer stores names: without the blank.
      std::string header = "[";
      header.append(section, section[0] == ' ' ? 1 : 0).append("]\r\n");
      EXPECT_NE(text.find(header), std::string::npos) << header;
    }
  }

  files.Put(kPath, bytes);
  const IniFile ini(files, codec, kPath);
  const struct {
    int month, day;
    const char* name;
  } holidays[] = {{1, 1, "元日"},        {2, 11, "建国記念の日"}, {2, 23, "天皇誕生日"},
                  {4, 29, "昭和の日"},   {5, 3, "憲法記念日"},    {5, 4, "みどりの日"},
                  {5, 5, "こどもの日"},  {8, 11, "山の日"},       {11, 3, "文化の日"},
                  {11, 23, "勤労感謝の日"}};
  for (const auto& h : holidays) {
    EXPECT_EQ(ini.Get(HolidayNameSection(h.month), HolidayDayKey(h.day)), h.name);
    EXPECT_EQ(ini.Get(HolidayColourSection(h.month), HolidayDayKey(h.day)), "255");
    EXPECT_EQ(ini.Get(HolidaySubstituteSection(h.month), HolidayDayKey(h.day)), "1");
  }
  EXPECT_EQ(ini.Get(HolidayNameSection(12), HolidayDayKey(23)), "");
  EXPECT_EQ(ini.Get(HolidayNameSection(5), HolidayDayKey(6)), "");
}

}  // namespace
}  // namespace vorlan
