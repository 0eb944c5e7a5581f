# Visual components: the gradient fill and the label effect.
list(APPEND TALLIMO_PORTABLE_SOURCES
  components/gradient.cpp
  components/label_effect.cpp
)
list(APPEND TALLIMO_WIN32_SOURCES
  components/gradient_win32.cpp
  components/label_effect_win32.cpp
)
