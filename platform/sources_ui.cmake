# The prompter, screen and help engine seams (the Win32 sides of the screen and the help engine,
# which draw, are in ui/).
list(APPEND TALLIMO_PORTABLE_SOURCES platform/prompter.cpp platform/locale.cpp)
list(APPEND TALLIMO_POSIX_SOURCES platform/screen_posix.cpp)
list(APPEND TALLIMO_WIN32_SOURCES platform/prompter_win32.cpp)
