// Clock, locale, code page 932 and message boxes of the Win32 layer under a
// Japanese system.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "common/calendar_math.h"
#include "e2e/win32/support.h"
#include "platform/win32/text_conv.h"
#include "platform/win32/win32_basics.h"

using vorlan::win32::Utf8ToWide;
using vorlan::win32::WideToUtf8;

namespace {

TEST(LocaleE2E, JapaneseFormats) {
  const vorlan::LocaleFormats f = vorlan::win32::Win32Locale().Formats();
  EXPECT_EQ(f.time_separator, ":");
  EXPECT_EQ(f.date_separator, "/");
  EXPECT_EQ(f.am, "午前");
  EXPECT_EQ(f.pm, "午後");
  EXPECT_EQ(f.decimal_point, ".");
}

TEST(CodecE2E, RoundTripsShiftJis) {
  const vorlan::win32::Win32Codec codec;
  const std::string sjis = "\x93\xFA\x96\x7B\x8C\xEA\xB1";  // 日本語ｱ
  EXPECT_EQ(codec.Cp932ToUtf8(sjis), "日本語ｱ");
  EXPECT_EQ(codec.Utf8ToCp932("日本語ｱ"), sjis);
  EXPECT_EQ(codec.Cp932ToUtf8(codec.Utf8ToCp932("ﾃﾞｽｸﾄｯﾌﾟにも貼付ける")), "ﾃﾞｽｸﾄｯﾌﾟにも貼付ける");
  // The two characters famous for a trail byte of '\' and ']' survive.
  EXPECT_EQ(codec.Utf8ToCp932("ソゾ"), "\x83\x5C\x83\x5D");
  EXPECT_EQ(codec.Cp932ToUtf8(""), "");
  EXPECT_EQ(codec.Utf8ToCp932(""), "");
}

TEST(CodecE2E, NeverFails) {
  const vorlan::win32::Win32Codec codec;
  // Hangul is outside code page 932: the platform writes its default '?'.
  EXPECT_EQ(codec.Utf8ToCp932("a한b"), "a?b");
  // A lead byte at the very end, and a lead byte with an invalid trail byte,
  // still decode, the rest of the text intact.
  const std::string damaged = codec.Cp932ToUtf8("ab\x81");
  EXPECT_EQ(damaged.substr(0, 2), "ab");
  EXPECT_GT(damaged.size(), 2u);
  const std::string bad_trail = codec.Cp932ToUtf8("\x81\x20x");
  EXPECT_EQ(bad_trail.back(), 'x');
}

TEST(TextConvE2E, Utf8AndUtf16) {
  EXPECT_EQ(Utf8ToWide("日本語ｱ🕐"), L"日本語ｱ🕐");
  EXPECT_EQ(WideToUtf8(L"日本語ｱ🕐"), "日本語ｱ🕐");
  EXPECT_EQ(Utf8ToWide(""), L"");
  EXPECT_EQ(WideToUtf8(L""), "");
  // Ill-formed input is replaced, not dropped.
  EXPECT_EQ(Utf8ToWide("a\xFF" "b"), L"a\xFFFD" L"b");
  EXPECT_EQ(WideToUtf8(std::wstring(L"a\xD800" L"b")), "a\xEF\xBF\xBD" "b");
}

TEST(ClockE2E, AgreesWithTheSystemClock) {
  const vorlan::win32::Win32Clock clock;
  SYSTEMTIME before{}, after{};
  vorlan::LocalTime now{};
  // Retry across a second boundary so the two readings can be compared.
  for (int i = 0; i < 5; ++i) {
    GetLocalTime(&before);
    now = clock.Now();
    GetLocalTime(&after);
    if (before.wSecond == after.wSecond) break;
  }
  EXPECT_EQ(now.year, after.wYear);
  EXPECT_EQ(now.month, after.wMonth);
  EXPECT_EQ(now.day, after.wDay);
  EXPECT_EQ(now.hour, after.wHour);
  EXPECT_EQ(now.minute, after.wMinute);
  EXPECT_EQ(now.second, after.wSecond);
  EXPECT_GE(now.millisecond, 0);
  EXPECT_LE(now.millisecond, 999);
  EXPECT_EQ(now.weekday, vorlan::WeekdayOf(now.year, now.month, now.day)) << "1 = Sunday";

  // The tick count moves with real time. Wine updates it in steps of about
  // 16 ms, so it is compared over a longer stretch, timed independently.
  LARGE_INTEGER freq{}, q0{}, q1{};
  QueryPerformanceFrequency(&freq);
  const std::uint64_t t0 = clock.TickMs();
  QueryPerformanceCounter(&q0);
  do {
    Sleep(20);
    QueryPerformanceCounter(&q1);
  } while (q1.QuadPart - q0.QuadPart < freq.QuadPart / 5);  // 200 ms
  const std::uint64_t t1 = clock.TickMs();
  EXPECT_GE(t1 - t0, 150u);
  EXPECT_LT(t1 - t0, 1000u);
}

// Shows a box on a thread of its own, finds it from here as another program
// would, checks it and closes it with a button.
class MessageBoxE2E : public testing::Test {
 protected:
  struct Seen {
    bool found = false;
    std::wstring text;
    bool has_ok = false, has_yes = false, has_no = false, topmost = false;
  };

  static HWND FindBox(const std::wstring& title) {
    for (int i = 0; i < 200; ++i) {  // up to 10 s
      HWND box = FindWindowW(L"#32770", title.c_str());
      // A message box is created hidden and shown a moment later.
      if (box && IsWindowVisible(box)) return box;
      Sleep(50);
    }
    return nullptr;
  }

  static Seen ShowAndAnswer(const std::string& title, const std::string& text,
                            vorlan::MessageKind kind, bool system_modal, int answer, int* result) {
    // Shared with the thread, which may outlive this call (see below).
    auto returned = std::make_shared<std::atomic<int>>(-1);
    std::thread shower([returned, title, text, kind, system_modal] {
      vorlan::win32::Win32MessageBoxes boxes;
      *returned = boxes.Show(title, text, kind, system_modal);
    });
    Seen seen;
    HWND box = FindBox(Utf8ToWide(title));
    if (box) {
      seen.found = true;
      wchar_t buf[512] = {};
      GetDlgItemTextW(box, 0xFFFF, buf, 512);  // the message text's static
      seen.text = buf;
      seen.has_ok = GetDlgItem(box, IDOK) != nullptr;
      seen.has_yes = GetDlgItem(box, IDYES) != nullptr;
      seen.has_no = GetDlgItem(box, IDNO) != nullptr;
      seen.topmost = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
      shower.join();
      *result = *returned;
    } else {
      // The box never appeared; the thread is stuck inside MessageBoxW and
      // ends with the process.
      shower.detach();
      *result = -1;
    }
    return seen;
  }
};

TEST_F(MessageBoxE2E, QuestionHasYesAndNoAndIsSystemModalWhenAsked) {
  int result = 0;
  const Seen seen = ShowAndAnswer("Vorlan2 e2e question", "今日は祭日です。\n終了しますか?",
                                  vorlan::MessageKind::Question, true, IDNO, &result);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(WideToUtf8(seen.text), "今日は祭日です。\n終了しますか?");
  EXPECT_TRUE(seen.has_yes);
  EXPECT_TRUE(seen.has_no);
  EXPECT_FALSE(seen.has_ok);
  EXPECT_TRUE(seen.topmost) << "a system-modal box stays above other windows";
  EXPECT_EQ(result, vorlan::kButtonNo);
}

TEST_F(MessageBoxE2E, StopHasOnlyOkAndIsOrdinaryOtherwise) {
  int result = 0;
  const Seen seen = ShowAndAnswer("Vorlan2 e2e stop", "祭日情報ﾌｧｲﾙ「Saijitu.ini」が見つかりません",
                                  vorlan::MessageKind::Stop, false, IDOK, &result);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(WideToUtf8(seen.text), "祭日情報ﾌｧｲﾙ「Saijitu.ini」が見つかりません");
  EXPECT_TRUE(seen.has_ok);
  EXPECT_FALSE(seen.has_yes);
  EXPECT_FALSE(seen.topmost);
  EXPECT_EQ(result, vorlan::kButtonOk);
}

}  // namespace
