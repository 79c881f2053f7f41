#include "notify/Notifier.h"

namespace tarvolen {

void Notifier::PushMessage(const std::string& text) {
  stack_.push(text);
  history_.push_back(text);
  pushed();
}

void Notifier::PlaySoundCue(Cue cue) {
  if (!soundOn_ || player_ == nullptr) return;
  player_->play(folder_.sound(CueFile(cue)));
}

}  // namespace tarvolen
