// The end-to-end driver: the Win32 platform layer and the core together,
// against the real system (or Wine), run by tests/e2e/run-wine.sh.
#include <gtest/gtest.h>

#include <cstdio>

#include "e2e/win32/support.h"

int wmain(int argc, wchar_t** argv) {
  // Test names and failure messages carry Japanese text in UTF-8; a console
  // would otherwise show them in its OEM code page.
  SetConsoleOutputCP(CP_UTF8);
  testing::InitGoogleTest(&argc, argv);
  // Everything about the holiday file assumes the Japanese system, where the
  // ANSI functions speak code page 932; elsewhere the comparisons with the
  // system's reader would compare different encodings.
  if (GetACP() != 932) {
    std::fprintf(stderr, "vorlan_e2e: the ANSI code page is %u, not 932; run under a Japanese "
                         "locale (run-wine.sh sets LC_ALL=ja_JP.UTF-8)\n", GetACP());
    return 2;
  }
  return RUN_ALL_TESTS();
}
