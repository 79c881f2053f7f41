// The card and room operations on the demo installation, from the panels'
// boxes through the confirmation to the files: what each execution writes
// (student or room record, suspension file, log line) and what each
// refusal leaves untouched.
#include <gtest/gtest.h>

#include <algorithm>

#include "accounts/AccountOperations.h"
#include "desk/SessionEngine.h"
#include "store/FileFaults.h"
#include "store/SettingsLayout.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;

constexpr CivilDate kToday{2012, 9, 3};

class AccountOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inst_.clock().set({kToday, 9, 30, 0});
    desk_ = inst_.startDesk();
    desk_->mainWindowForeground = [] { return true; };
    desk_->prompt().setPassword("pw");
    desk_->prompt().setSecond("pw");
    ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
    desk_->options().verificationCode = true;
    inst_.boxes().boxes.clear();
  }
  void TearDown() override { FileFaults::Clear(); }

  AccountOperations& ops() { return desk_->accounts(); }
  OperationInputs& in() { return ops().inputs(); }

  // A member operation typed into the panel and prepared with "执行".
  void Member(int index, const std::string& box0, const std::string& card, const std::string& remark = "") {
    in().ChooseMemberOperation(index);
    in().SetText(0, box0);
    in().SetText(1, card);
    in().SetText(2, remark);
    ops().PrepareMember();
  }
  void Room(int index, const std::string& name, const std::string& remark = "") {
    in().ChooseRoomOperation(index);
    in().SetText(3, name);
    in().SetText(4, remark);
    ops().PrepareRoom();
  }
  // The code typed back as shown, without its spaces.
  bool TypeCodeAndConfirm() {
    std::string code;
    for (size_t i = 0; i < ops().panel().code.size(); i += 2) code += ops().panel().code[i];
    ops().SetTypedCode(code);
    return ops().Confirm();
  }
  std::string LastBox() { return inst_.boxes().boxes.empty() ? "" : inst_.boxes().boxes.back().text; }
  bool Announced(const std::string& what) const {
    const auto& h = desk_->notifier().history();
    return std::find(h.begin(), h.end(), what) != h.end();
  }
  StudentRecord StudentOnDisk(int slot) const {
    StudentTable t;
    EXPECT_TRUE(t.load(inst_.folder()).ok());
    return t[slot];
  }
  RoomRecord RoomOnDisk(int slot) const {
    RoomTable t;
    EXPECT_TRUE(t.load(inst_.folder()).ok());
    return t[slot];
  }
  int32_t LogLines() { return inst_.settings().longAt(settings::kLogCount); }
  LogRecord LastLogLine() { return UnpackLog(desk_->log().read(desk_->log().count()).value()); }
  int32_t Suspensions() { return inst_.settings().longAt(settings::kSuspensionCount); }

  Installation inst_{true, kToday};
  std::unique_ptr<Desk> desk_;
};

std::string Repeat(const std::string& text, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

// Demo students (cards shown with ten digits): slot 1 张伟 card 1001 (balance 120), slot 12 孙浩 1012
// lost, slot 15 胡斌 1015 suspended; room 1 琴房101 (capacity 1), room 5
// 琴房105 out of service.
TEST_F(AccountOperationsTest, EachOperationWritesItsRecordAndOneLogLine) {
  struct Case {
    const char* name;
    int index;  // Combo6 entry
    const char* box0;
    const char* card;
    int slot;
    const char* box;  // the success box
    int16_t status;   // the student's status afterwards
    int64_t logAmount;
    int suspensionsAdded;
  } cases[] = {
      {"recharge", 0, "100.5", "1001", 1, "充值成功 张伟0000001001 +100.50", 0, 1005000, 0},
      {"loss report", 1, "", "1002", 2, "挂失成功 王芳 卡号:0000001002", 1, 0, 0},
      {"loss release", 2, "", "1012", 12, "解挂成功 孙浩 卡号:0000001012", 0, 0, 0},
      {"suspension", 4, "7", "1003", 3, "停用成功 李娜 卡号:0000001003 7天", 2, 70000, 1},
      {"restore", 5, "", "1015", 15, "解封成功 胡斌 卡号:0000001015", 0, 0, -1},
      {"lost card reported while suspended", 1, "", "1003", 3, "挂失成功 李娜 卡号:0000001003", 3, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int32_t lines = LogLines();
    const int32_t suspensions = Suspensions();
    Member(c.index, c.box0, c.card, "备注一");
    ASSERT_TRUE(ops().panel().open);
    EXPECT_EQ(ops().panel().codeShown, c.index != 0);
    ASSERT_TRUE(TypeCodeAndConfirm());
    EXPECT_FALSE(ops().panel().open);
    EXPECT_EQ(LastBox(), c.box);
    EXPECT_NE(desk_->engine().activityText().find(c.box), std::string::npos);
    EXPECT_EQ(StudentOnDisk(c.slot).status, c.status);
    EXPECT_EQ(desk_->students()[c.slot].status, c.status);
    EXPECT_EQ(LogLines(), lines + 1);
    const LogRecord log = LastLogLine();
    EXPECT_EQ(log.operation, c.index + 1);
    EXPECT_EQ(log.student, c.slot);
    EXPECT_EQ(log.amountScaled, c.logAmount);
    EXPECT_EQ(log.room, 0);
    EXPECT_EQ(log.remark, c.index == 0 ? "" : "备注一");
    EXPECT_EQ(log.keyDate, desk_->students()[c.slot].enrolled);
    EXPECT_EQ(log.time, 9 * 60 + 30);
    EXPECT_EQ(Suspensions(), suspensions + c.suspensionsAdded);
  }
  // The recharge reached the file with the total recharged.
  EXPECT_FLOAT_EQ(StudentOnDisk(1).balance, 220.5f);
  EXPECT_FLOAT_EQ(StudentOnDisk(1).totalRecharged, desk_->students()[1].totalRecharged);
  // The suspension's end is today + 7 days.
  EXPECT_EQ(desk_->data().suspensions().find(3, desk_->students()[3].enrolled, 1), ToOle(kToday) + 7);
}

TEST_F(AccountOperationsTest, CardReplacementChangesOnlyTheCard) {
  const StudentRecord before = desk_->students()[12];  // lost
  Member(3, "1012", "88886666", "换新卡");
  ASSERT_TRUE(TypeCodeAndConfirm());
  EXPECT_EQ(LastBox(), "换卡成功 孙浩 新卡号:0088886666");
  StudentRecord after = StudentOnDisk(12);
  EXPECT_EQ(after.card, 88886666);
  EXPECT_TRUE(after.isLost());  // lost until released
  after.card = before.card;
  EXPECT_EQ(Pack(after).value(), Pack(before).value());
  EXPECT_EQ(LastLogLine().amountScaled, 88886666LL * 10000);
  EXPECT_EQ(FindStudentByCard(desk_->students(), "1012").status, 2);
}

TEST_F(AccountOperationsTest, RoomsGoOutOfServiceAndBackWithTheirPlaces) {
  const int total = desk_->sessions().totalPlaces();
  Room(0, "琴房104", "维修");
  ASSERT_TRUE(TypeCodeAndConfirm());
  EXPECT_EQ(LastBox(), "停用成功 琴房104 类型:" + desk_->categories().majorName(0) + " 容纳人数:2");
  EXPECT_FALSE(RoomOnDisk(4).isOpen());
  EXPECT_EQ(desk_->sessions().freePlaces(4), 0);
  EXPECT_EQ(desk_->sessions().totalPlaces(), total - 2);
  EXPECT_EQ(LastLogLine().operation, 7);
  EXPECT_EQ(LastLogLine().room, 4);
  EXPECT_EQ(LastLogLine().student, 0);

  Room(1, "琴房104");
  ASSERT_TRUE(TypeCodeAndConfirm());
  EXPECT_TRUE(RoomOnDisk(4).isOpen());
  EXPECT_EQ(desk_->sessions().freePlaces(4), 2);
  EXPECT_EQ(desk_->sessions().totalPlaces(), total);
  EXPECT_EQ(LastLogLine().operation, 8);
}

TEST_F(AccountOperationsTest, RefusedExecutionsChangeAndLogNothing) {
  // 张伟 practises in room 1: check him in first.
  ASSERT_TRUE(desk_->engine().CheckIn(1, 1));
  struct Case {
    const char* name;
    std::function<void()> prepare;
    const char* box;
  } cases[] = {
      {"recharge above 5000", [&] { Member(0, "5000.01", "1002"); }, "每次充值不能超过5000"},
      {"second loss report", [&] { Member(1, "", "1012"); }, "挂失失败！\n不可重复挂失，请查询相关日志。"},
      {"release of a card not lost", [&] { Member(2, "", "1002"); },
       "解除挂失失败！\n此卡并未挂失中，请查询相关日志。"},
      {"second suspension", [&] { Member(4, "3", "1015"); }, "停用失败！\n不可重复停用，请查询相关日志。"},
      {"restore of a card not suspended", [&] { Member(5, "", "1002"); },
       "解除封号失败！\n此卡并未封停中，请查询相关日志。"},
      {"room in use", [&] { Room(0, "琴房101"); }, "停用失败！\n无法停用正在使用的房间。"},
      {"room already closed", [&] { Room(0, "琴房105"); }, "停用失败！\n不可重复停用，请查询相关日志。"},
      {"room already open", [&] { Room(1, "琴房102"); }, "启用失败！\n此房间并未停用中。请查义相关日志。"},
      {"days past 9999", [&] { Member(4, "9999999", "1002"); }, "数据输入有误！"},
      {"negative days", [&] { Member(4, "-1", "1002"); }, "数据输入有误！"},
      {"negative recharge", [&] { Member(0, "-100", "1002"); }, "数据输入有误！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes students = RecordFile::Open(inst_.folder().students(), kStudentRecordLength)->read(2).value();
    const int32_t lines = LogLines();
    const int32_t suspensions = Suspensions();
    c.prepare();
    ASSERT_TRUE(ops().panel().open);
    EXPECT_FALSE(TypeCodeAndConfirm());
    EXPECT_EQ(LastBox(), c.box);
    EXPECT_EQ(inst_.boxes().boxes.back().icon, BoxIcon::Critical);
    // The panel stays with the same code; the operator may try again or give up.
    EXPECT_TRUE(ops().panel().open);
    EXPECT_FALSE(ops().adminAreaEnabled());
    EXPECT_EQ(LogLines(), lines);
    EXPECT_EQ(Suspensions(), suspensions);
    EXPECT_EQ(RecordFile::Open(inst_.folder().students(), kStudentRecordLength)->read(2).value(), students);
    ops().Close();
    EXPECT_TRUE(ops().adminAreaEnabled());
  }
  EXPECT_TRUE(desk_->rooms()[1].isOpen());
}

TEST_F(AccountOperationsTest, RechargeLimitsAndTheUpgradeRule) {
  // Exactly 5000 is allowed, and 0.
  for (const char* amount : {"5000", "0", ""}) {
    SCOPED_TRACE(amount);
    Member(0, amount, "1002");
    EXPECT_EQ(ops().panel().title, "请核对信息");
    EXPECT_FALSE(ops().panel().codeShown);
    EXPECT_TRUE(ops().Confirm());
  }
  EXPECT_FLOAT_EQ(desk_->students()[2].balance, 5080.0f);
  EXPECT_EQ(LastLogLine().amountScaled, 0);
  // Policy 0: a total recharged past a level's threshold upgrades.
  CategoryLists& lists = desk_->data().categories();
  for (LevelRecord& level : lists.levels) level.threshold = -1;
  lists.levels[1].name = "银卡";
  lists.levels[1].threshold = 6000;
  desk_->options().upgradePolicy = 0;
  Member(0, "1000", "1002");
  ASSERT_TRUE(ops().Confirm());
  EXPECT_EQ(desk_->students()[2].level, 1);
  EXPECT_EQ(StudentOnDisk(2).level, 1);
  EXPECT_TRUE(Announced("王芳已升级为银卡"));
  EXPECT_EQ(inst_.sound().played.back(), "8.wav");
  // Any other policy leaves the level alone.
  lists.levels[2].name = "金卡";
  lists.levels[2].threshold = 6500;
  desk_->options().upgradePolicy = 1;
  Member(0, "1000", "1002");
  ASSERT_TRUE(ops().Confirm());
  EXPECT_EQ(desk_->students()[2].level, 1);
}

TEST_F(AccountOperationsTest, TheVerificationCode) {
  inst_.random() = FakeRandom({10.5 / 62, 36.5 / 62, 0.5 / 62, 61.5 / 62});  // A a 0 z
  Member(1, "", "1002", "丢了");
  ASSERT_EQ(ops().panel().code, "A a 0 z");
  EXPECT_EQ(ops().panel().title, "请核对信息并输入验证码");
  EXPECT_EQ(ops().panel().remarkLine, "备注:丢了");
  for (const char* wrong : {"Aa0", "A a 0 z", "Aa0y"}) {
    ops().SetTypedCode(wrong);
    EXPECT_FALSE(ops().Confirm()) << wrong;
    EXPECT_TRUE(Announced("验证码错误！"));
    EXPECT_EQ(inst_.sound().played.back(), "4.wav");
    EXPECT_EQ(ops().panel().code, "A a 0 z");  // not renewed
    EXPECT_EQ(ops().panel().typed, wrong);     // nor emptied
  }
  // "换一张": a new code, the box emptied, the old code refused.
  inst_.random() = FakeRandom({1.5 / 62});
  ops().NewCode();
  EXPECT_EQ(ops().panel().code, "1 1 1 1");
  EXPECT_EQ(ops().panel().typed, "");
  ops().SetTypedCode("aA0Z");
  EXPECT_FALSE(ops().Confirm());
  ops().SetTypedCode("1111");
  EXPECT_TRUE(ops().Confirm());
  EXPECT_TRUE(desk_->students()[2].isLost());
}

TEST_F(AccountOperationsTest, WithoutTheCodeOptionThePreparationExecutesAtOnce) {
  desk_->options().verificationCode = false;
  Member(1, "", "1002");
  EXPECT_FALSE(ops().panel().open);
  EXPECT_TRUE(desk_->students()[2].isLost());
  // A refused execution leaves the panel open, to be closed with "放弃".
  Member(1, "", "1002");
  EXPECT_TRUE(ops().panel().open);
  EXPECT_EQ(LastBox(), "挂失失败！\n不可重复挂失，请查询相关日志。");
  ops().Close();
  EXPECT_FALSE(ops().panel().open);
  EXPECT_EQ(in().box(1).text, "");
}

TEST_F(AccountOperationsTest, PreparationsRefuseIncompleteInput) {
  struct Case {
    const char* name;
    std::function<void()> prepare;
    const char* message;
    bool sound;
  } cases[] = {
      {"no card", [&] { Member(1, "", ""); }, "请把数据输入完整！", true},
      {"card of nobody", [&] { Member(1, "", "424242"); }, "请把数据输入完整！", true},
      {"card of 16 digits", [&] { Member(0, "1", "1000000000000001"); }, "请把数据输入完整！", true},
      {"replacement without a new card", [&] { Member(3, "1001", ""); }, "请把数据输入完整！", true},
      {"letters in the amount", [&] { Member(0, "abc", "1001"); }, "数据输入有误！", true},
      {"room without a name", [&] { Room(1, ""); }, "请把数据输入完整！", true},
      {"remark beyond what the log holds", [&] { Member(1, "", "1001", Repeat("琴", 48)); }, "备注过长，最多47个汉字",
       true},
      {"remark GBK cannot write", [&] { Room(0, "琴房102", "\xF0\x9F\x8E\xB9"); }, "备注含有无法保存的字符", true},
      {"free record without a remark",
       [&] {
         in().SetText(8, "");
         ops().PrepareFreeRecord();
       },
       "不可缺少备注", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    inst_.sound().played.clear();
    c.prepare();
    EXPECT_FALSE(ops().panel().open);
    EXPECT_EQ(desk_->notifier().history().back(), c.message);
    EXPECT_EQ(!inst_.sound().played.empty(), c.sound);
  }
}

TEST_F(AccountOperationsTest, ARemarkOf47ChineseCharactersIsLoggedWhole) {
  in().SetText(8, Repeat("琴", 47));
  ops().PrepareFreeRecord();
  ASSERT_TRUE(TypeCodeAndConfirm());
  EXPECT_EQ(LastLogLine().remark, Repeat("琴", 47));
}

TEST_F(AccountOperationsTest, AStudentWhoPractisesIsOperatedOnLikeAnyOther) {
  ASSERT_TRUE(desk_->engine().CheckIn(1, 1));
  Member(0, "30", "1001");
  ASSERT_TRUE(ops().Confirm());
  Member(1, "", "1001");
  ASSERT_TRUE(TypeCodeAndConfirm());
  EXPECT_FLOAT_EQ(StudentOnDisk(1).balance, 150.0f);
  EXPECT_TRUE(StudentOnDisk(1).isLost());
  // The check-out bills the record as it now stands.
  inst_.clock().advanceMinutes(60);
  ASSERT_TRUE(desk_->engine().CheckOut(1));
  EXPECT_TRUE(StudentOnDisk(1).isLost());
  EXPECT_LT(StudentOnDisk(1).balance, 150.0f);
}

TEST_F(AccountOperationsTest, AFailedLookupForgetsThePreviousStudent) {
  in().ChooseMemberOperation(1);
  in().SetText(1, "1001");
  in().BoxFocusLost(1);
  EXPECT_EQ(in().label(1).caption, "张伟");
  // Edited to a card nobody holds: the label no longer names 张伟.
  in().SetText(1, "10019");
  in().BoxFocusLost(1);
  EXPECT_EQ(in().label(1).tag, "");
  ops().PrepareMember();
  EXPECT_FALSE(ops().panel().open);
  EXPECT_FALSE(desk_->students()[1].isLost());
}

TEST_F(AccountOperationsTest, ANewCardThatBelongsToSomeoneIsRefusedEvenWithoutEnter) {
  in().ChooseMemberOperation(3);
  in().SetText(0, "1001");
  in().BoxFocusLost(0);
  in().SetText(1, "1002");  // 王芳's card, typed and "执行" clicked
  ops().PrepareMember();
  ASSERT_TRUE(ops().panel().open);
  EXPECT_FALSE(TypeCodeAndConfirm());
  EXPECT_EQ(LastBox(), "换卡失败！\n您不能清除一张有数据的卡号。");
  EXPECT_EQ(StudentOnDisk(1).card, 1001);
  ops().Close();
  // The student's own card is no new card either.
  Member(3, "1001", "1001");
  EXPECT_FALSE(TypeCodeAndConfirm());
  EXPECT_EQ(LastBox(), "换卡失败！\n您不能清除一张有数据的卡号。");
}

TEST_F(AccountOperationsTest, EnterValidatesAndWalksTheBoxes) {
  in().ChooseMemberOperation(3);  // 补卡: old card, new card, remark
  EXPECT_EQ(in().focusBox(), 0);
  in().SetText(0, "0");
  ops().BoxEnter(0);
  EXPECT_TRUE(Announced("卡号输入非法"));
  EXPECT_EQ(in().box(0).text, "");
  in().SetText(0, "1001");
  ops().BoxEnter(0);
  EXPECT_EQ(in().focusBox(), 1);
  EXPECT_EQ(in().label(0).caption, "张伟");
  in().SetText(1, "1002");  // taken
  ops().BoxEnter(1);
  EXPECT_TRUE(Announced("卡号输入错误，请查证"));
  EXPECT_EQ(in().box(1).text, "");
  in().SetText(1, "777");
  ops().BoxEnter(1);
  EXPECT_EQ(in().focusBox(), 2);
  EXPECT_EQ(in().label(1).tag, "0");
  in().SetText(2, "旧卡坏了");
  ops().BoxEnter(2);  // the next box is the room panel's: the member preparation
  EXPECT_TRUE(ops().panel().open);
  ops().Close();

  // Rooms: a wrong name is said and emptied; the free record ends the chain.
  in().SetText(6, "不存在");
  ops().BoxEnter(6);
  EXPECT_TRUE(Announced("房间输入错误"));
  in().SetText(6, "琴房101");
  ops().BoxEnter(6);
  EXPECT_EQ(in().focusBox(), 7);
  in().SetText(8, "记一笔");
  ops().BoxEnter(8);
  ASSERT_TRUE(ops().panel().open);
  ASSERT_TRUE(TypeCodeAndConfirm());
  EXPECT_EQ(LastBox(), "记录成功!\n备注:记一笔");
  EXPECT_EQ(LastLogLine().operation, 9);
  EXPECT_EQ(LastLogLine().room, 1);
  EXPECT_EQ(LastLogLine().student, 0);
}

TEST_F(AccountOperationsTest, EnterWithoutAChosenOperationOnlyMovesTheFocus) {
  in().SetText(1, "1001");
  ops().BoxEnter(1);
  in().SetText(2, "x");
  ops().BoxEnter(2);
  EXPECT_FALSE(ops().panel().open);
  EXPECT_EQ(in().focusBox(), 3);
}

TEST_F(AccountOperationsTest, KeyFilters) {
  in().ChooseMemberOperation(0);
  in().BoxFocusGained(0);
  EXPECT_TRUE(in().AcceptsKey(0, '5'));
  EXPECT_TRUE(in().AcceptsKey(0, '.'));
  EXPECT_FALSE(in().AcceptsKey(0, 'a'));
  in().SetText(0, "123456789012");
  EXPECT_FALSE(in().AcceptsKey(0, '1'));
  EXPECT_TRUE(in().AcceptsKey(0, 8));
  in().ChooseMemberOperation(4);
  in().BoxFocusGained(0);
  EXPECT_FALSE(in().AcceptsKey(0, '.'));
  in().SetText(0, "1234567890123");
  EXPECT_TRUE(in().AcceptsKey(0, '4'));  // days: no length limit
  EXPECT_FALSE(in().AcceptsKey(7, 'x'));
  EXPECT_TRUE(in().AcceptsKey(8, 'x'));
}

TEST_F(AccountOperationsTest, AnExpiredSuspensionIsLiftedByThePreparation) {
  // 胡斌's suspension ended yesterday.
  SuspensionFile suspensions = desk_->data().suspensions();
  const OleDate key = desk_->students()[15].enrolled;
  ASSERT_TRUE(suspensions.remove(15, key, 1).ok());
  ASSERT_TRUE(suspensions.add(15, key, ToOle(kToday) - 1, 1).ok());
  Member(1, "", "1015");
  ASSERT_TRUE(ops().panel().open);
  const SummaryLine& status = ops().panel().summary[2];
  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0], (SummaryRun{"  状态:", SummaryColour::Red}));
  EXPECT_EQ(status[1], (SummaryRun{"[已恢复使用]", SummaryColour::Yellow}));
  ops().Close();  // abandoned: the lifting stays
  EXPECT_EQ(StudentOnDisk(15).status, 0);
  Member(5, "", "1015");
  EXPECT_FALSE(TypeCodeAndConfirm());
  EXPECT_EQ(LastBox(), "解除封号失败！\n此卡并未封停中，请查询相关日志。");
}

TEST_F(AccountOperationsTest, AFailedSaveChangesNothingAndAFailedLogLineIsTold) {
  Member(0, "50", "1001");
  const int32_t lines = LogLines();
  FileFaults::Inject(inst_.folder().students(), WriteFault{});
  EXPECT_FALSE(ops().Confirm());
  FileFaults::Clear();
  EXPECT_EQ(LastBox().rfind("学生数据保存失败，操作未执行。", 0), 0u);
  EXPECT_FLOAT_EQ(desk_->students()[1].balance, 120.0f);
  EXPECT_EQ(LogLines(), lines);
  EXPECT_TRUE(ops().panel().open);

  FileFaults::Inject(inst_.folder().logYear(2012), WriteFault{});
  EXPECT_TRUE(ops().Confirm());
  FileFaults::Clear();
  EXPECT_FLOAT_EQ(StudentOnDisk(1).balance, 170.0f);
  EXPECT_EQ(LogLines(), lines);
  EXPECT_EQ(LastBox().rfind("操作已完成，但日志未能写入。", 0), 0u);
  EXPECT_FALSE(ops().panel().open);
}

TEST_F(AccountOperationsTest, TheAreaIsLockedWhileThePanelIsOpen) {
  desk_->adminArea().Toggle();
  ASSERT_TRUE(desk_->adminArea().Navigate(5).ok());
  Member(1, "", "1002");
  ASSERT_TRUE(ops().panel().open);
  desk_->adminArea().Toggle();
  EXPECT_TRUE(desk_->adminArea().isOpen());
  EXPECT_FALSE(desk_->adminArea().Navigate(6).ok());
  // A second preparation cannot replace the pending operation.
  Member(1, "", "1003");
  EXPECT_EQ(ops().pending().student, 2);
  ops().Close();
  desk_->adminArea().Toggle();
  EXPECT_FALSE(desk_->adminArea().isOpen());
}

}  // namespace
}  // namespace tarvolen
