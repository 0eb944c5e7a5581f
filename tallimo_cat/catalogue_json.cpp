#include "tallimo_cat/catalogue_json.h"

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

std::string JsonString(std::string_view text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c >= 0x7F) {
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += ch;
    }
  }
  out += '"';
  return out;
}

std::string CatalogueJson(const Catalogue& cat) {
  std::string out = "{\"caption\":" + JsonString(cat.ConfigCaption);
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
