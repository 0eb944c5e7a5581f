#include "install/batch_file.h"

#include "platform/error.h"

namespace tallimo {

namespace {

constexpr const char* kUnreadableLine = " holds characters that the command prompt cannot read";

}  // namespace

bool BatchFileBytes(const StringList& lines, const CodePage& oem, std::string& bytes,
                    size_t* badLine) {
  bytes.clear();
  std::string line;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!oem.FromUtf8(lines[i], line)) {
      if (badLine) *badLine = i + 1;
      return false;
    }
    bytes += line;
    bytes += "\r\n";
  }
  return true;
}

std::string BatchUnreadableText(const std::string& name, size_t line) {
  return name + " cannot be installed through a batch file: line " + std::to_string(line) +
         kUnreadableLine + ".";
}

std::string BatchFileRefusal(const TTallimoProg& entry, const CodePage& oem) {
  if (!entry.Batch) return {};
  std::string bytes;
  size_t badLine = 0;
  if (BatchFileBytes(entry.InstallLines, oem, bytes, &badLine)) return {};
  return BatchUnreadableText(entry.Name, badLine);
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

namespace {

std::string WriteBatchBytes(const std::string& bytes, Environment& environment, FileSystem& files,
                            RandomSource& random) {
  random.Reseed();
  const std::string directory = BatchDirectory(environment.GetEnvVar("TEMP"), files);
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

std::string BytesOf(const StringList& lines, const CodePage& oem) {
  std::string bytes;
  size_t badLine = 0;
  if (!BatchFileBytes(lines, oem, bytes, &badLine))
    throw TallimoError("line " + std::to_string(badLine) + kUnreadableLine);
  return bytes;
}

}  // namespace

std::string WriteBatchFile(const StringList& lines, const CodePage& oem, Environment& environment,
                           FileSystem& files, RandomSource& random) {
  return WriteBatchBytes(BytesOf(lines, oem), environment, files, random);
}

HeldBatchFile WriteHeldBatchFile(const StringList& lines, const CodePage& oem,
                                 Environment& environment, FileSystem& files,
                                 RandomSource& random) {
  const std::string bytes = BytesOf(lines, oem);
  HeldBatchFile batch{WriteBatchBytes(bytes, environment, files, random), nullptr};
  batch.held = files.HoldUnchanged(batch.path, bytes);
  if (!batch.held) {
    files.RemoveFile(batch.path);
    throw TallimoError("Cannot create file " + batch.path);
  }
  return batch;
}

}  // namespace tallimo
