# The Win32 implementations of the install runner's seams: environment, shell, drives.
list(APPEND TALLIMO_WIN32_SOURCES
  platform/drives_win32.cpp
  platform/environment_win32.cpp
  platform/shell_win32.cpp
)
list(APPEND TALLIMO_WIN32_LIBS mpr shell32)
