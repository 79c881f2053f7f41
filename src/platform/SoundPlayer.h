#pragma once
// Plays a wave file asynchronously; a new cue cuts off one still playing.
// A missing file or no audio device is silent.
#include <filesystem>

namespace tarvolen {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual void play(const std::filesystem::path& file) = 0;
};

}  // namespace tarvolen
