#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QTimer>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "startup/UseOptions.h"
#include "desk/SessionEngine.h"
#include "session/StudentDetails.h"
#include "desk/Desk.h"
#include "startup/OptionsEditor.h"
#include "ui/AdminAreaWidget.h"
#include "ui/ConfirmationPanelWidget.h"
#include "ui/CountdownWindow.h"
#include "ui/DetailSheetWindows.h"
#include "ui/FloatingCardWindow.h"
#include "ui/LabelGrid.h"
#include "ui/MessageWindows.h"
#include "ui/WindowLook.h"

namespace tarvolen {

namespace {

const char* const kSessionHeadings[MainWindow::kSessionColumns] = {"姓名", "卡号", "登记时间", "用时", "房间号",
                                                                   "类别", "年级", "专业",     "超时"};
const char* const kSessionCellNames[MainWindow::kSessionColumns] = {"Labname", "Labkh", "Labsj",  "Labys", "Labfh",
                                                                    "Lablb",   "Lablj", "Labzlj", "Labcs"};
// The room list's columns in the order of its headings (heading index =
// sort column): room, time used, overtime, name, card, type, places.
const char* const kRoomHeadings[MainWindow::kRoomColumns] = {"房间", "用时", "超时", "姓名", "卡号", "类别", "人数"};
const char* const kRoomCellNames[MainWindow::kRoomColumns] = {"Labffj", "Labfys", "Labfcs", "Labfxm",
                                                              "Labfkh", "Labflb", "Labfrs"};
constexpr int kRoomNameColumn = 0;
constexpr int kOccupantColumn = 3;
constexpr int kSessionNameColumn = 0;
constexpr int kSessionRoomColumn = 4;
constexpr int kNameDetail = 2;  // the swiped student's name (Label7(12))

// A jump is the left button with Ctrl and no other shift key.
bool CtrlClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers shifts = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  return button == Qt::LeftButton && (modifiers & shifts) == Qt::ControlModifier;
}
constexpr int kPlacesColumn = 6;

QString Q(const std::string& s) { return QString::fromStdString(s); }

void Paint(QWidget* w, QPalette::ColorRole role, QRgb colour) {
  QPalette p = w->palette();
  p.setColor(role, QColor::fromRgb(colour));
  w->setPalette(p);
}

// The arrow images are small whatever the board's text size.
constexpr int kSortArrowPixels = 10;

}  // namespace

MainWindow::MainWindow(Desk& desk, QWidget* parent) : QMainWindow(parent), desk_(desk) {
  setObjectName(QStringLiteral("mainWindow"));
  KeepActivationOffNoFocusWindows();
  messageWindows_ = std::make_unique<MessageWindows>(desk_);
  floatingCard_ = std::make_unique<FloatingCardWindow>(desk_);
  countdown_ = std::make_unique<CountdownWindow>(desk_);
  sheets_ = std::make_unique<DetailSheetWindows>(desk_);
  connect(sheets_.get(), &DetailSheetWindows::clicked, this, [this] {
    HideSheets();
    if (isEnabled()) activateWindow();
  });

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("central"));
  central->setAutoFillBackground(true);

  // The board area: the student panel lies over the session list, the
  // administration area and the confirmation panel over both. Every control
  // stands where the layout pass puts it (LayOut).
  picture1_ = BuildSessionList();
  picture1_->setParent(central);
  picture4_ = BuildStudentPanel();
  picture4_->setParent(central);
  picture4_->hide();
  adminArea_ = new AdminAreaWidget(desk_, central);
  adminArea_->setAutoFillBackground(true);
  adminArea_->hide();
  // The confirmation of an account operation lies over everything on the board.
  picture5_ = new ConfirmationPanelWidget(desk_, central);
  picture5_->hide();

  // The right-hand column: selected room, card buffer, status line, the
  // major selector and the buttons.
  right_ = new QWidget(central);
  right_->setObjectName(QStringLiteral("rightColumn"));
  auto* rightLayout = new QVBoxLayout(right_);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  QFont big = font();
  big.setPointSize(16);
  big.setBold(true);
  tfj_ = new QLabel(right_);
  tfj_->setObjectName(QStringLiteral("tfj"));
  tfj_->setFont(big);
  tfj_->setAlignment(Qt::AlignCenter);
  tfj_->hide();
  tKey_ = new QLabel(right_);
  tKey_->setObjectName(QStringLiteral("TKey"));
  tKey_->setFont(big);
  tKey_->setAlignment(Qt::AlignCenter);
  tKey_->setFrameShape(QFrame::StyledPanel);
  tKey_->setMinimumHeight(36);
  rightLayout->addWidget(tfj_);
  rightLayout->addWidget(tKey_);
  for (int i : {3, 4, 5, 2}) {
    auto* l = new QLabel(right_);
    l->setObjectName(QStringLiteral("Label3_%1").arg(i));
    label3_[static_cast<size_t>(i)] = l;
    rightLayout->addWidget(l);
  }
  combo2_->setParent(right_);
  rightLayout->addWidget(combo2_);
  command5_ = new QPushButton(QStringLiteral("管理"), right_);
  command5_->setObjectName(QStringLiteral("Command5"));
  command5_->setToolTip(QStringLiteral("打开或关闭管理区"));
  command5_->setFocusPolicy(Qt::NoFocus);
  rightLayout->addWidget(command5_);
  rightLayout->addStretch();

  BuildInfoPanel(central);

  // The bottom strip below the lists: 切换用户 at the left, 全部下线 and 退出
  // at the right. 切换用户 is also here, outside the administration area: an
  // identity without the settings page (the visitor) must still be able to
  // hand the desk over.
  switchButton_ = new QPushButton(QStringLiteral("切换用户"), central);
  switchButton_->setObjectName(QStringLiteral("switchButton"));
  command46_ = new QPushButton(QStringLiteral("全部下线"), central);
  command46_->setObjectName(QStringLiteral("Command46"));
  exitButton_ = new QPushButton(QStringLiteral("退出"), central);
  exitButton_->setObjectName(QStringLiteral("exitButton"));
  for (QPushButton* b : {switchButton_, command46_, exitButton_}) b->setFocusPolicy(Qt::NoFocus);
  desk_.infoPanel().changed = [this] { PlaceInfoPanel(); };

  setCentralWidget(central);
  setMinimumSize(kMinimumOuterWidth, kMinimumOuterHeight);
  resize(875, 547);  // 13125 x 8205 twips
  LayOut();          // the delivered size, before any pass of the layout timer

  connect(exitButton_, &QPushButton::clicked, this, [this] { emit exitRequested(); });
  connect(switchButton_, &QPushButton::clicked, this, [this] { emit switchRequested(); });
  connect(command46_, &QPushButton::clicked, this, &MainWindow::Command46_Click);
  connect(command5_, &QPushButton::clicked, this, &MainWindow::Command5_Click);
  connect(adminArea_, &AdminAreaWidget::switchIdentityRequested, this, [this] { emit switchRequested(); });
  connect(adminArea_, &AdminAreaWidget::titleChanged, this, [this] { render(); });
  connect(adminArea_, &AdminAreaWidget::changed, this, [this] { render(); });
  connect(picture5_, &ConfirmationPanelWidget::changed, this, [this] { render(); });

  // The desk tells this window when to redraw.
  desk_.mainWindowForeground = [this] { return isActiveWindow(); };
  for (Signal<>* redraw :
       {&desk_.cardBufferChanged, &desk_.countdownChanged, &desk_.windowStateChanged, &desk_.messagesFaded,
        &desk_.engine().changed, &desk_.notifier().pushed, &desk_.accounts().changed, &desk_.maintenanceChanged}) {
    listening_.add(*redraw, [this] { render(); });
  }
  listening_.add(desk_.layoutDue, [this] { LayOut(); });
  desk_.mainWindowMinimised = [this] { return isMinimized(); };
  listening_.add(desk_.engine().bringToFront, [this] {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
  });
}

MainWindow::~MainWindow() {
  desk_.mainWindowForeground = nullptr;
  desk_.mainWindowMinimised = nullptr;
  desk_.infoPanel().changed = nullptr;
}

LabelGrid* MainWindow::BuildSessionList() {
  LabelGrid::Names names{
      QStringLiteral("Picture1"), QStringLiteral("Label1"), {}, QStringLiteral("VScroll1"), QStringLiteral("Labtt")};
  for (const char* cell : kSessionCellNames) names.cells.push_back(QLatin1String(cell));
  auto* list = new LabelGrid(names, kRows);
  connect(list, &LabelGrid::headingPressed, this, &MainWindow::Label1_Click);
  connect(list, &LabelGrid::cellPressed, this,
          [this](int row, int column, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
            if (!CtrlClick(button, modifiers)) return;
            if (column == kSessionNameColumn) Jump(JumpCell::SessionName, row);
            if (column == kSessionRoomColumn) Jump(JumpCell::SessionRoom, row);
          });
  connect(list, &LabelGrid::cellPointerMoved, this, &MainWindow::SessionCell_MouseMove);
  connect(list, &LabelGrid::headingPointerMoved, this, [this] { HideSheets(); });
  connect(list, &LabelGrid::panelPointerMoved, this, [this] { HideSheets(); });
  connect(list, &LabelGrid::pageChanged, this, &MainWindow::VScroll1_Change);
  image1_ = BuildSortArrows(list, QStringLiteral("Image1"));
  return list;
}

LabelGrid* MainWindow::BuildRoomList(QWidget* parent) {
  LabelGrid::Names names{
      QStringLiteral("roomList"), QStringLiteral("Labgl"), {}, QStringLiteral("VScroll2"), QStringLiteral("Labftt")};
  for (const char* cell : kRoomCellNames) names.cells.push_back(QLatin1String(cell));
  auto* list = new LabelGrid(names, kRows, parent);
  for (int r = 0; r < kRows; ++r) list->cell(r, kRoomNameColumn)->setCursor(Qt::PointingHandCursor);
  connect(list, &LabelGrid::headingPressed, this, &MainWindow::Labgl_Click);
  connect(list, &LabelGrid::cellPointerMoved, this, &MainWindow::RoomCell_MouseMove);
  connect(list, &LabelGrid::headingPointerMoved, this, [this] { HideSheets(); });
  connect(list, &LabelGrid::panelPointerMoved, this, [this] { HideSheets(); });
  connect(list, &LabelGrid::cellPressed, this,
          [this](int row, int column, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
            if (CtrlClick(button, modifiers)) {
              if (column == kRoomNameColumn) Jump(JumpCell::RoomName, row);
              if (column == kOccupantColumn) Jump(JumpCell::RoomOccupant, row);
              return;
            }
            if (column == kRoomNameColumn) Labffj_MouseDown(row, button);
          });
  connect(list, &LabelGrid::pageChanged, this, &MainWindow::VScroll2_Change);
  image1t_ = BuildSortArrows(list, QStringLiteral("Image1t"));
  return list;
}

std::array<QLabel*, 2> MainWindow::BuildSortArrows(LabelGrid* list, const QString& name) {
  std::array<QLabel*, 2> arrows{};
  for (int i = 0; i < 2; ++i) {
    auto* a = new QLabel(i == 0 ? QStringLiteral("▲") : QStringLiteral("▼"), list);
    a->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
    a->setAlignment(Qt::AlignCenter);
    // A click on the arrow is a click on the heading under it.
    a->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f = a->font();
    f.setPixelSize(kSortArrowPixels);
    a->setFont(f);
    a->hide();
    arrows[static_cast<size_t>(i)] = a;
  }
  return arrows;
}

QWidget* MainWindow::BuildStudentPanel() {
  auto* panel = new QWidget;
  panel->setObjectName(QStringLiteral("Picture4"));
  panel->setAutoFillBackground(true);
  panel->setMouseTracking(true);
  panel->installEventFilter(this);  // the pointer over the panel hides the sheets
  roomList_ = BuildRoomList(panel);

  statusLine_ = new QLabel(panel);
  statusLine_->setObjectName(QStringLiteral("statusLine"));
  statusLine_->setAutoFillBackground(true);
  QFont bold = statusLine_->font();
  bold.setBold(true);
  statusLine_->setFont(bold);
  statusLine_->setContentsMargins(4, 0, 4, 0);

  for (int i = 0; i < kDetailRows; ++i) {
    auto* caption = new QLabel(QString::fromUtf8(kDetailCaptions[static_cast<size_t>(i)]), panel);
    caption->setObjectName(QStringLiteral("detailCaption_%1").arg(i));
    auto* value = new QLabel(panel);
    value->setObjectName(QStringLiteral("detailValue_%1").arg(i));
    value->setTextInteractionFlags(Qt::NoTextInteraction);
    if (i == kNameDetail) value->installEventFilter(this);
    detailCaptions_[static_cast<size_t>(i)] = caption;
    detailValues_[static_cast<size_t>(i)] = value;
  }
  photo_ = new QLabel(panel);
  photo_->setObjectName(QStringLiteral("photo"));
  photo_->setAlignment(Qt::AlignCenter);
  photo_->setFrameShape(QFrame::StyledPanel);

  combo2_ = new QComboBox(panel);
  combo2_->setObjectName(QStringLiteral("Combo2"));
  combo2_->setFocusPolicy(Qt::NoFocus);
  combo2_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo2_->setMinimumContentsLength(8);
  connect(combo2_, &QComboBox::activated, this, &MainWindow::Combo2_Click);

  todayHeading_ = new QLabel(panel);
  todayHeading_->setObjectName(QStringLiteral("todayHeading"));
  todayHeading_->setAlignment(Qt::AlignCenter);
  list5_ = new QListWidget(panel);
  list5_->setObjectName(QStringLiteral("List5"));
  list5_->setFocusPolicy(Qt::NoFocus);

  label9_ = new QLabel(panel);
  label9_->setObjectName(QStringLiteral("Label9"));
  check10_ = new QCheckBox(panel);
  check10_->setObjectName(QStringLiteral("Check10"));
  check11_ = new QCheckBox(panel);
  check11_->setObjectName(QStringLiteral("Check11"));
  check7_ = new QCheckBox(panel);
  check7_->setObjectName(QStringLiteral("Check7"));
  for (QCheckBox* c : {check10_, check11_, check7_}) c->setFocusPolicy(Qt::NoFocus);
  connect(check10_, &QCheckBox::clicked, this, &MainWindow::Check10_Click);
  connect(check11_, &QCheckBox::clicked, this, &MainWindow::Check11_Click);
  connect(check7_, &QCheckBox::clicked, this, &MainWindow::Check7_Click);

  command15_ = new QPushButton(QStringLiteral("取消"), panel);
  command15_->setObjectName(QStringLiteral("Command15"));
  command15_->setFocusPolicy(Qt::NoFocus);
  command15_->resize(kCancelWidth, kCancelHeight);
  connect(command15_, &QPushButton::clicked, this, &MainWindow::Command15_Click);
  return panel;
}

void MainWindow::BuildInfoPanel(QWidget* parent) {
  text1_ = new QWidget(parent);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setAutoFillBackground(true);
  text1_->resize(kInfoPanelWidth, kInfoPanelHeight);
  label24_ = new QLabel(QStringLiteral("临 时 信 息"), text1_);
  label24_->setObjectName(QStringLiteral("Label24"));
  label24_->setAlignment(Qt::AlignCenter);
  label24_->setFrameShape(QFrame::StyledPanel);
  label24_->setCursor(Qt::PointingHandCursor);
  label24_->setGeometry(0, 0, kInfoPanelWidth, kInfoTitleHeight);
  label24_->installEventFilter(this);
  label25_ = new QLabel(QStringLiteral("隐  藏"), text1_);
  label25_->setObjectName(QStringLiteral("Label25"));
  label25_->setAlignment(Qt::AlignCenter);
  label25_->setCursor(Qt::PointingHandCursor);
  label25_->setGeometry(kInfoPanelWidth - 44, 0, 44, kInfoTitleHeight);
  label25_->installEventFilter(this);
  label25_->hide();
  activity_ = new QPlainTextEdit(text1_);
  activity_->setObjectName(QStringLiteral("activityText"));
  activity_->setReadOnly(true);
  activity_->setFocusPolicy(Qt::NoFocus);
  activity_->setLineWrapMode(QPlainTextEdit::NoWrap);
}

// --- drawing ---------------------------------------------------------------

QRgb MainWindow::Colour(int index) const {
  const auto& colours = desk_.options().colours;
  if (index < 0 || index >= static_cast<int>(colours.size())) return qRgb(0, 0, 0);
  return FromStoredColour(static_cast<uint32_t>(colours[static_cast<size_t>(index)])).rgb();
}

void MainWindow::SetText(QLabel* label, std::string& drawn, const std::string& text) {
  if (drawn == text) return;
  drawn = text;
  label->setText(Q(text));
}

void MainWindow::render() {
  // A redraw can show or hide windows, which can report back at once
  // (activation changes); such a nested request redraws once more after.
  if (rendering_) {
    renderAgain_ = true;
    return;
  }
  rendering_ = true;
  do {
    renderAgain_ = false;
    RenderAll();
  } while (renderAgain_);
  rendering_ = false;
}

void MainWindow::RenderAll() {
  if (drawn_.title != desk_.windowTitle()) {
    drawn_.title = desk_.windowTitle();
    setWindowTitle(Q(drawn_.title));
  }
  const int enabled = desk_.mainWindowEnabled() ? 1 : 0;
  if (drawn_.enabled != enabled) {
    drawn_.enabled = enabled;
    setEnabled(enabled == 1);
  }

  // Fixed colours of the window: 0 base, 5/6 room headings, 7/8 session
  // headings, 9 the lines between cells.
  const QRgb base = Colour(0), border = Colour(9);
  if (!drawn_.coloured || drawn_.base != base || drawn_.border != border) {
    drawn_.base = base;
    drawn_.border = border;
    Paint(centralWidget(), QPalette::Window, base);
    Paint(picture4_, QPalette::Window, base);
    Paint(picture1_, QPalette::Window, border);
    Paint(roomList_, QPalette::Window, border);
  }
  drawn_.coloured = true;

  SetText(tKey_, drawn_.buffer, desk_.cardInput().buffer());
  RenderSessionList();
  PlaceSortArrows();
  RenderCounters();
  RenderStudentPanel();
  RenderAdminArea();

  const std::string& activity = desk_.engine().activityText();
  if (drawn_.activity != activity) {
    drawn_.activity = activity;
    QString text = Q(activity);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    activity_->setPlainText(text);
    activity_->verticalScrollBar()->setValue(activity_->verticalScrollBar()->maximum());
  }

  messageWindows_->render();
  floatingCard_->render();
  countdown_->render();
  // The answered box gives the keyboard back to the main window.
  const bool open = desk_.countdown().view().visible;
  if (countdownWasOpen_ && !open && isVisible()) {
    raise();
    activateWindow();
  }
  countdownWasOpen_ = open;
}

void MainWindow::RenderAdminArea() {
  // While an operation waits for its confirmation nothing in the area moves.
  const bool unlocked = desk_.accounts().adminAreaEnabled();
  if (adminArea_->isEnabled() != unlocked) adminArea_->setEnabled(unlocked);
  if (command5_->isEnabled() != unlocked) command5_->setEnabled(unlocked);
  picture5_->render();
  const int open = desk_.adminArea().isOpen() ? 1 : 0;
  if (open == 1) adminArea_->render();
  if (adminOpen_ == open) return;
  adminOpen_ = open;
  adminArea_->setVisible(open == 1);
  if (open == 1) adminArea_->raise();
}

void MainWindow::RenderSessionList() {
  SessionBoard& board = desk_.engine().sessionBoard();
  const QRgb headingBg = Colour(7), headingFg = Colour(8);
  for (int c = 0; c < kSessionColumns; ++c) {
    picture1_->SetHeading(c, kSessionHeadings[c], headingFg, headingBg);
  }
  const auto& rows = board.rows();
  for (int r = 0; r < kRows; ++r) {
    const SessionRow& row = rows[static_cast<size_t>(r)];
    const QRgb fg = Colour(row.textColour);
    const QRgb bg = row.flashColour ? FromStoredColour(*row.flashColour).rgb() : Colour(row.background);
    const std::string* texts[kSessionColumns] = {&row.name,     &row.card,  &row.checkIn, &row.used,    &row.roomName,
                                                 &row.typeName, &row.grade, &row.major,   &row.overtime};
    for (int c = 0; c < kSessionColumns; ++c) {
      picture1_->SetCell(r, c, *texts[c], fg, bg, c == 3 ? row.usedTooltip : std::string());
    }
  }
  picture1_->SetPages(board.pageRange(), board.page());
}

void MainWindow::RenderRoomList() {
  RoomBoard& board = desk_.engine().roomBoard();
  const QRgb headingBg = Colour(5), headingFg = Colour(6);
  for (int c = 0; c < kRoomColumns; ++c) {
    roomList_->SetHeading(c, kRoomHeadings[c], headingFg, headingBg);
  }
  const auto& rows = board.rows();
  const std::string none;
  for (int r = 0; r < kRows; ++r) {
    const RoomRow& row = rows[static_cast<size_t>(r)];
    const QRgb fg = Colour(row.textColour);
    const QRgb bg = Colour(row.background);
    // The places cell is never filled.
    const std::string* texts[kRoomColumns] = {&row.roomName, &row.used,     &row.overtime, &row.name,
                                              &row.card,     &row.typeName, &none};
    for (int c = 0; c < kRoomColumns; ++c) roomList_->SetCell(r, c, *texts[c], fg, bg);
  }
  roomList_->SetPages(board.pageRange(), board.page());
}

void MainWindow::RenderCounters() {
  const CounterTexts& c = desk_.engine().counters();
  SetText(label3_[2], drawn_.label3[2], desk_.engine().clockText());
  SetText(label3_[3], drawn_.label3[3], c.online);
  SetText(label3_[4], drawn_.label3[4], c.overtime);
  SetText(label3_[5], drawn_.label3[5], c.page);
  SetText(label9_, drawn_.places, c.places);

  const Options& o = desk_.options();
  QCheckBox* boxes[3] = {check10_, check11_, check7_};
  const std::string* captions[3] = {&c.idleRoomsCaption, &c.overtimeRoomsCaption, &c.roomsInTimeCaption};
  const bool checks[3] = {o.useIdleRooms, o.useOvertimeRooms, o.useRoomsInTime};
  for (size_t i = 0; i < 3; ++i) {
    if (drawn_.useCaptions[i] != *captions[i]) {
      drawn_.useCaptions[i] = *captions[i];
      boxes[i]->setText(Q(*captions[i]));
    }
    const int checked = checks[i] ? 1 : 0;
    if (drawn_.useChecks[i] != checked) {
      drawn_.useChecks[i] = checked;
      boxes[i]->setChecked(checks[i]);
    }
  }
  const int inTimeEnabled = RoomsInTimeEnabled(o) ? 1 : 0;
  if (drawn_.roomsInTimeEnabled != inTimeEnabled) {
    drawn_.roomsInTimeEnabled = inTimeEnabled;
    check7_->setEnabled(inTimeEnabled == 1);
  }
}

void MainWindow::RenderStudentPanel() {
  SessionEngine& engine = desk_.engine();
  const CheckinDialogue& d = engine.dialogue();
  const int visible = d.visible ? 1 : 0;
  if (drawn_.panelVisible != visible) {
    drawn_.panelVisible = visible;
    picture4_->setVisible(d.visible);
    if (d.visible) picture4_->raise();
    // The administration area stays over the lists while it is open.
    if (d.visible && adminOpen_ == 1) adminArea_->raise();
    tfj_->setVisible(d.visible);
  }
  SetText(tfj_, drawn_.tfj, engine.roomBoard().selectedRoomLabel());
  RenderRoomList();

  // The status line: green, red or yellow on the title colour.
  const int colour = static_cast<int>(d.status.colour);
  if (drawn_.statusText != d.status.text || drawn_.statusColour != colour) {
    drawn_.statusText = d.status.text;
    drawn_.statusColour = colour;
    statusLine_->setText(Q(d.status.text));
    QColor c(0, 255, 0);
    if (d.status.colour == StatusColour::Red) c = QColor(255, 0, 0);
    if (d.status.colour == StatusColour::Yellow) c = QColor(255, 255, 0);
    QPalette p = statusLine_->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Window, QColor::fromRgb(Colour(7)));
    statusLine_->setPalette(p);
  }
  if (drawn_.statusTooltip != d.status.tooltip) {
    drawn_.statusTooltip = d.status.tooltip;
    statusLine_->setToolTip(Q(d.status.tooltip));
  }
  for (size_t i = 0; i < d.values.size(); ++i) SetText(detailValues_[i], drawn_.details[i], d.values[i]);

  if (drawn_.photoPath != d.photoPath) {
    drawn_.photoPath = d.photoPath;
    QPixmap picture;
    if (!d.photoPath.empty() && picture.load(Q(d.photoPath))) {
      photo_->setPixmap(picture.scaled(photo_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } else {
      photo_->clear();
    }
  }

  SetText(todayHeading_, drawn_.todayHeading, d.activity.heading);
  if (drawn_.todayLines != d.activity.lines) {
    drawn_.todayLines = d.activity.lines;
    list5_->clear();
    for (const auto& line : d.activity.lines) list5_->addItem(Q(line));
  }

  const MajorSelector& majors = engine.majors();
  if (drawn_.majors != majors.entries()) {
    drawn_.majors = majors.entries();
    QSignalBlocker block(combo2_);
    combo2_->clear();
    for (const auto& e : majors.entries()) combo2_->addItem(Q(e));
    drawn_.majorIndex = -1;
  }
  const int index = desk_.cardInput().majorIndex();
  if (drawn_.majorIndex != index) {
    drawn_.majorIndex = index;
    QSignalBlocker block(combo2_);
    combo2_->setCurrentIndex(index);
  }
}

// --- events ----------------------------------------------------------------

void MainWindow::Label1_Click(int column) {
  SessionEngine& e = desk_.engine();
  e.sessionBoard().ClickHeading(e.sessionContext(), column);
  render();
}

void MainWindow::Labgl_Click(int column) {
  SessionEngine& e = desk_.engine();
  e.roomBoard().ClickHeading(e.roomContext(), column);
  render();
}

void MainWindow::VScroll1_Change(int page) {
  picture1_->ForgetPage();  // the scroll bar shows the page the core settles on
  SessionEngine& e = desk_.engine();
  e.sessionBoard().ShowPage(e.sessionContext(), page);
  // The page text of the status line follows.
  e.RefreshBoards();
}

void MainWindow::VScroll2_Change(int page) {
  roomList_->ForgetPage();
  SessionEngine& e = desk_.engine();
  e.roomBoard().ShowPage(e.roomContext(), page);
  render();
}

void MainWindow::SessionCell_MouseMove(int row, int column, QPoint inCell) {
  SessionBoard& board = desk_.engine().sessionBoard();
  if (HoverAction(HoverList::Session, column).selectsRow && board.selectedRow() != row) {
    board.SelectSessionRow(row);
    render();
  }
  DoSheetAction(HoverList::Session, column, row, inCell);
}

void MainWindow::RoomCell_MouseMove(int row, int column, QPoint inCell) {
  RoomBoard& board = desk_.engine().roomBoard();
  if (HoverAction(HoverList::Room, column).selectsRow && board.selectedRow() != row) {
    board.SelectRoomRow(row);
    render();
  }
  DoSheetAction(HoverList::Room, column, row, inCell);
}

void MainWindow::DoSheetAction(HoverList list, int column, int row, QPoint inCell) {
  const SheetAction action = HoverAction(list, column).action;
  if (action == SheetAction::None) return;
  if (action == SheetAction::Hide) {
    HideSheets();
    return;
  }
  LabelGrid* grid = list == HoverList::Session ? picture1_ : roomList_;
  const QLabel* cell = grid->cell(row, column);
  if (cell == nullptr || row < 0 || row >= kRows) return;
  // The cell's place in its list panel (the room list's grid stands at the
  // student panel's corner).
  const SheetOffset at = SheetOffsetFrom(cell->x(), cell->y(), inCell.x(), inCell.y());
  DetailSheets& sheets = desk_.detailSheets();
  int slot = 0;
  if (list == HoverList::Session) {
    const SessionRow& r = desk_.engine().sessionBoard().rows()[static_cast<size_t>(row)];
    slot = action == SheetAction::StudentSheet ? r.student : r.room;
  } else {
    const RoomRow& r = desk_.engine().roomBoard().rows()[static_cast<size_t>(row)];
    slot = action == SheetAction::StudentSheet ? r.occupant : r.room;
  }
  if (action == SheetAction::StudentSheet) {
    sheets.ShowStudent(slot, at);
  } else {
    sheets.ShowRoom(slot, at);
  }
  RenderSheets();
  // The sheets never keep the keyboard from the desk (a student's sheet
  // only while the main window takes input).
  if (sheets.view().visible && isVisible() && (isEnabled() || action == SheetAction::RoomSheet)) activateWindow();
}

void MainWindow::HideSheets() {
  desk_.detailSheets().Hide();
  RenderSheets();
}

void MainWindow::RenderSheets() { sheets_->render(mapToGlobal(QPoint(0, 0))); }

void MainWindow::Labffj_MouseDown(int row, Qt::MouseButton button) {
  desk_.engine().ConfirmCheckIn(row, button == Qt::LeftButton);
}

void MainWindow::Combo2_Click(int index) {
  drawn_.majorIndex = -1;  // the list shows the entry the core settles on
  desk_.cardInput().setMajorIndex(index);
  render();
}

void MainWindow::Check10_Click(bool on) {
  drawn_.useChecks.fill(-1);  // the boxes show what the core settles on
  (void)desk_.optionsEditor().SetCheck(CheckOption::UseIdleRooms, on);
  render();
}

void MainWindow::Check11_Click(bool on) {
  drawn_.useChecks.fill(-1);
  (void)desk_.optionsEditor().SetCheck(CheckOption::UseOvertimeRooms, on);
  render();
}

void MainWindow::Check7_Click(bool on) {
  drawn_.useChecks.fill(-1);
  (void)desk_.optionsEditor().SetCheck(CheckOption::UseRoomsInTime, on);
  render();
}

void MainWindow::Jump(JumpCell cell, int row) {
  desk_.jumps().Jump(cell, row);
  render();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture4_ && event->type() == QEvent::MouseMove) HideSheets();
  if (event->type() == QEvent::MouseButtonPress && (watched == label24_ || watched == label25_)) {
    if (watched == label25_) {
      desk_.infoPanel().HideClicked();
    } else {
      desk_.infoPanel().TitleClicked();
    }
    return true;
  }
  if (watched == detailValues_[kNameDetail] && event->type() == QEvent::MouseButtonPress &&
      CtrlClick(static_cast<QMouseEvent*>(event)->button(), static_cast<QMouseEvent*>(event)->modifiers())) {
    Jump(JumpCell::PanelName, 0);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Command15_Click() { desk_.engine().CancelCheckIn(); }

void MainWindow::Command46_Click() { desk_.engine().CheckOutEverybody(); }

void MainWindow::Command5_Click() {
  desk_.adminArea().Toggle();
  render();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) {
    ReportGeometry();
    // A restore lays the window out for the size it has now.
    desk_.layoutScheduler().Resized(isMinimized());
  }
  if (event->type() != QEvent::ActivationChange) return;
  if (!isActiveWindow()) {
    // A window that takes no focus was activated by the platform: it hands
    // the activation straight back (KeepActivationOffNoFocusWindows), so
    // this is not the operator leaving the desk.
    QWidget* now = QApplication::activeWindow();
    if (now != nullptr && now->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus)) return;
  }
  desk_.cardInput().setForeground(isActiveWindow());
  if (isActiveWindow() && isVisible() && !desk_.mainWindowEnabled()) emit activatedWhileDisabled();
}

// Sizes are kept in twips, 15 to a pixel at the usual 96 dots per inch.
constexpr int kTwipsPerPixel = 15;

void MainWindow::applySavedGeometry() {
  const Options& o = desk_.options();
  if (o.windowWidth > 0 && o.windowHeight > 0) {
    // The minimum size of the window clamps a saved size below it; a size
    // beyond the screen (a damaged file) is cut to the screen.
    QSize size(o.windowWidth / kTwipsPerPixel, o.windowHeight / kTwipsPerPixel);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      size = size.boundedTo(screen->availableGeometry().size().expandedTo(minimumSize()));
    }
    resize(size);
  }
  if (o.windowState == 2) setWindowState(windowState() | Qt::WindowMaximized);
  reportGeometry_ = true;
}

void MainWindow::ReportGeometry() {
  if (!reportGeometry_ || isMinimized()) return;  // a minimised window keeps its last size
  const QSize outer = isVisible() ? frameGeometry().size() : size();
  desk_.optionsEditor().WindowResized(outer.width() * kTwipsPerPixel, outer.height() * kTwipsPerPixel,
                                      isMaximized() ? 2 : 0);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (isMinimized()) return;
  // A window manager may make the window smaller than its minimum anyway:
  // it goes back to the minimum.
  if (width() < minimumWidth() || height() < minimumHeight()) {
    QTimer::singleShot(0, this, [this] {
      if (!isMinimized()) resize(size().expandedTo(minimumSize()));
    });
  }
  ReportGeometry();
  desk_.layoutScheduler().Resized(false);
}

// --- the layout pass --------------------------------------------------------

void MainWindow::LayOut() {
  // The size inside the frame: the title bar of a window manager must not
  // push the lists over the bottom strip.
  const QSize outer = size();
  MainWindowLayoutInput in;
  in.outerWidth = outer.width();
  in.outerHeight = outer.height();
  in.boardSize = desk_.options().boardSize;
  in.sessionSortColumn = desk_.engine().sessionBoard().sortColumn();
  in.roomSortColumn = desk_.engine().roomBoard().sortColumn();
  in.sessionSortDirection = desk_.engine().sessionBoard().direction();
  in.roomSortDirection = desk_.engine().roomBoard().direction();
  in.sortArrowLeftSession = image1_[0]->x();
  in.sortArrowLeftRoom = image1t_[0]->x();
  in.infoPanel = {kInfoPanelWidth, kInfoPanelHeight};
  in.cancelButton = {kCancelWidth, kCancelHeight};
  in.statusLabel = {210, statusLine_->sizeHint().height()};
  in.divider = {0, todayHeading_->sizeHint().height()};
  // Captions fit their text at the new size; a value has room for ten cells.
  in.captionSize = [this](int detail, int size) {
    QFont f = detailCaptions_[static_cast<size_t>(detail)]->font();
    f.setPointSize(size);
    const QFontMetrics m(f);
    return LayoutSize{m.horizontalAdvance(detailCaptions_[static_cast<size_t>(detail)]->text()) + 2, m.height()};
  };
  in.valueSize = [this](int detail, int size) {
    QFont f = detailValues_[static_cast<size_t>(detail)]->font();
    f.setPointSize(size);
    const QFontMetrics m(f);
    return LayoutSize{m.horizontalAdvance(QStringLiteral("国国国国国")) + 4, m.height()};
  };
  layout_ = LayoutMainWindow(in);
  const MainWindowLayout& l = layout_;
  const auto rect = [](const LayoutRect& r) { return QRect(r.left, r.top, r.width, r.height); };

  const QRect board = rect(l.sessionPanel);
  picture1_->setGeometry(board);
  picture4_->setGeometry(rect(l.studentPanel));
  adminArea_->setGeometry(board);
  picture5_->setGeometry(board);

  LabelGrid::Geometry g;
  g.textSize = l.textSize;
  for (const LayoutRect& r : l.sessionHeadings) g.headings.push_back(rect(r));
  for (const auto& row : l.sessionCells) {
    g.cells.emplace_back();
    for (const LayoutRect& r : row) g.cells.back().push_back(rect(r));
  }
  for (const LayoutRect& r : l.sessionMarkers) g.markers.push_back(rect(r));
  g.scrollBar = rect(l.sessionScrollBar);
  picture1_->ApplyGeometry(g);

  ApplyStudentPanel(l);
  ApplySortArrows(image1_, l.sessionArrows, Colour(8));
  ApplySortArrows(image1t_, l.roomArrows, Colour(6));

  const int rightWidth = std::max(width() - 6 - l.rightColumnLeft, 60);
  right_->setGeometry(l.rightColumnLeft, kBoardTop, rightWidth, std::max(height() - kBoardTop - 54, 100));
  desk_.infoPanel().Place(outer.height(), kInfoPanelHeight);  // PlaceInfoPanel follows

  // The bottom strip keeps to the window's lower edge.
  const int strip = height() - kStripHeight - 6;
  switchButton_->setGeometry(kBoardLeft, strip, kStripButtonWidth, kStripHeight);
  exitButton_->setGeometry(width() - 6 - kStripButtonWidth, strip, kStripButtonWidth, kStripHeight);
  command46_->setGeometry(exitButton_->x() - 6 - kStripButtonWidth, strip, kStripButtonWidth, kStripHeight);
  if (desk_.detailSheets().view().visible) RenderSheets();
}

void MainWindow::ApplyStudentPanel(const MainWindowLayout& l) {
  const auto rect = [](const LayoutRect& r) { return QRect(r.left, r.top, r.width, r.height); };
  const auto sized = [&l](QWidget* w) {
    QFont f = w->font();
    if (f.pointSize() == l.textSize) return;
    f.setPointSize(l.textSize);
    w->setFont(f);
  };
  const LayoutRect& scroll = l.roomScrollBar;
  roomList_->setGeometry(0, 0, scroll.left + scroll.width, l.studentPanel.height);
  LabelGrid::Geometry g;
  g.textSize = l.textSize;
  for (const LayoutRect& r : l.roomHeadings) g.headings.push_back(rect(r));
  for (const auto& row : l.roomCells) {
    g.cells.emplace_back();
    for (const LayoutRect& r : row) g.cells.back().push_back(rect(r));
  }
  for (const LayoutRect& r : l.roomMarkers) g.markers.push_back(rect(r));
  g.scrollBar = rect(scroll);
  roomList_->ApplyGeometry(g);

  command15_->setGeometry(rect(l.cancelButton));
  // The places label and the three use-options, one under the other.
  int top = 2;
  for (QWidget* w : std::initializer_list<QWidget*>{label9_, check10_, check11_, check7_}) {
    w->setGeometry(l.placesLeft, top, std::max(l.studentPanel.width - l.placesLeft - 4, 40), 18);
    top += 18;
  }
  sized(statusLine_);
  statusLine_->setGeometry(rect(l.statusLabel));
  for (int d = 0; d < kDetailRows; ++d) {
    sized(detailCaptions_[static_cast<size_t>(d)]);
    sized(detailValues_[static_cast<size_t>(d)]);
    detailCaptions_[static_cast<size_t>(d)]->setGeometry(rect(l.captions[static_cast<size_t>(d)]));
    detailValues_[static_cast<size_t>(d)]->setGeometry(rect(l.values[static_cast<size_t>(d)]));
  }
  photo_->setGeometry(rect(l.photo));
  todayHeading_->setGeometry(rect(l.divider));
  sized(list5_);
  list5_->setGeometry(rect(l.todayList));
}

void MainWindow::PlaceSortArrows() {
  const SessionBoard& sessions = desk_.engine().sessionBoard();
  const RoomBoard& rooms = desk_.engine().roomBoard();
  ApplySortArrows(
      image1_,
      tarvolen::PlaceSortArrows(layout_.sessionHeadings, sessions.sortColumn(), sessions.direction(), image1_[0]->x()),
      Colour(8));
  ApplySortArrows(
      image1t_,
      tarvolen::PlaceSortArrows(layout_.roomHeadings, rooms.sortColumn(), rooms.direction(), image1t_[0]->x()),
      Colour(6));
}

void MainWindow::ApplySortArrows(const std::array<QLabel*, 2>& arrows, const SortArrows& place, QRgb colour) {
  const QRect r(place.rect.left, place.rect.top, place.rect.width, place.rect.height);
  for (size_t i = 0; i < arrows.size(); ++i) {
    QLabel* a = arrows[i];
    if (a->geometry() != r) a->setGeometry(r);
    if (a->palette().color(QPalette::WindowText).rgb() != colour) Paint(a, QPalette::WindowText, colour);
    const bool shown = static_cast<int>(i) == place.shown && r.width() > 0 && r.height() > 0;
    if (a->isVisibleTo(a->parentWidget()) == shown) continue;
    a->setVisible(shown);
    if (shown) a->raise();  // over the heading
  }
}

void MainWindow::PlaceInfoPanel() {
  const InfoPanel& p = desk_.infoPanel();
  const int top = static_cast<int>(std::lround(p.top()));
  text1_->setGeometry(layout_.infoPanel.left, top, kInfoPanelWidth, kInfoPanelHeight);
  label25_->setVisible(p.hideVisible());
  // Collapsed, only its title shows above the bottom strip; on its way up
  // or open it lies over everything.
  if (p.top() == p.collapsedTop()) {
    text1_->stackUnder(command46_);
  } else {
    text1_->raise();
  }
  // The activity text takes the part of the panel inside the window, so
  // its last lines show while the panel is collapsed too.
  const int inside = std::clamp(height() - top, kInfoTitleHeight + 20, kInfoPanelHeight);
  activity_->setGeometry(0, kInfoTitleHeight, kInfoPanelWidth, inside - kInfoTitleHeight);
  activity_->verticalScrollBar()->setValue(activity_->verticalScrollBar()->maximum());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  emit exitRequested();
}

}  // namespace tarvolen
