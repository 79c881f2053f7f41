#pragma once
// The main window: renders the desk's state and forwards the operator's
// actions. Closing it runs save-and-exit.
//
// It shows the session list (Picture1), the student panel of the check-in
// dialogue (Picture4, over the session list while a student is choosing a
// room) with the room list, the card buffer (TKey), the status line, the
// activity text and the buttons; it owns the pop-up windows (message lines,
// floating card window, countdown box) and redraws all of them from the
// desk in one render().
#include <QMainWindow>
#include <QPoint>
#include <QRgb>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/DetailSheets.h"
#include "desk/Jumps.h"
#include "notify/WindowLayout.h"
#include "notify/Signal.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tarvolen {

class AdminAreaWidget;
class ConfirmationPanelWidget;
class CountdownWindow;
class DetailSheetWindows;
class Desk;
class FloatingCardWindow;
class LabelGrid;
class MessageWindows;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kRows = 30;
  static constexpr int kSessionColumns = 9;
  static constexpr int kRoomColumns = 7;

  explicit MainWindow(Desk& desk, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Draws the desk's state into this window and the pop-ups; only what
  // changed since the last call is touched.
  void render();

  // Gives the window the size and state saved at the last exit, and from
  // then on reports every resize to the desk (saved again at exit).
  void applySavedGeometry();

  QPushButton* exitButton() const { return exitButton_; }
  QPushButton* switchButton() const { return switchButton_; }
  AdminAreaWidget& adminArea() const { return *adminArea_; }
  ConfirmationPanelWidget& confirmationPanel() const { return *picture5_; }
  MessageWindows& messageWindows() const { return *messageWindows_; }
  FloatingCardWindow& floatingCardWindow() const { return *floatingCard_; }
  CountdownWindow& countdownWindow() const { return *countdown_; }
  DetailSheetWindows& detailSheetWindows() const { return *sheets_; }
  // The layout pass (LayoutMainWindow): every control to the place the
  // core's layout gives for the window's outer size now.
  void LayOut();
  const MainWindowLayout& layout() const { return layout_; }

 signals:
  void exitRequested();
  void switchRequested();
  // The window was activated (clicked, say) while disabled for a switch of
  // identity: the prompt must be brought back in front of it.
  void activatedWhileDisabled();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  LabelGrid* BuildSessionList();
  QWidget* BuildStudentPanel();
  void BuildInfoPanel(QWidget* parent);
  void PlaceInfoPanel();
  void ApplyStudentPanel(const MainWindowLayout& l);
  LabelGrid* BuildRoomList(QWidget* parent);
  // The arrow pair of a list (elements 0 ascending, 1 descending), over its headings.
  std::array<QLabel*, 2> BuildSortArrows(LabelGrid* list, const QString& name);
  // Both lists' arrows to the sorted heading of the last pass; the image of
  // the direction shows.
  void PlaceSortArrows();
  void ApplySortArrows(const std::array<QLabel*, 2>& arrows, const SortArrows& place, QRgb colour);

  void RenderAll();
  void RenderSessionList();
  void RenderRoomList();
  void RenderStudentPanel();
  void RenderAdminArea();
  void RenderCounters();
  void ReportGeometry();
  void SetText(QLabel* label, std::string& drawn, const std::string& text);
  QRgb Colour(int index) const;

  // Event handlers of the controls: they forward to the core and redraw.
  void Label1_Click(int column);   // session list headings
  void Labgl_Click(int column);    // room list headings
  void VScroll1_Change(int page);  // session list scroll bar
  void VScroll2_Change(int page);  // room list scroll bar
  void SessionCell_MouseMove(int row, int column, QPoint inCell);
  void RoomCell_MouseMove(int row, int column, QPoint inCell);
  // The sheet action of a hovered cell (after the row was selected).
  void DoSheetAction(HoverList list, int column, int row, QPoint inCell);
  void HideSheets();
  void RenderSheets();
  void Labffj_MouseDown(int row, Qt::MouseButton button);
  void Combo2_Click(int index);
  void Check10_Click(bool on);  // "使用空闲房间"
  void Check11_Click(bool on);  // "使用超时房间"
  void Check7_Click(bool on);   // "使用未超时房间"
  void Command15_Click();       // "取消"
  void Command46_Click();       // "全部下线"
  void Command5_Click();        // opens and closes the administration area
  // A Ctrl-click on a student's or room's cell: its administration page.
  void Jump(JumpCell cell, int row);

  Desk& desk_;
  Connections listening_;
  bool rendering_ = false;
  bool renderAgain_ = false;
  bool countdownWasOpen_ = false;
  bool reportGeometry_ = false;

  std::unique_ptr<MessageWindows> messageWindows_;
  std::unique_ptr<FloatingCardWindow> floatingCard_;
  std::unique_ptr<CountdownWindow> countdown_;
  std::unique_ptr<DetailSheetWindows> sheets_;
  MainWindowLayout layout_;
  QWidget* right_;
  // The temporary-information panel (Text1) with the activity text.
  QWidget* text1_;
  QLabel* label24_;
  QLabel* label25_;
  static constexpr int kInfoPanelWidth = 130;
  static constexpr int kInfoPanelHeight = 200;
  static constexpr int kInfoTitleHeight = 18;
  static constexpr int kStripHeight = 30;
  static constexpr int kStripButtonWidth = 84;
  static constexpr int kCancelWidth = 80;
  static constexpr int kCancelHeight = 25;

  QLabel* tKey_;
  QLabel* tfj_;
  std::array<QLabel*, 6> label3_{};  // 2 clock, 3 online, 4 overtime, 5 page
  QPlainTextEdit* activity_;
  QPushButton* switchButton_;
  QPushButton* command5_;
  QPushButton* command46_;
  QPushButton* exitButton_;

  // The administration area (Picture2), over the lists while open.
  AdminAreaWidget* adminArea_;
  // The confirmation of an account operation (Picture5).
  ConfirmationPanelWidget* picture5_;
  int adminOpen_ = -1;

  // Session list (Picture1).
  LabelGrid* picture1_;
  std::array<QLabel*, 2> image1_{};  // its sort arrows

  // Student panel (Picture4) and its room list.
  QWidget* picture4_;
  LabelGrid* roomList_;
  std::array<QLabel*, 2> image1t_{};  // its sort arrows
  QLabel* statusLine_;
  std::array<QLabel*, 13> detailCaptions_{};
  std::array<QLabel*, 13> detailValues_{};
  QLabel* photo_;
  QLabel* todayHeading_;
  QListWidget* list5_;
  QComboBox* combo2_;
  QLabel* label9_;
  QCheckBox* check10_;
  QCheckBox* check11_;
  QCheckBox* check7_;
  QPushButton* command15_;

  // What is on screen now.
  struct Drawn {
    std::string title;
    int enabled = -1;
    std::string buffer;
    std::string tfj;
    std::array<std::string, 6> label3;
    std::string activity;
    std::string places;
    std::array<std::string, 3> useCaptions;
    int panelVisible = -1;
    std::string statusText;
    int statusColour = -1;
    std::string statusTooltip;
    std::array<std::string, 13> details;
    std::string photoPath = std::string(1, '\0');
    std::string todayHeading;
    std::vector<std::string> todayLines;
    std::vector<std::string> majors;
    int majorIndex = -1;
    std::array<int, 3> useChecks{-1, -1, -1};
    int roomsInTimeEnabled = -1;
    QRgb base = 0, border = 0;
    bool coloured = false;
  } drawn_;
};

}  // namespace tarvolen
