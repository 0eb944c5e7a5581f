// LoadCatalogue of a file in each encoding: plain ASCII, Windows-1252 with accented letters,
// UTF-8 with the same letters (without and with its mark), and UTF-16. Twelve keys an entry,
// as in catalogue_bench; a few letters beyond ASCII in most lines.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "catalogue/catalogue_file.h"

namespace {

using namespace tallimo;

enum Kind { kAscii, kAnsi, kUtf8, kUtf8WithMark, kUtf16 };

// "é" and "ü" in the file's own bytes.
std::string Letters(Kind kind, bool second) {
  switch (kind) {
    case kAscii:
      return second ? "u" : "e";
    case kAnsi:
      return second ? "\xFC" : "\xE9";
    default:
      return second ? "\xC3\xBC" : "\xC3\xA9";
  }
}

std::string FileText(Kind kind, int entries) {
  const std::string e = Letters(kind, false), u = Letters(kind, true);
  std::string t = "[General]\r\nCaption=Benchmark disc\r\nCreatedBy=Disc Team\r\n";
  t += "Note1=Insert the disc into any drive before you install.\r\nNote2=\r\n";
  t += "WriteDate=Mon, 7 Dec 2026, 3:06 pm\r\n";
  for (int i = 0; i < entries; ++i) {
    const std::string n = std::to_string(i), s = "[Program" + std::to_string(i + 1) + "]\r\n";
    t += s + "Name=Caf" + e + " number " + n + "\r\nNFO=\\PROGS\\P" + n + "\\README.NFO\r\n";
    t += std::string("Batch=") + (i % 2 ? "0" : "1") + "\r\nSerial1=Serial " + n + "-ABCD\r\n";
    t += "Install1=%D:\r\nInstall2=cd \\PROGS\\P" + n + "\r\nInstall3=SETUP.EXE /quiet\r\n";
    t += "Info1=A program that does useful things for M" + u + "nchen.\r\n";
    t += "Info2= Indented info line\r\nInfo3=Version 1." + n + " r" + e + "sum" + e + "\r\n";
    t += "Specs1=Needs 4 MB of memory.\r\nSpecs2=Runs on 32-bit Windows.\r\n";
  }
  if (kind == kUtf8WithMark) t.insert(0, "\xEF\xBB\xBF");
  if (kind == kUtf16) {
    // UTF-8 to UTF-16 little-endian: the letters used here are all below U+0800.
    std::string w = "\xFF\xFE";
    for (size_t i = 0; i < t.size(); ++i) {
      unsigned c = static_cast<unsigned char>(t[i]);
      if (c >= 0xC0) c = (c & 0x1F) << 6 | (static_cast<unsigned char>(t[++i]) & 0x3F);
      w += static_cast<char>(c & 0xFF);
      w += static_cast<char>(c >> 8);
    }
    t = w;
  }
  return t;
}

void BM_LoadEncoded(benchmark::State& state, Kind kind) {
  const int entries = static_cast<int>(state.range(0));
  auto dir = std::filesystem::temp_directory_path() / "tallimo-bench";
  std::filesystem::create_directories(dir);
  const std::string path =
      (dir / ("enc" + std::to_string(kind) + "-" + std::to_string(entries) + ".ini")).string();
  std::filesystem::remove(path);
  HostFileSystem().WriteNewFile(path, FileText(kind, entries));
  for (auto _ : state) {
    Catalogue cat;
    cat.IniFileName = path;
    LoadCatalogue(cat, HostFileSystem(), HostLocale());
    if (cat.ProgramList.size() != static_cast<size_t>(entries)) state.SkipWithError("short read");
  }
  std::filesystem::remove(path);
}

}  // namespace

BENCHMARK_CAPTURE(BM_LoadEncoded, ascii, kAscii)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadEncoded, ansi, kAnsi)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadEncoded, utf8, kUtf8)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadEncoded, utf8_mark, kUtf8WithMark)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadEncoded, utf16, kUtf16)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
