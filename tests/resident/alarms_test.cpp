#include "resident/alarms.h"

#include <gtest/gtest.h>

#include "resident/sim_resident.h"

namespace vorlan {
namespace {

using testing::SimResident;

struct AlarmFixture : ::testing::Test {
  SimResident s;
  void SetUp() override {
    s.clock.Set(2026, 12, 11, 7, 5, 0);  // a Friday (weekday 6)
    s.files.Put("C:\\wav\\bell.wav", "RIFF");
    s.files.Put("C:\\wav\\hidden.wav", "RIFF", FileKind::Special);
    s.files.MakeDirectory("C:\\wav\\folder.wav");
  }
  void Entry(int n, const char* time, const char* sound, const char* message) {
    s.r.settings.AlarmTime[n - 1] = time;
    s.r.settings.SoundFile[n - 1] = sound;
    s.r.settings.MsgStr[n - 1] = message;
  }
};

TEST_F(AlarmFixture, FirstDueEntryOnlyOncePerMinute) {
  Entry(2, "07:05", "C:\\wav\\bell.wav", "二番");
  Entry(3, "07:05", "C:\\wav\\bell.wav", "三番");
  CheckAlarms(s.r);
  s.clock.AdvanceMs(1000);
  CheckAlarms(s.r);
  ASSERT_EQ(s.boxes.shown().size(), 1u);
  EXPECT_EQ(s.boxes.shown()[0].text, "二番");
  EXPECT_EQ(s.boxes.shown()[0].kind, MessageKind::Information);
  EXPECT_TRUE(s.boxes.shown()[0].system_modal);
  EXPECT_EQ(s.sound.log(), std::vector<std::string>{"play C:\\wav\\bell.wav"});
  EXPECT_EQ(s.r.state.AlarmMinute, 5);
}

TEST_F(AlarmFixture, WeekdayFlagPassesToNextEntry) {
  Entry(1, "07:05", "", "off today");
  Entry(4, "07:05", "", "on today");
  s.r.settings.SoundEnabled[0][5] = 0;  // Friday
  CheckAlarms(s.r);
  ASSERT_EQ(s.boxes.shown().size(), 1u);
  EXPECT_EQ(s.boxes.shown()[0].text, "on today");
}

TEST_F(AlarmFixture, OneDigitHourNeverMatches) {
  Entry(1, "7:05", "", "never");
  CheckAlarms(s.r);
  EXPECT_TRUE(s.boxes.shown().empty());
  EXPECT_EQ(s.r.state.AlarmMinute, 5);
}

TEST_F(AlarmFixture, SoundOnlyFromOrdinaryFiles) {
  const char* paths[] = {"C:\\wav\\hidden.wav", "C:\\wav\\folder.wav", "C:\\wav\\missing.wav"};
  for (const char* path : paths) {
    s.r.state.AlarmMinute = 0;
    s.boxes.Clear();
    Entry(1, "07:05", path, "msg");
    CheckAlarms(s.r);
    EXPECT_EQ(s.boxes.shown().size(), 1u) << path;  // the message still comes
  }
  EXPECT_TRUE(s.sound.log().empty());
}

TEST_F(AlarmFixture, SoundWithoutMessageAndMinuteSetBeforeTheBox) {
  Entry(1, "07:05", "C:\\wav\\bell.wav", "");
  CheckAlarms(s.r);
  EXPECT_TRUE(s.boxes.shown().empty());
  EXPECT_EQ(s.sound.log().size(), 1u);

  SimResident t;
  t.clock.Set(2026, 12, 11, 7, 5, 0);
  t.r.settings.AlarmTime[0] = "07:05";
  t.r.settings.MsgStr[0] = "once";
  t.boxes.WhileNextOpen([&] {
    EXPECT_EQ(t.r.state.AlarmMinute, 5);
    CheckAlarms(t.r);  // an event while the box is open
  });
  CheckAlarms(t.r);
  EXPECT_EQ(t.boxes.shown().size(), 1u);
}

TEST_F(AlarmFixture, UsesTheLocaleTimeSeparator) {
  s.r.locale.time_separator = ".";
  Entry(1, "07:05", "", "colon");
  Entry(2, "07.05", "", "dot");
  CheckAlarms(s.r);
  ASSERT_EQ(s.boxes.shown().size(), 1u);
  EXPECT_EQ(s.boxes.shown()[0].text, "dot");
}

TEST_F(AlarmFixture, MissedMinuteIsNotCaughtUp) {
  Entry(1, "07:05", "", "late");
  s.clock.Set(2026, 12, 11, 7, 6, 0);
  CheckAlarms(s.r);
  EXPECT_TRUE(s.boxes.shown().empty());
}

}  // namespace
}  // namespace vorlan
