// The lock file of the program folder on real folders: a folder that takes no
// new file (immutable) or no more bytes (a full disk) is told as not
// writable with the system's reason, never as another running instance;
// a running holder still is one, also in such a folder.
//
// The machines that run these tests run them as root, where chmod does not
// stop a write: `chattr +i` makes a folder take no changes, a small tmpfs
// makes a full disk. A case is skipped, saying why, where that cannot be
// done here.
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/qt/LockFileInstance.h"

using namespace tarvolen;

namespace {

bool Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// What a folder is made into for one case; undone when it goes, whatever
// the case's end.
class FolderState {
 public:
  virtual ~FolderState() = default;
  // Empty when done; otherwise why it cannot be done on this machine.
  virtual QString apply(const QString& folder) = 0;
};

class Immutable final : public FolderState {
 public:
  QString apply(const QString& folder) override {
    if (QStandardPaths::findExecutable(QStringLiteral("chattr")).isEmpty()) return QStringLiteral("no chattr here");
    if (!Run(QStringLiteral("chattr"), {QStringLiteral("+i"), folder})) {
      return QStringLiteral("chattr +i failed (not root, or a file system without the attribute)");
    }
    folder_ = folder;
    return {};
  }
  ~Immutable() override {
    if (!folder_.isEmpty()) Run(QStringLiteral("chattr"), {QStringLiteral("-i"), folder_});
  }

 private:
  QString folder_;
};

// A tmpfs of a few pages mounted on the folder and filled to the last byte.
class FullDisk final : public FolderState {
 public:
  QString apply(const QString& folder) override {
    if (::geteuid() != 0) return QStringLiteral("mounting a small tmpfs needs root");
    if (!Run(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                       QStringLiteral("size=64k"), QStringLiteral("tmpfs"), folder})) {
      return QStringLiteral("mount -t tmpfs failed (no mount rights in this container?)");
    }
    folder_ = folder;
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly)) return QStringLiteral("cannot fill the tmpfs");
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    return {};
  }
  // Lazily: a lock a failed case still holds open in it must not keep it
  // mounted.
  ~FullDisk() override {
    if (!folder_.isEmpty()) Run(QStringLiteral("umount"), {QStringLiteral("--lazy"), folder_});
  }

 private:
  QString folder_;
};

// Leaves the lock file of a desk that was killed while holding the folder.
void LeaveStaleLock(const QString& folder) {
  const pid_t child = ::fork();
  if (child == 0) {
    QLockFile lock(QDir(folder).filePath(QStringLiteral("tarvolen.lock")));
    // No destructor runs: the file stays, as after kill -9.
    ::_exit(lock.tryLock(0) ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the child did not take the lock");
  QVERIFY(QFile::exists(QDir(folder).filePath(QStringLiteral("tarvolen.lock"))));
}

}  // namespace

class LockFileInstanceTest : public QObject {
  Q_OBJECT
 private slots:
  void claimOnAFolderThatTakesNoWrites_data();
  void claimOnAFolderThatTakesNoWrites();
  void theSameHoldWorksOnceTheFolderIsWritableAgain();
};

enum class Arrange { Nothing, StaleLock, RunningHolder };
enum class Make { Immutable, FullDisk };

void LockFileInstanceTest::claimOnAFolderThatTakesNoWrites_data() {
  QTest::addColumn<Arrange>("arrange");
  QTest::addColumn<Make>("make");
  QTest::addColumn<InstanceHold>("expected");
  QTest::addColumn<int>("reasonErrno");  // 0: no reason

  QTest::newRow("immutable folder") << Arrange::Nothing << Make::Immutable << InstanceHold::FolderNotWritable << EPERM;
  // The dead holder's file cannot be removed: still the folder, not a desk.
  QTest::newRow("immutable folder, stale lock of a killed desk")
      << Arrange::StaleLock << Make::Immutable << InstanceHold::FolderNotWritable << EPERM;
  QTest::newRow("immutable folder, a desk running on it")
      << Arrange::RunningHolder << Make::Immutable << InstanceHold::HeldByOther << 0;
  // QLockFile only says UnknownError here; the reason comes from the system.
  QTest::newRow("full disk") << Arrange::Nothing << Make::FullDisk << InstanceHold::FolderNotWritable << ENOSPC;
  QTest::newRow("full disk, a desk running on it")
      << Arrange::RunningHolder << Make::FullDisk << InstanceHold::HeldByOther << 0;
}

void LockFileInstanceTest::claimOnAFolderThatTakesNoWrites() {
  QFETCH(Arrange, arrange);
  QFETCH(Make, make);
  QFETCH(InstanceHold, expected);
  QFETCH(int, reasonErrno);

  QTemporaryDir temp;
  QVERIFY(temp.isValid());
  const QString folder = temp.filePath(QStringLiteral("home"));
  QVERIFY(QDir().mkpath(folder));

  std::unique_ptr<FolderState> state;
  if (make == Make::Immutable) {
    state = std::make_unique<Immutable>();
  } else {
    state = std::make_unique<FullDisk>();
  }
  // A full disk is mounted first (the mount hides what was in the folder);
  // an immutable folder is made so last, over what the case put in it.
  if (make == Make::FullDisk) {
    if (QString why = state->apply(folder); !why.isEmpty()) QSKIP(qPrintable(why));
  }
  LockFileInstance holder(folder);
  if (arrange == Arrange::StaleLock) {
    LeaveStaleLock(folder);
    if (QTest::currentTestFailed()) return;
  }
  if (arrange == Arrange::RunningHolder && make == Make::FullDisk) {
    // The lock goes in before the last byte is taken: refill what is left.
    QFile::remove(QDir(folder).filePath(QStringLiteral("filler")));
    QCOMPARE(holder.acquire().hold, InstanceHold::Acquired);
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
    }
  } else if (arrange == Arrange::RunningHolder) {
    QCOMPARE(holder.acquire().hold, InstanceHold::Acquired);
  }
  if (make == Make::Immutable) {
    if (QString why = state->apply(folder); !why.isEmpty()) QSKIP(qPrintable(why));
  }

  LockFileInstance second(folder);
  const InstanceClaim claim = second.acquire();
  QCOMPARE(claim.hold, expected);
  if (reasonErrno == 0) {
    QVERIFY2(claim.reason.empty(), claim.reason.c_str());
  } else {
    QVERIFY2(claim.reason.find(std::strerror(reasonErrno)) != std::string::npos, claim.reason.c_str());
  }
  // Nothing was left behind in the folder by the attempt.
  const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
  for (const QString& name : left) {
    QVERIFY2(name == QStringLiteral("tarvolen.lock") || name == QStringLiteral("filler"), qPrintable(name));
  }
  QCOMPARE(left.contains(QStringLiteral("tarvolen.lock")), arrange != Arrange::Nothing);
  // The holder lets go of its lock into a writable folder (a full disk is
  // unmounted only after it).
  if (make == Make::Immutable) state.reset();
}

void LockFileInstanceTest::theSameHoldWorksOnceTheFolderIsWritableAgain() {
  // The operator fixes the folder and starts again: nothing of the refused
  // attempt stands in the way.
  QTemporaryDir temp;
  QVERIFY(temp.isValid());
  LockFileInstance instance(temp.path());
  {
    Immutable immutable;
    if (QString why = immutable.apply(temp.path()); !why.isEmpty()) QSKIP(qPrintable(why));
    QCOMPARE(instance.acquire().hold, InstanceHold::FolderNotWritable);
  }
  QCOMPARE(instance.acquire().hold, InstanceHold::Acquired);
  QCOMPARE(LockFileInstance(temp.path()).acquire().hold, InstanceHold::HeldByOther);
}

QTEST_GUILESS_MAIN(LockFileInstanceTest)
#include "LockFileInstanceTest.moc"
