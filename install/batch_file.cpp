#include "install/batch_file.h"

#include "platform/error.h"

namespace tallimo {

std::string BatchFileBytes(const StringList& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

std::string BatchDirectory(const std::string& temp, FileSystem& files) {
  if (!temp.empty() && files.DirectoryExists(temp)) return temp + "\\";
  return "C:\\";
}

std::string BatchFileName(RandomSource& random) {
  std::string name = "TLM-";
  for (int i = 0; i < 4; ++i) name += static_cast<char>('a' + random.Below(26));
  return name + ".bat";
}

std::string WriteBatchFile(const StringList& lines, Environment& environment, FileSystem& files,
                           RandomSource& random) {
  random.Reseed();
  const std::string directory = BatchDirectory(environment.GetEnvVar("TEMP"), files);
  const std::string bytes = BatchFileBytes(lines);
  std::string path;
  for (int attempt = 0; attempt < kBatchNameAttempts; ++attempt) {
    path = directory + BatchFileName(random);
    switch (files.WriteNewFile(path, bytes)) {
      case TWriteResult::wrOk:
        return path;
      case TWriteResult::wrExists:
        continue;
      case TWriteResult::wrFailed:
        throw TallimoError("Cannot create file " + path);
    }
  }
  throw TallimoError("Cannot create file " + path);
}

}  // namespace tallimo
