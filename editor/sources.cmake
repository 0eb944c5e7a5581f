# The entry editor: its rules and the add, edit and remove commands (portable), and the
# Add/Edit Program dialog (Windows).
list(APPEND TALLIMO_PORTABLE_SOURCES
  editor/entry_commands.cpp
  editor/entry_rules.cpp
)
list(APPEND TALLIMO_WIN32_SOURCES editor/entry_dialog.cpp)
