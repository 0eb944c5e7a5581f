# Visual components: the gradient fill.
list(APPEND TALLIMO_PORTABLE_SOURCES
  components/gradient.cpp
)
list(APPEND TALLIMO_WIN32_SOURCES
  components/gradient_win32.cpp
)
