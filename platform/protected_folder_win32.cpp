#include "platform/protected_folder_win32.h"

// after windows.h
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include "platform/wide.h"

namespace tallimo {

std::string TallimoFolder(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return Narrow(path) + "\\Tallimo\\";
}

Security::Security(const wchar_t* text) {
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(text, SDDL_REVISION_1, &descriptor_,
                                                            nullptr))
    descriptor_ = nullptr;
}

Security::~Security() {
  if (descriptor_) LocalFree(descriptor_);
}

PACL Security::Dacl() const {
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  if (!descriptor_ || !GetSecurityDescriptorDacl(descriptor_, &present, &dacl, &defaulted))
    return nullptr;
  return present ? dacl : nullptr;
}

bool ProtectedFolder(const std::string& folder) {
  Security security(kFolderSecurity);
  if (!security.Get()) return false;
  const std::wstring path = Widen(folder.substr(0, folder.size() - 1));
  SECURITY_ATTRIBUTES attributes = security.Attributes();
  if (CreateDirectoryW(path.c_str(), &attributes)) return true;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  const DWORD found = GetFileAttributesW(path.c_str());
  if (found == INVALID_FILE_ATTRIBUTES || !(found & FILE_ATTRIBUTE_DIRECTORY) ||
      (found & FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  std::wstring name = path;
  return SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                               DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                               nullptr, nullptr, security.Dacl(), nullptr) == ERROR_SUCCESS;
}

}  // namespace tallimo
