#pragma once
// Files as detection looks at them: whether a path exists, without ever showing a system box
// (an empty drive holds no file, it does not ask for a disk) and without waiting long for a
// share that does not answer.
#include "platform/files.h"

namespace tallimo {

// How long a path on a share may take before it counts as missing.
inline constexpr unsigned kProbeLimitMilliseconds = 2000;

// The host's files with FileExists and DirectoryExists probed so; the rest as HostFileSystem.
FileSystem& HostProbeFileSystem();

}  // namespace tallimo
