# The install runner: drive tokens, the batch file, the Install commands (portable), and the
# Drive dialog (Windows).
list(APPEND TALLIMO_PORTABLE_SOURCES
  install/batch_file.cpp
  install/detect.cpp
  install/drive_list.cpp
  install/drive_token.cpp
  install/install_line.cpp
  install/install_plan.cpp
  install/elevated_queue.cpp
  install/queue_lines.cpp
  install/queue_rows.cpp
  install/resume_record.cpp
  install/install_queue.cpp
  install/queue_executors.cpp
  install/install_runner.cpp
  install/program_rules.cpp
  install/random_source.cpp
)
# The Drive dialog and its drive list on our window layer.
list(APPEND TALLIMO_WIN32_SOURCES
  install/drive_combo_box.cpp
  install/drive_dialog.cpp
  install/elevated_runner_win32.cpp
  install/install_progress.cpp
  install/restart_dialog.cpp
)
# The identification of installers, finding them in a folder, and the disc paths of install
# lines (portable).
list(APPEND TALLIMO_PORTABLE_SOURCES
  install/disc_paths.cpp
  install/installer_id.cpp
  install/installer_scan.cpp
)
