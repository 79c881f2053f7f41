#pragma once
// Workbooks the tests write themselves: .xlsx through libxlsxwriter, and
// through Debian's python3-openpyxl and python3-xlwt (the only writer of
// legacy .xls at hand), run as /usr/bin/python3.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tarvolen::testing {

// Runs a Python script; false (with the failure added) when it fails.
inline bool RunPython(const std::filesystem::path& dir, const std::string& script) {
  const std::filesystem::path file = dir / "make.py";
  {
    std::ofstream out(file);
    out << script;
  }
  const std::string command = "/usr/bin/python3 '" + file.string() + "' 2>&1";
  const int rc = std::system(command.c_str());
  if (rc != 0) ADD_FAILURE() << "python3 failed (python3-openpyxl, python3-xlwt installed?):\n" << script;
  return rc == 0;
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tarvolen::testing
