// The file is opened for reading with read sharing only, so that every later open for writing
// or deleting fails; then its bytes are read back through that handle and compared, since it
// could have been replaced between its writing and this open.
#include "platform/held_file_win32.h"

#include "platform/handle_win32.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32HeldFile final : public HeldFile {
 public:
  explicit Win32HeldFile(OwnedHandle handle) : handle_(std::move(handle)) {}

 private:
  OwnedHandle handle_;
};

}  // namespace

std::unique_ptr<HeldFile> HoldUnchangedFile(const std::string& path, std::string_view bytes) {
  // A link planted at the name is opened as itself, never followed.
  OwnedHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file || GetFileType(file.Get()) != FILE_TYPE_DISK) return nullptr;
  std::string content(bytes.size() + 1, '\0');
  size_t done = 0;
  while (done < content.size()) {
    DWORD got = 0;
    const DWORD want =
        static_cast<DWORD>(content.size() - done < (1u << 20) ? content.size() - done : (1u << 20));
    if (!ReadFile(file.Get(), content.data() + done, want, &got, nullptr)) return nullptr;
    if (got == 0) break;
    done += got;
  }
  content.resize(done);
  if (content != bytes) return nullptr;
  return std::make_unique<Win32HeldFile>(std::move(file));
}

}  // namespace tallimo
