# The reading aids: the serial copy.
list(APPEND TALLIMO_PORTABLE_SOURCES viewers/serial_copy.cpp)
