#include "store/ProgramFolder.h"

#include <cstdio>

namespace tarvolen {

ProgramFolder::ProgramFolder(std::filesystem::path root) {
  std::string s = root.string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  root_ = s;
}

std::string YearFileName(int year) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d.dat", year);
  return buf;
}

std::filesystem::path ProgramFolder::checkinYear(int year) const { return file("数据/登记/" + YearFileName(year)); }

std::filesystem::path ProgramFolder::logYear(int year) const { return file("数据/日志/" + YearFileName(year)); }

std::filesystem::path ProgramFolder::suspension() const { return std::filesystem::path(root_.string() + "ts.dat"); }

}  // namespace tarvolen
