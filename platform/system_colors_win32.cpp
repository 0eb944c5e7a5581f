// The system-colours seam on Windows: HKEY_CURRENT_USER\Control Panel\Colors.
#include <windows.h>

#include <vector>

#include "platform/system_colors.h"

namespace tallimo {
namespace {

class Win32SystemColors final : public SystemColors {
 public:
  std::string ColorText(const std::string& valueName) override {
    HKEY key = nullptr;
    // Opened for reading only; RegOpenKeyExA never creates a missing key.
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
      return std::string();
    }
    std::string text = ReadString(key, valueName);
    RegCloseKey(key);
    return text;
  }

 private:
  static std::string ReadString(HKEY key, const std::string& valueName) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) {
      return std::string();  // absent, or not a text: read as no value
    }
    // The value may change between the two calls; retry while it grows.
    std::vector<char> buffer;
    LONG result = ERROR_MORE_DATA;
    while (result == ERROR_MORE_DATA) {
      buffer.assign(size + 1, '\0');
      result = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &size);
    }
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
      return std::string();
    }
    // The stored text may or may not carry its terminating zero; stop at the first one.
    std::string text(buffer.data(), size < buffer.size() ? size : buffer.size());
    const auto zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
  }
};

}  // namespace

SystemColors& HostSystemColors() {
  static Win32SystemColors colors;
  return colors;
}

}  // namespace tallimo
