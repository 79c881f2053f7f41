// The pages of the administration area at the window's delivered size and
// at its smallest: each page's controls fit the area the layout pass gives
// it, so none needs its scroll bars; a smaller area still scrolls rather
// than cutting a page off.
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "access/AdminArea.h"
#include "desk/Desk.h"
#include "ui/AdminAreaWidget.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class AdminPagesFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void everyPageFits_data();
  void everyPageFits();
  void aSmallerAreaScrollsThePage();

 private:
  // Opens page i of the open area and lets its layout settle.
  QScrollArea* showPage(int i);

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void AdminPagesFitTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
  if (QTest::currentTestFailed()) return;
  demo_->desk().adminArea().Toggle();
  main_->render();
}

void AdminPagesFitTest::cleanup() {
  main_.reset();
  demo_.reset();
}

QScrollArea* AdminPagesFitTest::showPage(int i) {
  if (!demo_->desk().adminArea().Navigate(i).ok()) return nullptr;
  main_->render();
  auto* area = main_->findChild<QScrollArea*>(QStringLiteral("Picture3_%1").arg(i));
  if (area == nullptr || !area->isVisible()) return nullptr;
  // The scroll area settles its bars on the layout requests that follow.
  for (int k = 0; k < 3; ++k) QCoreApplication::processEvents();
  return area;
}

void AdminPagesFitTest::everyPageFits_data() {
  QTest::addColumn<QSize>("window");
  QTest::addColumn<QRect>("areaGeometry");
  QTest::newRow("delivered 875 x 547") << QSize(875, 547) << QRect(6, 6, 711, 499);
  QTest::newRow("smallest 875 x 535") << QSize(875, 535) << QRect(6, 6, 711, 487);
}

void AdminPagesFitTest::everyPageFits() {
  QFETCH(QSize, window);
  QFETCH(QRect, areaGeometry);
  // Laid out by the layout timer's pass.
  main_->resize(window);
  demo_->timers().advance(300);
  QCOMPARE(main_->findChild<QWidget*>(QStringLiteral("Picture2"))->geometry(), areaGeometry);
  QStringList misfits;  // every page that does not fit, not only the first
  for (int i = 0; i < AdminAreaWidget::kPages; ++i) {
    QScrollArea* area = showPage(i);
    QVERIFY2(area != nullptr, qPrintable(QStringLiteral("page %1 does not show").arg(i)));
    const QSize viewport = area->viewport()->size();
    const QWidget* content = area->widget();
    // What the page's layout needs at least (a page smaller than that would
    // scroll), and every control of it inside the area as it is shown.
    const QSize least = content->minimumSizeHint();
    QString what;
    if (least.width() > viewport.width() || least.height() > viewport.height()) {
      what = QStringLiteral("needs %1 x %2").arg(least.width()).arg(least.height());
    }
    if (area->verticalScrollBar()->isVisible() || area->horizontalScrollBar()->isVisible()) {
      what += QStringLiteral(" scrolls");
    }
    for (const QWidget* w : content->findChildren<QWidget*>()) {
      const QString name = w->objectName();
      if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !w->isVisibleTo(content)) continue;
      const QRect shown(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
      if (!QRect(QPoint(0, 0), viewport).contains(shown)) what += QStringLiteral(" %1 outside").arg(name);
    }
    if (!what.isEmpty()) {
      misfits << QStringLiteral("page %1 (%2) in %3 x %4:%5")
                     .arg(i)
                     .arg(QString::fromUtf8(AdminArea::kCaptions[static_cast<size_t>(i)]))
                     .arg(viewport.width())
                     .arg(viewport.height())
                     .arg(what);
    }
  }
  QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QStringLiteral("; "))));
}

void AdminPagesFitTest::aSmallerAreaScrollsThePage() {
  QScrollArea* area = showPage(0);
  QVERIFY(area != nullptr);
  // Only a window manager that ignores the minimum size could do this; the
  // page then scrolls instead of losing its lower controls.
  main_->findChild<QWidget*>(QStringLiteral("Picture2"))->resize(500, 300);
  QTRY_VERIFY(area->verticalScrollBar()->isVisible());
  QVERIFY(area->verticalScrollBar()->maximum() > 0);
}

QTEST_MAIN(AdminPagesFitTest)
#include "AdminPagesFitTest.moc"
