# The system-colours seam (used by the gradient fill).
list(APPEND TALLIMO_POSIX_SOURCES
  platform/system_colors_posix.cpp
)
list(APPEND TALLIMO_WIN32_SOURCES
  platform/system_colors_win32.cpp
)
list(APPEND TALLIMO_WIN32_LIBS advapi32)
