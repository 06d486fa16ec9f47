#include "platform/win32/win32_files.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/text_conv.h"

namespace vorlan::win32 {

namespace {

// The folder part of a path including its final separator ("" for a bare
// name, which then lives in the current folder like the target itself).
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

// A name no other writer uses at the same moment: process id and a
// per-process counter. CREATE_NEW makes a clash (a file left by an earlier
// process of the same id) fail instead of sharing the file, and the caller
// then tries the next number. A crash between
// creating and moving leaves such a file behind, never a damaged target.
std::wstring TempNameBeside(const std::wstring& target) {
  static std::atomic<unsigned> counter{0};
  return FolderOf(target) + L"~vrl" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(counter.fetch_add(1)) + L".tmp";
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  // WriteFile takes a DWORD count and may write less than asked.
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

FileKind Win32Files::Kind(std::string_view path) const {
  const DWORD attrs = GetFileAttributesW(Utf8ToWide(path).c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return FileKind::Missing;
  // A folder is a folder even when hidden (the user's AppData is).
  if (attrs & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Directory;
  if (attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return FileKind::Special;
  return FileKind::Ordinary;
}

std::optional<std::string> Win32Files::ReadBytes(std::string_view path) const {
  // Sharing everything: another program may have the file open for writing
  // (an editor, or a second instance of ours replacing it); reading must not
  // fail for that, nor stop them.
  UniqueHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  // A folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS, so it
  // lands here too.
  if (!file) return std::nullopt;
  std::string bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 31))
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  // Read to the end rather than to the size seen above: the file may grow or
  // shrink while it is read.
  char buf[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buf, sizeof buf, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    bytes.append(buf, got);
  }
  return bytes;
}

bool Win32Files::ReplaceBytes(std::string_view path, std::string_view bytes) {
  const std::wstring target = Utf8ToWide(path);
  if (target.empty()) return false;

  // MoveFileExW would replace a read-only file on some systems and refuse on
  // others (Wine renames over it, Windows reports access denied); a file the
  // user protected is never replaced here. A folder is never a target.
  const DWORD old_attrs = GetFileAttributesW(target.c_str());
  if (old_attrs != INVALID_FILE_ATTRIBUTES &&
      (old_attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;

  // The temporary file must be in the same folder: only within one volume is
  // the move a rename (across volumes it would be a copy, which can fail
  // halfway, and without MOVEFILE_COPY_ALLOWED it is refused).
  std::wstring temp;
  UniqueHandle file;
  for (unsigned attempt = 0; attempt < 16 && !file; ++attempt) {
    temp = TempNameBeside(target);
    file = UniqueHandle(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    // Only a name clash is worth another attempt; a missing folder, a full
    // disk or a denied access will not go away.
    if (!file && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
  }
  if (!file) return false;

  // From here on the temporary file exists and must go on any failure.
  bool ok = WriteAll(file.get(), bytes);
  // The data must be on the disk before the rename makes it the file; without
  // the flush a crash right after the move could leave an empty or partial
  // file under the target's name.
  ok = ok && FlushFileBuffers(file.get());
  ok = file.Close() && ok;
  // Keep the old file's hidden, system and archive marks, as an editor that
  // rewrites it in place would.
  if (ok && old_attrs != INVALID_FILE_ATTRIBUTES) {
    const DWORD keep = old_attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (keep != 0) SetFileAttributesW(temp.c_str(), keep);
  }
  // MOVEFILE_REPLACE_EXISTING makes this a single rename over the old file
  // (no window in which neither exists); MOVEFILE_WRITE_THROUGH returns only
  // once the rename itself is on the disk. It fails while another program
  // holds the old file open without FILE_SHARE_DELETE; the old file then
  // stays as it was.
  ok = ok && MoveFileExW(temp.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

}  // namespace vorlan::win32
