#include "tallimo_cat/catalogue_json.h"

#include "catalogue/catalogue_encoding.h"
#include "catalogue/program_groups.h"
#include "platform/text_codec.h"

namespace tallimo {

namespace {

void JsonList(std::string& out, const StringList& items) {
  out += '[';
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += ',';
    out += JsonString(items[i]);
  }
  out += ']';
}

}  // namespace

namespace {

void AppendEscape(std::string& out, char32_t unit) {
  static const char hex[] = "0123456789ABCDEF";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += hex[unit >> shift & 15];
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (size_t pos = 0; pos < text.size();) {
    const char32_t c = NextCodePoint(text, pos);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      AppendEscape(out, c);
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x10000) {
      AppendEscape(out, c);
    } else {  // a surrogate pair
      AppendEscape(out, 0xD800 + ((c - 0x10000) >> 10));
      AppendEscape(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  out += '"';
  return out;
}

std::string CatalogueJson(const Catalogue& cat) {
  std::string out = "{\"encoding\":" + JsonString(EncodingName(cat.Encoding));
  out += ",\"caption\":" + JsonString(cat.ConfigCaption);
  out += ",\"createdBy\":" + JsonString(cat.CreatedBy);
  out += ",\"notes\":";
  JsonList(out, cat.NoteLines);
  out += ",\"writeDate\":" + JsonString(cat.WriteDate);
  out += ",\"programs\":[";
  for (size_t i = 0; i < cat.ProgramList.size(); ++i) {
    const TTallimoProg& e = *cat.ProgramList[i];
    if (i) out += ',';
    out += "{\"name\":" + JsonString(e.Name);
    out += ",\"nfo\":" + JsonString(e.NfoPath);
    out += e.Batch ? ",\"batch\":true" : ",\"batch\":false";
    out += ",\"successCodes\":[";
    for (size_t c = 0; c < e.SuccessCodes.size(); ++c)
      out += (c ? "," : "") + std::to_string(e.SuccessCodes[c]);
    out += ']';
    out += ",\"detect\":" + JsonString(e.Detect);
    out += ",\"restart\":" + std::to_string(static_cast<int>(e.Restart));
    out += ",\"category\":" + JsonString(e.Category);
    out += e.Default ? ",\"default\":true" : ",\"default\":false";
    out += ",\"presets\":";
    JsonList(out, e.Presets);
    out += ",\"requires\":";
    JsonList(out, e.Requires);
    out += ",\"excludes\":";
    JsonList(out, e.Excludes);
    out += ",\"windows\":" + JsonString(e.Windows);
    out += ",\"arch\":";
    JsonList(out, SplitPresets(e.Arch));
    out += ",\"serial\":";
    JsonList(out, e.SerialLines);
    out += ",\"install\":";
    JsonList(out, e.InstallLines);
    out += ",\"info\":";
    JsonList(out, e.InfoLines);
    out += ",\"specs\":";
    JsonList(out, e.SpecsLines);
    out += '}';
  }
  out += "]}";
  return out;
}

}  // namespace tallimo
