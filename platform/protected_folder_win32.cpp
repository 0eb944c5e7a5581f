#include "platform/protected_folder_win32.h"

// after windows.h
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include "platform/handle_win32.h"
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

bool TrustedOwner(PSID owner, PSID self) {
  return owner && (IsWellKnownSid(owner, WinBuiltinAdministratorsSid) ||
                   IsWellKnownSid(owner, WinLocalSystemSid) || (self && EqualSid(owner, self)));
}

bool AdministratorsFile(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info) || info.nNumberOfLinks != 1 ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
    return false;
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR security = nullptr;
  if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                      nullptr, &security) != ERROR_SUCCESS)
    return false;
  // This program's user, while its token has the Administrators group enabled.
  BYTE administrators[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof administrators;
  BOOL administrator = FALSE;
  alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  HANDLE opened = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened);
  const OwnedHandle token(opened);
  const bool self =
      token && CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) &&
      CheckTokenMembership(nullptr, administrators, &administrator) && administrator &&
      GetTokenInformation(token.Get(), TokenUser, user, sizeof user, &size);
  const bool trusted =
      TrustedOwner(owner, self ? reinterpret_cast<TOKEN_USER*>(user)->User.Sid : nullptr);
  LocalFree(security);
  return trusted;
}

}  // namespace tallimo
