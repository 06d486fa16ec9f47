#include "resident/resident_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/sim_store.h"

namespace vorlan {
namespace {

using sim::SimStore;

void Put(SimStore& store, const std::string& key, const std::string& value) {
  store.Save("QMR", "Vorlan2", key, value);
}

std::vector<std::string> ExpectedReadOrder() {
  std::vector<std::string> keys = {"TimeDsp", "DateDsp", "WeekDsp",  "AmPm",    "MemDsp",
                                   "SaijituDsp", "KidouSaijitu", "TimeTyp", "DateTyp",
                                   "WeekTyp", "SecondCheck", "Mojikan"};
  for (int n = 1; n <= 10; ++n) {
    keys.push_back("AlarmTime" + std::to_string(n));
    keys.push_back("SoundFile" + std::to_string(n));
    keys.push_back("MsgStr" + std::to_string(n));
  }
  for (int n = 1; n <= 10; ++n)
    for (int d = 1; d <= 7; ++d)
      keys.push_back("SoundEnabled " + std::to_string(n) + ", " + std::to_string(d));
  for (const char* k : {"Haiti2", "NoScandsk", "NoBackup", "NoDefrag", "DrawDesktop"})
    keys.push_back(k);
  for (int n = 1; n <= 10; ++n) keys.push_back("NoPastClass" + std::to_string(n));
  for (const char* k : {"ClKey", "DlKey", "WarikomiAuto", "WarikomiValue", "Kousei", "KidouSplash",
                        "HeddaType", "YearDSP", "DrawDesktopPoint"})
    keys.push_back(k);
  return keys;
}

TEST(ReadSettings, ReadsEveryKeyOnceInOrderAndWritesNothing) {
  SimStore store;
  ReadSettings(store);
  EXPECT_EQ(store.reads(), ExpectedReadOrder());
  EXPECT_TRUE(store.writes().empty());
}

TEST(ReadSettings, EmptyStoreGivesTheStartingBehaviour) {
  SimStore store;
  const ResidentSettings s = ReadSettings(store);
  const DisplayOptions& d = s.display;
  // Time, date and English weekday, year and seconds, 24-hour clock, narrow spacing.
  EXPECT_EQ(d.TimeDsp, 1);
  EXPECT_EQ(d.DateDsp, 1);
  EXPECT_EQ(d.WeekDsp, 1);
  EXPECT_EQ(d.WeekTyp, 2);
  EXPECT_EQ(d.YearDSP, 1);
  EXPECT_EQ(d.SecondCheck, 1);
  EXPECT_EQ(d.AmPm, 0);
  EXPECT_EQ(d.Mojikan, 0);
  EXPECT_EQ(d.TimeTyp, 0);
  EXPECT_EQ(d.DateTyp, 0);
  EXPECT_EQ(d.MemDsp, 0);
  EXPECT_EQ(d.SaijituDsp, 0);
  EXPECT_EQ(d.Kousei, 0);
  EXPECT_EQ(d.HeddaType, 0);
  // Markers 《 》 after the title.
  EXPECT_EQ(s.markers.OpenMark, " 《  ");
  EXPECT_EQ(s.markers.CloseMark, "》  ");
  EXPECT_EQ(s.Haiti2, 0);
  // Desktop drawing on, at the top.
  EXPECT_EQ(s.DrawDesktop, 1);
  EXPECT_EQ(s.DrawDesktopPoint, 0);
  // Automatic interval.
  EXPECT_EQ(s.WarikomiAuto, 1);
  EXPECT_EQ(s.WarikomiValue, 4);
  EXPECT_FALSE(s.fixed_interval_ms.has_value());
  // Holiday notice and splash; all three tools watched.
  EXPECT_EQ(s.KidouSaijitu, 1);
  EXPECT_EQ(s.KidouSplash, 1);
  EXPECT_EQ(s.NoScandsk, 1);
  EXPECT_EQ(s.NoBackup, 1);
  EXPECT_EQ(s.NoDefrag, 1);
  // No alarms, no exclusions, no hot keys; weekday flags all on.
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(s.AlarmTime[i], "");
    EXPECT_EQ(s.SoundFile[i], "");
    EXPECT_EQ(s.MsgStr[i], "");
    EXPECT_EQ(s.NoPastClass[i], "");
    for (int w = 0; w < 7; ++w) EXPECT_EQ(s.SoundEnabled[i][w], 1);
  }
  EXPECT_EQ(s.ClKey, "");
  EXPECT_EQ(s.DlKey, "");
}

struct ReadCase {
  std::string key;
  std::string stored;
  std::function<int(const ResidentSettings&)> field;
  int expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.key << "=\"" << c.stored << '"'; }

class ReadCaseTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadCaseTest, StoredTextGives) {
  const ReadCase& c = GetParam();
  SimStore store;
  Put(store, c.key, c.stored);
  EXPECT_EQ(c.field(ReadSettings(store)), c.expected);
}

int Haiti2(const ResidentSettings& s) { return s.Haiti2; }
int Kousei(const ResidentSettings& s) { return s.display.Kousei; }
int Point(const ResidentSettings& s) { return s.DrawDesktopPoint; }
int TimeDsp(const ResidentSettings& s) { return s.display.TimeDsp; }
int AmPm(const ResidentSettings& s) { return s.display.AmPm; }
int WeekTyp(const ResidentSettings& s) { return s.display.WeekTyp; }
int HeddaType(const ResidentSettings& s) { return s.display.HeddaType; }
int NoBackup(const ResidentSettings& s) { return s.NoBackup; }
int LastFlag(const ResidentSettings& s) { return s.SoundEnabled[9][6]; }
int FirstFlag(const ResidentSettings& s) { return s.SoundEnabled[0][0]; }

INSTANTIATE_TEST_SUITE_P(
    Table, ReadCaseTest,
    testing::Values(
        ReadCase{"Haiti2", "True", Haiti2, 1}, ReadCase{"Haiti2", "False", Haiti2, 0},
        ReadCase{"Haiti2", " 1", Haiti2, 1}, ReadCase{"Haiti2", "true", Haiti2, 0},
        ReadCase{"Haiti2", " 2", Haiti2, 2}, ReadCase{"Kousei", "True", Kousei, 1},
        ReadCase{"Kousei", "False", Kousei, 0}, ReadCase{"Kousei", "1", Kousei, 1},
        ReadCase{"DrawDesktopPoint", "True", Point, 1}, ReadCase{"DrawDesktopPoint", "true", Point, 1},
        ReadCase{"DrawDesktopPoint", "False", Point, 0}, ReadCase{"DrawDesktopPoint", " 1", Point, 0},
        ReadCase{"DrawDesktopPoint", "1", Point, 0}, ReadCase{"DrawDesktopPoint", "TRUE", Point, 0},
        ReadCase{"DrawDesktopPoint", "True ", Point, 0},
        // Flags and numbers through the numeric prefix, nearest integer.
        ReadCase{"TimeDsp", " 0", TimeDsp, 0}, ReadCase{"TimeDsp", "", TimeDsp, 0},
        ReadCase{"TimeDsp", "1", TimeDsp, 1}, ReadCase{"AmPm", " 1", AmPm, 1},
        ReadCase{"AmPm", "0.5", AmPm, 0}, ReadCase{"AmPm", "1.5", AmPm, 2},
        ReadCase{"WeekTyp", " 7", WeekTyp, 7}, ReadCase{"HeddaType", " 2", HeddaType, 2},
        ReadCase{"HeddaType", "&H2", HeddaType, 2},
        // Beyond 16 bits the value sticks at the end of the range instead of
        // wrapping ( 65537 would otherwise become 1).
        ReadCase{"NoBackup", " 65537", NoBackup, 32767},
        ReadCase{"NoBackup", "-65536", NoBackup, -32768},
        ReadCase{"HeddaType", " 65538", HeddaType, 32767},
        ReadCase{"NoBackup", "1e999", NoBackup, 32767},
        ReadCase{"SoundEnabled 10, 7", " 0", LastFlag, 0},
        ReadCase{"SoundEnabled 1, 1", " 0", FirstFlag, 0},
        ReadCase{"SoundEnabled 1, 1", "", FirstFlag, 0}));

TEST(ReadSettings, MarkerPairFollowsHeddaType) {
  struct Case {
    std::string stored;
    std::string open, close;
  };
  for (const Case& c : {Case{" 1", " 「  ", "」  "}, Case{" 2", " 〔  ", "〕  "},
                        Case{" 0", " 《  ", "》  "}, Case{" 3", " 《  ", "》  "}}) {
    SimStore store;
    Put(store, "HeddaType", c.stored);
    const ResidentSettings s = ReadSettings(store);
    EXPECT_EQ(s.markers.OpenMark, c.open) << c.stored;
    EXPECT_EQ(s.markers.CloseMark, c.close) << c.stored;
  }
}

TEST(ReadSettings, ListEntriesGoToPositionNMinusOne) {
  SimStore store;
  Put(store, "AlarmTime1", "07:05");
  Put(store, "AlarmTime10", "23:59");
  Put(store, "SoundFile10", "C:\\ring.wav");
  Put(store, "MsgStr10", "ｵﾜﾘ");
  Put(store, "SoundEnabled 3, 3", " 0");
  Put(store, "NoPastClass10", "Progman");
  Put(store, "ClKey", "C");
  Put(store, "DlKey", "D");
  const ResidentSettings s = ReadSettings(store);
  EXPECT_EQ(s.AlarmTime[0], "07:05");
  EXPECT_EQ(s.AlarmTime[9], "23:59");
  EXPECT_EQ(s.SoundFile[9], "C:\\ring.wav");
  EXPECT_EQ(s.MsgStr[9], "ｵﾜﾘ");
  EXPECT_EQ(s.SoundEnabled[2][2], 0);
  EXPECT_EQ(s.SoundEnabled[2][1], 1);
  EXPECT_EQ(s.NoPastClass[9], "Progman");
  EXPECT_EQ(s.ClKey, "C");
  EXPECT_EQ(s.DlKey, "D");
}

TEST(FixedIntervalMs, Table) {
  const std::pair<int, int> table[] = {{1, 1400}, {2, 1200}, {3, 1000}, {4, 800}, {5, 600},
                                       {6, 400},  {7, 300},  {0, 300},  {-1, 300}, {32767, 300}};
  for (auto [level, ms] : table) EXPECT_EQ(FixedIntervalMs(level), ms) << level;
}

TEST(ReadSettings, FixedIntervalOnlyWhenAutomaticIsNotOne) {
  struct Case {
    std::string automatic, level;
    std::optional<int> interval;
  };
  const Case cases[] = {
      {"0", " 2", 1200},  {" 0", " 7", 300},  {" 0", " 0", 300},           {" 0", "", 300},
      {"", " 1", 1400},   {" 2", " 3", 1000}, {" 1", " 2", std::nullopt},  {"1.4", " 2", std::nullopt},
      {"0", " 65537", 300}, {"0", " 6", 400}, {"0", "4.5", 800},
  };
  for (const Case& c : cases) {
    SimStore store;
    Put(store, "WarikomiAuto", c.automatic);
    Put(store, "WarikomiValue", c.level);
    EXPECT_EQ(ReadSettings(store).fixed_interval_ms, c.interval)
        << '"' << c.automatic << "\" \"" << c.level << '"';
  }
  // Manual rate with the level missing: the default level 4.
  SimStore store;
  Put(store, "WarikomiAuto", "0");
  EXPECT_EQ(ReadSettings(store).fixed_interval_ms, 800);
}

}  // namespace
}  // namespace vorlan
