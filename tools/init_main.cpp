// tarvolen-init DIR [--demo]: writes a clean program folder, optionally with
// demo rooms and students. Refuses a folder that already holds a set.dat.
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "maintenance/CleanInstallation.h"
#include "platform/Clock.h"
#include "store/PrivateFiles.h"
#include "store/ProgramFolder.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void Usage() {
  std::fprintf(stderr,
               "usage: tarvolen-init DIR [--demo]\n"
               "  writes a clean installation into DIR (created when missing);\n"
               "  --demo also adds 12 rooms and 20 students (cards 1001..1020).\n");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarvolen;
  // The installation holds passwords and students' details: what this tool
  // creates is its user's alone (the files also get their modes explicitly).
  ::umask(077);
  std::string dirArg;
  bool demo = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--demo") {
      demo = true;
    } else if (arg == "-h" || arg == "--help") {
      Usage();
      return kExitOk;
    } else if (!arg.empty() && arg[0] == '-') {
      std::fprintf(stderr, "tarvolen-init: unknown option %s\n", arg.c_str());
      Usage();
      return kExitUsage;
    } else if (dirArg.empty()) {
      dirArg = arg;
    } else {
      std::fprintf(stderr, "tarvolen-init: only one folder may be given\n");
      Usage();
      return kExitUsage;
    }
  }
  if (dirArg.empty()) {
    Usage();
    return kExitUsage;
  }

  const std::filesystem::path dir(dirArg);
  const ProgramFolder folder(dir);
  std::error_code ec;
  if (std::filesystem::exists(folder.settings(), ec)) {
    std::fprintf(stderr,
                 "tarvolen-init: %s already holds an installation (set.dat); nothing was changed.\n"
                 "Choose an empty folder, or remove the old installation first.\n",
                 dir.string().c_str());
    return kExitUsage;
  }

  const CivilDate today = SystemClock().today();
  const bool existed = std::filesystem::is_directory(dir, ec);
  if (Status s = WriteCleanInstallation(dir, today); !s.ok()) {
    std::fprintf(stderr, "tarvolen-init: the installation failed: %s\n", s.detail().c_str());
    return s.code() == ErrorCode::Refused ? kExitUsage : kExitFailed;
  }
  std::printf("%s %s\n", existed ? "Using folder" : "Created folder (mode 0700)", dir.string().c_str());
  if (existed) {
    const int bits = PermissionBits(dir);
    if (bits >= 0 && (bits & 077) != 0) {
      std::printf(
          "  note: the folder existed with mode %04o, so other users can reach it; its files are 0600.\n"
          "  chmod 700 %s makes it private.\n",
          static_cast<unsigned>(bits), dir.string().c_str());
    }
  }
  std::printf("Wrote a clean installation dated %04d-%02d-%02d:\n", today.year, today.month, today.day);
  std::printf("  set.dat (identities, options), shuju.dat, students.dat, rooms.dat (empty)\n");
  std::printf("  hy.dat, lj.dat, bj.dat, zy.dat, vin.dat, data/rrsm.dat, appname.txt\n");
  std::printf("  sound/3.wav .. sound/8.wav, C.txt and ct/ (clean copies for re-initialisation)\n");
  std::printf("  folders 数据/登记, 数据/日志, 数据/学生, Font\n");
  std::printf("The first start asks for the administrator password of identity \"%s\".\n", DefaultIdentities()[6].name);

  if (demo) {
    if (Status s = AddDemoData(dir, today); !s.ok()) {
      std::fprintf(stderr, "tarvolen-init: the demo data could not be added: %s\n", s.detail().c_str());
      return kExitFailed;
    }
    std::printf("Added demo data: %zu rooms, %d students with cards %lld..%lld,\n", DemoRooms().size(),
                kDemoStudentCount, static_cast<long long>(kDemoFirstCard),
                static_cast<long long>(kDemoFirstCard + kDemoStudentCount - 1));
    std::printf("  and a suspension record in %s.\n", folder.suspension().string().c_str());
  }
  return kExitOk;
}
