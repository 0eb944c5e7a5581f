// The disc's files on Windows: reparse points (links, junctions) are reported as links.
#include <windows.h>

#include "platform/disc_files.h"
#include "platform/handle_win32.h"
#include "platform/wide.h"

namespace tallimo {

namespace {

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::string message = n ? Narrow(text, static_cast<int>(n)) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == '.' || message.back() == ' '))
    message.pop_back();
  return message;
}

class Win32ByteSource : public ByteSource {
 public:
  Win32ByteSource(OwnedHandle file, uint64_t size) : file_(std::move(file)), size_(size) {}
  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, size_t count, std::string& bytes) override {
    bytes.resize(count);
    size_t done = 0;
    while (done < count) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset + done);
      at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
      DWORD n = 0;
      const DWORD chunk = static_cast<DWORD>(count - done > (1u << 24) ? 1u << 24 : count - done);
      if (!ReadFile(file_.Get(), bytes.data() + done, chunk, &n, &at)) {
        if (GetLastError() == ERROR_HANDLE_EOF) break;
        return false;
      }
      if (n == 0) break;
      done += n;
    }
    bytes.resize(done);
    return true;
  }

 private:
  OwnedHandle file_;
  uint64_t size_;
};

class Win32DiscFiles : public DiscFiles {
 public:
  bool List(const std::string& folder, std::vector<FolderItem>& items, std::string& why) override {
    items.clear();
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(Widen(folder + "\\*").c_str(), &data));
    if (find.Get() == INVALID_HANDLE_VALUE) {
      why = SystemMessage(GetLastError());
      return false;
    }
    do {
      const std::string name = Narrow(data.cFileName);
      if (name == "." || name == "..") continue;
      FolderItem item;
      item.name = name;
      item.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      item.link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
      item.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
      items.push_back(std::move(item));
    } while (FindNextFileW(find.Get(), &data));
    return true;
  }

  std::unique_ptr<ByteSource> Open(const std::string& path, std::string& why) override {
    OwnedHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      why = SystemMessage(GetLastError());
      return nullptr;
    }
    LARGE_INTEGER size;
    if (GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.Get(), &size)) {
      why = "not a regular file";
      return nullptr;
    }
    return std::make_unique<Win32ByteSource>(std::move(file), static_cast<uint64_t>(size.QuadPart));
  }
};

}  // namespace

DiscFiles& HostDiscFiles() {
  static Win32DiscFiles files;
  return files;
}

}  // namespace tallimo
