#pragma once
// The system's code pages on Windows, converted by the system.
#include "platform/text_codec.h"

namespace tallimo {

// The converter of a Windows code page number (CP_ACP, CP_OEMCP, 1252, 437 ...). Converting to
// the code page uses no best-fit look-alikes and refuses a character that has no byte of its
// own there. The object lives as long as the program.
const CodePage& SystemCodePage(unsigned codePage);

}  // namespace tallimo
