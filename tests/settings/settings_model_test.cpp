#include "settings/settings_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/sim_store.h"

namespace vorlan {
namespace {

using sim::SimStore;
using KeyValue = std::pair<std::string, std::string>;

void Put(SimStore& store, const std::string& key, const std::string& value) {
  store.Save("QMR", "Vorlan2", key, value);
}

// The complete set as a fresh dialog writes it, spelled out here rather than
// taken from the binding table.
std::vector<KeyValue> DefaultWrites() {
  std::vector<KeyValue> w = {
      {"TimeDsp", " 1"},    {"DateDsp", " 1"},     {"WeekDsp", " 1"},      {"AmPm", " 0"},
      {"MemDsp", " 0"},     {"SaijituDsp", " 0"},  {"KidouSaijitu", " 1"}, {"TimeTyp", " 0"},
      {"DateTyp", "0"},     {"WeekTyp", " 2"},     {"SecondCheck", " 1"},  {"Mojikan", " 0"},
  };
  for (int n = 1; n <= 10; ++n) {
    w.push_back({"AlarmTime" + std::to_string(n), ""});
    w.push_back({"SoundFile" + std::to_string(n), ""});
    w.push_back({"MsgStr" + std::to_string(n), ""});
  }
  for (int n = 1; n <= 10; ++n)
    for (int d = 1; d <= 7; ++d)
      w.push_back({"SoundEnabled " + std::to_string(n) + ", " + std::to_string(d), " 1"});
  for (const char* k : {"Haiti2"}) w.push_back({k, "False"});
  for (const char* k : {"NoScandsk", "NoBackup", "NoDefrag", "DrawDesktop"}) w.push_back({k, " 1"});
  for (int n = 1; n <= 10; ++n) w.push_back({"NoPastClass" + std::to_string(n), ""});
  std::vector<KeyValue> tail = {
      {"ClKey", ""},         {"DlKey", ""},          {"WarikomiAuto", " 1"},
      {"WarikomiValue", " 4"}, {"Kousei", "False"},  {"KidouSplash", " 1"},
      {"CalBackColor", "-2147483633"}, {"CalPointer", " 255"}, {"DrawDesktopPoint", "False"},
      {"HeddaType", " 0"},   {"YearDSP", " 1"},
  };
  w.insert(w.end(), tail.begin(), tail.end());
  return w;
}

std::vector<KeyValue> Writes(const SimStore& store) {
  std::vector<KeyValue> out;
  for (const auto& w : store.writes()) {
    EXPECT_EQ(w.app, "QMR");
    EXPECT_EQ(w.section, "Vorlan2");
    out.push_back({w.key, w.value});
  }
  return out;
}

std::vector<std::string> Keys(const std::vector<KeyValue>& writes) {
  std::vector<std::string> keys;
  for (const auto& [k, v] : writes) keys.push_back(k);
  return keys;
}

TEST(SaveSettings, FreshDialogWritesEveryKeyInOrder) {
  SimStore store;
  EXPECT_TRUE(SaveSettings(store, DialogControls{}));
  const auto expected = DefaultWrites();
  ASSERT_EQ(expected.size(), 138u);
  EXPECT_EQ(Writes(store), expected);
}

TEST(LoadSettings, ReadsEveryKeyInTheSameOrder) {
  SimStore store;
  LoadSettings(store);
  EXPECT_EQ(store.reads(), Keys(DefaultWrites()));
}

TEST(LoadSettings, EmptyStoreShowsTheDesignState) {
  SimStore store;
  const DialogControls c = LoadSettings(store);
  EXPECT_EQ(c, DialogControls{});
  // Time, date, weekday on; AM/PM, memory, holiday name, wide gaps off.
  EXPECT_EQ(c.Check1, (std::array<int, 6>{1, 1, 1, 0, 0, 0}));
  EXPECT_EQ(c.Check2, 0);
  EXPECT_EQ(c.Check5, 1);  // seconds
  EXPECT_EQ(c.Check8, 1);  // year
  EXPECT_EQ(c.Option1, 0);  // "00:00:00"
  EXPECT_EQ(c.Option2, 0);  // "00/00/00"
  EXPECT_EQ(c.Option3, 2);  // "Mon"
  EXPECT_EQ(c.Option4, 0);  // after the title
  EXPECT_EQ(c.Option5, 0);  // time, date, weekday
  EXPECT_EQ(c.Option7, 0);  // 《》
  EXPECT_EQ(c.Check3, (std::array<int, 2>{1, 1}));  // holiday notice, desktop drawing
  EXPECT_EQ(c.Check4, (std::array<int, 3>{1, 1, 1}));
  EXPECT_EQ(c.Check7, 1);  // splash
  EXPECT_EQ(c.Check6, 1);  // automatic rate
  EXPECT_EQ(c.Slider1, 4);
  EXPECT_EQ(c.Option6, 0);  // top of the screen
  EXPECT_EQ(c.Text1, "");
  EXPECT_EQ(c.Text2, "");
  EXPECT_EQ(c.Picture1BackColor, -2147483633);
  EXPECT_EQ(c.Picture2BackColor, 255);
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(c.alarm_table[n].Time, "");
    for (int d = 1; d <= 7; ++d) EXPECT_EQ(c.alarm_table[n].Weekday[d], 1);
    EXPECT_EQ(c.no_paste_class_list[n], "");
  }
}

struct LoadCase {
  std::string key;
  std::string stored;
  std::function<int(const DialogControls&)> field;
  int expected;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.key << "=\"" << c.stored << '"'; }

class LoadCaseTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadCaseTest, StoredTextSelects) {
  const LoadCase& c = GetParam();
  SimStore store;
  Put(store, c.key, c.stored);
  EXPECT_EQ(c.field(LoadSettings(store)), c.expected);
}

int TimeDsp(const DialogControls& c) { return c.Check1[0]; }
int MemDsp(const DialogControls& c) { return c.Check1[3]; }
int NoDefrag(const DialogControls& c) { return c.Check4[2]; }
int Opt1(const DialogControls& c) { return c.Option1; }
int Opt2(const DialogControls& c) { return c.Option2; }
int Opt3(const DialogControls& c) { return c.Option3; }
int Opt4(const DialogControls& c) { return c.Option4; }
int Opt5(const DialogControls& c) { return c.Option5; }
int Opt6(const DialogControls& c) { return c.Option6; }
int Opt7(const DialogControls& c) { return c.Option7; }
int Slider(const DialogControls& c) { return c.Slider1; }
int Back(const DialogControls& c) { return c.Picture1BackColor; }
int Pointer(const DialogControls& c) { return c.Picture2BackColor; }
int LastWeekday(const DialogControls& c) { return c.alarm_table[10].Weekday[7]; }

INSTANTIATE_TEST_SUITE_P(
    Table, LoadCaseTest,
    testing::Values(
        // Flags: " 1" and "1" read alike; greyed kept; values a check box cannot
        // take fall back to the key's default; text without a number is off.
        LoadCase{"TimeDsp", " 1", TimeDsp, 1}, LoadCase{"TimeDsp", "1", TimeDsp, 1},
        LoadCase{"TimeDsp", " 0", TimeDsp, 0}, LoadCase{"TimeDsp", "", TimeDsp, 0},
        LoadCase{"TimeDsp", "abc", TimeDsp, 0}, LoadCase{"TimeDsp", " 2", TimeDsp, 2},
        LoadCase{"TimeDsp", " 3", TimeDsp, 1}, LoadCase{"TimeDsp", "-1", TimeDsp, 1},
        LoadCase{"MemDsp", " 5", MemDsp, 0}, LoadCase{"MemDsp", "0.6", MemDsp, 1},
        LoadCase{"NoDefrag", "99999999999", NoDefrag, 1},
        LoadCase{"SoundEnabled 10, 7", " 0", LastWeekday, 0},
        LoadCase{"SoundEnabled 10, 7", "7", LastWeekday, 1},
        // Styles.
        LoadCase{"TimeTyp", " 1", Opt1, 1}, LoadCase{"TimeTyp", " 2", Opt1, 0},
        LoadCase{"TimeTyp", "-1", Opt1, 0}, LoadCase{"DateTyp", "1", Opt2, 1},
        LoadCase{"DateTyp", " 1", Opt2, 1}, LoadCase{"DateTyp", "3", Opt2, 0},
        LoadCase{"WeekTyp", " 0", Opt3, 0}, LoadCase{"WeekTyp", " 1", Opt3, 1},
        LoadCase{"WeekTyp", " 7", Opt3, 2}, LoadCase{"WeekTyp", "-1", Opt3, 2},
        LoadCase{"WeekTyp", "", Opt3, 0}, LoadCase{"HeddaType", " 1", Opt7, 1},
        LoadCase{"HeddaType", " 2", Opt7, 2}, LoadCase{"HeddaType", " 3", Opt7, 0},
        LoadCase{"HeddaType", "-2", Opt7, 0},
        // Truth options.
        LoadCase{"Haiti2", "True", Opt4, 1}, LoadCase{"Haiti2", " 1", Opt4, 1},
        LoadCase{"Haiti2", "False", Opt4, 0}, LoadCase{"Haiti2", "true", Opt4, 0},
        LoadCase{"Haiti2", "TRUE", Opt4, 0}, LoadCase{"Haiti2", " 2", Opt4, 0},
        LoadCase{"Kousei", "True", Opt5, 1}, LoadCase{"Kousei", "1", Opt5, 1},
        LoadCase{"Kousei", "True ", Opt5, 0}, LoadCase{"Kousei", "-1", Opt5, 0},
        // Desktop position: only three texts mean the top.
        LoadCase{"DrawDesktopPoint", "false", Opt6, 0}, LoadCase{"DrawDesktopPoint", "False", Opt6, 0},
        LoadCase{"DrawDesktopPoint", "0", Opt6, 0}, LoadCase{"DrawDesktopPoint", "True", Opt6, 1},
        LoadCase{"DrawDesktopPoint", "true", Opt6, 1}, LoadCase{"DrawDesktopPoint", "1", Opt6, 1},
        LoadCase{"DrawDesktopPoint", "FALSE", Opt6, 1}, LoadCase{"DrawDesktopPoint", " 0", Opt6, 1},
        LoadCase{"DrawDesktopPoint", "", Opt6, 1},
        // Slider: clamped to its range.
        LoadCase{"WarikomiValue", " 1", Slider, 1}, LoadCase{"WarikomiValue", " 7", Slider, 7},
        LoadCase{"WarikomiValue", " 9", Slider, 7}, LoadCase{"WarikomiValue", " 0", Slider, 1},
        LoadCase{"WarikomiValue", "-40000", Slider, 1}, LoadCase{"WarikomiValue", "2.5", Slider, 2},
        // Colours: system colours and RGB kept, anything else the default.
        LoadCase{"CalBackColor", "-2147483633", Back, -2147483633},
        LoadCase{"CalBackColor", "&H80000018", Back, -2147483624},
        LoadCase{"CalBackColor", "&H80000000", Back, -2147483647 - 1},
        LoadCase{"CalBackColor", "&H80000019", Back, -2147483633},
        LoadCase{"CalBackColor", " 16777215", Back, 16777215},
        LoadCase{"CalBackColor", " 16777216", Back, -2147483633},
        LoadCase{"CalBackColor", "-1", Back, -2147483633},
        LoadCase{"CalBackColor", "", Back, 0},
        LoadCase{"CalPointer", " 65280", Pointer, 65280},
        LoadCase{"CalPointer", "&HFF&", Pointer, 255},
        LoadCase{"CalPointer", "1e20", Pointer, 255}));

TEST(LoadSettings, ListKeysFillTheirEntries) {
  SimStore store;
  Put(store, "AlarmTime10", "07:30");
  Put(store, "SoundFile10", "C:\\Windows\\chimes.wav");
  Put(store, "MsgStr10", "会議ｱﾘ");
  Put(store, "SoundEnabled 10, 1", " 0");
  Put(store, "AlarmTime1", "12:00");
  Put(store, "NoPastClass10", "Progman");
  Put(store, "ClKey", "K");
  Put(store, "DlKey", "q?");  // pasted text is kept as it is
  const DialogControls c = LoadSettings(store);
  EXPECT_EQ(c.alarm_table[10].Time, "07:30");
  EXPECT_EQ(c.alarm_table[10].SoundFile, "C:\\Windows\\chimes.wav");
  EXPECT_EQ(c.alarm_table[10].Message, "会議ｱﾘ");
  EXPECT_EQ(c.alarm_table[10].Weekday[1], 0);
  EXPECT_EQ(c.alarm_table[10].Weekday[2], 1);
  EXPECT_EQ(c.alarm_table[1].Time, "12:00");
  EXPECT_EQ(c.alarm_table[2].Time, "");
  EXPECT_EQ(c.no_paste_class_list[10], "Progman");
  EXPECT_EQ(c.no_paste_class_list[9], "");
  EXPECT_EQ(c.Text1, "K");
  EXPECT_EQ(c.Text2, "q?");
}

DialogControls Edited() {
  DialogControls c;
  c.Check1 = {0, 1, 0, 1, 1, 1};
  c.Check2 = 1;
  c.Check3 = {0, 0};
  c.Check4 = {0, 1, 0};
  c.Check5 = 0;
  c.Check6 = 0;
  c.Check7 = 0;
  c.Check8 = 2;
  c.Option1 = 1;
  c.Option2 = 1;
  c.Option3 = 0;
  c.Option4 = 1;
  c.Option5 = 1;
  c.Option6 = 1;
  c.Option7 = 2;
  c.Slider1 = 7;
  c.Picture1BackColor = 0x00C0FFEE;
  c.Picture2BackColor = -2147483624;
  c.Text1 = "A";
  c.Text2 = "Z";
  c.alarm_table[3] = {"23:59", "C:\\a b\\ring.wav", "ﾒｯｾｰｼﾞ です", {0, 0, 1, 0, 1, 0, 1, 0}};
  c.alarm_table[10].Time = "00:00";
  c.alarm_table[10].Weekday[7] = 0;
  c.no_paste_class_list[1] = "Shell_TrayWnd";
  c.no_paste_class_list[10] = "ＣＬＡＳＳ";
  return c;
}

TEST(SaveSettings, RoundTripKeepsEveryValue) {
  SimStore store;
  const DialogControls edited = Edited();
  ASSERT_TRUE(SaveSettings(store, edited));
  const auto first = Writes(store);
  EXPECT_EQ(LoadSettings(store), edited);

  store.ClearLog();
  ASSERT_TRUE(SaveSettings(store, LoadSettings(store)));
  EXPECT_EQ(Writes(store), first);
}

TEST(SaveSettings, WritesEachFormAsStored) {
  SimStore store;
  ASSERT_TRUE(SaveSettings(store, Edited()));
  auto value = [&store](const std::string& key) {
    for (const auto& w : store.writes())
      if (w.key == key) return w.value;
    ADD_FAILURE() << key << " not written";
    return std::string();
  };
  EXPECT_EQ(value("TimeDsp"), " 0");
  EXPECT_EQ(value("YearDSP"), " 2");
  EXPECT_EQ(value("TimeTyp"), " 1");
  EXPECT_EQ(value("DateTyp"), "1");
  EXPECT_EQ(value("WeekTyp"), " 0");
  EXPECT_EQ(value("HeddaType"), " 2");
  EXPECT_EQ(value("Haiti2"), "True");
  EXPECT_EQ(value("Kousei"), "True");
  EXPECT_EQ(value("DrawDesktopPoint"), "True");
  EXPECT_EQ(value("WarikomiValue"), " 7");
  EXPECT_EQ(value("CalBackColor"), " 12648430");
  EXPECT_EQ(value("CalPointer"), "-2147483624");
  EXPECT_EQ(value("AlarmTime3"), "23:59");
  EXPECT_EQ(value("MsgStr3"), "ﾒｯｾｰｼﾞ です");
  EXPECT_EQ(value("SoundEnabled 3, 1"), " 0");
  EXPECT_EQ(value("SoundEnabled 3, 2"), " 1");
  EXPECT_EQ(value("SoundEnabled 10, 7"), " 0");
  EXPECT_EQ(value("NoPastClass10"), "ＣＬＡＳＳ");
}

TEST(SaveSettings, OutOfRangeWeekStyleIsStoredAsMon) {
  SimStore store;
  Put(store, "WeekTyp", " 7");
  Put(store, "TimeTyp", " 5");
  Put(store, "HeddaType", " 9");
  Put(store, "WarikomiValue", " 12");
  const DialogControls c = LoadSettings(store);
  store.ClearLog();
  ASSERT_TRUE(SaveSettings(store, c));
  const auto writes = Writes(store);
  auto expected = DefaultWrites();
  for (auto& [k, v] : expected)
    if (k == "WarikomiValue") v = " 7";
  EXPECT_EQ(writes, expected);
}

// Fails the writes of one key and counts every attempt.
class FailingStore : public SimStore {
 public:
  explicit FailingStore(std::string failing) : failing_(std::move(failing)) {}
  bool Save(std::string_view app, std::string_view section, std::string_view key,
            std::string_view value) override {
    ++attempts;
    if (key == failing_) return false;
    return SimStore::Save(app, section, key, value);
  }
  int attempts = 0;

 private:
  std::string failing_;
};

TEST(SaveSettings, AFailedWriteIsReportedAfterTryingEveryKey) {
  for (const char* key : {"TimeDsp", "SoundEnabled 5, 5", "YearDSP"}) {
    FailingStore store(key);
    EXPECT_FALSE(SaveSettings(store, DialogControls{})) << key;
    EXPECT_EQ(store.attempts, 138) << key;
    EXPECT_EQ(store.writes().size(), 137u) << key;
  }
}

TEST(SettingsBindings, NamesTheControlAndItsEnableRule) {
  const auto& table = SettingsBindings();
  ASSERT_EQ(table.size(), 138u);
  auto find = [&table](const std::string& key) -> const SettingBinding& {
    for (const auto& b : table)
      if (b.key == key) return b;
    static const SettingBinding none{};
    ADD_FAILURE() << key;
    return none;
  };
  EXPECT_EQ(find("TimeDsp").control, "Check1(0)");
  EXPECT_EQ(find("SoundEnabled 10, 7").control, "AlarmTable(10).Weekday(7)");
  EXPECT_EQ(find("NoPastClass10").control, "NoPasteClassList(10)");
  EXPECT_EQ(find("AmPm").enable, EnableRule::UpdateTimeOptions);
  EXPECT_EQ(find("SecondCheck").enable, EnableRule::UpdateTimeOptions);
  EXPECT_EQ(find("TimeTyp").enable, EnableRule::UpdateTimeOptions);
  EXPECT_EQ(find("DateTyp").enable, EnableRule::UpdateDateOptions);
  EXPECT_EQ(find("YearDSP").enable, EnableRule::None);
  EXPECT_EQ(find("WeekTyp").enable, EnableRule::UpdateWeekdayOptions);
  EXPECT_EQ(find("WarikomiValue").enable, EnableRule::UpdateRateOptions);
  EXPECT_EQ(find("DrawDesktopPoint").enable, EnableRule::UpdateDesktopOptions);
}

TEST(ControlEnabled, FollowsTheGoverningCheckBox) {
  DialogControls c;
  EXPECT_TRUE(ControlEnabled(c, EnableRule::UpdateTimeOptions));
  EXPECT_FALSE(ControlEnabled(c, EnableRule::UpdateRateOptions));  // automatic rate on
  EXPECT_TRUE(ControlEnabled(c, EnableRule::UpdateDesktopOptions));
  c.Check1 = {0, 0, 2, 0, 0, 0};
  c.Check6 = 0;
  c.Check3[1] = 0;
  EXPECT_FALSE(ControlEnabled(c, EnableRule::UpdateTimeOptions));
  EXPECT_FALSE(ControlEnabled(c, EnableRule::UpdateDateOptions));
  EXPECT_TRUE(ControlEnabled(c, EnableRule::UpdateWeekdayOptions));  // greyed counts as on
  EXPECT_TRUE(ControlEnabled(c, EnableRule::UpdateRateOptions));
  EXPECT_FALSE(ControlEnabled(c, EnableRule::UpdateDesktopOptions));
  EXPECT_TRUE(ControlEnabled(c, EnableRule::None));
}

}  // namespace
}  // namespace vorlan
