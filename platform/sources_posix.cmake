# The seams' implementations for the native (POSIX) build.
list(APPEND TALLIMO_POSIX_SOURCES
  platform/files_posix.cpp
  platform/locale_posix.cpp
  platform/clock_posix.cpp
)
