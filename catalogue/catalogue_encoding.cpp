#include "catalogue/catalogue_encoding.h"

namespace tallimo {

namespace {

// UTF-16 after its byte-order mark. Lines are counted as the parser counts them (CR LF, LF or
// CR end one), so that a replaced surrogate is reported on the line the checker names.
void DecodeUtf16(std::string_view bytes, bool bigEndian, CatalogueText& out) {
  out.encoding =
      bigEndian ? TCatalogueEncoding::ceUtf16BigEndian : TCatalogueEncoding::ceUtf16LittleEndian;
  out.oddLength = bytes.size() % 2 != 0;
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  out.text.reserve(units.size());
  size_t lineNo = 1, lineStart = 0;
  auto flush = [&](size_t end) {
    size_t replaced = 0;
    out.text +=
        Utf8FromUtf16(std::u16string_view(units).substr(lineStart, end - lineStart), &replaced);
    if (replaced) out.replacedLines.push_back(lineNo);
  };
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t c = units[i];
    if (c != u'\r' && c != u'\n') continue;
    flush(i);
    out.text += static_cast<char>(c);
    lineStart = i + 1;
    if (!(c == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n')) ++lineNo;
  }
  flush(units.size());
}

// UTF-8 behind its mark that is not valid throughout: what is no character reads as U+FFFD.
void RepairUtf8(std::string_view bytes, CatalogueText& out) {
  out.text.clear();
  out.text.reserve(bytes.size());
  size_t lineNo = 1;
  bool lineReported = false;
  for (size_t pos = 0; pos < bytes.size();) {
    const char c = bytes[pos];
    if (c == '\r' || c == '\n') {
      if (!(c == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')) {
        ++lineNo;
        lineReported = false;
      }
      out.text += c;
      ++pos;
      continue;
    }
    const size_t at = pos;
    const char32_t code = NextCodePoint(bytes, pos);
    if (code == kReplacementCharacter && CharacterAt(bytes, at) != "\xEF\xBF\xBD" &&
        !lineReported) {
      out.replacedLines.push_back(lineNo);
      lineReported = true;
    }
    AppendUtf8(out.text, code);
  }
}

}  // namespace

CatalogueText DecodeCatalogue(std::string bytes, const CodePage& ansi) {
  CatalogueText out;
  const std::string_view view = bytes;
  if (view.starts_with("\xFF\xFE") || view.starts_with("\xFE\xFF")) {
    DecodeUtf16(view, view.starts_with("\xFE\xFF"), out);
    return out;
  }
  if (view.starts_with(kUtf8Mark)) {
    out.encoding = TCatalogueEncoding::ceUtf8Mark;
    if (IsValidUtf8(view.substr(kUtf8Mark.size()))) {
      bytes.erase(0, kUtf8Mark.size());
      out.text = std::move(bytes);
    } else {
      RepairUtf8(view.substr(kUtf8Mark.size()), out);
    }
    return out;
  }
  bool multiByte = false;
  const bool valid = IsValidUtf8(view, &multiByte);
  if (valid && multiByte) {
    out.encoding = TCatalogueEncoding::ceUtf8;
    out.text = std::move(bytes);
    return out;
  }
  // Everything else is ANSI, also a file that starts like UTF-8 and breaks later: an ANSI file
  // may well hold a pair of bytes that happens to form a UTF-8 character ("Ã©" typed as such),
  // while a file that really is UTF-8 is valid throughout. Read as ANSI, every byte is a
  // character and is written back unchanged; read as UTF-8, the broken bytes would be lost.
  out.encoding = TCatalogueEncoding::ceAnsi;
  if (valid)
    out.text = std::move(bytes);  // plain ASCII reads the same in every ANSI code page
  else
    out.text = ansi.ToUtf8(view);
  return out;
}

TCatalogueEncoding EncodingToWrite(TCatalogueEncoding read, std::string_view text,
                                   const CodePage& ansi) {
  if (read != TCatalogueEncoding::ceNotRead) return read;
  std::string bytes;
  return ansi.FromUtf8(text, bytes) ? TCatalogueEncoding::ceAnsi : TCatalogueEncoding::ceUtf8Mark;
}

bool EncodeCatalogue(std::string_view text, TCatalogueEncoding encoding, const CodePage& ansi,
                     std::string& bytes, size_t* badAt) {
  switch (encoding) {
    case TCatalogueEncoding::ceNotRead:
      return EncodeCatalogue(text, EncodingToWrite(encoding, text, ansi), ansi, bytes, badAt);
    case TCatalogueEncoding::ceAnsi:
      return ansi.FromUtf8(text, bytes, badAt);
    case TCatalogueEncoding::ceUtf8:
      bytes.assign(text);
      return true;
    case TCatalogueEncoding::ceUtf8Mark:
      bytes.reserve(text.size() + kUtf8Mark.size());
      bytes.assign(kUtf8Mark);
      bytes += text;
      return true;
    case TCatalogueEncoding::ceUtf16LittleEndian:
    case TCatalogueEncoding::ceUtf16BigEndian: {
      const bool bigEndian = encoding == TCatalogueEncoding::ceUtf16BigEndian;
      const std::u16string units = Utf16FromUtf8(text);
      bytes.clear();
      bytes.reserve(2 + units.size() * 2);
      bytes += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
      for (char16_t c : units) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
      }
      return true;
    }
  }
  return false;
}

const char* EncodingName(TCatalogueEncoding encoding) {
  switch (encoding) {
    case TCatalogueEncoding::ceNotRead:
    case TCatalogueEncoding::ceAnsi:
      return "ANSI";
    case TCatalogueEncoding::ceUtf8:
      return "UTF-8";
    case TCatalogueEncoding::ceUtf8Mark:
      return "UTF-8 with byte-order mark";
    case TCatalogueEncoding::ceUtf16LittleEndian:
      return "UTF-16 little-endian";
    case TCatalogueEncoding::ceUtf16BigEndian:
      return "UTF-16 big-endian";
  }
  return "ANSI";
}

}  // namespace tallimo
