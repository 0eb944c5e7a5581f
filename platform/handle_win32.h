#pragma once
// The one owner of kernel handles: files, processes, threads, jobs, events, ports. A handle is
// owned from the line that opens it and closed with its owner; null and INVALID_HANDLE_VALUE
// both mean "none", since the system's functions answer failure with one or the other.
#include <windows.h>

#include <utility>

namespace tallimo {

class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { Reset(); }

  static bool Valid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return Valid(handle_); }
  // The handle, or null for none (never INVALID_HANDLE_VALUE).
  HANDLE Get() const { return Valid(handle_) ? handle_ : nullptr; }
  // Closes the handle held and takes `handle`.
  void Reset(HANDLE handle = nullptr) {
    if (Valid(handle_)) CloseHandle(handle_);
    handle_ = handle;
  }
  // Closes the handle now; false when the system reports a failure (a file's last write).
  bool Close() {
    const bool ok = !Valid(handle_) || CloseHandle(handle_);
    handle_ = nullptr;
    return ok;
  }
  // Gives the handle up to a new owner.
  HANDLE Release() { return std::exchange(handle_, nullptr); }

 private:
  HANDLE handle_ = nullptr;
};

// A directory search (FindFirstFileW), closed with its owner.
class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE Get() const { return h_; }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

}  // namespace tallimo
