// Detection's file probes on Windows: critical-error boxes off around each probe, a path on a
// share probed on a thread of its own and abandoned after the limit (its server then given up), and
// a path in the 64-bit system folder found on the 64-bit Windows XP that has no "Sysnative".
#include <windows.h>
#undef MoveFile  // the seam's method, not the Win32 macro

#include <memory>
#include <string>

#include "platform/handle_win32.h"
#include "platform/probe_files.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

constexpr DWORD kMissing = INVALID_FILE_ATTRIBUTES;

constexpr DWORD kNoAnswer = INVALID_FILE_ATTRIBUTES - 1;  // no attributes have these bits

// What a probe thread and its caller share; the last of the two to let go frees it, so that a
// probe that is abandoned may still finish on its own.
struct Probe {
  std::wstring path;
  DWORD attributes = kMissing;
  OwnedHandle done;
  LONG owners = 2;
  void Release() {
    if (InterlockedDecrement(&owners) == 0) delete this;
  }
};

DWORD WINAPI ProbeThread(LPVOID parameter) {
  auto* probe = static_cast<Probe*>(parameter);
  probe->attributes = GetFileAttributesW(probe->path.c_str());
  SetEvent(probe->done.Get());
  probe->Release();
  return 0;
}

bool OnShare(const std::wstring& path) {
  if (path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') &&
      (path[1] == L'\\' || path[1] == L'/'))
    return true;
  if (path.size() >= 2 && path[1] == L':') {
    const wchar_t root[] = {path[0], L':', L'\\', 0};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
  }
  return false;
}

// The attributes, or kNoAnswer when the share has not answered within the limit.
DWORD TimedAttributes(const std::wstring& path) {
  std::unique_ptr<Probe> probe(
      new Probe{path, kMissing, OwnedHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr))});
  if (!probe->done) return kMissing;
  OwnedHandle thread(CreateThread(nullptr, 64 * 1024, ProbeThread, probe.get(), 0, nullptr));
  if (!thread) return kMissing;
  Probe* shared = probe.release();  // the thread holds it too now
  const DWORD attributes =
      WaitForSingleObject(shared->done.Get(), kProbeLimitMilliseconds) == WAIT_OBJECT_0
          ? shared->attributes
          : kNoAnswer;
  shared->Release();
  return attributes;
}

// "<root>\Sysnative\..." on a 64-bit Windows XP, which lacks that alias: the system folder
// itself, with the redirection of this thread off for the one look.
DWORD WithoutRedirection(const std::wstring& path) {
  const std::wstring alias = L"\\sysnative\\";
  std::wstring lower = path;
  for (wchar_t& c : lower)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  const size_t at = lower.find(alias);
  if (at == std::wstring::npos) return kMissing;
  using DisableFn = BOOL(WINAPI*)(PVOID*);
  using RevertFn = BOOL(WINAPI*)(PVOID);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto disable = reinterpret_cast<DisableFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
  auto revert = reinterpret_cast<RevertFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
  if (!disable || !revert) return kMissing;
  const std::wstring native = path.substr(0, at) + L"\\System32\\" + path.substr(at + alias.size());
  PVOID old = nullptr;
  if (!disable(&old)) return kMissing;
  const DWORD attributes = GetFileAttributesW(native.c_str());
  revert(old);
  return attributes;
}

DWORD ProbeAttributes(const std::string& path) {
  if (path.empty()) return kMissing;
  const std::wstring wide = Widen(path);
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  DWORD attributes = OnShare(wide) ? TimedAttributes(wide) : GetFileAttributesW(wide.c_str());
  if (attributes == kMissing) attributes = WithoutRedirection(wide);
  SetErrorMode(oldMode);
  return attributes;
}

class ProbeFileSystem final : public FileSystem {
 public:
  bool FileExists(const std::string& path) override { return KindOf(path) == TFileKind::fkFile; }
  bool DirectoryExists(const std::string& path) override {
    return KindOf(path) == TFileKind::fkFolder;
  }
  // One look at the system for both questions: a share that does not answer costs the limit
  // once.
  TFileKind KindOf(const std::string& path) override {
    const DWORD a = ProbeAttributes(path);
    if (a == kNoAnswer) return TFileKind::fkNoAnswer;
    if (a == kMissing) return TFileKind::fkMissing;
    return (a & FILE_ATTRIBUTE_DIRECTORY) ? TFileKind::fkFolder : TFileKind::fkFile;
  }
  bool ReadWholeFile(const std::string& path, std::string& bytes) override {
    return HostFileSystem().ReadWholeFile(path, bytes);
  }
  TWriteResult WriteNewFile(const std::string& path, std::string_view bytes) override {
    return HostFileSystem().WriteNewFile(path, bytes);
  }
  bool RemoveFile(const std::string& path) override { return HostFileSystem().RemoveFile(path); }
  bool MoveFile(const std::string& from, const std::string& to) override {
    return HostFileSystem().MoveFile(from, to);
  }
};

}  // namespace

FileSystem& HostProbeFileSystem() {
  static ProbeFileSystem probes;
  static GivingUpFiles files(probes);
  return files;
}

}  // namespace tallimo
