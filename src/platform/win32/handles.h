#pragma once
#include <windows.h>

#include <utility>

namespace vorlan::win32 {

// A kernel object handle closed on scope exit. CreateFileW reports failure
// with INVALID_HANDLE_VALUE while most other functions return null, so both
// count as "no handle".
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }
  ~UniqueHandle() { Close(); }

  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  // Closes now and reports whether the close itself succeeded; a close can be
  // where a deferred write error finally shows.
  bool Close() {
    if (!*this) return true;
    const BOOL ok = CloseHandle(std::exchange(h_, nullptr));
    return ok != FALSE;
  }

 private:
  HANDLE h_ = nullptr;
};

// An open registry key closed on scope exit. Registry functions return their
// error code instead of setting the last error, so callers keep that code.
class UniqueKey {
 public:
  UniqueKey() = default;
  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;
  UniqueKey(UniqueKey&& other) noexcept : k_(std::exchange(other.k_, nullptr)) {}
  UniqueKey& operator=(UniqueKey&& other) noexcept {
    if (this != &other) {
      Close();
      k_ = std::exchange(other.k_, nullptr);
    }
    return *this;
  }
  ~UniqueKey() { Close(); }

  HKEY get() const { return k_; }
  // For the out-parameter of RegOpenKeyExW / RegCreateKeyExW.
  HKEY* put() {
    Close();
    return &k_;
  }
  explicit operator bool() const { return k_ != nullptr; }
  void Close() {
    if (k_ != nullptr) RegCloseKey(std::exchange(k_, nullptr));
  }

 private:
  HKEY k_ = nullptr;
};

}  // namespace vorlan::win32
