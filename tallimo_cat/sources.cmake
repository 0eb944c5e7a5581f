# tallimo-cat, the disc author's console companion: its commands (the entry point,
# tallimo_cat/main.cpp, is the tallimo-cat target's own source).
list(APPEND TALLIMO_PORTABLE_SOURCES
  tallimo_cat/cat_tool.cpp
  tallimo_cat/catalogue_check.cpp
  tallimo_cat/catalogue_json.cpp
  tallimo_cat/disc_check.cpp
  tallimo_cat/disc_scan.cpp
)
