// The system-colours seam on Windows: HKEY_CURRENT_USER\Control Panel\Colors.
#include <windows.h>

#include <vector>

#include "platform/system_colors.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32SystemColors final : public SystemColors {
 public:
  std::string ColorText(const std::string& valueName) override {
    HKEY key = nullptr;
    // Opened for reading only; RegOpenKeyExW never creates a missing key.
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
      return std::string();
    }
    std::string text = ReadString(key, valueName);
    RegCloseKey(key);
    return text;
  }

 private:
  static std::string ReadString(HKEY key, const std::string& valueName) {
    const std::wstring name = Widen(valueName);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) {
      return std::string();  // absent, or not a text: read as no value
    }
    // The value may change between the two calls; retry while it grows.
    // Sizes are in bytes; the buffer holds whole units and one more for a missing terminator.
    std::vector<wchar_t> buffer;
    LONG result = ERROR_MORE_DATA;
    while (result == ERROR_MORE_DATA) {
      buffer.assign(size / sizeof(wchar_t) + 2, L'\0');
      size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
      result = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &size);
    }
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
      return std::string();
    }
    // The stored text may or may not carry its terminating zero; stop at the first one.
    const size_t units = size / sizeof(wchar_t);
    std::wstring text(buffer.data(), units < buffer.size() ? units : buffer.size());
    const auto zero = text.find(L'\0');
    if (zero != std::wstring::npos) text.resize(zero);
    return Narrow(text);
  }
};

}  // namespace

SystemColors& HostSystemColors() {
  static Win32SystemColors colors;
  return colors;
}

}  // namespace tallimo
