#include "resident/title/title_writer.h"

#include <gtest/gtest.h>

#include "resident/sim_resident.h"

namespace vorlan {
namespace {

using testing::SimResident;

TEST(TitleWriterTest, StripCaptionByPlacement) {
  const Markers m = MarkerPair(0);
  struct Case {
    const char* title;
    int placement;
    const char* bare;
  } cases[] = {
      {"無題 - メモ帳 《  21:05:07 98/05/03 Sun 》  ", 0, "無題 - メモ帳"},
      {"無題 - メモ帳", 0, "無題 - メモ帳"},
      // Everything from the first marker on goes, whoever wrote it.
      {"a 《  b 《  c", 0, "a"},
      {" 《  21:05:07 》  無題 - メモ帳", 1, "無題 - メモ帳"},
      {"x》  y》  z", 1, "y》  z"},
      {"no marks", 1, "no marks"},
      // The bracket alone, without its blanks, is not the marker.
      {"a《b", 0, "a《b"},
  };
  for (const Case& c : cases) EXPECT_EQ(StripCaption(c.title, m, c.placement), c.bare) << c.title;
  EXPECT_EQ(StripCaption(std::string_view("ab\0 《  c", 9), m, 0), "ab");
  EXPECT_EQ(StripCaption("a 「  b」  ", MarkerPair(1), 0), "a");
}

TEST(TitleWriterTest, ComposeTitleBothPlacements) {
  const Markers m = MarkerPair(0);
  EXPECT_EQ(ComposeTitle("無題 - メモ帳", "21:05:07 ", m, 0), "無題 - メモ帳 《  21:05:07 》  ");
  EXPECT_EQ(ComposeTitle("無題 - メモ帳", "21:05:07 ", m, 1), " 《  21:05:07 》  無題 - メモ帳");
}

TEST(TitleWriterTest, ClassNameCutAndGoneWindows) {
  SimResident s;
  const std::string long_class(70, 'C');
  const WindowHandle w = s.desktop.Open(long_class, "t");
  EXPECT_EQ(ClassNameOf(s.r, w), std::string(63, 'C'));
  EXPECT_EQ(ClassNameOf(s.r, 0), "");
  s.desktop.Close(w);
  EXPECT_EQ(ClassNameOf(s.r, w), "");
}

TEST(TitleWriterTest, ExclusionListEndsAtFirstGapAndIsCaseSensitive) {
  SimResident s;
  s.r.settings.NoPastClass[0] = "Notepad";
  s.r.settings.NoPastClass[2] = "Hidden";  // after a gap: never consulted
  EXPECT_EQ(IsExcludedClass(s.r, "Notepad"), 1);
  EXPECT_EQ(IsExcludedClass(s.r, "notepad"), 0);
  EXPECT_EQ(IsExcludedClass(s.r, "Hidden"), 0);
  EXPECT_EQ(IsExcludedClass(s.r, ""), 0);
}

TEST(TitleWriterTest, GateOncePerSecondOrOnWindowChange) {
  SimResident s;
  const WindowHandle a = s.desktop.Open("A", "a");
  const WindowHandle b = s.desktop.Open("B", "b");
  s.clock.Set(2026, 1, 1, 10, 0, 5);
  EXPECT_EQ(TickGate(s.r, a, "A"), 1);
  s.r.state.LastWindow = a;
  EXPECT_EQ(TickGate(s.r, a, "A"), 0);  // same second, same window
  EXPECT_EQ(TickGate(s.r, b, "B"), 1);  // another window
  s.clock.AdvanceMs(1000);
  EXPECT_EQ(TickGate(s.r, a, "A"), 1);
  EXPECT_EQ(s.r.state.LastSecond, 6);
  EXPECT_EQ(TickGate(s.r, s.form1, "ThunderRT6FormDC"), 0);
}

TEST(TitleWriterTest, ExcludedWindowRestoresPreviousOnEveryEvent) {
  SimResident s;
  s.r.settings.NoPastClass[0] = "Excluded";
  const WindowHandle a = s.desktop.Open("A", "a 《  x》  ");
  const WindowHandle x = s.desktop.Open("Excluded", "x");
  s.r.state.LastWindow = a;
  s.r.state.SavedTitle = "a";
  for (int i = 0; i < 3; ++i) EXPECT_EQ(TickGate(s.r, x, "Excluded"), 0);
  int restores = 0;
  for (const auto& e : s.desktop.events())
    if (e.kind == sim::SimDesktop::Event::SetTitle && e.window == a && e.text == "a") ++restores;
  EXPECT_EQ(restores, 3);
  EXPECT_EQ(s.Title(x), "x");
}

TEST(TitleWriterTest, DesktopConditionCounts) {
  SimResident s;
  const WindowHandle p = s.desktop.Open("Progman", "Program Manager");
  const int expected[] = {0, 0, 1, 1};
  for (int want : expected) EXPECT_EQ(DesktopWanted(s.r, "Progman", p), want);
  EXPECT_EQ(DesktopWanted(s.r, "Notepad", 5), 0);
  EXPECT_EQ(s.r.state.DesktopCount, 0);
  EXPECT_EQ(DesktopWanted(s.r, "", 0), 0);
  EXPECT_EQ(DesktopWanted(s.r, "ThunderRTMain", 7), 0);
  EXPECT_EQ(DesktopWanted(s.r, "", 0), 1);
}

TEST(TitleWriterTest, DesktopStepDrawsFromSecondTickAndErasesOnLeave) {
  SimResident s;
  s.r.settings.DrawDesktop = 1;
  s.desktop.SetScreenSize(800, 600);
  DesktopStep(s.r, "Progman", 9, "cap ");
  EXPECT_EQ(s.desktop.painted(), "");
  DesktopStep(s.r, "Progman", 9, "cap ");
  EXPECT_EQ(s.desktop.painted(), "cap         ");  // eight blanks after the caption
  EXPECT_EQ(s.desktop.events().back().y, 0);
  DesktopStep(s.r, "Progman", 9, "cap2 ");
  EXPECT_EQ(s.desktop.painted(), "cap2         ");
  DesktopStep(s.r, "Notepad", 3, "cap ");
  EXPECT_EQ(s.desktop.painted(), "");
  EXPECT_EQ(s.desktop.events().back().kind, sim::SimDesktop::Event::Invalidate);
  EXPECT_EQ(s.r.state.DesktopDrawn, 0);

  s.r.settings.DrawDesktopPoint = 1;
  for (int i = 0; i < 2; ++i) DesktopStep(s.r, "", 0, "c");
  EXPECT_EQ(s.desktop.events().back().y, 580);

  SimResident off;
  off.r.settings.DrawDesktop = 0;
  for (int i = 0; i < 4; ++i) DesktopStep(off.r, "Progman", 9, "c");
  EXPECT_TRUE(off.desktop.events().empty());
}

TEST(TitleWriterTest, PlaceCaptionSwitchRestoresInSameTick) {
  SimResident s;
  s.r.settings.markers = MarkerPair(0);
  const WindowHandle a = s.desktop.Open("A", "無題 - メモ帳", true);
  const WindowHandle b = s.desktop.Open("B", "電卓");
  PlaceCaption(s.r, a, "A", "c1 ", 0);
  EXPECT_EQ(s.Title(a), "無題 - メモ帳 《  c1 》  ");
  s.desktop.SetForeground(b);
  s.desktop.ClearEvents();
  PlaceCaption(s.r, b, "B", "c2 ", 0);
  EXPECT_EQ(s.Title(a), "無題 - メモ帳");
  EXPECT_EQ(s.Title(b), "電卓 《  c2 》  ");
  ASSERT_EQ(s.desktop.events().size(), 2u);
  EXPECT_EQ(s.desktop.events()[0].window, a);  // the restore comes first
  EXPECT_EQ(s.r.state.LastWindow, b);
  EXPECT_EQ(s.r.state.SavedTitle, "電卓");
}

TEST(TitleWriterTest, PlaceCaptionBeforeTitle) {
  SimResident s;
  s.r.settings.Haiti2 = 1;
  const WindowHandle a = s.desktop.Open("A", "doc", true);
  PlaceCaption(s.r, a, "A", "c1 ", 0);
  EXPECT_EQ(s.Title(a), " 《  c1 》  doc");
  PlaceCaption(s.r, a, "A", "c2 ", 0);
  EXPECT_EQ(s.Title(a), " 《  c2 》  doc");
  EXPECT_EQ(s.r.state.SavedTitle, "doc");
}

TEST(TitleWriterTest, NoCaptionForEmptyTitlesShellWindowsOrLostForeground) {
  SimResident s;
  const WindowHandle a = s.desktop.Open("A", "a", true);
  const WindowHandle empty = s.desktop.Open("E", "");
  const WindowHandle desk = s.desktop.Open("Progman", "Program Manager");
  const WindowHandle bar = s.desktop.Open("Shell_TrayWnd", "");
  const WindowHandle other = s.desktop.Open("O", "o");
  PlaceCaption(s.r, a, "A", "c ", 0);
  for (WindowHandle w : {empty, desk, bar}) {
    s.desktop.SetForeground(w);
    PlaceCaption(s.r, w, ClassNameOf(s.r, w), "c ", 0);
    EXPECT_EQ(s.Title(a), "a");
  }
  EXPECT_EQ(s.Title(empty), "");
  EXPECT_EQ(s.Title(desk), "Program Manager");
  // The foreground moved on during the tick: nothing is written.
  s.desktop.SetForeground(a);
  PlaceCaption(s.r, other, "O", "c ", 0);
  EXPECT_EQ(s.Title(other), "o");
  EXPECT_EQ(s.r.state.LastWindow, other);
}

TEST(TitleWriterTest, ClosedWindowIsNotRestoredAndShellIsNeverRestored) {
  SimResident s;
  const WindowHandle a = s.desktop.Open("A", "a", true);
  const WindowHandle b = s.desktop.Open("B", "b");
  PlaceCaption(s.r, a, "A", "c ", 0);
  s.desktop.Close(a);
  s.desktop.SetForeground(b);
  s.desktop.ClearEvents();
  PlaceCaption(s.r, b, "B", "c ", 0);
  ASSERT_EQ(s.desktop.events().size(), 1u);
  EXPECT_EQ(s.desktop.events()[0].window, b);
}

TEST(TitleWriterTest, UnchangedTitleIsNotRewrittenButPauseRestoreIs) {
  SimResident s;
  const WindowHandle a = s.desktop.Open("A", "a", true);
  PlaceCaption(s.r, a, "A", "c ", 0);
  s.desktop.ClearEvents();
  PlaceCaption(s.r, a, "A", "c ", 0);
  EXPECT_TRUE(s.desktop.events().empty());
  PlaceCaption(s.r, a, "A", "c ", 1);
  ASSERT_EQ(s.desktop.events().size(), 2u);
  EXPECT_EQ(s.desktop.events()[0].text, "a");
  EXPECT_EQ(s.desktop.events()[1].text, "a 《  c 》  ");
}

TEST(TitleWriterTest, OwnProgramsTitleChangeIsTakenAsBare) {
  SimResident s;
  const WindowHandle a = s.desktop.Open("A", "old", true);
  PlaceCaption(s.r, a, "A", "c ", 0);
  s.desktop.ProgramSetsTitle(a, "new");
  PlaceCaption(s.r, a, "A", "c ", 0);
  EXPECT_EQ(s.Title(a), "new 《  c 》  ");
  EXPECT_EQ(s.r.state.SavedTitle, "new");
}

}  // namespace
}  // namespace vorlan
