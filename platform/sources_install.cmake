# The Win32 implementations of the install runner's seams: environment, shell, drives.
list(APPEND TALLIMO_WIN32_SOURCES
  platform/drives_win32.cpp
  platform/environment_win32.cpp
  platform/shell_win32.cpp
  platform/system_library_win32.cpp
)
# mpr.dll is loaded from the system folder at run time (platform/system_library_win32.h).
list(APPEND TALLIMO_WIN32_LIBS shell32)
