#include "notify/Notifier.h"

namespace tarvolen {

void Notifier::PushMessage(const std::string& text) {
  stack_.push(text);
  history_.push_back(text);
  if (onStackChanged) onStackChanged();
  if (onPushed) onPushed();
}

void Notifier::PlaySoundCue(const std::string& name) {
  if (!soundOn_ || player_ == nullptr) return;
  player_->play(folder_.sound(name));
}

}  // namespace tarvolen
