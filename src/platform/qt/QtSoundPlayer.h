#pragma once
#include <QObject>
#include <QSoundEffect>
#include <map>
#include <memory>
#include <string>

#include "platform/SoundPlayer.h"

namespace tarvolen {

// One QSoundEffect per cue file, made on first use and kept. A new cue stops
// the one still playing. Without an audio device Qt stays silent.
class QtSoundPlayer final : public SoundPlayer {
 public:
  void play(const std::filesystem::path& file) override;

 private:
  std::map<std::string, std::unique_ptr<QSoundEffect>> effects_;
  QSoundEffect* playing_ = nullptr;
};

}  // namespace tarvolen
