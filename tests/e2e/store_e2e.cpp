// Win32Store against the registry itself: what it writes is where and how
// other readers of the store (the original programs used Visual Basic's
// GetSetting/SaveSetting) expect it, and what they write it reads.
#include <gtest/gtest.h>

#include <string>

#include "common/store_keys.h"
#include "e2e/win32/support.h"
#include "platform/win32/text_conv.h"
#include "platform/win32/win32_store.h"

using vorlan::win32::Utf8ToWide;
using vorlan::win32::WideToUtf8;
using vorlan::win32::Win32Store;

namespace {

const std::wstring kStoreRoot = L"Software\\VB and VBA Program Settings\\QMR";

// A section of our own for each test, removed afterwards; "Vorlan2" itself
// is never touched.
class StoreTest : public testing::Test {
 protected:
  void SetUp() override {
    section_ = "E2E " + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
               " " + std::to_string(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_CURRENT_USER, SectionKey().c_str());
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, SectionKey().c_str()); }

  std::wstring SectionKey() const { return kStoreRoot + L"\\" + Utf8ToWide(section_); }

  // The value as the registry has it, read with RegGetValueW: type and text.
  struct RawValue {
    LSTATUS status = ERROR_FILE_NOT_FOUND;
    DWORD type = REG_NONE;
    std::wstring text;
  };
  RawValue Raw(const std::string& key) const {
    RawValue v;
    DWORD bytes = 0;
    v.status = RegGetValueW(HKEY_CURRENT_USER, SectionKey().c_str(), Utf8ToWide(key).c_str(),
                            RRF_RT_ANY, &v.type, nullptr, &bytes);
    if (v.status != ERROR_SUCCESS) return v;
    std::wstring buf(bytes / sizeof(wchar_t) + 1, L'\0');
    v.status = RegGetValueW(HKEY_CURRENT_USER, SectionKey().c_str(), Utf8ToWide(key).c_str(),
                            RRF_RT_ANY, &v.type, buf.data(), &bytes);
    buf.resize(bytes / sizeof(wchar_t));
    if (!buf.empty() && buf.back() == L'\0') buf.pop_back();
    v.text = buf;
    return v;
  }

  std::string section_;
  Win32Store store_;
};

TEST_F(StoreTest, SectionPathIsWhereVisualBasicKeepsSettings) {
  EXPECT_EQ(Win32Store::SectionPath(vorlan::kStoreApp, vorlan::kStoreSection),
            "Software\\VB and VBA Program Settings\\QMR\\Vorlan2");
}

TEST_F(StoreTest, SavedValuesAreRegSzAtTheVisualBasicPath) {
  const struct {
    std::string key, value;
  } values[] = {
      {"DrawDesktop", " 1"},
      {"CalBackColor", "-2147483633"},
      {"Caption", "ﾃﾞｽｸﾄｯﾌﾟにも貼付ける"},
      {"Label", "起動時にｽﾌﾟﾗｯｼｭを表示(&V)"},
      {"Empty", ""},
      {"SoundEnabled 10, 7", " 0"},  // key names with blanks and a comma
      {"祭日キー", "名前も日本語"},
      {"Beyond932", "🕐 Ω é 한"},  // the store is UTF-16: no code page limits
  };
  for (const auto& v : values) ASSERT_TRUE(store_.Save("QMR", section_, v.key, v.value)) << v.key;

  for (const auto& v : values) {
    const RawValue raw = Raw(v.key);
    ASSERT_EQ(raw.status, ERROR_SUCCESS) << v.key;
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ)) << v.key;
    EXPECT_EQ(WideToUtf8(raw.text), v.value) << v.key;
    EXPECT_EQ(store_.Get("QMR", section_, v.key, "fallback"), v.value) << v.key;
  }
}

TEST_F(StoreTest, EmptyValueIsStoredWithItsTerminator) {
  ASSERT_TRUE(store_.Save("QMR", section_, "Empty", ""));
  DWORD type = 0, bytes = 0;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey().c_str(), 0, KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(key, L"Empty", nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, sizeof(wchar_t));  // just the NUL
  // An empty stored value is a value, not a missing key: no fallback.
  EXPECT_EQ(store_.Get("QMR", section_, "Empty", "fallback"), "");
}

TEST_F(StoreTest, ValuesWrittenByOthersAreRead) {
  const std::wstring text = L"ﾃﾞｽｸﾄｯﾌﾟにも貼付ける";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey().c_str(), L"Caption", REG_SZ,
                            text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey().c_str(), L"Empty", REG_SZ, L"",
                            sizeof(wchar_t)),
            ERROR_SUCCESS);
  // Some writers store an empty string with no data at all, or without the
  // terminating NUL; both read as the text they hold.
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey().c_str(), L"NoData", REG_SZ, nullptr, 0),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey().c_str(), L"NoNul", REG_SZ, L"abc",
                            3 * sizeof(wchar_t)),
            ERROR_SUCCESS);
  const std::wstring long_text(5000, L'祭');
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey().c_str(), L"Long", REG_SZ,
                            long_text.c_str(),
                            static_cast<DWORD>((long_text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);

  EXPECT_EQ(store_.Get("QMR", section_, "Caption"), "ﾃﾞｽｸﾄｯﾌﾟにも貼付ける");
  EXPECT_EQ(store_.Get("QMR", section_, "caption"), "ﾃﾞｽｸﾄｯﾌﾟにも貼付ける")
      << "registry value names ignore letter case";
  EXPECT_EQ(store_.Get("QMR", section_, "Empty", "fallback"), "");
  EXPECT_EQ(store_.Get("QMR", section_, "NoData", "fallback"), "");
  EXPECT_EQ(store_.Get("QMR", section_, "NoNul", "fallback"), "abc");
  EXPECT_EQ(store_.Get("QMR", section_, "Long"), WideToUtf8(long_text));
}

TEST_F(StoreTest, MissingKeySectionOrApplicationGivesTheFallback) {
  ASSERT_TRUE(store_.Save("QMR", section_, "Present", "yes"));
  EXPECT_EQ(store_.Get("QMR", section_, "Absent", " 4"), " 4");
  EXPECT_EQ(store_.Get("QMR", section_, "Absent"), "");
  EXPECT_EQ(store_.Get("QMR", section_ + " missing", "Present", "fb"), "fb");
  EXPECT_EQ(store_.Get("QMR-missing-app", section_, "Present", "fb"), "fb");
  // Not text: the programs never write such values, and one reads as missing.
  const DWORD number = 7;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey().c_str(), L"Dword", REG_DWORD, &number,
                            sizeof number),
            ERROR_SUCCESS);
  EXPECT_EQ(store_.Get("QMR", section_, "Dword", "fb"), "fb");
}

TEST_F(StoreTest, SaveReplacesTheValue) {
  ASSERT_TRUE(store_.Save("QMR", section_, "WeekTyp", " 7"));
  ASSERT_TRUE(store_.Save("QMR", section_, "WeekTyp", " 2"));
  EXPECT_EQ(WideToUtf8(Raw("WeekTyp").text), " 2");
  EXPECT_EQ(store_.Get("QMR", section_, "WeekTyp"), " 2");
}

TEST_F(StoreTest, DeleteSectionRemovesOnlyThatSection) {
  const std::string sibling = section_ + " sibling";
  ASSERT_TRUE(store_.Save("QMR", section_, "InstPath", "C:\\Program Files\\Vorlan2"));
  ASSERT_TRUE(store_.Save("QMR", sibling, "Keep", "me"));

  EXPECT_TRUE(store_.DeleteSection("QMR", section_));
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey().c_str(), 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  if (key) RegCloseKey(key);
  EXPECT_EQ(store_.Get("QMR", section_, "InstPath", "gone"), "gone");
  EXPECT_EQ(store_.Get("QMR", sibling, "Keep"), "me");
  // The application key stays for the other sections.
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kStoreRoot.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);

  // Deleting what is not there is no failure.
  EXPECT_TRUE(store_.DeleteSection("QMR", section_));
  EXPECT_TRUE(store_.DeleteSection("QMR", sibling));
  EXPECT_EQ(store_.Get("QMR", sibling, "Keep", "gone"), "gone");
}

TEST_F(StoreTest, EmptyNamesAddressNothing) {
  ASSERT_TRUE(store_.Save("QMR", section_, "Keep", "me"));
  // An empty section would be the application key itself: deleting it would
  // take every section with it.
  EXPECT_FALSE(store_.DeleteSection("QMR", ""));
  EXPECT_FALSE(store_.Save("QMR", "", "Key", "v"));
  EXPECT_FALSE(store_.Save("QMR", section_, "", "v"));
  EXPECT_EQ(store_.Get("QMR", section_, "", "fb"), "fb");
  EXPECT_EQ(store_.Get("QMR", section_, "Keep"), "me");
}

}  // namespace
