// Installer databases read through the system's msi.dll, loaded from the system folder by its
// full path at the first use (never from the disc's folder, and not imported).
#include <windows.h>

#include "platform/installer_database.h"
#include "platform/system_library_win32.h"
#include "platform/wide.h"

namespace tallimo {

namespace {

using MsiHandle = unsigned long;
using OpenDatabaseFn = UINT(WINAPI*)(LPCWSTR, LPCWSTR, MsiHandle*);
using OpenViewFn = UINT(WINAPI*)(MsiHandle, LPCWSTR, MsiHandle*);
using ExecuteFn = UINT(WINAPI*)(MsiHandle, MsiHandle);
using FetchFn = UINT(WINAPI*)(MsiHandle, MsiHandle*);
using GetStringFn = UINT(WINAPI*)(MsiHandle, UINT, LPWSTR, DWORD*);
using CloseFn = UINT(WINAPI*)(MsiHandle);

constexpr UINT kNoMoreItems = 259;  // ERROR_NO_MORE_ITEMS
constexpr UINT kMoreData = 234;     // ERROR_MORE_DATA
// MSIDBOPEN_READONLY, a pointer-sized constant passed in place of a name.
const LPCWSTR kReadOnly = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(0));

struct MsiFunctions {
  OpenDatabaseFn openDatabase = nullptr;
  OpenViewFn openView = nullptr;
  ExecuteFn execute = nullptr;
  FetchFn fetch = nullptr;
  GetStringFn getString = nullptr;
  CloseFn close = nullptr;
};

// msi.dll stays loaded until the process ends, as the help's library does.
const MsiFunctions* Functions() {
  static MsiFunctions fns;
  static bool tried = false;
  if (!tried) {
    tried = true;
    if (HMODULE dll = LoadSystemLibrary(L"msi.dll")) {
      fns.openDatabase = SystemFunction<OpenDatabaseFn>(dll, "MsiOpenDatabaseW");
      fns.openView = SystemFunction<OpenViewFn>(dll, "MsiDatabaseOpenViewW");
      fns.execute = SystemFunction<ExecuteFn>(dll, "MsiViewExecute");
      fns.fetch = SystemFunction<FetchFn>(dll, "MsiViewFetch");
      fns.getString = SystemFunction<GetStringFn>(dll, "MsiRecordGetStringW");
      fns.close = SystemFunction<CloseFn>(dll, "MsiCloseHandle");
    }
  }
  const bool all =
      fns.openDatabase && fns.openView && fns.execute && fns.fetch && fns.getString && fns.close;
  return all ? &fns : nullptr;
}

// An installer handle, closed with its owner.
class Owned {
 public:
  explicit Owned(const MsiFunctions& fns) : fns_(fns) {}
  ~Owned() {
    if (h_) fns_.close(h_);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  MsiHandle* Out() { return &h_; }
  MsiHandle Get() const { return h_; }

 private:
  const MsiFunctions& fns_;
  MsiHandle h_ = 0;
};

std::string Field(const MsiFunctions& fns, MsiHandle record, UINT field) {
  std::wstring buffer(256, L'\0');
  DWORD size = static_cast<DWORD>(buffer.size());
  UINT r = fns.getString(record, field, buffer.data(), &size);
  if (r == kMoreData) {
    buffer.assign(size + 1, L'\0');
    size = static_cast<DWORD>(buffer.size());
    r = fns.getString(record, field, buffer.data(), &size);
  }
  return r == 0 ? Narrow(buffer.data(), static_cast<int>(size)) : std::string();
}

class Win32InstallerDatabase : public InstallerDatabase {
 public:
  bool ReadProperties(const std::string& path, std::map<std::string, std::string>& props,
                      std::string& why) override {
    props.clear();
    const MsiFunctions* fns = Functions();
    if (!fns) {
      why = "the Windows Installer is not available";
      return false;
    }
    Owned db(*fns), view(*fns);
    if (fns->openDatabase(Widen(path).c_str(), kReadOnly, db.Out()) != 0) {
      why = "not an installer database";
      return false;
    }
    if (fns->openView(db.Get(), L"SELECT `Property`, `Value` FROM `Property`", view.Out()) != 0 ||
        fns->execute(view.Get(), 0) != 0) {
      why = "no Property table";
      return false;
    }
    for (;;) {
      Owned record(*fns);
      const UINT r = fns->fetch(view.Get(), record.Out());
      if (r == kNoMoreItems) break;
      if (r != 0) {
        why = "the Property table cannot be read";
        return false;
      }
      props.emplace(Field(*fns, record.Get(), 1), Field(*fns, record.Get(), 2));
    }
    return true;
  }
};

}  // namespace

InstallerDatabase& HostInstallerDatabase() {
  static Win32InstallerDatabase database;
  return database;
}

}  // namespace tallimo
