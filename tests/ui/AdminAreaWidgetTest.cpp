// The administration area: navigation by right, the user page writing an
// identity to set.dat, the options of the settings page reaching set.dat at
// save-and-exit, the dialogs of the settings page, the own password change,
// the parameter page with the category lists, and the company texts.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <deque>
#include <memory>

#include "desk/Desk.h"
#include "ui/AdminAreaWidget.h"
#include "ui/DeskTestFolder.h"
#include "ui/LogIn.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

namespace {

constexpr const char* kAdminPassword = "Bach1685";
constexpr int kPermissionBase = 1001;  // 16-bit word of slot k at 1001 + 2k
constexpr uint16_t kUserWord = 1 + 64 + 512;

// String n (records count from 1) of a file of records of `length` bytes,
// packed as a 16-bit byte count and the GBK text.
std::string RecordString(const std::filesystem::path& file, int length, int n) {
  const std::string all = ReadFile(file);
  const size_t at = static_cast<size_t>(n - 1) * static_cast<size_t>(length);
  if (all.size() < at + 2) return "<no record>";
  const size_t count = static_cast<uint8_t>(all[at]) | (static_cast<uint8_t>(all[at + 1]) << 8);
  if (count + 2 > static_cast<size_t>(length) || all.size() < at + 2 + count) return "<bad count>";
  return FromGbkBytes(all.substr(at + 2, count));
}

// A stored colour (0x00BBGGRR) as the dialog is preset with it.
QColor StoredColour(int32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

}  // namespace

class AdminAreaWidgetTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void cleanup();

  void navigationShowsOnePageAtATime();
  void navigationWithoutTheRightIsRefused();
  void buttonsFollowTheConfirmedIdentity();
  void userPageWritesTheIdentity();
  void userPageRefusesDifferentPasswords();
  void optionsReachSetDatAtSaveAndExit();
  void soundOnPlaysItsCue();
  void settingsPageHoldsItsOptionsOnly();
  void optionRefusedAfterSwitchingToTheVisitor();
  void colourSwatchTakesTheChosenColour();
  void fontDialogComesBackOnARefusedSize();
  void customNameChangesTheTitle();
  void photoFolderFromOneChosenPhoto();
  void ownPasswordChange();
  void parameterBoxes();
  void categoryListsInEditMode();
  void companyTextsSavedOneByOne();
  void editModeBoxesOfRoomsAndStudents();

 private:
  // A first run (the administrator sets the password), or with `normalSlot`
  // a normal confirmation of that slot.
  void start(int normalSlot = -1, const std::string& password = {});
  void openArea();
  void click(const char* name);
  void clickRow(QListWidget* list, int row);
  void retype(QLineEdit* edit, const QString& text);
  template <class T>
  T* find(const QString& name) const {
    T* w = widget_->findChild<T*>(name);
    if (w == nullptr) qWarning("no control %s", qPrintable(name));
    return w;
  }
  QWidget* page(int i) const { return find<QWidget>(QStringLiteral("Picture3_%1").arg(i)); }
  QPushButton* nav(int i) const { return find<QPushButton>(QStringLiteral("Option1_%1").arg(i)); }
  int shownPage() const {
    int shown = -1;
    for (int i = 0; i < AdminAreaWidget::kPages; ++i) {
      if (page(i)->isVisible()) shown = shown == -1 ? i : 100;  // 100: more than one
    }
    return shown;
  }
  long pushed(const std::string& text) const {
    const auto& h = desk_->desk.notifier().history();
    return std::count(h.begin(), h.end(), text);
  }
  std::string lastMessage() const {
    const auto& h = desk_->desk.notifier().history();
    return h.empty() ? std::string() : h.back();
  }
  uint16_t storedWord(int k) const {
    return static_cast<uint16_t>(inst_->byteAt(kPermissionBase + 2 * k) |
                                 (inst_->byteAt(kPermissionBase + 2 * k + 1) << 8));
  }

  std::unique_ptr<Installation> inst_;
  std::unique_ptr<DeskUnderTest> desk_;
  std::unique_ptr<AdminAreaWidget> widget_;
};

void AdminAreaWidgetTest::cleanup() {
  widget_.reset();
  desk_.reset();
  inst_.reset();
}

void AdminAreaWidgetTest::start(int normalSlot, const std::string& password) {
  if (!inst_) inst_ = std::make_unique<Installation>();
  if (normalSlot >= 0) inst_->writeRecord(kRecPassword + 6, kAdminPassword);
  desk_ = std::make_unique<DeskUnderTest>(inst_->root());
  QCOMPARE(desk_->start(), StartStop::Continue);
  QVERIFY(desk_->loaded);
  Desk& d = desk_->desk;
  if (normalSlot < 0) {
    QVERIFY(d.prompt().firstRun());
    QCOMPARE(ConfirmFirstRun(d, kAdminPassword), IdentityPrompt::Outcome::FirstRunDone);
  } else {
    QCOMPARE(LogInAs(d, normalSlot, password), IdentityPrompt::Outcome::Confirmed);
  }
  widget_ = std::make_unique<AdminAreaWidget>(d);
  widget_->resize(1280, 960);
  widget_->render();
  widget_->show();
  QVERIFY(QTest::qWaitForWindowExposed(widget_.get()));
}

void AdminAreaWidgetTest::openArea() {
  desk_->desk.adminArea().Toggle();
  QVERIFY(desk_->desk.adminArea().isOpen());
  widget_->render();
}

void AdminAreaWidgetTest::click(const char* name) {
  auto* b = find<QAbstractButton>(QString::fromLatin1(name));
  QVERIFY2(b != nullptr, name);
  QVERIFY2(b->isVisible(), name);
  QVERIFY2(b->isEnabled(), name);
  // A check box or option button reacts on its indicator and caption only,
  // which a wide one does not reach to its middle.
  const bool indicator = qobject_cast<QCheckBox*>(b) != nullptr || qobject_cast<QRadioButton*>(b) != nullptr;
  QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, indicator ? QPoint(6, b->height() / 2) : QPoint());
}

void AdminAreaWidgetTest::clickRow(QListWidget* list, int row) {
  QVERIFY(list != nullptr);
  QVERIFY(list->isVisible());
  list->scrollToItem(list->item(row));
  const QRect r = list->visualItemRect(list->item(row));
  QVERIFY(!r.isEmpty());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  QCOMPARE(list->currentRow(), row);
}

void AdminAreaWidgetTest::retype(QLineEdit* edit, const QString& text) {
  QVERIFY(edit != nullptr);
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Delete);
  Type(edit, text);
  QCOMPARE(edit->text(), text);
}

void AdminAreaWidgetTest::navigationShowsOnePageAtATime() {
  start();
  // Before the area opens no page shows.
  QCOMPARE(shownPage(), -1);
  openArea();
  QCOMPARE(shownPage(), -1);
  for (int i = 0; i < AdminAreaWidget::kPages; ++i) {
    QCOMPARE(nav(i)->text(), QString::fromUtf8(AdminArea::kCaptions[static_cast<size_t>(i)]));
    QVERIFY(nav(i)->isVisible());
  }
  for (int i : {4, 0, 8, 1, 2}) {
    click(qPrintable(QStringLiteral("Option1_%1").arg(i)));
    QCOMPARE(desk_->desk.adminArea().page(), i);
    QCOMPARE(shownPage(), i);
    for (int j = 0; j < AdminAreaWidget::kPages; ++j) QCOMPARE(nav(j)->isChecked(), j == i);
  }
  // Closing the area hides the page and unselects the buttons.
  desk_->desk.adminArea().Toggle();
  widget_->render();
  QCOMPARE(shownPage(), -1);
  for (int j = 0; j < AdminAreaWidget::kPages; ++j) QVERIFY(!nav(j)->isChecked());
}

void AdminAreaWidgetTest::navigationWithoutTheRightIsRefused() {
  // An administrator whose word lacks "用户管理": the first run leaves every
  // button on screen, so the button can be clicked.
  inst_ = std::make_unique<Installation>();
  const uint16_t word = 1023 & ~16;
  inst_->writeByte(kPermissionBase + 12, static_cast<uint8_t>(word & 0xFF));
  inst_->writeByte(kPermissionBase + 13, static_cast<uint8_t>(word >> 8));
  start();
  openArea();
  click("Option1_0");
  QCOMPARE(shownPage(), 0);

  click("Option1_4");
  QCOMPARE(lastMessage(), std::string("请以管理员身份进入。"));
  QCOMPARE(pushed("请以管理员身份进入。"), 1L);
  QCOMPARE(desk_->desk.adminArea().page(), 0);
  QCOMPARE(shownPage(), 0);
  QVERIFY(page(4)->isHidden());
  QVERIFY(!nav(4)->isChecked());
  QVERIFY(nav(0)->isChecked());
}

void AdminAreaWidgetTest::buttonsFollowTheConfirmedIdentity() {
  inst_ = std::make_unique<Installation>();
  inst_->writeRecord(kRecPassword + 1, "Viola1");
  start(1, "Viola1");
  openArea();
  for (int i = 0; i < AdminAreaWidget::kPages; ++i) {
    QCOMPARE(nav(i)->isVisible(), (kUserWord & (1u << i)) != 0);
  }
  // The visitor holds no right: no button at all.
  cleanup();
  start(0, "");
  openArea();
  for (int i = 0; i < AdminAreaWidget::kPages; ++i) QVERIFY(nav(i)->isHidden());
  QCOMPARE(shownPage(), -1);
}

void AdminAreaWidgetTest::userPageWritesTheIdentity() {
  start();
  openArea();
  click("Option1_4");
  QCOMPARE(shownPage(), 4);
  auto* list = find<QListWidget>(QStringLiteral("List4"));
  QCOMPARE(list->count(), 7);
  QCOMPARE(list->item(2)->text(), QStringLiteral("用户二"));

  clickRow(list, 2);
  QCOMPARE(desk_->desk.userPage().selected(), 2);
  auto* name = find<QLineEdit>(QStringLiteral("Text4_0"));
  QCOMPARE(name->text(), QStringLiteral("用户二"));
  for (int i = 0; i < 10; ++i) {
    auto* c = find<QCheckBox>(QStringLiteral("Check8_%1").arg(i));
    QCOMPARE(c->isChecked(), (kUserWord & (1u << i)) != 0);
    QCOMPARE(c->isEnabled(), i != 4);
  }
  QCOMPARE(find<QLineEdit>(QStringLiteral("Text4_3"))->echoMode(), QLineEdit::Password);

  retype(name, QStringLiteral("值班老师"));
  click("Check8_7");  // "数据备份"
  click("Command2");
  QCOMPARE(lastMessage(), std::string("修改成功！"));
  QCOMPARE(inst_->recordText(kRecIdentityName + 2), std::string("值班老师"));
  QCOMPARE(storedWord(2), static_cast<uint16_t>(kUserWord | 128));
  // The password was not typed: it stays the one stored.
  QCOMPARE(inst_->recordText(kRecPassword + 2), std::string(kSentinel));
  // The list keeps the names of start-up until the next start.
  QCOMPARE(list->item(2)->text(), QStringLiteral("用户二"));

  // The visitor's boxes 1..4 cannot be changed.
  clickRow(list, 0);
  for (int i = 0; i < 10; ++i) {
    QCOMPARE(find<QCheckBox>(QStringLiteral("Check8_%1").arg(i))->isEnabled(), i == 0 || i > 4);
  }
  QCOMPARE(name->text(), QStringLiteral("访客"));
}

void AdminAreaWidgetTest::userPageRefusesDifferentPasswords() {
  start();
  openArea();
  click("Option1_4");
  clickRow(find<QListWidget>(QStringLiteral("List4")), 1);
  Type(find<QLineEdit>(QStringLiteral("Text4_3")), QStringLiteral("Viola1"));
  Type(find<QLineEdit>(QStringLiteral("Text4_4")), QStringLiteral("Viola2"));
  click("Command2");
  QCOMPARE(lastMessage(), std::string("修改失败！二次密码输入不一至。"));
  QCOMPARE(pushed("修改失败！二次密码输入不一至。"), 1L);
  QCOMPARE(inst_->recordText(kRecPassword + 1), std::string(kSentinel));

  // Choosing the row again empties both boxes.
  clickRow(find<QListWidget>(QStringLiteral("List4")), 3);
  QVERIFY(find<QLineEdit>(QStringLiteral("Text4_3"))->text().isEmpty());
  QVERIFY(find<QLineEdit>(QStringLiteral("Text4_4"))->text().isEmpty());
  Type(find<QLineEdit>(QStringLiteral("Text4_3")), QStringLiteral("Viola3"));
  Type(find<QLineEdit>(QStringLiteral("Text4_4")), QStringLiteral("Viola3"));
  click("Command2");
  QCOMPARE(lastMessage(), std::string("修改成功！"));
  QCOMPARE(inst_->recordText(kRecPassword + 3), std::string("Viola3"));
}

void AdminAreaWidgetTest::optionsReachSetDatAtSaveAndExit() {
  start();
  openArea();
  click("Option1_0");
  QCOMPARE(inst_->byteAt(11), uint8_t{1});
  QCOMPARE(inst_->byteAt(10), uint8_t{3});

  auto* sound = find<QCheckBox>(QStringLiteral("CheckSound"));
  QCOMPARE(sound->text(), QStringLiteral("打开音效"));
  QVERIFY(sound->isChecked());
  click("CheckSound");
  QVERIFY(!desk_->desk.options().soundOn);
  QVERIFY(!sound->isChecked());

  auto* mode = find<QComboBox>(QStringLiteral("ComboMode"));
  QCOMPARE(mode->currentText(), QStringLiteral("房间顺序"));
  QTest::keyClick(mode, Qt::Key_Up);
  QTest::keyClick(mode, Qt::Key_Up);
  QCOMPARE(mode->currentText(), QStringLiteral("按超时"));
  QCOMPARE(desk_->desk.options().assignmentMode, 1);
  QVERIFY(desk_->desk.dirty().isSet(OptionGroup::Board));

  // Nothing reaches the file before save-and-exit.
  QCOMPARE(inst_->byteAt(11), uint8_t{1});
  QCOMPARE(inst_->byteAt(10), uint8_t{3});
  desk_->desk.SaveAndExit();
  QCOMPARE(inst_->byteAt(11), uint8_t{0});
  QCOMPARE(inst_->byteAt(10), uint8_t{1});
}

void AdminAreaWidgetTest::soundOnPlaysItsCue() {
  inst_ = std::make_unique<Installation>();
  inst_->writeByte(11, 0);
  start();
  openArea();
  click("Option1_0");
  QVERIFY(!find<QCheckBox>(QStringLiteral("CheckSound"))->isChecked());
  const size_t before = desk_->sound.played.size();
  click("CheckSound");
  QVERIFY(desk_->desk.options().soundOn);
  QCOMPARE(desk_->sound.played.size(), before + 1);
  QCOMPARE(desk_->sound.played.back(), std::string("5.wav"));
}

void AdminAreaWidgetTest::settingsPageHoldsItsOptionsOnly() {
  start();
  openArea();
  click("Option1_0");
  QStringList captions;
  for (QCheckBox* c : page(0)->findChildren<QCheckBox*>()) captions << c->text();
  captions.sort();
  QStringList expected{"打开音效",       "显示详细信息",   "只能刷卡登记", "焦点强制",
                       "启用大键盘数字", "按专用琴房分配", "使用验证码",   "自动登录"};
  expected.sort();
  QCOMPARE(captions, expected);
  // "使用未超时房间" belongs to the check-in panel, not to this area.
  for (QCheckBox* c : widget_->findChildren<QCheckBox*>()) QVERIFY(c->text() != QStringLiteral("使用未超时房间"));

  QStringList modes;
  auto* mode = find<QComboBox>(QStringLiteral("ComboMode"));
  for (int i = 0; i < mode->count(); ++i) modes << mode->itemText(i);
  QCOMPARE(modes, (QStringList{"手动选择", "按超时", "随机分配", "房间顺序", "房间逆序", "最近下线"}));
  auto* size = find<QComboBox>(QStringLiteral("ComboBoardSize"));
  QCOMPARE(size->count(), 22);
  QCOMPARE(size->itemText(0), QStringLiteral("自动调整"));
  QCOMPARE(size->itemText(21), QStringLiteral("30"));
  QCOMPARE(find<QPushButton>(QStringLiteral("Command13"))->text(), QStringLiteral("选择提示信息字体"));
  QCOMPARE(find<QPushButton>(QStringLiteral("Command14"))->text(), QStringLiteral("切换用户"));

  QSignalSpy switching(widget_.get(), &AdminAreaWidget::switchIdentityRequested);
  click("Command14");
  QCOMPARE(switching.count(), 1);
}

void AdminAreaWidgetTest::optionRefusedAfterSwitchingToTheVisitor() {
  start();
  openArea();
  click("Option1_0");
  // The page on view stays on view after a switch to the visitor, but the
  // visitor's changes are refused.
  Desk& d = desk_->desk;
  d.SwitchIdentity();
  QCOMPARE(LogInAs(d, 0, ""), IdentityPrompt::Outcome::Confirmed);
  widget_->render();
  QCOMPARE(shownPage(), 0);
  for (int i = 0; i < AdminAreaWidget::kPages; ++i) QVERIFY(nav(i)->isHidden());
  QVERIFY(!find<QPushButton>(QStringLiteral("Command4"))->isEnabled());

  auto* sound = find<QCheckBox>(QStringLiteral("CheckSound"));
  QVERIFY(sound->isChecked());
  click("CheckSound");
  QCOMPARE(lastMessage(), std::string("请以管理员身份进入。"));
  QCOMPARE(pushed("请以管理员身份进入。"), 1L);
  QVERIFY(d.options().soundOn);
  QVERIFY(sound->isChecked());
  QVERIFY(!d.dirty().isSet(OptionGroup::Board));

  auto* limit = find<QLineEdit>(QStringLiteral("TextTimeLimit"));
  const QString before = limit->text();
  retype(limit, QStringLiteral("45"));
  QTest::keyClick(limit, Qt::Key_Return);
  QCOMPARE(pushed("请以管理员身份进入。"), 2L);
  QCOMPARE(limit->text(), before);
  QCOMPARE(QString::number(d.options().defaultTimeLimit), before);
}

void AdminAreaWidgetTest::colourSwatchTakesTheChosenColour() {
  start();
  openArea();
  click("Option1_0");
  std::deque<std::optional<QColor>> answers{std::nullopt, QColor(0x12, 0x34, 0x56)};
  QList<QColor> presets;
  AdminDialogs dialogs = AdminDialogs::Standard();
  dialogs.colour = [&](const QColor& initial, QWidget*) {
    presets << initial;
    auto a = answers.front();
    answers.pop_front();
    return a;
  };
  widget_->setDialogs(dialogs);
  const int32_t before = desk_->desk.options().colours[3];
  auto* swatch = find<QLabel>(QStringLiteral("Colour_3"));
  QCOMPARE(swatch->text(), QStringLiteral("超时"));

  // Cancelled: nothing changes.
  QTest::mouseClick(swatch, Qt::LeftButton);
  QCOMPARE(desk_->desk.options().colours[3], before);
  QVERIFY(!desk_->desk.dirty().isSet(OptionGroup::Colour));

  QTest::mouseClick(swatch, Qt::LeftButton);
  QCOMPARE(presets.size(), 2);
  QCOMPARE(presets[1], StoredColour(before));
  QCOMPARE(desk_->desk.options().colours[3], int32_t{0x563412});
  QVERIFY(desk_->desk.dirty().isSet(OptionGroup::Colour));
  // The background takes the colour, the text its inverse.
  QVERIFY(swatch->styleSheet().contains(QStringLiteral("background-color: #123456")));
  QVERIFY(swatch->styleSheet().contains(QStringLiteral("color: #edcba9")));
}

void AdminAreaWidgetTest::fontDialogComesBackOnARefusedSize() {
  start();
  openArea();
  click("Option1_0");
  std::deque<std::optional<QFont>> answers;
  QFont big(QStringLiteral("WenQuanYi Micro Hei"));
  big.setPointSize(60);
  QFont fine(QStringLiteral("WenQuanYi Micro Hei"));
  fine.setPointSize(14);
  fine.setBold(true);
  answers = {big, fine};
  int asked = 0;
  AdminDialogs dialogs = AdminDialogs::Standard();
  dialogs.font = [&](const QFont&, QWidget*) {
    ++asked;
    auto a = answers.front();
    answers.pop_front();
    return a;
  };
  widget_->setDialogs(dialogs);
  click("Command13");
  QCOMPARE(asked, 2);
  QCOMPARE(desk_->boxTexts(), QStringList{QStringLiteral("大小超出范围！")});
  QCOMPARE(desk_->desk.options().font.size, 14);
  QVERIFY(desk_->desk.options().font.bold);
  QVERIFY(desk_->desk.dirty().isSet(OptionGroup::Font));
  // The button wears the chosen font.
  QCOMPARE(find<QPushButton>(QStringLiteral("Command13"))->font().pointSize(), 14);

  // Cancelled at once: no box, nothing changes.
  answers = {std::nullopt};
  click("Command13");
  QCOMPARE(asked, 3);
  QCOMPARE(desk_->boxTexts().size(), 1);
  QCOMPARE(desk_->desk.options().font.size, 14);
}

void AdminAreaWidgetTest::customNameChangesTheTitle() {
  start();
  openArea();
  click("Option1_0");
  QString preset;
  AdminDialogs dialogs = AdminDialogs::Standard();
  dialogs.customName = [&](const QString& current, QWidget*) -> std::optional<QString> {
    preset = current;
    return QStringLiteral("北楼琴房");
  };
  widget_->setDialogs(dialogs);
  QSignalSpy title(widget_.get(), &AdminAreaWidget::titleChanged);
  click("CommandCustomName");
  QCOMPARE(preset, QStringLiteral("音乐学院琴房"));
  QCOMPARE(title.count(), 1);
  QCOMPARE(inst_->recordText(kRecCustomName), std::string("北楼琴房"));
  QCOMPARE(desk_->desk.customName(), std::string("北楼琴房"));
}

void AdminAreaWidgetTest::photoFolderFromOneChosenPhoto() {
  start();
  openArea();
  click("Option1_0");
  AdminDialogs dialogs = AdminDialogs::Standard();
  dialogs.photo = [](QWidget*) -> std::optional<QString> { return QStringLiteral("/srv/photos/0012.jpg"); };
  widget_->setDialogs(dialogs);
  click("CommandPhoto");
  QCOMPARE(lastMessage(), std::string("已定位照片路径"));
  QCOMPARE(find<QLabel>(QStringLiteral("LabelPhotoFolder"))->text(), QStringLiteral("/srv/photos/"));
  QCOMPARE(desk_->desk.options().photoNameLength, 4);

  click("PhotoNaming_1");
  QCOMPARE(desk_->desk.options().photoNaming, 1);
  QVERIFY(find<QRadioButton>(QStringLiteral("PhotoNaming_1"))->isChecked());
  QVERIFY(!find<QRadioButton>(QStringLiteral("PhotoNaming_0"))->isChecked());
}

void AdminAreaWidgetTest::ownPasswordChange() {
  start();
  openArea();
  click("Option1_0");
  auto* oldBox = find<QLineEdit>(QStringLiteral("Text4_5"));
  auto* newBox = find<QLineEdit>(QStringLiteral("Text4_1"));
  auto* confirmBox = find<QLineEdit>(QStringLiteral("Text4_2"));
  for (QLineEdit* e : {oldBox, newBox, confirmBox}) QCOMPARE(e->echoMode(), QLineEdit::Password);

  // Wrong old password: all three boxes emptied.
  Type(oldBox, QStringLiteral("wrong"));
  Type(newBox, QStringLiteral("Mozart"));
  Type(confirmBox, QStringLiteral("Mozart"));
  click("Command4");
  QCOMPARE(lastMessage(), std::string("修改失败!旧密码不正确！"));
  QVERIFY(oldBox->text().isEmpty() && newBox->text().isEmpty() && confirmBox->text().isEmpty());

  // Confirmation differs: the boxes stay.
  Type(oldBox, QString::fromLatin1(kAdminPassword));
  Type(newBox, QStringLiteral("Mozart"));
  Type(confirmBox, QStringLiteral("Mozart1"));
  click("Command4");
  QCOMPARE(lastMessage(), std::string("修改失败！二次输入的密码不一至"));
  QCOMPARE(newBox->text(), QStringLiteral("Mozart"));
  QCOMPARE(inst_->recordText(kRecPassword + 6), std::string(kAdminPassword));

  retype(confirmBox, QStringLiteral("Mozart"));
  click("Command4");
  QCOMPARE(lastMessage(), std::string("修改成功！"));
  QVERIFY(oldBox->text().isEmpty() && newBox->text().isEmpty() && confirmBox->text().isEmpty());
  QCOMPARE(inst_->recordText(kRecPassword + 6), std::string("Mozart"));
}

void AdminAreaWidgetTest::parameterBoxes() {
  start();
  openArea();
  click("Option1_1");
  auto* limit = find<QLineEdit>(QStringLiteral("Param_4"));  // "每日限次:"
  retype(limit, QStringLiteral("7"));
  QTest::keyClick(limit, Qt::Key_Return);
  QCOMPARE(desk_->desk.options().dailyLimit, 7);
  QVERIFY(desk_->desk.dirty().isSet(OptionGroup::Parameters));
  // Not a number: 0, and the box shows what the desk keeps.
  retype(limit, QStringLiteral("abc"));
  QTest::keyClick(limit, Qt::Key_Return);
  QCOMPARE(desk_->desk.options().dailyLimit, 0);
  QCOMPARE(limit->text(), QStringLiteral("0"));

  auto* reminder = find<QLineEdit>(QStringLiteral("Param_7"));  // "提醒充值:"
  retype(reminder, QStringLiteral("12.5"));
  QTest::keyClick(reminder, Qt::Key_Return);
  QCOMPARE(desk_->desk.options().rechargeReminder, 12.5f);

  click("Upgrade_2");
  QCOMPARE(desk_->desk.options().upgradePolicy, 2);
  const bool autoOff = desk_->desk.options().autoCheckout;
  click("CheckAutoCheckout");
  QCOMPARE(desk_->desk.options().autoCheckout, !autoOff);

  desk_->desk.SaveAndExit();
  QCOMPARE(inst_->byteAt(1027), uint8_t{0});
  QCOMPARE(inst_->byteAt(1015), uint8_t{2});
  QCOMPARE(inst_->byteAt(1058), static_cast<uint8_t>(autoOff ? 0 : 1));
}

void AdminAreaWidgetTest::categoryListsInEditMode() {
  start();
  openArea();
  click("Option1_0");
  QVERIFY(!find<QPushButton>(QStringLiteral("CommandGrades"))->isEnabled());
  // Going to the parameter page switches the edit mode on.
  click("Option1_1");
  auto* check2 = find<QCheckBox>(QStringLiteral("Check2"));
  QCOMPARE(check2->text(), QStringLiteral("修改中"));
  QVERIFY(check2->isChecked());
  for (const char* b : {"CommandLevels", "CommandGrades", "CommandClasses", "CommandMajors"}) {
    QVERIFY2(find<QPushButton>(QString::fromLatin1(b))->isEnabled(), b);
  }

  auto* grades = find<QListWidget>(QStringLiteral("ListGrades"));
  QCOMPARE(grades->count(), 10);
  clickRow(grades, 2);
  retype(find<QLineEdit>(QStringLiteral("TextGrades")), QStringLiteral("二〇一二级"));
  click("CommandGrades");
  QCOMPARE(desk_->desk.categories().grades[2], std::string("二〇一二级"));
  QCOMPARE(RecordString(inst_->root() / "lj.dat", 20, 3), std::string("二〇一二级"));
  QCOMPARE(grades->item(2)->text(), QStringLiteral("二〇一二级"));

  auto* majors = find<QListWidget>(QStringLiteral("ListMajors"));
  QCOMPARE(majors->count(), 31);
  clickRow(majors, 1);
  retype(find<QLineEdit>(QStringLiteral("TextMajors")), QStringLiteral("管风琴"));
  click("CommandMajors");
  QCOMPARE(RecordString(inst_->root() / "zy.dat", 20, 2), std::string("管风琴"));
  QCOMPARE(majors->item(1)->text(), QStringLiteral("管风琴"));

  auto* levels = find<QListWidget>(QStringLiteral("ListLevels"));
  QCOMPARE(levels->count(), 7);
  clickRow(levels, 1);
  retype(find<QLineEdit>(QStringLiteral("TextLevelName")), QStringLiteral("黄金 会员"));
  click("CommandLevels");
  QCOMPARE(lastMessage(), std::string("不能有空格。"));
  retype(find<QLineEdit>(QStringLiteral("TextLevelName")), QStringLiteral("黄金会员"));
  retype(find<QLineEdit>(QStringLiteral("TextLevelPercent")), QStringLiteral("90"));
  retype(find<QLineEdit>(QStringLiteral("TextLevelThreshold")), QStringLiteral("1000"));
  click("CommandLevels");
  QCOMPARE(levels->item(1)->text(), QStringLiteral("黄金会员 90% 1000"));
  QCOMPARE(desk_->desk.categories().levels[1].percentage, uint8_t{90});

  // Leaving the edit mode disables the buttons and asks for a restart.
  click("Check2");
  QVERIFY(!desk_->desk.adminArea().categoryEdit());
  QCOMPARE(lastMessage(), std::string("请重新运行本程序以便修改的数据生效！"));
  QVERIFY(!find<QPushButton>(QStringLiteral("CommandGrades"))->isEnabled());
  QVERIFY(!find<QPushButton>(QStringLiteral("CommandLevels"))->isEnabled());
}

void AdminAreaWidgetTest::companyTextsSavedOneByOne() {
  start();
  openArea();
  click("Option1_8");
  auto* name = find<QLineEdit>(QStringLiteral("Text8_0"));
  auto* region = find<QLineEdit>(QStringLiteral("Text8_3"));
  const std::string regionBefore = RecordString(inst_->root() / "vin.dat", 128, 4);
  retype(name, QStringLiteral("北方音乐学院"));
  retype(region, QStringLiteral("未保存的地区"));
  click("CommandSave_0");
  QCOMPARE(RecordString(inst_->root() / "vin.dat", 128, 1), std::string("北方音乐学院"));
  QCOMPARE(desk_->desk.company().texts[0], std::string("北方音乐学院"));
  // Only the box of the pressed button is saved; the other keeps its typing.
  QCOMPARE(RecordString(inst_->root() / "vin.dat", 128, 4), regionBefore);
  QCOMPARE(region->text(), QStringLiteral("未保存的地区"));
}

void AdminAreaWidgetTest::editModeBoxesOfRoomsAndStudents() {
  start();
  openArea();
  click("Option1_2");
  auto* check3 = find<QCheckBox>(QStringLiteral("Check3"));
  QVERIFY(check3->isChecked());
  click("Option1_3");
  auto* check4 = find<QCheckBox>(QStringLiteral("Check4"));
  QVERIFY(check4->isChecked());
  QVERIFY(!check3->isChecked());
  QVERIFY(!desk_->desk.adminArea().roomEdit());
  click("Check4");
  QVERIFY(!desk_->desk.adminArea().studentEdit());
  QVERIFY(!check4->isChecked());
}

QTEST_MAIN(AdminAreaWidgetTest)
#include "AdminAreaWidgetTest.moc"
