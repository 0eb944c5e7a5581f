# Text conversions: UTF-8, UTF-16 and the 8-bit code pages (the tables of the portable build,
# the system's converter on Windows).
list(APPEND TALLIMO_PORTABLE_SOURCES platform/text_codec.cpp)
list(APPEND TALLIMO_WIN32_SOURCES platform/code_page_win32.cpp)
