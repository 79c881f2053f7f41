#pragma once
// Where every data file lives: the program folder followed by a fixed
// relative name. The suspension file is the exception: it lies beside the
// folder, named after it ("<folder>ts.dat").
#include <filesystem>
#include <string>

namespace tarvolen {

class ProgramFolder {
 public:
  ProgramFolder() = default;
  // Any trailing separator is dropped, so the suspension file's name is
  // formed from the folder's own name.
  explicit ProgramFolder(std::filesystem::path root);

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path file(const std::string& relative) const { return root_ / relative; }

  std::filesystem::path settings() const { return file("set.dat"); }
  std::filesystem::path students() const { return file("students.dat"); }
  std::filesystem::path rooms() const { return file("rooms.dat"); }
  std::filesystem::path sessions() const { return file("shuju.dat"); }
  std::filesystem::path levels() const { return file("hy.dat"); }
  std::filesystem::path grades() const { return file("lj.dat"); }
  std::filesystem::path classes() const { return file("bj.dat"); }
  std::filesystem::path majors() const { return file("zy.dat"); }
  std::filesystem::path company() const { return file("vin.dat"); }
  std::filesystem::path operationNames() const { return file("data/rrsm.dat"); }
  std::filesystem::path appName() const { return file("appname.txt"); }
  // The crash journal of check-in and check-out (store/Journal.h).
  std::filesystem::path journal() const { return file("journal.dat"); }
  std::filesystem::path checkinYear(int year) const;
  std::filesystem::path logYear(int year) const;
  std::filesystem::path suspension() const;
  std::filesystem::path sound(const std::string& name) const { return file("sound/" + name); }

 private:
  std::filesystem::path root_;
};

// "0000.dat" for a year.
std::string YearFileName(int year);

}  // namespace tarvolen
