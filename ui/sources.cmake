# Our thin Win32 window layer.
list(APPEND TALLIMO_WIN32_SOURCES
  ui/application.cpp
  ui/button.cpp
  ui/check_box.cpp
  ui/combo_box.cpp
  ui/control.cpp
  ui/edit.cpp
  ui/form.cpp
  ui/gdi.cpp
  ui/graphic_control.cpp
  ui/help_engine_win32.cpp
  ui/hint_window.cpp
  ui/label.cpp
  ui/list_grid.cpp
  ui/menu.cpp
  ui/page_control.cpp
  ui/panel.cpp
  ui/picture.cpp
  ui/screen_win32.cpp
  ui/search_edit.cpp
  ui/splitter.cpp
  ui/static_text.cpp
  ui/status_bar.cpp
  ui/win_control.cpp
  ui/win_control_layout.cpp
  ui/win_control_windowless.cpp)
# Its portable arithmetic.
list(APPEND TALLIMO_PORTABLE_SOURCES ui/layout_fit.cpp ui/line_breaks.cpp)
