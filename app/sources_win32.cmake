# The main window and the dialogs' windows.
list(APPEND TALLIMO_WIN32_SOURCES
  app/about_box.cpp
  app/main_form.cpp
  app/main_form_config.cpp
  app/main_form_detect.cpp
  app/main_form_drop.cpp
  app/main_form_help.cpp
  app/main_form_editor.cpp
  app/main_form_filter.cpp
  app/main_form_install.cpp
  app/main_form_marks.cpp
  app/main_form_viewers.cpp
  app/unattended_win32.cpp)
