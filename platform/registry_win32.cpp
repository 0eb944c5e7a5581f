// The registry seam on Windows: keys opened for reading in the view asked for.
#include <windows.h>

#include "platform/registry.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class OpenKey {
 public:
  OpenKey(TRegistryRoot root, const std::string& path, TRegistryView view, REGSAM access) {
    HKEY base = root == TRegistryRoot::rrLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    REGSAM flags = access;
    if (view == TRegistryView::rv32) flags |= KEY_WOW64_32KEY;
    if (view == TRegistryView::rv64) flags |= KEY_WOW64_64KEY;
    if (RegOpenKeyExW(base, Widen(path).c_str(), 0, flags, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

class Win32Registry final : public Registry {
 public:
  bool KeyExists(TRegistryRoot root, const std::string& path, TRegistryView view) override {
    return OpenKey(root, path, view, KEY_READ).Get() != nullptr;
  }

  std::vector<std::string> SubKeyNames(TRegistryRoot root, const std::string& path,
                                       TRegistryView view) override {
    std::vector<std::string> names;
    OpenKey key(root, path, view, KEY_ENUMERATE_SUB_KEYS);
    if (!key.Get()) return names;
    wchar_t name[256];  // a key name is at most 255 characters
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      const LONG result =
          RegEnumKeyExW(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_NO_MORE_ITEMS) break;
      if (result != ERROR_SUCCESS) continue;  // one that cannot be read is left out
      names.push_back(Narrow(name, static_cast<int>(length)));
    }
    return names;
  }

  std::string StringValue(TRegistryRoot root, const std::string& path, const std::string& name,
                          TRegistryView view) override {
    OpenKey key(root, path, view, KEY_QUERY_VALUE);
    if (!key.Get()) return {};
    const std::wstring valueName = Widen(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > 65536)
      return {};
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data()), &got) != ERROR_SUCCESS)
      return {};
    // Stored with or without its terminating zero: the text ends at the first one.
    value.resize(got / sizeof(wchar_t));
    if (const size_t zero = value.find(L'\0'); zero != std::wstring::npos) value.resize(zero);
    return Narrow(value);
  }

  bool TwoViews() override { return sizeof(void*) == 8 || Wow64(); }

  bool Wow64() override {
    if (!known_) {
      known_ = true;
      // Looked up: the first Windows XP has no IsWow64Process.
      using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
      auto isWow64 = reinterpret_cast<IsWow64Fn>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
      BOOL result = FALSE;
      wow64_ = isWow64 && isWow64(GetCurrentProcess(), &result) && result;
    }
    return wow64_;
  }

 private:
  bool known_ = false;
  bool wow64_ = false;
};

}  // namespace

Registry& HostRegistry() {
  static Win32Registry registry;
  return registry;
}

}  // namespace tallimo
