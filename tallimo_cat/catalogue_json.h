#pragma once
// tallimo-cat dump --json: the catalogue as one JSON object.
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"

namespace tallimo {

// The catalogue as one JSON object, pure ASCII.
std::string CatalogueJson(const Catalogue& cat);

// A JSON string literal of UTF-8 text, pure ASCII: control characters and every character
// beyond ASCII as \uXXXX of its code point (a surrogate pair above U+FFFF).
std::string JsonString(std::string_view text);

}  // namespace tallimo
