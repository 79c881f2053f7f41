// Reloading the installation's data: after files change on disk (a restore,
// an import, a clearing), the tables are what the files say and the next
// append goes to the record after the last one the files hold.
#include <gtest/gtest.h>

#include "store/InstallationData.h"
#include "store/RecordFile.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;
using namespace settings;

ActiveSessionTable::LoadContext NoOvertime(InstallationData& data) {
  return {data.rooms(), data.students(), [](const SessionRecord&) { return 0; }, [](const std::string&) {}};
}

Status WriteRecord(const std::filesystem::path& path, size_t length, int64_t n, const Result<Bytes>& packed) {
  auto file = RecordFile::Open(path, length);
  if (!file.ok()) return file.status();
  return file->write(n, packed.value());
}

TEST(InstallationDataTest, ReloadReadsWhatTheFilesHoldNow) {
  Installation inst(true, {2012, 9, 3});
  InstallationData data(inst.folder());
  ASSERT_TRUE(data.Reload(2012, NoOvertime(data)).ok());
  ASSERT_EQ(data.students()[1].card, 1001);
  ASSERT_EQ(data.sessions().count(), 0);
  ASSERT_TRUE(data.checkins().isOpen());

  // Another folder's files arrive: a renamed student, a new room, a running
  // session with its count, and three check-in records already in the year file.
  StudentRecord s = data.students()[1];
  s.name = "新名字";
  s.balance = 12.5f;
  ASSERT_TRUE(WriteRecord(inst.folder().students(), kStudentRecordLength, 2, Pack(s)).ok());
  RoomRecord r = data.rooms()[1];
  r.name = "新琴房";
  ASSERT_TRUE(WriteRecord(inst.folder().rooms(), kRoomRecordLength, 2, Pack(r)).ok());
  SessionRecord running{1, 2, 9 * 60, ToOle(CivilDate{2012, 9, 3})};
  ASSERT_TRUE(WriteRecord(inst.folder().sessions(), kSessionRecordLength, 1, Pack(running)).ok());
  ASSERT_TRUE(data.settings().writeLong(kSessionCount, 1).ok());
  CheckinRecord in;
  in.kind = 0;
  in.student = 3;
  for (int n = 1; n <= 3; ++n) {
    ASSERT_TRUE(WriteRecord(inst.folder().checkinYear(2012), kCheckinRecordLength, n, Pack(in)).ok());
  }
  ASSERT_TRUE(data.settings().writeLong(kCheckinCount, 2).ok());  // behind the file

  ASSERT_TRUE(data.Reload(2012, NoOvertime(data)).ok());
  EXPECT_EQ(data.students()[1].name, "新名字");
  EXPECT_FLOAT_EQ(data.students()[1].balance, 12.5f);
  EXPECT_EQ(data.rooms()[1].name, "新琴房");
  ASSERT_EQ(data.sessions().count(), 1);
  EXPECT_EQ(data.sessions().FindSession(2), 0);
  EXPECT_EQ(data.checkins().count(), 3);  // never lower than the file holds

  in.student = 4;
  ASSERT_TRUE(data.checkins().append(Pack(in)).ok());
  EXPECT_EQ(UnpackCheckin(data.checkins().read(4).value()).student, 4);
  EXPECT_EQ(UnpackCheckin(data.checkins().read(3).value()).student, 3);
  EXPECT_EQ(data.settings().longAt(kCheckinCount), 4);
}

TEST(InstallationDataTest, ReloadOfAFolderWithoutSetDatSaysSoAndKeepsNoStaleFile) {
  Installation inst(true, {2012, 9, 3});
  InstallationData data(inst.folder());
  ASSERT_TRUE(data.Reload(2012, NoOvertime(data)).ok());
  std::filesystem::remove(inst.root() / "set.dat");
  Status reloaded = data.Reload(2012, NoOvertime(data));
  EXPECT_EQ(reloaded.code(), ErrorCode::Missing);
  EXPECT_FALSE(data.hasSettings());
  EXPECT_FALSE(data.checkins().isOpen());
  EXPECT_FALSE(std::filesystem::exists(inst.root() / "set.dat"));  // not created by the reload
}

}  // namespace
}  // namespace tarvolen
