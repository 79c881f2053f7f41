#pragma once
#include <string>
#include <vector>

#include "platform/SoundPlayer.h"

namespace tarvolen {

// Remembers the file name of every cue played.
class FakeSoundPlayer final : public SoundPlayer {
 public:
  void play(const std::filesystem::path& file) override { played.push_back(file.filename().string()); }
  std::vector<std::string> played;
};

}  // namespace tarvolen
