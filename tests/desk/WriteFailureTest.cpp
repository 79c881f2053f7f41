// A write that fails in a check-in or a check-out: the operator is told in a
// box, nothing is announced, and memory and files agree (what was written is
// taken back). The next start reads what the desk shows.
#include <gtest/gtest.h>

#include <algorithm>

#include "desk/SessionEngine.h"
#include "store/FileFaults.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;
using namespace settings;

class WriteFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inst_.clock().set({{2012, 9, 3}, 9, 0, 0});
    desk_ = inst_.startDesk();
    desk_->mainWindowForeground = [] { return true; };
    desk_->prompt().setPassword("pw");
    desk_->prompt().setSecond("pw");
    ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
  }
  void TearDown() override { FileFaults::Clear(); }

  void Swipe(const std::string& card) {
    for (char c : card) desk_->KeyDown(96 + (c - '0'));
    desk_->KeyDown(13);
  }
  void CheckIn(const std::string& card) {
    Swipe(card);
    desk_->KeyDown(13);
  }
  bool Announced(const std::string& what) const {
    const auto& h = desk_->notifier().history();
    return std::any_of(h.begin(), h.end(), [&](const std::string& m) { return m.find(what) != std::string::npos; });
  }
  bool BoxSays(const std::string& head) {
    const auto& b = inst_.boxes().boxes;
    return std::any_of(b.begin(), b.end(), [&](const auto& box) { return box.text.rfind(head, 0) == 0; });
  }
  std::filesystem::path yearFile() const { return inst_.folder().checkinYear(2012); }
  StudentRecord StudentOnDisk(int slot) const {
    StudentTable t;
    EXPECT_TRUE(t.load(inst_.folder()).ok());
    return t[slot];
  }
  // A second desk on the same folder sees what the first left on disk.
  int SessionsAtNextStart() {
    desk_.reset();
    auto next = inst_.startDesk();
    return next->sessions().count();
  }

  Installation inst_{true, {2012, 9, 3}};
  std::unique_ptr<Desk> desk_;
};

// Each write of a check-in failing in turn (set.dat's first write here is
// the year file's counter, whose failure is caught up at the next start).
TEST_F(WriteFailureTest, CheckInWithAFailingWriteStartsNothing) {
  struct Case {
    const char* name;
    std::filesystem::path file;
    int skip;
    const char* box;
  } cases[] = {
      {"check-in record", yearFile(), 0, "登记记录未能写入，未登录"},
      {"session record", inst_.folder().sessions(), 0, "登记文件写入失败，未登录"},
      {"session count", inst_.folder().settings(), 1, "登记文件写入失败，未登录"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int32_t yearCount = desk_->checkins().count();
    inst_.boxes().boxes.clear();
    FileFaults::Inject(c.file, WriteFault{.skip = c.skip});
    CheckIn("1001");
    FileFaults::Clear();
    EXPECT_TRUE(BoxSays(c.box));
    EXPECT_FALSE(Announced("登录琴房"));
    EXPECT_EQ(inst_.sound().played.back(), "4.wav");
    EXPECT_EQ(desk_->sessions().count(), 0);
    EXPECT_EQ(inst_.settings().longAt(kSessionCount), 0);
    EXPECT_EQ(desk_->checkins().count(), yearCount);
    EXPECT_EQ(inst_.settings().longAt(kCheckinCount), yearCount);
  }
  // The desk still works once the disk does, and writes where it should.
  CheckIn("1001");
  ASSERT_EQ(desk_->sessions().count(), 1);
  EXPECT_EQ(UnpackCheckin(desk_->checkins().read(desk_->checkins().count()).value()).student, 1);
  EXPECT_EQ(SessionsAtNextStart(), 1);
}

TEST_F(WriteFailureTest, CheckOutWithAFailingWriteBillsNothingAndKeepsTheSession) {
  CheckIn("1001");
  ASSERT_EQ(desk_->sessions().count(), 1);
  inst_.clock().advanceMinutes(47);
  const float balance = desk_->students()[1].balance;
  const int32_t yearCount = desk_->checkins().count();
  struct Case {
    const char* name;
    std::filesystem::path file;
    int skip;
    const char* box;
  } cases[] = {
      {"student record", inst_.folder().students(), 0, "学生数据保存失败，未下线"},
      {"check-out record", yearFile(), 0, "登记记录未能写入，未下线"},
      {"session record", inst_.folder().sessions(), 0, "登记文件写入失败，未下线"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    inst_.boxes().boxes.clear();
    FileFaults::Inject(c.file, WriteFault{.skip = c.skip});
    Swipe("1001");
    FileFaults::Clear();
    EXPECT_TRUE(BoxSays(c.box));
    EXPECT_FALSE(Announced("下线琴房"));
    EXPECT_EQ(desk_->sessions().count(), 1);
    EXPECT_FLOAT_EQ(desk_->students()[1].balance, balance);
    EXPECT_FLOAT_EQ(StudentOnDisk(1).balance, balance);
    EXPECT_EQ(desk_->students()[1].checkinCount, StudentOnDisk(1).checkinCount);
    EXPECT_EQ(desk_->checkins().count(), yearCount);
    EXPECT_EQ(inst_.settings().longAt(kCheckinCount), yearCount);
  }
  // Then it goes through, billed once.
  Swipe("1001");
  EXPECT_TRUE(Announced("下线琴房"));
  EXPECT_EQ(desk_->sessions().count(), 0);
  EXPECT_LT(StudentOnDisk(1).balance, balance);
  EXPECT_FLOAT_EQ(desk_->students()[1].balance, StudentOnDisk(1).balance);
  EXPECT_EQ(desk_->checkins().count(), yearCount + 1);
  EXPECT_EQ(SessionsAtNextStart(), 0);
}

// The count at set.dat position 1 failing after the session's record was
// freed: the check-out stands (the next start counts the records again),
// and the operator is told.
TEST_F(WriteFailureTest, AFailedSessionCountAfterTheRecordWasFreedEndsTheSessionAndSaysSo) {
  CheckIn("1001");
  inst_.clock().advanceMinutes(47);
  // set.dat: the year file's counter first, then the session count.
  FileFaults::Inject(inst_.folder().settings(), WriteFault{.skip = 1});
  Swipe("1001");
  FileFaults::Clear();
  EXPECT_TRUE(Announced("在线人数保存失败"));
  EXPECT_TRUE(Announced("下线琴房"));
  EXPECT_EQ(desk_->sessions().count(), 0);
  EXPECT_EQ(inst_.settings().longAt(kSessionCount), 1);  // stale on disk
  EXPECT_EQ(SessionsAtNextStart(), 0);                   // but never brought back
}

TEST_F(WriteFailureTest, OvertimeAndEverybodyCheckOutsTellAFailureAndKeepTheSession) {
  CheckIn("1001");
  inst_.clock().advanceMinutes(47);
  FileFaults::Inject(inst_.folder().students(), WriteFault{.count = 100});
  inst_.boxes().answer = true;
  desk_->engine().CheckOutEverybody();
  EXPECT_TRUE(BoxSays("学生数据保存失败，未下线"));
  EXPECT_EQ(desk_->sessions().count(), 1);

  desk_->options().autoCheckout = true;
  desk_->options().overtimeWait = 0;
  inst_.clock().advanceMinutes(24 * 60);
  inst_.boxes().boxes.clear();
  desk_->engine().OvertimeTick();
  EXPECT_TRUE(BoxSays("学生数据保存失败，未下线"));
  EXPECT_EQ(desk_->sessions().count(), 1);
  FileFaults::Clear();
  desk_->engine().OvertimeTick();
  EXPECT_EQ(desk_->sessions().count(), 0);
}

// The editors' writes: refused or told, memory as the file.
TEST_F(WriteFailureTest, EditorsTellAFailedWriteAndKeepMemoryAsTheFile) {
  FileFaults::Inject(inst_.folder().settings(), WriteFault{});
  EXPECT_FALSE(desk_->optionsEditor().SetCustomName("新名称").ok());
  EXPECT_TRUE(Announced("名称保存失败"));
  EXPECT_NE(desk_->customName(), "新名称");

  FileFaults::Inject(inst_.folder().settings(), WriteFault{});
  desk_->userPage().Select(1);
  desk_->userPage().setName("钢琴老师");
  EXPECT_FALSE(desk_->userPage().Save().ok());
  EXPECT_TRUE(Announced("修改失败："));
  EXPECT_NE(desk_->identities()[1].name, "钢琴老师");

  FileFaults::Inject(inst_.folder().company(), WriteFault{});
  const std::string before = desk_->company().texts[0];
  EXPECT_FALSE(desk_->optionsEditor().SaveCompanyText(0, "新公司").ok());
  EXPECT_TRUE(Announced("企业信息保存失败"));
  EXPECT_EQ(desk_->company().texts[0], before);

  ASSERT_TRUE(desk_->adminArea().Navigate(1).ok());  // ticks the lists' edit mode
  FileFaults::Inject(inst_.folder().classes(), WriteFault{});
  const std::string className = desk_->categories().className(0);
  EXPECT_FALSE(desk_->categoryEditor().ChangeName(NameList::Classes, 0, "新班").ok());
  EXPECT_TRUE(Announced("类别保存失败"));
  EXPECT_EQ(desk_->categories().className(0), className);
}

}  // namespace
}  // namespace tarvolen
