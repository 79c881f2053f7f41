#pragma once
// Passes every cue on to another player and notes it on stderr as
// "[声音] <file name>", so a maintainer (or a test driving the program from
// outside, where nothing can be heard) sees which cues played.
#include <cstdio>
#include <filesystem>

#include "platform/SoundPlayer.h"

namespace tarvolen {

class LoggingSoundPlayer : public SoundPlayer {
 public:
  explicit LoggingSoundPlayer(SoundPlayer& inner) : inner_(inner) {}
  void play(const std::filesystem::path& file) override {
    std::fprintf(stderr, "[声音] %s\n", file.filename().string().c_str());
    inner_.play(file);
  }

 private:
  SoundPlayer& inner_;
};

}  // namespace tarvolen
