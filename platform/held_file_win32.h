#pragma once
// Holding a file against writing, deleting and renaming on Windows (FileSystem::HoldUnchanged).
#include <memory>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace tallimo {

std::unique_ptr<HeldFile> HoldUnchangedFile(const std::string& path, std::string_view bytes);

}  // namespace tallimo
