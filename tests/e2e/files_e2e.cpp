// Win32Files on a real file system: kinds, reading while others hold the file,
// and whole-file replacement that never leaves a damaged or missing file.
#include <gtest/gtest.h>

#include "e2e/win32/support.h"
#include "platform/win32/text_conv.h"
#include "platform/win32/win32_files.h"

using vorlan::FileKind;
using vorlan::win32::Utf8ToWide;

namespace {

class FilesE2E : public testing::Test {
 protected:
  e2e::TempFolder dir_{"files"};
  vorlan::win32::Win32Files files_;
};

TEST_F(FilesE2E, Kinds) {
  const std::string plain = dir_.File("祝日.ini");
  const std::string hidden = dir_.File("hidden.ini");
  const std::string system = dir_.File("system.ini");
  const std::string sub = dir_.File("ﾌｫﾙﾀﾞ");
  ASSERT_TRUE(e2e::WriteRaw(plain, "x"));
  ASSERT_TRUE(e2e::WriteRaw(hidden, "x"));
  ASSERT_TRUE(e2e::WriteRaw(system, "x"));
  ASSERT_TRUE(CreateDirectoryW(Utf8ToWide(sub).c_str(), nullptr));
  ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(system).c_str(), FILE_ATTRIBUTE_SYSTEM));

  EXPECT_EQ(files_.Kind(plain), FileKind::Ordinary);
  EXPECT_EQ(files_.Kind(dir_.File("ない.ini")), FileKind::Missing);
  EXPECT_EQ(files_.Kind(dir_.File("no folder\\x.ini")), FileKind::Missing);
  EXPECT_EQ(files_.Kind(sub), FileKind::Directory);
  EXPECT_EQ(files_.Kind(dir_.path()), FileKind::Directory);
  EXPECT_EQ(files_.Kind(hidden), FileKind::Special);
  EXPECT_EQ(files_.Kind(system), FileKind::Special);
  // File names compare without regard to letter case.
  EXPECT_EQ(files_.Kind(dir_.File("HIDDEN.INI")), FileKind::Special);
}

TEST_F(FilesE2E, ReadBytes) {
  const std::string path = dir_.File("Saijitu.ini");
  const std::string bytes("[ 5\x8C\x8E\x8D\xD5\x93\xFA]\r\n\0binary\xFF", 17);
  ASSERT_TRUE(e2e::WriteRaw(path, bytes));
  EXPECT_EQ(files_.ReadBytes(path), bytes);
  EXPECT_EQ(files_.ReadBytes(dir_.File("saijitu.INI")), bytes);

  const std::string empty = dir_.File("empty.ini");
  ASSERT_TRUE(e2e::WriteRaw(empty, ""));
  ASSERT_TRUE(files_.ReadBytes(empty).has_value());
  EXPECT_EQ(*files_.ReadBytes(empty), "");

  EXPECT_FALSE(files_.ReadBytes(dir_.File("missing.ini")).has_value());
  EXPECT_FALSE(files_.ReadBytes(dir_.path()).has_value()) << "a folder is not a file";

  std::string big(300 * 1024, 'a');
  for (std::size_t i = 0; i < big.size(); i += 997) big[i] = static_cast<char>(i);
  ASSERT_TRUE(e2e::WriteRaw(path, big));
  EXPECT_EQ(files_.ReadBytes(path), big);
}

TEST_F(FilesE2E, ReadsAFileAnotherProgramHasOpenForWriting) {
  const std::string path = dir_.File("open.ini");
  ASSERT_TRUE(e2e::WriteRaw(path, "[a]\r\nb=c\r\n"));
  HANDLE writer = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(files_.ReadBytes(path), "[a]\r\nb=c\r\n");
  CloseHandle(writer);
}

TEST_F(FilesE2E, ReplaceBytesCreatesAndReplacesLeavingNothingElse) {
  const std::string path = dir_.File("祭日.ini");
  ASSERT_TRUE(files_.ReplaceBytes(path, "first"));
  EXPECT_EQ(e2e::ReadRaw(path), "first");
  ASSERT_TRUE(files_.ReplaceBytes(path, "second, longer"));
  EXPECT_EQ(e2e::ReadRaw(path), "second, longer");
  ASSERT_TRUE(files_.ReplaceBytes(path, "3"));
  EXPECT_EQ(e2e::ReadRaw(path), "3");
  ASSERT_TRUE(files_.ReplaceBytes(path, ""));
  EXPECT_EQ(e2e::ReadRaw(path), "");
  // No temporary file is left beside it.
  EXPECT_EQ(e2e::ListFolder(dir_.path()), "祭日.ini");
}

TEST_F(FilesE2E, ReplaceBytesKeepsHiddenAndSystemMarks) {
  const std::string path = dir_.File("marked.ini");
  ASSERT_TRUE(e2e::WriteRaw(path, "old"));
  ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(files_.ReplaceBytes(path, "new"));
  EXPECT_EQ(e2e::ReadRaw(path), "new");
  EXPECT_EQ(files_.Kind(path), FileKind::Special);
}

TEST_F(FilesE2E, ReplaceBytesIntoAMissingFolderFailsAndCreatesNothing) {
  const std::string path = dir_.File("no such folder\\Saijitu.ini");
  EXPECT_FALSE(files_.ReplaceBytes(path, "new"));
  EXPECT_FALSE(e2e::Exists(dir_.File("no such folder")));
  EXPECT_EQ(e2e::ListFolder(dir_.path()), "");
}

TEST_F(FilesE2E, ReplaceBytesLeavesAReadOnlyFileAlone) {
  const std::string path = dir_.File("readonly.ini");
  ASSERT_TRUE(e2e::WriteRaw(path, "[keep]\r\nthis=1\r\n"));
  ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(files_.ReplaceBytes(path, "new"));
  EXPECT_EQ(e2e::ReadRaw(path), "[keep]\r\nthis=1\r\n");
  EXPECT_NE(GetFileAttributesW(Utf8ToWide(path).c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(e2e::ListFolder(dir_.path()), "readonly.ini") << "the temporary file is gone";
}

TEST_F(FilesE2E, ReplaceBytesRefusesAFolder) {
  const std::string sub = dir_.File("Saijitu.ini");
  ASSERT_TRUE(CreateDirectoryW(Utf8ToWide(sub).c_str(), nullptr));
  EXPECT_FALSE(files_.ReplaceBytes(sub, "new"));
  EXPECT_EQ(files_.Kind(sub), FileKind::Directory);
  EXPECT_EQ(e2e::ListFolder(dir_.path()), "Saijitu.ini");
}

TEST_F(FilesE2E, ReplaceBytesFailsWhileTheFileIsHeldWithoutDeleteSharing) {
  // The case of a full disk or a crash cannot be staged here; a refused final
  // step can: another program holds the file open without FILE_SHARE_DELETE,
  // so it cannot be renamed over.
  const std::string path = dir_.File("held.ini");
  ASSERT_TRUE(e2e::WriteRaw(path, "old content"));
  HANDLE holder = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(files_.ReplaceBytes(path, "new content"));
  CloseHandle(holder);
  EXPECT_EQ(e2e::ReadRaw(path), "old content");
  EXPECT_EQ(e2e::ListFolder(dir_.path()), "held.ini") << "the temporary file is gone";
}

}  // namespace
