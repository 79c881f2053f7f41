#pragma once
// The two ways of telling the operator about an outcome without blocking:
// PushMessage (the fading line stack) and PlaySoundCue.
#include <functional>
#include <string>
#include <vector>

#include "notify/Feedback.h"
#include "notify/MessageStack.h"
#include "notify/Signal.h"
#include "platform/SoundPlayer.h"
#include "store/ProgramFolder.h"

namespace tarvolen {

class Notifier final : public Feedback {
 public:
  Notifier(ProgramFolder folder, SoundPlayer* player) : folder_(std::move(folder)), player_(player) {}

  void PushMessage(const std::string& text) override;
  // Plays the cue's file under sound/ while the sound option is on.
  void PlaySoundCue(Cue cue) override;

  void setSoundOn(bool on) { soundOn_ = on; }
  bool soundOn() const { return soundOn_; }

  MessageStack& stack() { return stack_; }
  const MessageStack& stack() const { return stack_; }
  // Every line pushed during the run, oldest first (for the log and tests).
  const std::vector<std::string>& history() const { return history_; }

  // Told after every push: the fade timer runs, the windows redraw, the
  // program writes the line to its log.
  Signal<> pushed;

 private:
  ProgramFolder folder_;
  SoundPlayer* player_;
  bool soundOn_ = false;
  MessageStack stack_;
  std::vector<std::string> history_;
};

}  // namespace tarvolen
