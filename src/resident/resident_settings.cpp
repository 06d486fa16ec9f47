#include "resident/resident_settings.h"

#include "common/numeric.h"

namespace vorlan {

namespace {

class Reader {
 public:
  explicit Reader(const Store& store) : store_(store) {}

  std::string Text(std::string_view key, std::string_view fallback = {}) const {
    return store_.Get(kStoreApp, kStoreSection, key, fallback);
  }
  std::int16_t Int(std::string_view key, std::string_view fallback = {}) const {
    return NearestInt16(NumericPrefix(Text(key, fallback)));
  }
  // A number, except that the exact text "True" counts as 1.
  std::int16_t Truth(std::string_view key, std::string_view fallback) const {
    const std::string text = Text(key, fallback);
    return text == kTrueText ? 1 : NearestInt16(NumericPrefix(text));
  }

 private:
  const Store& store_;
};

}  // namespace

int FixedIntervalMs(int WarikomiValue) {
  switch (WarikomiValue) {
    case 1:
      return 1400;
    case 2:
      return 1200;
    case 3:
      return 1000;
    case 4:
      return 800;
    case 5:
      return 600;
    case 6:
      return 400;
    default:
      return 300;
  }
}

ResidentSettings ReadSettings(const Store& store) {
  const Reader r(store);
  ResidentSettings s;
  DisplayOptions& d = s.display;

  d.TimeDsp = r.Int("TimeDsp", "1");
  d.DateDsp = r.Int("DateDsp", "1");
  d.WeekDsp = r.Int("WeekDsp", "1");
  d.AmPm = r.Int("AmPm");
  d.MemDsp = r.Int("MemDsp");
  d.SaijituDsp = r.Int("SaijituDsp");
  s.KidouSaijitu = r.Int("KidouSaijitu", "1");
  d.TimeTyp = r.Int("TimeTyp", "0");
  d.DateTyp = r.Int("DateTyp", "0");
  d.WeekTyp = r.Int("WeekTyp", "2");
  d.SecondCheck = r.Int("SecondCheck", "1");
  d.Mojikan = r.Int("Mojikan", "0");

  for (int n = 1; n <= kAlarmCount; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    s.AlarmTime[i] = r.Text(NumberedKey("AlarmTime", n));
    s.SoundFile[i] = r.Text(NumberedKey("SoundFile", n));
    s.MsgStr[i] = r.Text(NumberedKey("MsgStr", n));
  }
  for (int n = 1; n <= kAlarmCount; ++n)
    for (int w = 1; w <= 7; ++w)
      s.SoundEnabled[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(w - 1)] =
          r.Int(SoundEnabledKey(n, w), "1");

  s.Haiti2 = r.Truth("Haiti2", "0");
  s.NoScandsk = r.Int("NoScandsk", "1");
  s.NoBackup = r.Int("NoBackup", "1");
  s.NoDefrag = r.Int("NoDefrag", "1");
  s.DrawDesktop = r.Int("DrawDesktop", "1");
  for (int n = 1; n <= kNoPasteCount; ++n)
    s.NoPastClass[static_cast<std::size_t>(n - 1)] = r.Text(NumberedKey("NoPastClass", n));
  s.ClKey = r.Text("ClKey");
  s.DlKey = r.Text("DlKey");
  s.WarikomiAuto = r.Int("WarikomiAuto", "1");
  s.WarikomiValue = r.Int("WarikomiValue", "4");
  d.Kousei = r.Truth("Kousei", "0");
  s.KidouSplash = r.Int("KidouSplash", "1");
  d.HeddaType = r.Int("HeddaType", "0");
  s.markers = MarkerPair(d.HeddaType);
  d.YearDSP = r.Int("YearDSP", "1");
  if (s.WarikomiAuto != 1) s.fixed_interval_ms = FixedIntervalMs(s.WarikomiValue);

  // Not a number at all: only the two spellings of true mean the bottom.
  const std::string point = r.Text("DrawDesktopPoint");
  s.DrawDesktopPoint = point == "true" || point == kTrueText ? 1 : 0;
  return s;
}

}  // namespace vorlan
