#pragma once
// The catalogue file's encodings: which one a file is in, its text as UTF-8, and the text
// stored back in the encoding it was read in.
//
// A file is UTF-16 when it starts with a UTF-16 byte-order mark (either byte order), UTF-8 when
// it starts with the UTF-8 mark or, without one, when its bytes are valid UTF-8 holding at
// least one character beyond ASCII; anything else is in the ANSI code page.
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/text_codec.h"

namespace tallimo {

// A catalogue file as UTF-8 text, and how it was stored.
struct CatalogueText {
  std::string text;  // UTF-8, without a byte-order mark
  TCatalogueEncoding encoding = TCatalogueEncoding::ceAnsi;
  // Lines where something that was no character (a lone UTF-16 surrogate, bytes that are not
  // UTF-8 in a file marked as UTF-8) reads as U+FFFD.
  std::vector<size_t> replacedLines;
  bool oddLength = false;  // UTF-16 with an odd number of bytes: the last one is not read
};

// The text of a whole catalogue file; `ansi` is the system's ANSI code page.
CatalogueText DecodeCatalogue(std::string bytes, const CodePage& ansi);

// UTF-8 catalogue text as a file in `encoding` (ceNotRead as EncodingToWrite picks). False
// when the ANSI code page lacks a character: `badAt` is then the offset of the first in `text`.
bool EncodeCatalogue(std::string_view text, TCatalogueEncoding encoding, const CodePage& ansi,
                     std::string& bytes, size_t* badAt = nullptr);

// The encoding a save uses: the one read; for a catalogue never read, ANSI when every character
// of `text` fits the ANSI code page, else UTF-8 with its byte-order mark.
TCatalogueEncoding EncodingToWrite(TCatalogueEncoding read, std::string_view text,
                                   const CodePage& ansi);

// "ANSI", "UTF-8", "UTF-8 with byte-order mark", "UTF-16 little-endian", "UTF-16 big-endian".
const char* EncodingName(TCatalogueEncoding encoding);

}  // namespace tallimo
