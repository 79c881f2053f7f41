#pragma once
// The two ways of telling the operator about an outcome without blocking:
// PushMessage (the fading line stack) and PlaySoundCue.
#include <functional>
#include <string>
#include <vector>

#include "notify/MessageStack.h"
#include "platform/SoundPlayer.h"
#include "store/ProgramFolder.h"

namespace tarvolen {

class Notifier {
 public:
  Notifier(ProgramFolder folder, SoundPlayer* player) : folder_(std::move(folder)), player_(player) {}

  void PushMessage(const std::string& text);
  // Plays sound/<name> while the sound option is on.
  void PlaySoundCue(const std::string& name);

  void setSoundOn(bool on) { soundOn_ = on; }
  bool soundOn() const { return soundOn_; }

  MessageStack& stack() { return stack_; }
  const MessageStack& stack() const { return stack_; }
  // Every line pushed during the run, oldest first (for the log and tests).
  const std::vector<std::string>& history() const { return history_; }

  // Told after every push, so the windows redraw (fading steps: Desk::onMessagesFaded).
  std::function<void()> onPushed;
  // Told after every push, so the fade timer runs.
  std::function<void()> onStackChanged;

 private:
  ProgramFolder folder_;
  SoundPlayer* player_;
  bool soundOn_ = false;
  MessageStack stack_;
  std::vector<std::string> history_;
};

}  // namespace tarvolen
