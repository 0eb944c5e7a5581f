# The catalogue: model, file format, date text, and the lines a save would drop.
list(APPEND TALLIMO_PORTABLE_SOURCES
  catalogue/ini_document.cpp
  catalogue/catalogue_file.cpp
  catalogue/catalogue_encoding.cpp
  catalogue/date_text.cpp
  catalogue/unread_lines.cpp
  catalogue/success_codes.cpp
  catalogue/program_groups.cpp
  catalogue/config_commands.cpp
)
# The General Info dialog on our window layer.
list(APPEND TALLIMO_WIN32_SOURCES
  catalogue/general_info_dialog.cpp
)
