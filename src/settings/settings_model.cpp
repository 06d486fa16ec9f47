#include "settings/settings_model.h"

#include <algorithm>

#include "common/numeric.h"

namespace vorlan {

namespace {

using Bind = BoundValue (*)(DialogControls&, int, int);

BoundValue State(int& v) { return {&v, nullptr, nullptr}; }
BoundValue Colour(std::int32_t& v) { return {nullptr, &v, nullptr}; }
BoundValue Text(std::string& v) { return {nullptr, nullptr, &v}; }

std::string Indexed(std::string_view name, int i) {
  return std::string(name) + "(" + std::to_string(i) + ")";
}

std::vector<SettingBinding> BuildBindings() {
  std::vector<SettingBinding> t;
  auto add = [&t](std::string key, std::string_view def, ValueForm form, std::string control,
                  EnableRule enable, Bind bind, int entry = 0, int weekday = 0) {
    t.push_back({std::move(key), def, form, std::move(control), enable, entry, weekday, bind});
  };
  using F = ValueForm;
  using E = EnableRule;

  add("TimeDsp", "1", F::Flag, "Check1(0)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check1[0]); });
  add("DateDsp", "1", F::Flag, "Check1(1)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check1[1]); });
  add("WeekDsp", "1", F::Flag, "Check1(2)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check1[2]); });
  add("AmPm", "0", F::Flag, "Check2", E::UpdateTimeOptions,
      [](DialogControls& c, int, int) { return State(c.Check2); });
  add("MemDsp", "0", F::Flag, "Check1(3)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check1[3]); });
  add("SaijituDsp", "0", F::Flag, "Check1(4)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check1[4]); });
  add("KidouSaijitu", "1", F::Flag, "Check3(0)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check3[0]); });
  add("TimeTyp", "0", F::TimeStyle, "Option1", E::UpdateTimeOptions,
      [](DialogControls& c, int, int) { return State(c.Option1); });
  add("DateTyp", "0", F::DateStyle, "Option2", E::UpdateDateOptions,
      [](DialogControls& c, int, int) { return State(c.Option2); });
  add("WeekTyp", "2", F::WeekStyle, "Option3", E::UpdateWeekdayOptions,
      [](DialogControls& c, int, int) { return State(c.Option3); });
  add("SecondCheck", "1", F::Flag, "Check5", E::UpdateTimeOptions,
      [](DialogControls& c, int, int) { return State(c.Check5); });
  add("Mojikan", "0", F::Flag, "Check1(5)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check1[5]); });

  for (int n = 1; n <= kAlarmCount; ++n) {
    const std::string entry = Indexed("AlarmTable", n);
    add(NumberedKey("AlarmTime", n), "", F::Text, entry + ".Time", E::None,
        [](DialogControls& c, int e, int) { return Text(c.alarm_table[e].Time); }, n);
    add(NumberedKey("SoundFile", n), "", F::Text, entry + ".SoundFile", E::None,
        [](DialogControls& c, int e, int) { return Text(c.alarm_table[e].SoundFile); }, n);
    add(NumberedKey("MsgStr", n), "", F::Text, entry + ".Message", E::None,
        [](DialogControls& c, int e, int) { return Text(c.alarm_table[e].Message); }, n);
  }
  for (int n = 1; n <= kAlarmCount; ++n)
    for (int d = 1; d <= 7; ++d)
      add(SoundEnabledKey(n, d), "1", F::Flag, Indexed(Indexed("AlarmTable", n) + ".Weekday", d),
          E::None,
          [](DialogControls& c, int e, int w) {
            return State(c.alarm_table[e].Weekday[static_cast<std::size_t>(w)]);
          },
          n, d);

  add("Haiti2", "False", F::TruthOption, "Option4", E::None,
      [](DialogControls& c, int, int) { return State(c.Option4); });
  add("NoScandsk", "1", F::Flag, "Check4(0)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check4[0]); });
  add("NoBackup", "1", F::Flag, "Check4(1)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check4[1]); });
  add("NoDefrag", "1", F::Flag, "Check4(2)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check4[2]); });
  add("DrawDesktop", "1", F::Flag, "Check3(1)", E::None,
      [](DialogControls& c, int, int) { return State(c.Check3[1]); });
  for (int n = 1; n <= kNoPasteCount; ++n)
    add(NumberedKey("NoPastClass", n), "", F::Text, Indexed("NoPasteClassList", n), E::None,
        [](DialogControls& c, int e, int) { return Text(c.no_paste_class_list[e]); }, n);
  add("ClKey", "", F::Text, "Text1", E::None,
      [](DialogControls& c, int, int) { return Text(c.Text1); });
  add("DlKey", "", F::Text, "Text2", E::None,
      [](DialogControls& c, int, int) { return Text(c.Text2); });
  add("WarikomiAuto", "1", F::Flag, "Check6", E::None,
      [](DialogControls& c, int, int) { return State(c.Check6); });
  add("WarikomiValue", "4", F::SliderLevel, "Slider1", E::UpdateRateOptions,
      [](DialogControls& c, int, int) { return State(c.Slider1); });
  add("Kousei", "0", F::TruthOption, "Option5", E::None,
      [](DialogControls& c, int, int) { return State(c.Option5); });
  add("KidouSplash", "1", F::Flag, "Check7", E::None,
      [](DialogControls& c, int, int) { return State(c.Check7); });
  add("CalBackColor", "&H8000000F&", F::Colour, "Picture1", E::None,
      [](DialogControls& c, int, int) { return Colour(c.Picture1BackColor); });
  add("CalPointer", "&HFF", F::Colour, "Picture2", E::None,
      [](DialogControls& c, int, int) { return Colour(c.Picture2BackColor); });
  add("DrawDesktopPoint", "false", F::DesktopPoint, "Option6", E::UpdateDesktopOptions,
      [](DialogControls& c, int, int) { return State(c.Option6); });
  add("HeddaType", "0", F::MarkStyle, "Option7", E::None,
      [](DialogControls& c, int, int) { return State(c.Option7); });
  add("YearDSP", "1", F::Flag, "Check8", E::None,
      [](DialogControls& c, int, int) { return State(c.Check8); });
  return t;
}

int IntegerOf(std::string_view text) { return NearestInt32(NumericPrefix(text)); }

// System colour references name indices 0..24; red-green-blue values use the
// low three bytes only.
bool IsColourReference(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return bits <= 0x00FFFFFFu || (bits >= 0x80000000u && bits <= 0x80000018u);
}

void LoadValue(const SettingBinding& b, const BoundValue& v, std::string_view text) {
  switch (b.form) {
    case ValueForm::Flag: {
      // A check box takes only 0, 1 and 2 (greyed); anything else the dialog
      // never writes, so such a value is treated like a missing key.
      const int value = IntegerOf(text);
      *v.state = value >= kUnchecked && value <= kGreyed ? value : IntegerOf(b.default_text);
      break;
    }
    case ValueForm::TimeStyle:
    case ValueForm::DateStyle:
      *v.state = IntegerOf(text) == 1 ? 1 : 0;
      break;
    case ValueForm::WeekStyle: {
      // Any other value selects no button, so the design state stays.
      const int value = IntegerOf(text);
      if (value >= 0 && value <= 2) *v.state = value;
      break;
    }
    case ValueForm::MarkStyle: {
      const int value = IntegerOf(text);
      *v.state = value == 1 || value == 2 ? value : 0;
      break;
    }
    case ValueForm::TruthOption:
      *v.state = IntegerOf(text) == 1 || text == kTrueText ? 1 : 0;
      break;
    case ValueForm::DesktopPoint:
      *v.state = text == "false" || text == kFalseText || text == "0" ? 0 : 1;
      break;
    case ValueForm::SliderLevel:
      // The slider cannot show a position outside its range; the nearest end
      // is the closest the user can see to what is stored.
      *v.state = std::clamp(IntegerOf(text), 1, 7);
      break;
    case ValueForm::Colour: {
      // A value that names no colour cannot be painted; the key's default
      // keeps the calendar readable.
      const std::int32_t value = IntegerOf(text);
      *v.colour = IsColourReference(value) ? value : IntegerOf(b.default_text);
      break;
    }
    case ValueForm::Text:
      *v.text = std::string(text);
      break;
  }
}

std::string SavedText(const SettingBinding& b, const BoundValue& v) {
  switch (b.form) {
    case ValueForm::Flag:
    case ValueForm::WeekStyle:
    case ValueForm::MarkStyle:
    case ValueForm::SliderLevel:
      return NumberText(*v.state);
    case ValueForm::TimeStyle:
      return *v.state == 0 ? " 0" : " 1";
    case ValueForm::DateStyle:
      return *v.state == 0 ? "0" : "1";
    case ValueForm::TruthOption:
    case ValueForm::DesktopPoint:
      return std::string(*v.state == 1 ? kTrueText : kFalseText);
    case ValueForm::Colour:
      return NumberText(*v.colour);
    case ValueForm::Text:
      return *v.text;
  }
  return {};
}

}  // namespace

const std::vector<SettingBinding>& SettingsBindings() {
  static const std::vector<SettingBinding> table = BuildBindings();
  return table;
}

bool ControlEnabled(const DialogControls& c, EnableRule rule) {
  switch (rule) {
    case EnableRule::None:
      return true;
    case EnableRule::UpdateTimeOptions:
      return c.Check1[0] != 0;
    case EnableRule::UpdateDateOptions:
      return c.Check1[1] != 0;
    case EnableRule::UpdateWeekdayOptions:
      return c.Check1[2] != 0;
    case EnableRule::UpdateRateOptions:
      return c.Check6 == 0;
    case EnableRule::UpdateDesktopOptions:
      return c.Check3[1] != 0;
  }
  return true;
}

DialogControls LoadSettings(const Store& store) {
  DialogControls controls;
  for (const SettingBinding& b : SettingsBindings()) {
    const std::string text = store.Get(kStoreApp, kStoreSection, b.key, b.default_text);
    LoadValue(b, b.bind(controls, b.entry, b.weekday), text);
  }
  return controls;
}

bool SaveSettings(Store& store, const DialogControls& controls) {
  // The binding accessors hand out pointers for loading as well; saving only
  // reads through them, so a working copy is not needed.
  auto& source = const_cast<DialogControls&>(controls);
  bool all_saved = true;
  for (const SettingBinding& b : SettingsBindings()) {
    const std::string text = SavedText(b, b.bind(source, b.entry, b.weekday));
    if (!store.Save(kStoreApp, kStoreSection, b.key, text)) all_saved = false;
  }
  return all_saved;
}

}  // namespace vorlan
