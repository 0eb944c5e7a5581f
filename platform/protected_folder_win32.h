#pragma once
// Tallimo's folders under the system's application data folders, and folders that only
// administrators write (and users read): the elevated copy's events, the record of an elevated
// queue and the copy of the program that resumes it.
#include <windows.h>

#include <string>

namespace tallimo {

// Administrators and the system have full control; users read. Not inherited from above.
inline constexpr const wchar_t* kFolderSecurity =
    L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;FR;;;BU)";

// "<the system's folder of `csidl`>\Tallimo\", with its final "\"; "" when the system names none.
std::string TallimoFolder(int csidl);

// A security descriptor made from its text, freed with its owner.
class Security {
 public:
  explicit Security(const wchar_t* text);
  ~Security();
  Security(const Security&) = delete;
  Security& operator=(const Security&) = delete;
  PSECURITY_DESCRIPTOR Get() const { return descriptor_; }
  SECURITY_ATTRIBUTES Attributes() const {
    return {sizeof(SECURITY_ATTRIBUTES), descriptor_, FALSE};
  }
  PACL Dacl() const;

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

// The folder (with its final "\\"), made with kFolderSecurity when missing; an existing one must
// be a real folder (no link planted there) and gets that security again. False when it cannot be.
bool ProtectedFolder(const std::string& folder);

// Whether a file owned by `owner` is an administrator's: the Administrators group, the system,
// or `self` (this program's user while this program has administrator rights itself, else null:
// whatever that user writes, it could as well write with those rights).
bool TrustedOwner(PSID owner, PSID self);
// Whether the open `file` is an administrator's plain file: one name, no link (opened with
// FILE_FLAG_OPEN_REPARSE_POINT), owned as TrustedOwner says, asked through the handle.
bool AdministratorsFile(HANDLE file);

}  // namespace tallimo
