// The file system seam on Windows.
#include <windows.h>
#undef MoveFile  // the seam's method, not the Win32 macro

#include "platform/files.h"
#include "platform/handle_win32.h"
#include "platform/held_file_win32.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32FileSystem final : public FileSystem {
 public:
  bool FileExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool DirectoryExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  // Opened for no access at all, which never waits (not even on a pipe), to ask what it is.
  // Devices and pipes may have no attributes of their own.
  TFileKind KindOf(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      return TFileKind::fkFolder;
    const OwnedHandle h(CreateFileW(Widen(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h) return attributes != INVALID_FILE_ATTRIBUTES ? TFileKind::fkFile : TFileKind::fkMissing;
    const DWORD type = GetFileType(h.Get());
    return type == FILE_TYPE_DISK ? TFileKind::fkFile : TFileKind::fkOther;
  }

  bool ReadWholeFile(const std::string& path, std::string& bytes) override {
    if (KindOf(path) != TFileKind::fkFile) return false;  // a pipe is never waited on
    const OwnedHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file.Get(), &size) && size.QuadPart <= 0x7FFFFFFF;
    std::string content;
    if (ok) {
      content.resize(static_cast<size_t>(size.QuadPart));
      size_t done = 0;
      // The size may change while we read; what ReadFile delivers is what we keep.
      while (done < content.size()) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), content.data() + done, static_cast<DWORD>(content.size() - done),
                      &got, nullptr)) {
          ok = false;
          break;
        }
        if (got == 0) break;
        done += got;
      }
      content.resize(done);
    }
    if (ok) bytes = std::move(content);
    return ok;
  }

  TWriteResult WriteNewFile(const std::string& path, std::string_view bytes) override {
    OwnedHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      DWORD error = GetLastError();
      return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? TWriteResult::wrExists
                                                                         : TWriteResult::wrFailed;
    }
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
      const size_t chunk = bytes.size() - done < (1u << 20) ? bytes.size() - done : (1u << 20);
      DWORD written = 0;
      ok = WriteFile(file.Get(), bytes.data() + done, static_cast<DWORD>(chunk), &written,
                     nullptr) &&
           written == chunk;
      done += written;
    }
    ok = ok && FlushFileBuffers(file.Get());
    ok = file.Close() && ok;
    if (!ok) {
      DeleteFileW(Widen(path).c_str());
      return TWriteResult::wrFailed;
    }
    return TWriteResult::wrOk;
  }

  // Removes a read-only file too, as unlink does natively: a save that moves a read-only
  // catalogue aside must be able to drop that copy later.
  bool RemoveFile(const std::string& path) override {
    if (DeleteFileW(Widen(path).c_str())) return true;
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        !(attributes & FILE_ATTRIBUTE_READONLY))
      return false;
    const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
    if (!SetFileAttributesW(Widen(path).c_str(), writable ? writable : FILE_ATTRIBUTE_NORMAL))
      return false;
    if (DeleteFileW(Widen(path).c_str())) return true;
    SetFileAttributesW(Widen(path).c_str(), attributes);
    return false;
  }

  // MoveFileW never replaces an existing target.
  bool MoveFile(const std::string& from, const std::string& to) override {
    return MoveFileW(Widen(from).c_str(), Widen(to).c_str()) != 0;
  }

  std::unique_ptr<HeldFile> HoldUnchanged(const std::string& path,
                                          std::string_view bytes) override {
    return HoldUnchangedFile(path, bytes);
  }
};

}  // namespace

FileSystem& HostFileSystem() {
  static Win32FileSystem files;
  return files;
}

}  // namespace tallimo
