# The main window's portable logic: list ordering and lookup, pane texts, layout arithmetic,
# the command line.
list(APPEND TALLIMO_PORTABLE_SOURCES
  app/command_line.cpp
  app/detail_panes.cpp
  app/main_layout.cpp
  app/program_filter.cpp
  app/program_list.cpp
  app/list_rows.cpp
  app/rule_marks.cpp
  app/unattended.cpp
  app/type_ahead.cpp
)
