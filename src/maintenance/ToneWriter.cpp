#include "maintenance/ToneWriter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <system_error>

#include "store/RecordFile.h"

namespace tarvolen {
namespace {

constexpr int kMaxToneMs = 10000;
constexpr int16_t kChannels = 1;
constexpr int16_t kBitsPerSample = 16;

void Tag(RecordWriter& w, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) w.byte(static_cast<uint8_t>(tag[i]));
}

}  // namespace

Result<Bytes> MakeToneWav(const Tone& tone) {
  if (!(tone.frequencyHz > 0) || tone.frequencyHz >= kToneSampleRate / 2.0) {
    return Status(ErrorCode::Refused, "tone frequency out of range");
  }
  if (tone.durationMs <= 0 || tone.durationMs > kMaxToneMs) {
    return Status(ErrorCode::Refused, "tone duration out of range");
  }
  const int32_t samples = static_cast<int32_t>(static_cast<int64_t>(kToneSampleRate) * tone.durationMs / 1000);
  const int32_t blockAlign = kChannels * kBitsPerSample / 8;
  const int32_t dataSize = samples * blockAlign;
  const int32_t fadeSamples = std::min(
      samples / 2, static_cast<int32_t>(static_cast<int64_t>(kToneSampleRate) * std::max(tone.fadeMs, 0) / 1000));
  const double amplitude = std::clamp(tone.amplitude, 0.0, 1.0) * 32767.0;

  RecordWriter w;
  Tag(w, "RIFF");
  w.longValue(36 + dataSize);
  Tag(w, "WAVE");
  Tag(w, "fmt ");
  w.longValue(16);  // size of the format chunk
  w.integer(1);     // PCM
  w.integer(kChannels);
  w.longValue(kToneSampleRate);
  w.longValue(kToneSampleRate * blockAlign);  // bytes per second
  w.integer(static_cast<int16_t>(blockAlign));
  w.integer(kBitsPerSample);
  Tag(w, "data");
  w.longValue(dataSize);

  for (int32_t i = 0; i < samples; ++i) {
    double envelope = 1.0;
    if (fadeSamples > 0) {
      if (i < fadeSamples) envelope = static_cast<double>(i) / fadeSamples;
      int32_t fromEnd = samples - 1 - i;
      if (fromEnd < fadeSamples) envelope = std::min(envelope, static_cast<double>(fromEnd) / fadeSamples);
    }
    double phase = 2.0 * std::numbers::pi * tone.frequencyHz * i / kToneSampleRate;
    w.integer(static_cast<int16_t>(std::lround(amplitude * envelope * std::sin(phase))));
  }
  if (!w.status().ok()) return w.status();
  return w.bytes();
}

Status WriteToneWav(const std::filesystem::path& path, const Tone& tone) {
  auto wav = MakeToneWav(tone);
  if (!wav.ok()) return wav.status();
  // A fresh file, so no tail of an older, longer one survives.
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) return Status(ErrorCode::WriteFailed, path.string() + ": " + ec.message());
  auto file = RecordFile::Open(path, wav->size());
  if (!file.ok()) return file.status();
  return file->write(1, wav.value());
}

}  // namespace tarvolen
