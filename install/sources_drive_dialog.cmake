# The Drive dialog's window.
list(APPEND TALLIMO_WIN32_SOURCES install/drive_dialog.cpp)
