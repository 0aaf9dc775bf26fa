#pragma once

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes. Every object gets a name of its own, so programs
// running side by side never share a folder. It needs no test framework, so
// the fuzz programs use it as well; a folder that cannot be made stops the
// program, since nothing after it could be trusted.
class TempDir {
 public:
  TempDir() {
    std::error_code error;
    const auto root = std::filesystem::temp_directory_path(error);
    std::string pattern = (root / "digmaze-test.XXXXXX").string();
    if (error || mkdtemp(pattern.data()) == nullptr) {
      std::fprintf(stderr, "cannot make a temporary folder under %s\n", root.c_str());
      std::abort();
    }
    path = pattern + "/";
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending with a separator.
  const std::string& Path() const { return path; }
  // A path inside the folder.
  std::string operator/(const std::string& name) const { return path + name; }

 private:
  std::string path;
};
