# The process seam (Windows) and the log file seam of the install queue.
list(APPEND TALLIMO_POSIX_SOURCES platform/log_file_posix.cpp)
list(APPEND TALLIMO_WIN32_SOURCES
  platform/log_file_win32.cpp
  platform/message_window_win32.cpp
  platform/process_win32.cpp
  platform/protected_folder_win32.cpp
  platform/restart_win32.cpp
)
# The registry seam and detection's file probes.
list(APPEND TALLIMO_PORTABLE_SOURCES platform/probe_files.cpp)
list(APPEND TALLIMO_WIN32_SOURCES
  platform/probe_files_win32.cpp
  platform/registry_win32.cpp
  platform/system_info_win32.cpp
)
list(APPEND TALLIMO_WIN32_LIBS advapi32)
list(APPEND TALLIMO_PORTABLE_SOURCES platform/console.cpp platform/failure_report.cpp)
list(APPEND TALLIMO_WIN32_SOURCES platform/console_win32.cpp)
