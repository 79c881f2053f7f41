#pragma once
// Page 2 "房间数据" of the administration area: the edit mode Check3, the
// search fields Combo14(0..1), Text14 and Command41, the room list List2
// under its heading, and the editor: Combofj(0..9) with their enable boxes
// Chefj(i) and lock boxes Check6(i), Label36 and the buttons Command40,
// Command9 and Command39. Every event goes to the desk's room editor;
// render() draws what it holds.
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "admin/RoomEditor.h"
#include "notify/Signal.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tarvolen {
class ImportProgressWidget;
}

namespace tarvolen {

class Desk;

class AdminRoomsPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kFields = RoomEditor::kFields;

  AdminRoomsPage(Desk& desk, std::function<void()> changed, QWidget* parent = nullptr);

  void render();

  QListWidget* list() const { return list2_; }
  QWidget* field(int i) const { return combofj_[static_cast<size_t>(i)]; }

 protected:
  // Enter in a field is the keyboard walk.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Check3_Click(bool on);
  void Chefj_Click(int i, bool on);
  void Check6_Click(int i, bool on);
  void Combofj_Change(int i, const QString& text);
  void Combofj_Click(int i, int entry);
  void Combofj_Enter(int i);
  void List2_Click(int row);
  void List2_SelectionChanged();
  void Combo14_Click(int i, int entry);
  void Text14_Change(const QString& text);
  void Command41_Click();
  void Command40_Click();
  void Command9_Click();
  void Command39_Click();
  void After();
  void RenderEntries();
  void RenderRows();
  void RenderSelection();

  Desk& desk_;
  std::function<void()> changed_;
  QCheckBox* check3_;
  std::array<QComboBox*, 2> combo14_{};
  QLineEdit* text14_;
  QPushButton* command41_;
  QLabel* header_;
  QListWidget* list2_;
  std::array<QWidget*, kFields> combofj_{};
  std::array<QCheckBox*, kFields> chefj_{};
  std::array<QCheckBox*, kFields> check6_{};
  QLabel* label36_;
  QPushButton* command40_;
  QPushButton* command9_;
  QPushButton* command39_;
  // 从电子表格导入 and the import's progress.
  QPushButton* importRooms_;
  ImportProgressWidget* importProgress_;
  Connections listening_;
  uint64_t drawnEntries_ = UINT64_MAX;
  uint64_t drawnRows_ = UINT64_MAX;
  uint64_t drawnSelection_ = UINT64_MAX;
  int focusRequest_ = 0;
};

}  // namespace tarvolen
