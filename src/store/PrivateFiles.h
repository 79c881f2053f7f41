#pragma once
// The program folder holds every identity's password (set.dat) and every
// student's name, telephone and balance: only the desk's own user may read
// it. Every file the desk creates gets kPrivateFileMode and every folder
// kPrivateFolderMode, whatever the umask of whoever started it; a folder or
// set.dat that others can reach is told once at start-up, never changed
// behind the operator's back.
#include <sys/types.h>

#include <filesystem>
#include <string>

#include "store/Result.h"

namespace tarvolen {

inline constexpr mode_t kPrivateFileMode = 0600;
inline constexpr mode_t kPrivateFolderMode = 0700;

// Creates `dir` and every missing folder above it with kPrivateFolderMode;
// folders that exist already keep their mode.
Status CreatePrivateFolders(const std::filesystem::path& dir);

// The permission bits (0..0777) of `path`, or -1 when it cannot be looked at.
int PermissionBits(const std::filesystem::path& path);

// The start-up line when the folder or its set.dat can be read or written
// by users other than the owner; empty when both are private (or missing).
std::string PrivacyWarning(const std::filesystem::path& folder, const std::filesystem::path& settings);

}  // namespace tarvolen
