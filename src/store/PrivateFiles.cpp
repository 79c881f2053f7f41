#include "store/PrivateFiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tarvolen {
namespace {

constexpr int kOthersBits = 077;

std::string Octal(int bits) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(bits));
  return text;
}

bool OpenToOthers(int bits) { return bits >= 0 && (bits & kOthersBits) != 0; }

}  // namespace

Status CreatePrivateFolders(const std::filesystem::path& dir) {
  // The missing folders, outermost first.
  std::vector<std::filesystem::path> missing;
  for (std::filesystem::path p = dir; !p.empty(); p = p.parent_path()) {
    struct stat st {};
    if (::stat(p.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) return Status(ErrorCode::OpenFailed, p.string() + ": not a folder");
      break;
    }
    missing.push_back(p);
    if (p == p.parent_path()) break;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (::mkdir(it->c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) {
      return Status(ErrorCode::OpenFailed, it->string() + ": " + std::strerror(errno));
    }
    // mkdir's mode passes through the umask, which may take away the
    // owner's own bits; the folder gets exactly the private mode.
    if (::chmod(it->c_str(), kPrivateFolderMode) != 0) {
      return Status(ErrorCode::OpenFailed, it->string() + ": " + std::strerror(errno));
    }
  }
  return Status::Ok();
}

int PermissionBits(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -1;
  return static_cast<int>(st.st_mode & 0777);
}

std::string PrivacyWarning(const std::filesystem::path& folder, const std::filesystem::path& settings) {
  const int folderBits = PermissionBits(folder);
  const int settingsBits = PermissionBits(settings);
  const bool folderOpen = OpenToOthers(folderBits);
  const bool settingsOpen = OpenToOthers(settingsBits);
  if (!folderOpen && !settingsOpen) return {};
  std::string text = "程序目录可被其他用户读取：";
  if (folderOpen) text += folder.string() + "（权限" + Octal(folderBits) + "）";
  if (folderOpen && settingsOpen) text += "，";
  if (settingsOpen) text += "set.dat（权限" + Octal(settingsBits) + "，存有各身份的密码）";
  return text;
}

}  // namespace tarvolen
