# The seams' implementations for the native (POSIX) build.
list(APPEND TALLIMO_POSIX_SOURCES
  platform/files_posix.cpp
  platform/locale_posix.cpp
  platform/clock_posix.cpp
)
# A disc's folders and files, and installer databases through libmsi.
list(APPEND TALLIMO_POSIX_SOURCES
  platform/disc_files_posix.cpp
  platform/installer_database_libmsi.cpp
)
