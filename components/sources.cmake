# Visual components: the gradient fill.
list(APPEND TALLIMO_PORTABLE_SOURCES
  components/gradient.cpp
)
