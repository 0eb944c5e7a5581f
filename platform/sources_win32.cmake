# The Win32 implementations of the platform seams.
list(APPEND TALLIMO_WIN32_SOURCES
  platform/clock_win32.cpp
  platform/files_win32.cpp
  platform/hash_win32.cpp
  platform/held_file_win32.cpp
  platform/locale_win32.cpp
  platform/clipboard_win32.cpp
  platform/wide_win32.cpp
)
# A disc's folders and files, and installer databases through msi.dll.
list(APPEND TALLIMO_WIN32_SOURCES
  platform/disc_files_win32.cpp
  platform/installer_database_win32.cpp
)
