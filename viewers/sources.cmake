# The reading aids: the serial copy and the NFO viewer's rules and command (portable), and the
# viewer's window (Windows).
list(APPEND TALLIMO_PORTABLE_SOURCES
  viewers/nfo_text.cpp
  viewers/serial_copy.cpp
  viewers/view_nfo.cpp
)
list(APPEND TALLIMO_WIN32_SOURCES viewers/nfo_viewer.cpp)
