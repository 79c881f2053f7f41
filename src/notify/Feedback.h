#pragma once
// How the core tells the operator about an outcome without blocking: a line
// on the message stack and a sound cue. Refusals go through `Refuse`, so
// every refusal sounds and reads the same way.
#include <string>

#include "store/Result.h"

namespace tarvolen {

// The sound cues, sound/3.wav .. sound/8.wav.
enum class Cue {
  CheckIn,       // 3.wav: a session started, a session ran over its time
  Refusal,       // 4.wav: a refusal
  Ready,         // 5.wav: the data loaded, sound switched on
  CheckOut,      // 6.wav: a session ended and was billed
  CardWarning,   // 7.wav: a lost or suspended card swiped
  LevelChanged,  // 8.wav: a student's member level changed
};

// The file of a cue under sound/, "3.wav" .. "8.wav".
const char* CueFile(Cue cue);

class Feedback {
 public:
  virtual ~Feedback() = default;
  virtual void PushMessage(const std::string& text) = 0;
  virtual void PlaySoundCue(Cue cue) = 0;

  // A refusal told to the operator: the refusal cue when asked, the text as
  // a message line; returned as the refusal's status.
  Status Refuse(const std::string& text, bool sound = false) {
    if (sound) PlaySoundCue(Cue::Refusal);
    PushMessage(text);
    return Status(ErrorCode::Refused, text);
  }
};

}  // namespace tarvolen
