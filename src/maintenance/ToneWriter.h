#pragma once
// Short cue sounds made here rather than shipped: a sine tone with a soft
// start and end, as a 16-bit PCM mono wave file.
#include <cstdint>
#include <filesystem>

#include "store/Packing.h"
#include "store/Result.h"

namespace tarvolen {

struct Tone {
  double frequencyHz = 440.0;
  int durationMs = 200;
  double amplitude = 0.4;  // of full scale, 0..1
  int fadeMs = 10;         // linear fade-in and fade-out, to avoid clicks
};

constexpr int kToneSampleRate = 22050;
constexpr size_t kWavHeaderSize = 44;

// The whole wave file: RIFF header, "fmt " chunk, "data" chunk. A tone with
// a non-positive duration or frequency, or one longer than ten seconds, is
// refused.
Result<Bytes> MakeToneWav(const Tone& tone);

// Writes the wave file, replacing any file of that name.
Status WriteToneWav(const std::filesystem::path& path, const Tone& tone);

}  // namespace tarvolen
