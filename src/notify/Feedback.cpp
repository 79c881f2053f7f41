#include "notify/Feedback.h"

namespace tarvolen {

const char* CueFile(Cue cue) {
  switch (cue) {
    case Cue::CheckIn: return "3.wav";
    case Cue::Refusal: return "4.wav";
    case Cue::Ready: return "5.wav";
    case Cue::CheckOut: return "6.wav";
    case Cue::CardWarning: return "7.wav";
    case Cue::LevelChanged: return "8.wav";
  }
  return "4.wav";
}

}  // namespace tarvolen
