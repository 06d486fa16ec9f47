// Vorlan.exe itself, started as a child process from a program folder of its
// own, watched from outside through the windows it writes to: Wine's notepad
// and windows of the driver's own. Everything is waited for by polling with
// a bound; nothing relies on a fixed pause being long enough.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "e2e/win32/resident_support.h"
#include "e2e/win32/support.h"
#include "platform/win32/text_conv.h"

using vorlan::win32::Utf8ToWide;
using vorlan::win32::WideToCodePage;
using vorlan::win32::WideToUtf8;

namespace e2e {
namespace {

// What the outside world knows of the resident program.
constexpr wchar_t kAppWindowClass[] = L"ThunderRTMain";
constexpr wchar_t kForm1Class[] = L"VorlanForm";
constexpr wchar_t kSplashClass[] = L"VorlanForm2";
constexpr wchar_t kBoxClass[] = L"#32770";
constexpr wchar_t kBoxTitle[] = L"Vorlan2";
constexpr UINT kTrayId = 1;
constexpr UINT kTrayCallback = WM_MOUSEMOVE;
constexpr int kIntervalMs = 300;  // the timer with the default settings
// Menu items, from the top: 設定, 貼付一時停止, ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ, separator, 終了.
// The menu has no mnemonics, so items are picked with the arrow keys (the
// separator is skipped).
constexpr int kDownsToPause = 2;
constexpr int kDownsToCopy = 3;
constexpr int kDownsToEnd = 4;

constexpr wchar_t kPeerClass[] = L"VorlanE2EPeer";
constexpr wchar_t kExcludedClass[] = L"VorlanE2EExcluded";

struct Markers {
  std::string open, close;
};
const Markers kAngleMarkers{" 《  ", "》  "};

// A title split into the window's own title and the caption between markers.
struct Split {
  bool captioned = false;
  std::string bare, caption;
};

Split SplitTitle(const std::string& title, const Markers& m, bool caption_first = false) {
  Split s;
  if (!caption_first) {
    const std::size_t p = title.find(m.open);
    if (p == std::string::npos) return s;
    const std::string rest = title.substr(p + m.open.size());
    if (rest.size() < m.close.size() ||
        rest.compare(rest.size() - m.close.size(), m.close.size(), m.close) != 0)
      return s;
    s.bare = title.substr(0, p);
    s.caption = rest.substr(0, rest.size() - m.close.size());
  } else {
    if (title.compare(0, m.open.size(), m.open) != 0) return s;
    const std::size_t p = title.find(m.close, m.open.size());
    if (p == std::string::npos) return s;
    s.caption = title.substr(m.open.size(), p - m.open.size());
    s.bare = title.substr(p + m.close.size());
  }
  s.captioned = s.caption.find(m.close) == std::string::npos;
  return s;
}

SYSTEMTIME LocalTimePlus(int seconds) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  FILETIME ft{};
  SystemTimeToFileTime(&now, &ft);
  ULARGE_INTEGER u{};
  u.LowPart = ft.dwLowDateTime;
  u.HighPart = ft.dwHighDateTime;
  u.QuadPart += static_cast<long long>(seconds) * 10000000LL;
  ft.dwLowDateTime = u.LowPart;
  ft.dwHighDateTime = u.HighPart;
  SYSTEMTIME out{};
  FileTimeToSystemTime(&ft, &out);
  return out;
}

// The caption with the settings left empty: "HH:MM:SS YY/MM/DD Www ".
std::string DefaultCaptionAt(const SYSTEMTIME& t) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u %02u/%02u/%02u %s ", t.wHour, t.wMinute,
                t.wSecond, t.wYear % 100u, t.wMonth, t.wDay, kDays[t.wDayOfWeek % 7]);
  return buf;
}

// The default caption of a moment of the last few seconds (or of the next
// one: the program and the driver read the clock at slightly different times).
bool IsRecentDefaultCaption(const std::string& caption, int seconds_back = 3) {
  for (int s = -seconds_back; s <= 1; ++s)
    if (caption == DefaultCaptionAt(LocalTimePlus(s))) return true;
  return false;
}

std::string HolidaySection(int month) {
  return (month < 10 ? " " : "") + std::to_string(month) + "月祭日";
}
std::string HolidayKey(int day) { return (day < 10 ? " " : "") + std::to_string(day) + "日"; }

class ResidentE2E : public testing::Test {
 protected:
  void SetUp() override {
    exe_source_ = Env("VORLAN_E2E_RESIDENT");
    if (exe_source_.empty())
      GTEST_SKIP() << "VORLAN_E2E_RESIDENT (the path of Vorlan.exe) is not set; run-wine.sh sets it";
    ASSERT_TRUE(Exists(exe_source_)) << exe_source_;
    folder_ = std::make_unique<TempFolder>("resident");
    exe_ = folder_->File("Vorlan.exe");
    ASSERT_TRUE(CopyFileW(Utf8ToWide(exe_source_).c_str(), Utf8ToWide(exe_).c_str(), FALSE));
    ClearResidentSettings();
    // A holiday file without an entry for today: no notice, no missing-file box.
    const SYSTEMTIME today = LocalTimePlus(0);
    const int other_month = today.wMonth == 1 ? 2 : 1;
    WriteHolidays("[" + HolidaySection(other_month) + "]\r\n" + HolidayKey(11) + "=建国記念の日\r\n");
  }

  void TearDown() override {
    EndResident();
    ClearResidentSettings();
  }

  void WriteHolidays(const std::string& utf8) {
    ASSERT_TRUE(WriteRaw(folder_->File("Saijitu.ini"), WideToCodePage(932, Utf8ToWide(utf8))));
  }

  // Starts Vorlan.exe from the test's folder and waits for Form1 and, unless
  // told not to (a box comes first), for its icon.
  void StartResident(const std::wstring& arguments = L"/ReadReg", bool wait_for_icon = true) {
    ASSERT_TRUE(vorlan_.Start(Utf8ToWide(exe_), arguments, Utf8ToWide(folder_->path())));
    FindForm1(wait_for_icon);
  }

  // Whether the program can be started at a chosen time (libfaketime).
  static bool CanFakeTime() {
    return !Env("VORLAN_E2E_FAKETIME").empty() && !Env("VORLAN_E2E_WINELOADER").empty() &&
           !UnixPathOf("C:\\").empty();
  }

  // The same, with the program's clock starting at `instant` through
  // libfaketime (the driver's clock is left alone). Wine starts a Windows
  // child with its parent's Unix environment, whatever block CreateProcess is
  // given (only the Windows side sees that), so the preload cannot be handed
  // down that way: the program is started through the shell instead and
  // taken over by its process id.
  // The usual opening: the window in front, the clock started, its caption there.
  void StartServing(HWND window) {
    ASSERT_TRUE(BringToFront(window));
    ASSERT_NO_FATAL_FAILURE(StartResident());
    ASSERT_TRUE(WaitForCaption(window).captioned);
  }

  void StartResidentAt(const std::string& instant) {
    started_through_shell_ = true;
    ASSERT_TRUE(StartThroughUnixShell(
        "exec env LD_PRELOAD=\"$1\" FAKETIME=\"$2\" NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 "
        "\"$3\" \"$4\" /ReadReg",
        {Env("VORLAN_E2E_FAKETIME"), "@" + instant, Env("VORLAN_E2E_WINELOADER"), exe_}));
    HWND form1 = WaitForWindow(0, kForm1Class, 10000);
    ASSERT_NE(form1, nullptr) << "the program started through the shell never made its window";
    ASSERT_TRUE(vorlan_.Adopt(ProcessOf(form1)));
    FindForm1(true);
  }

  void FindForm1(bool wait_for_icon) {
    form1_ = WaitForWindow(vorlan_.pid(), kForm1Class, 10000);
    ASSERT_NE(form1_, nullptr) << "no hidden window of class VorlanForm";
    EXPECT_EQ(TitleOf(form1_), "Vorlan2");
    EXPECT_FALSE(IsWindowVisible(form1_));
    if (wait_for_icon) {
      ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(form1_, kTrayId); }, 10000, 10))
          << "the notification icon never appeared";
    }
  }

  // Ends the program if it still runs: the way the user would first, by
  // handle if that does not work.
  void EndResident() {
    if (!vorlan_.running() && started_through_shell_) {
      // Started through the shell but never taken over: found by its window.
      if (HWND w = WaitForWindow(0, kForm1Class, 0)) {
        vorlan_.Adopt(ProcessOf(w));
        form1_ = w;
      }
    }
    if (vorlan_.running() && form1_ != nullptr) {
      PostMessageW(form1_, WM_CLOSE, 0, 0);
      vorlan_.WaitForExit(3000);
    }
    vorlan_.Kill();
  }

  // Waits until `window` carries a caption of the default kind with the given
  // markers; returns the split title (captioned = false on timeout).
  static Split WaitForCaption(HWND window, const Markers& m = kAngleMarkers,
                              bool caption_first = false, int timeout_ms = 3000) {
    Split s;
    WaitUntil(
        [&] {
          s = SplitTitle(TitleOf(window), m, caption_first);
          return s.captioned && IsRecentDefaultCaption(s.caption);
        },
        timeout_ms, 2);
    if (!(s.captioned && IsRecentDefaultCaption(s.caption))) s.captioned = false;
    return s;
  }

  // Opens the icon's menu the way the shell reports a right click, then picks
  // an item by keys.
  void ChooseFromTrayMenu(int downs) {
    ASSERT_TRUE(PostMessageW(form1_, kTrayCallback, kTrayId, WM_RBUTTONUP));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = VisibleMenuOf(vorlan_.pid())) != nullptr; }, 3000))
        << "the popup menu did not open";
    for (int i = 0; i < downs; ++i) PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return VisibleMenuOf(vorlan_.pid()) == nullptr; }, 3000))
        << "the popup menu did not close";
  }

  HWND WaitForBox(int timeout_ms = 5000) {
    return WaitForWindow(vorlan_.pid(), kBoxClass, timeout_ms, true, kBoxTitle);
  }

  std::string exe_source_, exe_;
  std::unique_ptr<TempFolder> folder_;
  Process vorlan_;
  HWND form1_ = nullptr;
  bool started_through_shell_ = false;
};

// --- the caption in titles -----------------------------------------------------

TEST_F(ResidentE2E, CaptionInTheStoredFormatAppearsInTheForegroundTitle) {
  Notepad notepad;
  ASSERT_NE(notepad.hwnd(), nullptr);
  const std::string own_title = TitleOf(notepad.hwnd());
  ASSERT_FALSE(own_title.empty());
  ASSERT_TRUE(BringToFront(notepad.hwnd()));
  ASSERT_NO_FATAL_FAILURE(StartResident());

  const Split first = WaitForCaption(notepad.hwnd());
  ASSERT_TRUE(first.captioned) << "title: " << TitleOf(notepad.hwnd());
  EXPECT_EQ(first.bare, own_title);
  EXPECT_EQ(TitleOf(notepad.hwnd()), own_title + " 《  " + first.caption + "》  ");
  // The clock runs: a later second replaces the caption, never adds another.
  Split later;
  ASSERT_TRUE(WaitUntil(
      [&] {
        later = SplitTitle(TitleOf(notepad.hwnd()), kAngleMarkers);
        return later.captioned && later.caption != first.caption;
      },
      2500, 5));
  EXPECT_EQ(later.bare, own_title);
  EXPECT_TRUE(IsRecentDefaultCaption(later.caption)) << later.caption;
}

TEST_F(ResidentE2E, SwitchingTheForegroundRestoresThePreviousTitleInTheSameTick) {
  Notepad notepad;
  ASSERT_NE(notepad.hwnd(), nullptr);
  PeerWindow peer(kPeerClass, L"電卓もどき");
  ASSERT_NE(peer.hwnd(), nullptr);
  const std::string notepad_title = TitleOf(notepad.hwnd());
  ASSERT_NO_FATAL_FAILURE(StartServing(notepad.hwnd()));

  for (int round = 0; round < 3; ++round) {
    HWND from = round % 2 == 0 ? notepad.hwnd() : peer.hwnd();
    HWND to = round % 2 == 0 ? peer.hwnd() : notepad.hwnd();
    const std::string from_bare = from == notepad.hwnd() ? notepad_title : "電卓もどき";
    ASSERT_TRUE(BringToFront(to));
    const double switched = NowMs();
    // Watched closely: the old window is given back its title before the new
    // one is written, so both never carry a caption at once.
    bool both = false;
    std::string from_when_written;
    const bool written = WaitUntil(
        [&] {
          const std::string t_from = TitleOf(from), t_to = TitleOf(to);
          const bool c_from = SplitTitle(t_from, kAngleMarkers).captioned;
          const bool c_to = SplitTitle(t_to, kAngleMarkers).captioned;
          if (c_from && c_to) both = true;
          if (c_to) from_when_written = t_from;
          return c_to;
        },
        2000, 1);
    const double delay = NowMs() - switched;
    ASSERT_TRUE(written) << "round " << round << ": no caption after the switch";
    EXPECT_FALSE(both) << "round " << round << ": both windows carried a caption";
    EXPECT_EQ(from_when_written, from_bare) << "round " << round;
    // Within one timer interval, plus a margin for a loaded machine.
    EXPECT_LT(delay, kIntervalMs + 250) << "round " << round;
  }
}

TEST_F(ResidentE2E, ExcludedClassIsLeftAloneAndThePreviousWindowRestored) {
  ASSERT_TRUE(SetResidentSetting("NoPastClass1", "VorlanE2EExcluded"));
  Notepad notepad;
  ASSERT_NE(notepad.hwnd(), nullptr);
  PeerWindow excluded(kExcludedClass, L"除外される窓");
  ASSERT_NE(excluded.hwnd(), nullptr);
  const std::string notepad_title = TitleOf(notepad.hwnd());
  ASSERT_NO_FATAL_FAILURE(StartServing(notepad.hwnd()));

  ASSERT_TRUE(BringToFront(excluded.hwnd()));
  EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad.hwnd()) == notepad_title; }, 1000, 2))
      << TitleOf(notepad.hwnd());
  // Long enough for full ticks to have happened: the excluded window is
  // never written to, and the other window stays restored.
  const double until = NowMs() + 1300;
  while (NowMs() < until) {
    ASSERT_EQ(TitleOf(excluded.hwnd()), "除外される窓");
    ASSERT_EQ(TitleOf(notepad.hwnd()), notepad_title);
    Sleep(20);
  }
  // Another window in front is served again.
  ASSERT_TRUE(BringToFront(notepad.hwnd()));
  EXPECT_TRUE(WaitForCaption(notepad.hwnd()).captioned);
  EXPECT_EQ(TitleOf(excluded.hwnd()), "除外される窓");
}

TEST_F(ResidentE2E, CaptionBeforeTheTitleWhenPlacedFirst) {
  ASSERT_TRUE(SetResidentSetting("Haiti2", "True"));
  PeerWindow peer(kPeerClass, L"前に置く窓");
  ASSERT_NE(peer.hwnd(), nullptr);
  ASSERT_TRUE(BringToFront(peer.hwnd()));
  ASSERT_NO_FATAL_FAILURE(StartResident());
  const Split s = WaitForCaption(peer.hwnd(), kAngleMarkers, true);
  ASSERT_TRUE(s.captioned) << TitleOf(peer.hwnd());
  EXPECT_EQ(s.bare, "前に置く窓");
  EXPECT_EQ(TitleOf(peer.hwnd()).substr(0, std::string(" 《  ").size()), " 《  ");
  // Later ticks cut the old caption away by its closing marker.
  ASSERT_TRUE(WaitUntil(
      [&] {
        const Split t = SplitTitle(TitleOf(peer.hwnd()), kAngleMarkers, true);
        return t.captioned && t.caption != s.caption && t.bare == "前に置く窓";
      },
      2500, 5))
      << TitleOf(peer.hwnd());
}

struct MarkerCase {
  const char* hedda_type;
  Markers markers;
};

class ResidentMarkersE2E : public ResidentE2E, public testing::WithParamInterface<MarkerCase> {};

TEST_P(ResidentMarkersE2E, MarkerPairFromTheStoredHeaderType) {
  ASSERT_TRUE(SetResidentSetting("HeddaType", GetParam().hedda_type));
  PeerWindow peer(kPeerClass, L"括弧の窓");
  ASSERT_NE(peer.hwnd(), nullptr);
  ASSERT_TRUE(BringToFront(peer.hwnd()));
  ASSERT_NO_FATAL_FAILURE(StartResident());
  const Split s = WaitForCaption(peer.hwnd(), GetParam().markers);
  ASSERT_TRUE(s.captioned) << TitleOf(peer.hwnd());
  EXPECT_EQ(TitleOf(peer.hwnd()),
            "括弧の窓" + GetParam().markers.open + s.caption + GetParam().markers.close);
  EXPECT_EQ(TitleOf(peer.hwnd()).find("《"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(HeaderTypes, ResidentMarkersE2E,
                         testing::Values(MarkerCase{" 1", {" 「  ", "」  "}},
                                         MarkerCase{" 2", {" 〔  ", "〕  "}}),
                         [](const testing::TestParamInfo<MarkerCase>& info) {
                           return info.index == 0 ? std::string("CornerBrackets")
                                                  : std::string("TortoiseShellBrackets");
                         });

// --- ending --------------------------------------------------------------------

TEST_F(ResidentE2E, EndCommandFromTheTrayMenuRestoresTheTitleAndRemovesTheIcon) {
  Notepad notepad;
  ASSERT_NE(notepad.hwnd(), nullptr);
  const std::string notepad_title = TitleOf(notepad.hwnd());
  ASSERT_NO_FATAL_FAILURE(StartServing(notepad.hwnd()));
  ASSERT_TRUE(TrayIconExists(form1_, kTrayId));

  ASSERT_NO_FATAL_FAILURE(ChooseFromTrayMenu(kDownsToEnd));
  ASSERT_TRUE(vorlan_.WaitForExit(3000)) << "still running after 終了";
  EXPECT_EQ(TitleOf(notepad.hwnd()), notepad_title);
  EXPECT_FALSE(TrayIconExists(form1_, kTrayId));
}

class ResidentCloseE2E : public ResidentE2E, public testing::WithParamInterface<bool> {};

TEST_P(ResidentCloseE2E, CloseMessageEndsLikeTheEndCommand) {
  PeerWindow peer(kPeerClass, L"閉じる前の窓");
  ASSERT_NE(peer.hwnd(), nullptr);
  ASSERT_TRUE(BringToFront(peer.hwnd()));
  ASSERT_NO_FATAL_FAILURE(StartResident());
  ASSERT_TRUE(WaitForCaption(peer.hwnd()).captioned);
  HWND target = form1_;
  if (GetParam()) {
    target = WaitForWindow(vorlan_.pid(), kAppWindowClass, 1000, false, L"Vorlan");
    ASSERT_NE(target, nullptr) << "no hidden window of class ThunderRTMain titled Vorlan";
  }
  ASSERT_TRUE(PostMessageW(target, WM_CLOSE, 0, 0));
  ASSERT_TRUE(vorlan_.WaitForExit(3000));
  EXPECT_EQ(TitleOf(peer.hwnd()), "閉じる前の窓");
  EXPECT_FALSE(TrayIconExists(form1_, kTrayId));
}

INSTANTIATE_TEST_SUITE_P(HiddenWindows, ResidentCloseE2E, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("ApplicationWindow")
                                             : std::string("Form1");
                         });

// A disk maintenance tool's dialog, even behind the window in front, ends
// the program at the next timer event.
class ResidentMaintenanceE2E : public ResidentE2E,
                               public testing::WithParamInterface<const wchar_t*> {};

TEST_P(ResidentMaintenanceE2E, MaintenanceDialogEndsTheProgram) {
  Notepad notepad;
  ASSERT_NE(notepad.hwnd(), nullptr);
  const std::string notepad_title = TitleOf(notepad.hwnd());
  ASSERT_NO_FATAL_FAILURE(StartServing(notepad.hwnd()));

  PeerWindow tool(kBoxClass, GetParam(), false);
  ASSERT_NE(tool.hwnd(), nullptr);
  const double opened = NowMs();
  EXPECT_EQ(GetForegroundWindow(), notepad.hwnd()) << "the dialog should stay behind";
  ASSERT_TRUE(vorlan_.WaitForExit(3000)) << "still running beside the maintenance tool";
  EXPECT_LT(NowMs() - opened, 2 * kIntervalMs + 300);
  EXPECT_EQ(TitleOf(notepad.hwnd()), notepad_title);
  EXPECT_FALSE(TrayIconExists(form1_, kTrayId));
}

INSTANTIATE_TEST_SUITE_P(Tools, ResidentMaintenanceE2E,
                         testing::Values(L"Microsoft ﾊﾞｯｸｱｯﾌﾟへようこそ", L"ﾃﾞｨｽｸの最適化",
                                         L"ﾄﾞﾗｲﾌﾞの選択"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) {
                           return std::string(info.index == 0   ? "Backup"
                                              : info.index == 1 ? "Defragmenter"
                                                                : "DriveChoice");
                         });

// --- start-up --------------------------------------------------------------------

TEST_F(ResidentE2E, SecondInstanceEndsWithoutASecondIcon) {
  ASSERT_NO_FATAL_FAILURE(StartResident());
  Process second;
  ASSERT_TRUE(second.Start(Utf8ToWide(exe_), L"", Utf8ToWide(folder_->path())));
  // While it lives, no window of it ever has an icon.
  bool second_icon = false;
  const bool ended = WaitUntil(
      [&] {
        for (HWND w : WindowsOf(second.pid(), kForm1Class))
          if (TrayIconExists(w, kTrayId)) second_icon = true;
        return !second.running();
      },
      10000, 2);
  ASSERT_TRUE(ended) << "the second instance did not end";
  EXPECT_FALSE(second_icon);
  EXPECT_EQ(second.ExitCode(), 0u);
  // No box, no splash of its own either: the first instance is the only one
  // with windows, and it runs on with its icon.
  EXPECT_EQ(WindowsOf(0, kForm1Class), std::vector<HWND>{form1_});
  EXPECT_EQ(WindowsOf(0, kAppWindowClass, false, L"Vorlan").size(), 1u);
  EXPECT_TRUE(TrayIconExists(form1_, kTrayId));
  EXPECT_TRUE(vorlan_.running());
}

TEST_F(ResidentE2E, RestartArgumentSuppressesTheHolidayNoticeAndTheSplash) {
  const SYSTEMTIME today = LocalTimePlus(0);
  WriteHolidays("[" + HolidaySection(today.wMonth) + "]\r\n" + HolidayKey(today.wDay) +
                "=再起動の日\r\n");
  PeerWindow peer(kPeerClass, L"再起動の確認");
  ASSERT_NE(peer.hwnd(), nullptr);
  ASSERT_TRUE(BringToFront(peer.hwnd()));
  ASSERT_NO_FATAL_FAILURE(StartResident(L"/ReadReg"));
  // Once the clock writes, start-up is over: anything it would show is there.
  ASSERT_TRUE(WaitForCaption(peer.hwnd()).captioned);
  EXPECT_TRUE(WindowsOf(vorlan_.pid(), kBoxClass).empty()) << "a message box is open";
  EXPECT_TRUE(WindowsOf(vorlan_.pid(), kSplashClass).empty()) << "the splash window exists";
}

// The splash window's child with this text, if any.
HWND SplashChildWithText(HWND splash, const std::string& text) {
  for (HWND c = GetWindow(splash, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    if (TitleOf(c) == text) return c;
  return nullptr;
}

TEST_F(ResidentE2E, PlainStartAnnouncesTodaysHolidayThenShowsTheSplash) {
  const SYSTEMTIME today = LocalTimePlus(0);
  // A name with half-width katakana: the file is code page 932 throughout.
  WriteHolidays("[" + HolidaySection(today.wMonth) + "]\r\n" + HolidayKey(today.wDay) +
                "=ﾃｽﾄの日\r\n");
  ASSERT_NO_FATAL_FAILURE(StartResident(L"", false));

  HWND box = WaitForBox();
  ASSERT_NE(box, nullptr) << "no holiday notice";
  EXPECT_EQ(MessageBoxText(box), "今日は「ﾃｽﾄの日」です");
  EXPECT_NE(GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "the box is system-modal";
  // The notice comes before the icon and the splash.
  EXPECT_FALSE(TrayIconExists(form1_, kTrayId));
  EXPECT_TRUE(WindowsOf(vorlan_.pid(), kSplashClass).empty());
  ASSERT_TRUE(PostMessageW(box, WM_COMMAND, IDOK, 0));

  HWND splash = WaitForWindow(vorlan_.pid(), kSplashClass, 3000, true);
  ASSERT_NE(splash, nullptr) << "no splash window";
  const double shown = NowMs();
  EXPECT_TRUE(TrayIconExists(form1_, kTrayId));
  EXPECT_EQ(TitleOf(splash), "");
  EXPECT_NE(SplashChildWithText(splash, "Vorlan2"), nullptr);
  EXPECT_NE(SplashChildWithText(splash, "ver 2.14"), nullptr);
  EXPECT_NE(SplashChildWithText(splash, "for Windows95/NT4.0"), nullptr);
  EXPECT_NE(SplashChildWithText(splash, "OK"), nullptr);
  // It closes itself after two seconds.
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(splash) || !IsWindowVisible(splash); }, 4000, 10));
  const double lasted = NowMs() - shown;
  EXPECT_GT(lasted, 1500);
  EXPECT_LT(lasted, 3000);
  EXPECT_TRUE(vorlan_.running());
  EXPECT_TRUE(WindowsOf(vorlan_.pid(), kBoxClass, true).empty()) << "the notice came twice";
}

TEST_F(ResidentE2E, MissingHolidayFileIsReportedEvenOnARestart) {
  ASSERT_TRUE(DeleteFileW(Utf8ToWide(folder_->File("Saijitu.ini")).c_str()));
  ASSERT_NO_FATAL_FAILURE(StartResident(L"/ReadReg", false));
  HWND box = WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "祭日情報ﾌｧｲﾙ「Saijitu.ini」が見つかりません");
  ASSERT_TRUE(PostMessageW(box, WM_COMMAND, IDOK, 0));
  EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(form1_, kTrayId); }, 3000, 10));
  EXPECT_TRUE(WindowsOf(vorlan_.pid(), kSplashClass).empty());
}

// --- alarms, clipboard -------------------------------------------------------------

TEST_F(ResidentE2E, AlarmOfTheComingMinuteShowsItsMessage) {
  const std::string message = "e2e アラーム ﾒｯｾｰｼﾞ";
  ASSERT_TRUE(SetResidentSetting("MsgStr1", message));
  PeerWindow peer(kPeerClass, L"目覚まし");
  ASSERT_NE(peer.hwnd(), nullptr);
  ASSERT_TRUE(BringToFront(peer.hwnd()));

  // With libfaketime the program's clock starts three seconds before the
  // alarm; without it the alarm is set for the current minute, which rings
  // on the first full tick (the minute of start is not 0, which the alarm
  // check counts as already examined).
  std::string expect_before;  // caption start expected before the alarm
  if (CanFakeTime()) {
    ASSERT_TRUE(SetResidentSetting("AlarmTime1", "08:00"));
    ASSERT_NO_FATAL_FAILURE(StartResidentAt("2026-11-23 07:59:57"));
    expect_before = "07:59:5";
  } else {
    // Not across a minute's end: start early enough in a minute.
    WaitUntil([] { return LocalTimePlus(0).wSecond < 56; }, 6000, 50);
    const SYSTEMTIME now = LocalTimePlus(0);
    if (now.wMinute == 0) GTEST_SKIP() << "minute 0 of the hour, and no libfaketime";
    char hhmm[8];
    std::snprintf(hhmm, sizeof hhmm, "%02u:%02u", now.wHour, now.wMinute);
    ASSERT_TRUE(SetResidentSetting("AlarmTime1", hhmm));
    ASSERT_NO_FATAL_FAILURE(StartResident());
  }
  HWND box = WaitForBox(6000);
  ASSERT_NE(box, nullptr) << "no alarm message";
  EXPECT_EQ(MessageBoxText(box), message);
  if (!expect_before.empty()) {
    // The faked clock reached the program: the caption before the box.
    const Split s = SplitTitle(TitleOf(peer.hwnd()), kAngleMarkers);
    ASSERT_TRUE(s.captioned) << TitleOf(peer.hwnd());
    EXPECT_EQ(s.caption.substr(0, 7), expect_before) << s.caption;
    EXPECT_EQ(s.caption.substr(9), "26/11/23 Mon ");
  }
  ASSERT_TRUE(PostMessageW(box, WM_COMMAND, IDOK, 0));
  ASSERT_TRUE(WaitUntil([&] { return WindowsOf(vorlan_.pid(), kBoxClass, true).empty(); }, 2000));
  // The clock goes on, and the alarm rings once in its minute.
  ASSERT_TRUE(BringToFront(peer.hwnd()));
  if (!expect_before.empty()) {
    EXPECT_TRUE(WaitUntil(
        [&] {
          const Split s = SplitTitle(TitleOf(peer.hwnd()), kAngleMarkers);
          return s.captioned && s.caption.substr(0, 7) == "08:00:0";
        },
        3000))
        << TitleOf(peer.hwnd());
  } else {
    EXPECT_TRUE(WaitForCaption(peer.hwnd()).captioned);
  }
  const double until = NowMs() + 1200;
  while (NowMs() < until) {
    ASSERT_TRUE(WindowsOf(vorlan_.pid(), kBoxClass, true).empty()) << "the alarm rang again";
    Sleep(20);
  }
}

TEST_F(ResidentE2E, CopyCommandPutsExactlyTheCaptionOnTheClipboard) {
  ASSERT_TRUE(EmptyTheClipboard());
  Notepad notepad;
  ASSERT_NE(notepad.hwnd(), nullptr);
  ASSERT_NO_FATAL_FAILURE(StartServing(notepad.hwnd()));

  ASSERT_NO_FATAL_FAILURE(ChooseFromTrayMenu(kDownsToCopy));
  // The menu needed the foreground; the user's window gets it back, or the
  // clock (which never serves its own window) would wait for the user.
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notepad.hwnd(); }, 1000))
      << "in front: " << ClassOf(GetForegroundWindow());
  // The copy happens on the next full tick, which also writes that tick's
  // caption into the title: the clipboard holds one of the captions seen.
  std::set<std::string> seen;
  bool present = false;
  std::string copied;
  const bool done = WaitUntil(
      [&] {
        const Split s = SplitTitle(TitleOf(notepad.hwnd()), kAngleMarkers);
        if (s.captioned) seen.insert(s.caption);
        copied = ClipboardText(&present);
        return present;
      },
      3000, 5);
  ASSERT_TRUE(done) << "nothing was copied; in front: " << ClassOf(GetForegroundWindow());
  WaitUntil(
      [&] {
        const Split s = SplitTitle(TitleOf(notepad.hwnd()), kAngleMarkers);
        if (s.captioned) seen.insert(s.caption);
        return seen.count(copied) > 0;
      },
      1500, 5);
  EXPECT_TRUE(IsRecentDefaultCaption(copied)) << "[" << copied << "]";
  EXPECT_EQ(seen.count(copied), 1u) << "[" << copied << "] was never in the title";
  EXPECT_EQ(copied.back(), ' ') << "the caption ends with its separator";
  EXPECT_EQ(copied.find("《"), std::string::npos);
}

TEST_F(ResidentE2E, PauseTakesTheCaptionAwayUntilResumed) {
  PeerWindow peer(kPeerClass, L"一時停止の窓");
  ASSERT_NE(peer.hwnd(), nullptr);
  ASSERT_TRUE(BringToFront(peer.hwnd()));
  ASSERT_NO_FATAL_FAILURE(StartResident());
  ASSERT_TRUE(WaitForCaption(peer.hwnd()).captioned);

  ASSERT_NO_FATAL_FAILURE(ChooseFromTrayMenu(kDownsToPause));
  EXPECT_TRUE(WaitUntil([&] { return TitleOf(peer.hwnd()) == "一時停止の窓"; }, 1000))
      << TitleOf(peer.hwnd());
  const double until = NowMs() + 1300;  // full ticks would have written by now
  while (NowMs() < until) {
    ASSERT_EQ(TitleOf(peer.hwnd()), "一時停止の窓");
    Sleep(20);
  }
  ASSERT_NO_FATAL_FAILURE(ChooseFromTrayMenu(kDownsToPause));
  EXPECT_TRUE(WaitForCaption(peer.hwnd(), kAngleMarkers, false, 2000).captioned)
      << TitleOf(peer.hwnd());
}

// --- a window that does not answer -------------------------------------------------

TEST_F(ResidentE2E, HungForegroundWindowDoesNotStopTheClock) {
  PeerWindow frozen(kPeerClass, L"固まる窓");
  ASSERT_NE(frozen.hwnd(), nullptr);
  Notepad notepad;
  ASSERT_NE(notepad.hwnd(), nullptr);
  const std::string notepad_title = TitleOf(notepad.hwnd());
  ASSERT_TRUE(BringToFront(frozen.hwnd()));
  ASSERT_NO_FATAL_FAILURE(StartResident());
  ASSERT_TRUE(WaitForCaption(frozen.hwnd()).captioned)
      << "in front: " << ClassOf(GetForegroundWindow()) << " " << TitleOf(GetForegroundWindow());

  frozen.Hang();
  // Full ticks now try to write into a window that takes no messages.
  Sleep(1200);
  ASSERT_TRUE(BringToFront(notepad.hwnd()));
  const Split first = WaitForCaption(notepad.hwnd(), kAngleMarkers, false, 2000);
  ASSERT_TRUE(first.captioned) << "the clock stopped: " << TitleOf(notepad.hwnd());
  EXPECT_EQ(first.bare, notepad_title);
  EXPECT_TRUE(WaitUntil(
      [&] {
        const Split s = SplitTitle(TitleOf(notepad.hwnd()), kAngleMarkers);
        return s.captioned && s.caption != first.caption;
      },
      2000))
      << "the caption did not move on";
  EXPECT_TRUE(vorlan_.running());

  // Once it answers again, the frozen window ends up with its own title.
  frozen.Resume();
  EXPECT_TRUE(WaitUntil([&] { return TitleOf(frozen.hwnd()) == "固まる窓"; }, 3000))
      << TitleOf(frozen.hwnd());
}

// --- the X11 side ------------------------------------------------------------------

TEST_F(ResidentE2E, CaptionIsTheTitleSeenFromX11) {
  if (UnixPathOf("C:\\").empty()) GTEST_SKIP() << "not under Wine";
  const std::wstring name = L"X11 確認窓 " + std::to_wstring(GetCurrentProcessId());
  PeerWindow peer(kPeerClass, name);
  ASSERT_NE(peer.hwnd(), nullptr);
  ASSERT_TRUE(BringToFront(peer.hwnd()));
  ASSERT_NO_FATAL_FAILURE(StartResident());
  ASSERT_TRUE(WaitForCaption(peer.hwnd()).captioned);

  const std::string before = TitleOf(peer.hwnd());
  const std::string out = UnixPathOf(folder_->File("xdotool.txt"));
  ASSERT_FALSE(out.empty());
  // The window manager's view: the X window's name, found by a pattern that
  // only a captioned title matches.
  ASSERT_TRUE(StartThroughUnixShell(
      "if command -v xdotool >/dev/null; then "
      "timeout 5 xdotool search --name \"$1\" getwindowname %@ >\"$2.part\" 2>&1; "
      "else echo 'no xdotool' >\"$2.part\"; fi; mv \"$2.part\" \"$2\"",
      {"^" + WideToUtf8(name) + " 《  ", out}));
  const std::string out_windows = folder_->File("xdotool.txt");
  ASSERT_TRUE(WaitUntil([&] { return Exists(out_windows); }, 8000, 20)) << "xdotool gave nothing";
  const std::string after = TitleOf(peer.hwnd());
  std::string x_title = ReadRaw(out_windows);
  if (x_title == "no xdotool\n") GTEST_SKIP() << "xdotool is not installed";
  while (!x_title.empty() && (x_title.back() == '\n' || x_title.back() == '\r')) x_title.pop_back();
  EXPECT_EQ(x_title.find('\n'), std::string::npos) << "more than one window matched: " << x_title;
  const Split s = SplitTitle(x_title, kAngleMarkers);
  ASSERT_TRUE(s.captioned) << "X11 name: [" << x_title << "]";
  EXPECT_EQ(s.bare, WideToUtf8(name));
  // The same title as Windows reports, give or take the second in between.
  EXPECT_TRUE(x_title == before || x_title == after)
      << "X11 [" << x_title << "] Win32 [" << before << "] / [" << after << "]";
}

}  // namespace
}  // namespace e2e
