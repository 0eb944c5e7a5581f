#pragma once
// tallimo-cat dump --json: the catalogue as one JSON object.
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"

namespace tallimo {

// The catalogue as one JSON object, pure ASCII.
std::string CatalogueJson(const Catalogue& cat);

// A JSON string literal of 8-bit text: control bytes and bytes from 0x80 as \u00XX.
std::string JsonString(std::string_view text);

}  // namespace tallimo
