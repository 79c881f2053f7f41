#pragma once
// The two panels that wipe data, on the page 数据备份. "清除数据" (Picture8)
// empties the ticked parts (check-in history, students, rooms, operation
// log) while the desk runs on; "恢复出厂设置" (Picdel, Reinitialisation.h)
// returns the whole installation to its delivered state. Both act only on
// the exact words "立即清除" in their confirmation box.
#include <array>
#include <functional>
#include <string>

#include "platform/MessageBoxes.h"
#include "store/InstallationData.h"

namespace tarvolen {

inline constexpr const char* kConfirmWords = "立即清除";
inline constexpr const char* kConfirmPrompt = "请在下方输入\"立即清除\"以确认。";

class DataClearing {
 public:
  enum Part { Checkins, Students, Rooms, Log };
  static constexpr int kParts = 4;
  static constexpr std::array<const char*, kParts> kCaptions = {"登记数据", "学生数据", "房间数据", "日志"};

  struct Services {
    InstallationData& data;
    MessageBoxes& boxes;
  };
  struct Hooks {
    std::function<int()> year;  // the year of the open year files (fixed for the run)
    std::function<bool()> journalWaiting;
    // The student table or the room table was emptied: lists and boards
    // are drawn again.
    std::function<void()> studentsCleared;
    std::function<void()> roomsCleared;
  };

  DataClearing(Services services, Hooks hooks)
      : data_(services.data), boxes_(services.boxes), hooks_(std::move(hooks)) {}

  // Command36 shows and hides the panel, Command37 ("取消") hides it.
  bool panelShown() const { return shown_; }
  void TogglePanel() { shown_ = !shown_; }
  void HidePanel() { shown_ = false; }
  // Check17(0..3) and the confirmation box Text13.
  bool ticked(int part) const { return ticked_.at(static_cast<size_t>(part)); }
  void SetTicked(int part, bool on) { ticked_.at(static_cast<size_t>(part)) = on; }
  const std::string& confirmation() const { return confirmation_; }
  void SetConfirmation(const std::string& text) { confirmation_ = text; }

  // Command38 "确定": clears the ticked parts, in the order of the ticks.
  void Clear();

 private:
  // Empties every file of a year-file folder and opens the year's file
  // again with a count of 0; an empty string or the file that failed.
  std::string ClearYearFiles(YearFile& file, const char* folder, size_t recordLength, int64_t counter,
                             const std::filesystem::path& current);

  InstallationData& data_;
  MessageBoxes& boxes_;
  Hooks hooks_;
  bool shown_ = false;
  std::array<bool, kParts> ticked_{};
  std::string confirmation_;
};

// Replaces `path` by an empty file (a table file that loads as free slots).
Status EmptyFile(const std::filesystem::path& path);
// Removes every file (not the folders) directly in `folder`; the first
// failure names the file. A missing folder has nothing to remove.
Status RemoveFilesIn(const std::filesystem::path& folder);

}  // namespace tarvolen
