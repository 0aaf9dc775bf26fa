#pragma once

// Temporary folders and files, whole-file reads and writes, file stamps; with
// Bytes.h, since files are read and written as bytes.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "tests/support/Bytes.h"
#include "tests/support/TempDir.h"

// The whole file. One that cannot be opened fails the test and reads as
// empty, so comparing two missing files can never pass.
inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes ReadBytes(const std::filesystem::path& path) {
  const std::string bytes = ReadText(path);
  return Bytes(bytes.begin(), bytes.end());
}

// Makes the file hold exactly these bytes, creating its folder first.
inline bool WriteText(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

// A shell script at path that the owner may run: "#!/bin/sh" and body.
inline bool WriteScript(const std::filesystem::path& path, std::string_view body) {
  if (!WriteText(path, "#!/bin/sh\n" + std::string(body) + "\n")) return false;
  std::error_code failed;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all, failed);
  return !failed;
}

// The names in a folder, sorted and joined by spaces ("" when it is empty).
inline std::string Listing(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
  return joined;
}

// An open host file, closed when it goes.
struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using HostFile = std::unique_ptr<FILE, FileCloser>;

// An anonymous temporary file holding the bytes, positioned at the start.
inline HostFile TempFileWith(const Bytes& bytes) {
  HostFile f(std::tmpfile());
  if (!f) ADD_FAILURE() << "cannot make a temporary file";
  if (f && !bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f.get());
  if (f) std::rewind(f.get());
  return f;
}

// Everything in an open host file; leaves it at the start.
inline Bytes ReadBytes(FILE* f) {
  Bytes out;
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) out.push_back(static_cast<unsigned char>(c));
  std::rewind(f);
  return out;
}

// The source tree of this build; the shared test main always sets it.
inline std::filesystem::path SourceDir() {
  const char* dir = std::getenv("DIGMAZE_SOURCE_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::path(".");
}

// Size and modification time of a host file, to see whether anything wrote it.
struct Stamp {
  uintmax_t size;
  std::filesystem::file_time_type time;
  bool operator==(const Stamp&) const = default;
};

inline Stamp StampOf(const std::filesystem::path& path) {
  return {std::filesystem::file_size(path), std::filesystem::last_write_time(path)};
}

// Puts the file's time far in the past, so any later write shows.
inline void Age(const std::filesystem::path& path) {
  std::filesystem::last_write_time(
      path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365));
}
