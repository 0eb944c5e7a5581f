; A real NSIS setup for the identification and scan tests: a version resource that names its
; product, and an Uninstall key whose DisplayName is that name. Built with makensis -XOutFile.
Unicode true
Name "Tallimo Test Editor"
InstallDir "$PROGRAMFILES\Tallimo Test Editor"
RequestExecutionLevel admin
VIProductVersion "1.2.3.0"
VIAddVersionKey "ProductName" "Tallimo Test Editor"
VIAddVersionKey "ProductVersion" "1.2.3"
VIAddVersionKey "CompanyName" "Tallimo Test Makers"
VIAddVersionKey "FileDescription" "Tallimo Test Editor Setup"
VIAddVersionKey "FileVersion" "1.2.3.0"
VIAddVersionKey "LegalCopyright" "none"
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TallimoTestEditor"
Section
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${KEY}" "DisplayName" "Tallimo Test Editor"
  WriteRegStr HKLM "${KEY}" "UninstallString" "$INSTDIR\uninstall.exe"
SectionEnd
Section "Uninstall"
  DeleteRegKey HKLM "${KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
