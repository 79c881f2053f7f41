#pragma once
// Shared by the widget tests: a throw-away installation written by
// WriteCleanInstallation, direct byte access to its set.dat (independent of
// the program's own settings reader), and a Desk over it with the fake
// platform services.
#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "maintenance/CleanInstallation.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "desk/Desk.h"

namespace tarvolen::uitest {

// No test function here needs more than a few seconds: one that hangs (an
// endless event loop, say) is stopped after a minute instead of Qt Test's
// default five. Set before main(), where Qt Test reads it.
inline const bool kFunctionWatchdog = [] {
  ::setenv("QTEST_FUNCTION_TIMEOUT", "60000", 0);
  return true;
}();

// The day the installations are written and the fake clock shows: nothing
// to roll over at start-up.
inline constexpr CivilDate kToday{2012, 9, 3};

inline constexpr int kRecordLength = 24;
inline constexpr int kRecCustomName = 4;
inline constexpr int kRecIdentityName = 8;  // 8 + k
inline constexpr int kRecPassword = 15;     // 15 + k
inline constexpr int kPosLastIdentity = 1100;
inline constexpr const char* kSentinel = "雪松岭VOID0427";

// Text conversion done here with iconv, not with the program's converter,
// so a fault there cannot hide itself.
inline std::string Convert(const std::string& in, const char* to, const char* from) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<iconv_open failed>";
  std::string out(in.size() * 4 + 8, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  size_t r = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  ::iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return "<iconv failed>";
  out.resize(out.size() - dstLeft);
  return out;
}
inline std::string ToGbkBytes(const std::string& utf8) { return Convert(utf8, "GBK", "UTF-8"); }
inline std::string FromGbkBytes(const std::string& gbk) { return Convert(gbk, "UTF-8", "GBK"); }

inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A program folder <tmp>/A inside a fresh temporary folder, so that files
// lying beside it (the suspension file "<tmp>/Ats.dat") go away with it.
// A folder that cannot be written fails the current test.
class Installation {
 public:
  explicit Installation(bool demo = false, CivilDate today = kToday) {
    if (!tmp_.isValid()) {
      error_ = "cannot create a temporary folder";
      QFAIL(error_.c_str());
      return;
    }
    root_ = std::filesystem::path(tmp_.path().toStdString()) / "A";
    Status s = WriteCleanInstallation(root_, today);
    if (!s.ok()) {
      error_ = "WriteCleanInstallation: " + s.detail();
      QFAIL(error_.c_str());
      return;
    }
    if (demo) {
      Status d = AddDemoData(root_, today);
      if (!d.ok()) {
        error_ = "AddDemoData: " + d.detail();
        QFAIL(error_.c_str());
      }
    }
  }

  // Why the folder was not written; empty when it was.
  const std::string& error() const { return error_; }
  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path settingsPath() const { return root_ / "set.dat"; }
  std::string settingsBytes() const { return ReadFile(settingsPath()); }

  // The 24 raw bytes of set.dat record n (records count from 1).
  std::string rawRecord(int n) const {
    std::string all = settingsBytes();
    size_t at = static_cast<size_t>(n - 1) * kRecordLength;
    if (all.size() < at + kRecordLength) return {};
    return all.substr(at, kRecordLength);
  }
  // The 16-bit little-endian byte count at the start of record n.
  int recordCount(int n) const {
    std::string r = rawRecord(n);
    if (r.size() < 2) return -1;
    return static_cast<uint8_t>(r[0]) | (static_cast<uint8_t>(r[1]) << 8);
  }
  // The GBK bytes of record n's string.
  std::string recordGbk(int n) const {
    std::string r = rawRecord(n);
    int count = recordCount(n);
    if (count < 0 || count > kRecordLength - 2) return "<bad count>";
    return r.substr(2, static_cast<size_t>(count));
  }
  // Record n's string as UTF-8.
  std::string recordText(int n) const { return FromGbkBytes(recordGbk(n)); }

  // Writes a string record the way the program stores it.
  void writeRecord(int n, const std::string& utf8) {
    std::string gbk = ToGbkBytes(utf8);
    QVERIFY2(gbk.size() <= kRecordLength - 2, "record text too long");
    std::string rec(kRecordLength, '\0');
    rec[0] = static_cast<char>(gbk.size() & 0xFF);
    rec[1] = static_cast<char>((gbk.size() >> 8) & 0xFF);
    rec.replace(2, gbk.size(), gbk);
    patch(static_cast<size_t>(n - 1) * kRecordLength, rec);
  }
  // One byte at a 1-based byte position.
  uint8_t byteAt(int position) const {
    std::string all = settingsBytes();
    size_t at = static_cast<size_t>(position - 1);
    return at < all.size() ? static_cast<uint8_t>(all[at]) : 0;
  }
  void writeByte(int position, uint8_t value) {
    patch(static_cast<size_t>(position - 1), std::string(1, static_cast<char>(value)));
  }

 private:
  void patch(size_t offset, const std::string& bytes) {
    std::fstream f(settingsPath(), std::ios::binary | std::ios::in | std::ios::out);
    QVERIFY2(f.good(), "cannot open set.dat");
    f.seekp(static_cast<std::streamoff>(offset));
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  QTemporaryDir tmp_;
  std::filesystem::path root_;
  std::string error_;
};

// A Desk over a program folder with the fake platform services, started the
// way the program starts it: up to the prompt, then the rest of loading.
struct DeskUnderTest {
  explicit DeskUnderTest(const std::filesystem::path& root)
      : desk(ProgramFolder(root), DeskServices{clock, boxes, instance, &sound}) {}

  StartStop start() {
    StartStop s = desk.StartUntilPrompt();
    if (s == StartStop::Continue) loaded = desk.ContinueLoading([] { return true; });
    return s;
  }

  // The texts of the boxes shown so far, each checked to carry "提示".
  QStringList boxTexts() const {
    QStringList texts;
    for (const auto& b : boxes.boxes) {
      if (b.title != "提示") texts << QStringLiteral("<title %1>").arg(QString::fromStdString(b.title));
      texts << QString::fromStdString(b.text);
    }
    return texts;
  }

  FakeClock clock{DateTime{kToday, 9, 30, 0}};
  FakeMessageBoxes boxes;
  FakeSingleInstance instance;
  FakeSoundPlayer sound;
  Desk desk;
  bool loaded = false;
};

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// The offscreen platform warns that it cannot propagate size hints or raise
// a window, and the sound backend that the machine has no audio device;
// none of it says anything about the program.
inline QtMessageHandler g_previousHandler = nullptr;
inline void QuietPlatformWarnings() {
  g_previousHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
    static const char* const kNoise[] = {"does not support propagateSizeHints", "does not support raise()",
                                         "does not support setting window masks", "No audio device detected",
                                         "pa_context_connect() failed"};
    for (const char* noise : kNoise) {
      if (msg.contains(QLatin1String(noise))) return;
    }
    if (g_previousHandler) g_previousHandler(type, ctx, msg);
  });
}

// Types text into a widget key by key, as a keyboard does. QTest::keyClicks
// takes ASCII only; other characters arrive as key events that carry them.
inline void Type(QWidget* widget, const QString& text) {
  for (QChar ch : text) {
    if (ch.unicode() < 0x80) {
      QTest::keyClick(widget, ch.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }
}

}  // namespace tarvolen::uitest
