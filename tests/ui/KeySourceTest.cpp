// The key sources: what codes the program's own windows give (the fallback
// without X11), the keysym table of the X11 source (a pure function, no
// display needed), and how the desktop source is chosen.
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest>
#include <X11/keysym.h>
#include <memory>
#include <vector>

#include "platform/qt/KeySources.h"
#include "platform/qt/WindowKeySource.h"
#include "platform/qt/X11KeySource.h"

using namespace tarvolen;

namespace {

using Codes = QList<int>;

// Installs a source and keeps what it delivers.
struct Recorder {
  Codes codes;
  std::function<void(int)> sink() {
    return [this](int vk) { codes.push_back(vk); };
  }
};

void SendKey(QWidget* to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QCoreApplication::sendEvent(to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QCoreApplication::sendEvent(to, &release);
}

void SendWheel(QWidget* to, QPoint angleDelta) {
  const QPointF at(5, 5);
  QWheelEvent wheel(at, to->mapToGlobal(at), QPoint(), angleDelta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  QCoreApplication::sendEvent(to, &wheel);
}

}  // namespace

class KeySourceTest : public QObject {
  Q_OBJECT

 private slots:
  // --- own windows -------------------------------------------------------

  void keyPressesGiveVirtualKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");  // 0: nothing delivered
    const int none = Qt::NoModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("0") << int(Qt::Key_0) << none << 48;
    QTest::newRow("5") << int(Qt::Key_5) << none << 53;
    QTest::newRow("9") << int(Qt::Key_9) << none << 57;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 96;
    QTest::newRow("keypad 1") << int(Qt::Key_1) << keypad << 97;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << 105;
    // NumLock off: the keypad keys say what is printed under the digit.
    QTest::newRow("keypad Insert (0)") << int(Qt::Key_Insert) << keypad << 96;
    QTest::newRow("keypad End (1)") << int(Qt::Key_End) << keypad << 97;
    QTest::newRow("keypad Down (2)") << int(Qt::Key_Down) << keypad << 98;
    QTest::newRow("keypad PageDown (3)") << int(Qt::Key_PageDown) << keypad << 99;
    QTest::newRow("keypad Left (4)") << int(Qt::Key_Left) << keypad << 100;
    QTest::newRow("keypad Clear (5)") << int(Qt::Key_Clear) << keypad << 101;
    QTest::newRow("keypad Right (6)") << int(Qt::Key_Right) << keypad << 102;
    QTest::newRow("keypad Home (7)") << int(Qt::Key_Home) << keypad << 103;
    QTest::newRow("keypad Up (8)") << int(Qt::Key_Up) << keypad << 104;
    QTest::newRow("keypad PageUp (9)") << int(Qt::Key_PageUp) << keypad << 105;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 13;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << 8;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << 27;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << 32;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << none << 33;
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << none << 34;
    QTest::newRow("Left") << int(Qt::Key_Left) << none << 37;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << 38;
    QTest::newRow("Right") << int(Qt::Key_Right) << none << 39;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << 40;
    QTest::newRow("Shift+3 is still 3") << int(Qt::Key_3) << int(Qt::ShiftModifier) << 51;
    QTest::newRow("A") << int(Qt::Key_A) << none << 0;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << 0;
    QTest::newRow("F1") << int(Qt::Key_F1) << none << 0;
    QTest::newRow("Home") << int(Qt::Key_Home) << none << 0;
    QTest::newRow("keypad Plus") << int(Qt::Key_Plus) << keypad << 0;
    QTest::newRow("Alt+1") << int(Qt::Key_1) << int(Qt::AltModifier) << 0;
    QTest::newRow("Alt+Return") << int(Qt::Key_Return) << int(Qt::AltModifier) << 0;
  }

  void keyPressesGiveVirtualKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    QWidget widget;
    Recorder seen;
    WindowKeySource source;
    source.install(seen.sink());
    SendKey(&widget, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(seen.codes, expected == 0 ? Codes{} : Codes{expected});
    QCOMPARE(VirtualKeyFromQtKey(key, Qt::KeyboardModifiers(modifiers)), expected);
  }

  void wheelGivesPaging_data() {
    QTest::addColumn<QPoint>("angleDelta");
    QTest::addColumn<Codes>("expected");
    QTest::newRow("away from the user") << QPoint(0, 120) << Codes{33};
    QTest::newRow("toward the user") << QPoint(0, -120) << Codes{34};
    QTest::newRow("a small step away") << QPoint(0, 15) << Codes{33};
    QTest::newRow("sideways") << QPoint(120, 0) << Codes{};
  }

  void wheelGivesPaging() {
    QFETCH(QPoint, angleDelta);
    QFETCH(Codes, expected);
    QWidget widget;
    Recorder seen;
    WindowKeySource source;
    source.install(seen.sink());
    SendWheel(&widget, angleDelta);
    QCOMPARE(seen.codes, expected);
  }

  void repeatedKeysEachCount() {
    QWidget widget;
    Recorder seen;
    WindowKeySource source;
    source.install(seen.sink());
    for (int i = 0; i < 3; ++i) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier);
      QCoreApplication::sendEvent(&widget, &press);  // auto-repeat: no releases between
    }
    SendWheel(&widget, {0, -120});
    SendWheel(&widget, {0, -120});
    QCOMPARE(seen.codes, (Codes{97, 97, 97, 34, 34}));
  }

  // A key or wheel turn the focus widget ignores goes on to its parents and
  // meets the filter again there; it is still one key.
  void ignoredEventsPassedToParentsCountOnce() {
    QWidget top;
    QWidget middle(&top);
    QWidget inner(&middle);
    Recorder seen;
    WindowKeySource source;
    source.install(seen.sink());
    SendKey(&inner, Qt::Key_7, Qt::KeypadModifier);
    SendKey(&inner, Qt::Key_PageDown);
    SendWheel(&inner, {0, 120});
    QCOMPARE(seen.codes, (Codes{103, 34, 33}));
  }

  // Typed as the window system delivers it: to the window first, which hands
  // it to the focus widget; a line edit that takes the digit still lets the
  // source see it, and the digit still lands in the line edit.
  void keysTypedAtAWindowCountOnceAndStillReachTheWidget() {
    QWidget top;
    auto* layout = new QVBoxLayout(&top);
    auto* edit = new QLineEdit;
    auto* other = new QWidget;
    other->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(edit);
    layout->addWidget(other);
    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    edit->setFocus();
    QWindow* window = top.windowHandle();
    QVERIFY(window != nullptr);

    Recorder seen;
    WindowKeySource source;
    source.install(seen.sink());
    QTest::keyClick(window, Qt::Key_4, Qt::KeypadModifier);
    QTest::keyClick(window, Qt::Key_2);
    other->setFocus();  // a widget that ignores keys: they go on to `top`
    QTest::keyClick(window, Qt::Key_Return);
    QTest::keyClick(other, Qt::Key_Escape);
    QCOMPARE(seen.codes, (Codes{100, 50, 13, 27}));
    QCOMPARE(edit->text(), QStringLiteral("42"));
  }

  void installTwiceDoesNotDoubleKeys() {
    QWidget widget;
    Recorder first;
    Recorder second;
    WindowKeySource source;
    source.install(first.sink());
    source.install(second.sink());
    QVERIFY(source.installed());
    SendKey(&widget, Qt::Key_1, Qt::KeypadModifier);
    SendKey(&widget, Qt::Key_Return);
    QCOMPARE(first.codes, (Codes{97, 13}));
    QCOMPARE(second.codes, Codes{});
  }

  void removeStopsKeys() {
    QWidget widget;
    Recorder seen;
    WindowKeySource source;
    source.install(seen.sink());
    SendKey(&widget, Qt::Key_1, Qt::KeypadModifier);
    source.remove();
    QVERIFY(!source.installed());
    SendKey(&widget, Qt::Key_2, Qt::KeypadModifier);
    SendWheel(&widget, {0, 120});
    QCOMPARE(seen.codes, Codes{97});

    source.install(seen.sink());  // and it can be installed again
    SendKey(&widget, Qt::Key_3, Qt::KeypadModifier);
    QCOMPARE(seen.codes, (Codes{97, 99}));
  }

  void aHandlerMayRemoveTheSource() {
    QWidget widget;
    Codes codes;
    WindowKeySource source;
    source.install([&](int vk) {
      codes.push_back(vk);
      source.remove();
    });
    SendKey(&widget, Qt::Key_1, Qt::KeypadModifier);
    SendKey(&widget, Qt::Key_2, Qt::KeypadModifier);
    QCOMPARE(codes, Codes{97});
  }

  void destroyedSourceNoLongerWatches() {
    QWidget widget;
    Recorder seen;
    {
      WindowKeySource source;
      source.install(seen.sink());
    }
    SendKey(&widget, Qt::Key_1, Qt::KeypadModifier);
    QCOMPARE(seen.codes, Codes{});
  }

  // --- the X11 source's keysym table ---------------------------------------

  void keysymsGiveVirtualKeys_data() {
    QTest::addColumn<qulonglong>("level0");
    QTest::addColumn<qulonglong>("level1");
    QTest::addColumn<int>("expected");
    const qulonglong noSymbol = 0;
    QTest::newRow("1 / !") << qulonglong(XK_1) << qulonglong(XK_exclam) << 49;
    QTest::newRow("0 / )") << qulonglong(XK_0) << qulonglong(XK_parenright) << 48;
    QTest::newRow("9 / (") << qulonglong(XK_9) << qulonglong(XK_parenleft) << 57;
    // The keypad keys: level 0 without NumLock, level 1 with it.
    QTest::newRow("KP_Insert / KP_0") << qulonglong(XK_KP_Insert) << qulonglong(XK_KP_0) << 96;
    QTest::newRow("KP_End / KP_1") << qulonglong(XK_KP_End) << qulonglong(XK_KP_1) << 97;
    QTest::newRow("KP_Down / KP_2") << qulonglong(XK_KP_Down) << qulonglong(XK_KP_2) << 98;
    QTest::newRow("KP_Next / KP_3") << qulonglong(XK_KP_Next) << qulonglong(XK_KP_3) << 99;
    QTest::newRow("KP_Left / KP_4") << qulonglong(XK_KP_Left) << qulonglong(XK_KP_4) << 100;
    QTest::newRow("KP_Begin / KP_5") << qulonglong(XK_KP_Begin) << qulonglong(XK_KP_5) << 101;
    QTest::newRow("KP_Right / KP_6") << qulonglong(XK_KP_Right) << qulonglong(XK_KP_6) << 102;
    QTest::newRow("KP_Home / KP_7") << qulonglong(XK_KP_Home) << qulonglong(XK_KP_7) << 103;
    QTest::newRow("KP_Up / KP_8") << qulonglong(XK_KP_Up) << qulonglong(XK_KP_8) << 104;
    QTest::newRow("KP_Prior / KP_9") << qulonglong(XK_KP_Prior) << qulonglong(XK_KP_9) << 105;
    QTest::newRow("KP_1 on both levels") << qulonglong(XK_KP_1) << qulonglong(XK_KP_1) << 97;
    QTest::newRow("KP_6 at level 0 only") << qulonglong(XK_KP_6) << noSymbol << 102;
    QTest::newRow("Return") << qulonglong(XK_Return) << noSymbol << 13;
    QTest::newRow("KP_Enter") << qulonglong(XK_KP_Enter) << noSymbol << 13;
    QTest::newRow("BackSpace") << qulonglong(XK_BackSpace) << qulonglong(XK_BackSpace) << 8;
    QTest::newRow("Escape") << qulonglong(XK_Escape) << noSymbol << 27;
    QTest::newRow("space") << qulonglong(XK_space) << noSymbol << 32;
    QTest::newRow("Prior") << qulonglong(XK_Prior) << noSymbol << 33;
    QTest::newRow("Next") << qulonglong(XK_Next) << noSymbol << 34;
    QTest::newRow("KP_Prior without a digit") << qulonglong(XK_KP_Prior) << noSymbol << 33;
    QTest::newRow("KP_Next without a digit") << qulonglong(XK_KP_Next) << noSymbol << 34;
    QTest::newRow("Left") << qulonglong(XK_Left) << noSymbol << 37;
    QTest::newRow("Up") << qulonglong(XK_Up) << noSymbol << 38;
    QTest::newRow("Right") << qulonglong(XK_Right) << noSymbol << 39;
    QTest::newRow("Down") << qulonglong(XK_Down) << noSymbol << 40;
    QTest::newRow("a / A") << qulonglong(XK_a) << qulonglong(XK_A) << 0;
    QTest::newRow("Tab") << qulonglong(XK_Tab) << qulonglong(XK_ISO_Left_Tab) << 0;
    QTest::newRow("F1") << qulonglong(XK_F1) << noSymbol << 0;
    QTest::newRow("Num_Lock") << qulonglong(XK_Num_Lock) << noSymbol << 0;
    QTest::newRow("KP_Add") << qulonglong(XK_KP_Add) << qulonglong(XK_KP_Add) << 0;
    QTest::newRow("Home") << qulonglong(XK_Home) << noSymbol << 0;
    QTest::newRow("Alt_L") << qulonglong(XK_Alt_L) << qulonglong(XK_Meta_L) << 0;
    QTest::newRow("nothing") << noSymbol << noSymbol << 0;
  }

  void keysymsGiveVirtualKeys() {
    QFETCH(qulonglong, level0);
    QFETCH(qulonglong, level1);
    QFETCH(int, expected);
    QCOMPARE(VirtualKeyFromKeysyms(level0, level1), expected);
  }

  void wheelButtonsGivePaging() {
    QCOMPARE(VirtualKeyFromWheelButton(4), 33);
    QCOMPARE(VirtualKeyFromWheelButton(5), 34);
    for (int button : {1, 2, 3, 6, 7, 8}) QCOMPARE(VirtualKeyFromWheelButton(button), 0);
  }

  void altKeys() {
    QVERIFY(IsAltKeysym(XK_Alt_L));
    QVERIFY(IsAltKeysym(XK_Alt_R));
    QVERIFY(!IsAltKeysym(XK_Control_L));
    QVERIFY(!IsAltKeysym(XK_ISO_Level3_Shift));  // AltGr types characters
  }

  // --- no display ----------------------------------------------------------

  void anUnreachableDisplayIsNotAvailableAndInstallsNothing() {
    const std::string nowhere = ":7391";
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/.X11-unix/X7391")));
    QVERIFY(!X11KeySource::Available(nowhere));
    X11KeySource source(nowhere);
    Recorder seen;
    source.install(seen.sink());
    QVERIFY(!source.installed());
    source.remove();
    QVERIFY(!source.installed());
    QCOMPARE(source.describe(), std::string("X11 XInput2 (display :7391)"));
  }

  // The tests run on the offscreen platform: no X11, so the program's own
  // windows are the source.
  void offscreenChoosesOwnWindows() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    auto source = MakeDesktopKeySource();
    QVERIFY(dynamic_cast<WindowKeySource*>(source.get()) != nullptr);
    QCOMPARE(source->describe(), std::string("own windows (no X11: offscreen)"));
    QVERIFY(!source->installed());
    QWidget widget;
    Recorder seen;
    source->install(seen.sink());
    SendKey(&widget, Qt::Key_0, Qt::KeypadModifier);
    QCOMPARE(seen.codes, Codes{96});
  }
};

QTEST_MAIN(KeySourceTest)
#include "KeySourceTest.moc"
