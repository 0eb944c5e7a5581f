# The list box and progress bar of the install queue's window.
list(APPEND TALLIMO_WIN32_SOURCES
  ui/list_box.cpp
  ui/progress_bar.cpp
)
