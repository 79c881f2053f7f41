#include "ui/UtilisationWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

#include "ui/UtilisationImage.h"
#include "query/UtilisationDesk.h"
#include "ui/AdminControls.h"

namespace tarvolen {

using adminui::Text;
using query::UtilisationView;

namespace {

QDate ToQDate(const CivilDate& d) { return QDate(d.year, d.month, d.day); }
CivilDate FromQDate(const QDate& d) { return {d.year(), d.month(), d.day()}; }

QDateEdit* MakeDateEdit(const QString& name, QWidget* parent) {
  auto* e = new QDateEdit(parent);
  e->setObjectName(name);
  e->setCalendarPopup(true);
  e->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  e->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
  return e;
}

QPushButton* MakeButton(const char* text, const QString& name, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(text), parent);
  b->setObjectName(name);
  return b;
}

void Note(const query::UtilisationExport& out) {
  if (!out.path.empty()) std::fprintf(stderr, "[导出] %s %s\n", out.path.string().c_str(), out.message.c_str());
}

}  // namespace

UtilisationPictureWidget::UtilisationPictureWidget(const query::UtilisationDesk& desk, QLabel* hover, QWidget* parent)
    : QWidget(parent), desk_(desk), hover_(hover) {
  setObjectName(QStringLiteral("PictureUsage"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void UtilisationPictureWidget::Reset() {
  const auto& p = desk_.picture();
  setFixedSize(std::max(1, p.width), std::max(1, p.height));
  hover_->clear();
  update();
}

void UtilisationPictureWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  if (desk_.hasReport()) PaintUtilisation(painter, desk_.picture(), event->rect());
}

void UtilisationPictureWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const auto hover = desk_.picture().HoverAt(at.x(), at.y());
  const QString text = hover ? Text(*hover) : QString();
  if (hover_->text() != text) hover_->setText(text);
  QWidget::mouseMoveEvent(event);
}

void UtilisationPictureWidget::leaveEvent(QEvent* event) {
  hover_->clear();
  QWidget::leaveEvent(event);
}

bool UtilisationPictureWidget::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const auto hover = desk_.picture().HoverAt(help->pos().x(), help->pos().y());
    if (hover) {
      QToolTip::showText(help->globalPos(), Text(*hover), this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

UtilisationWindow::UtilisationWindow(query::UtilisationDesk& desk, FileDialogs& dialogs, WorkbookWriter& workbooks,
                                     query::PictureFiles& files, QWidget* parent)
    : QWidget(parent, Qt::Window), desk_(desk), dialogs_(dialogs), workbooks_(workbooks), files_(files) {
  setObjectName(QStringLiteral("UtilisationWindow"));
  setWindowTitle(QStringLiteral("房间使用率"));
  resize(1100, 760);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* fromLabel = new QLabel(QStringLiteral("日期"), this);
  fromLabel->setObjectName(QStringLiteral("LabelFrom"));
  dateFrom_ = MakeDateEdit(QStringLiteral("DateFrom"), this);
  auto* toLabel = new QLabel(QStringLiteral("至"), this);
  toLabel->setObjectName(QStringLiteral("LabelTo"));
  dateTo_ = MakeDateEdit(QStringLiteral("DateTo"), this);
  auto* roomsLabel = new QLabel(QStringLiteral("房间"), this);
  roomsLabel->setObjectName(QStringLiteral("LabelRooms"));
  comboRooms_ = new QComboBox(this);
  comboRooms_->setObjectName(QStringLiteral("ComboRooms"));
  commandCount_ = MakeButton("统计", QStringLiteral("CommandCount"), this);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressCount"));
  progress_->setRange(0, 100);
  progress_->setMaximumWidth(200);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("LabelStatus"));
  top->addWidget(fromLabel);
  top->addWidget(dateFrom_);
  top->addWidget(toLabel);
  top->addWidget(dateTo_);
  top->addWidget(roomsLabel);
  top->addWidget(comboRooms_);
  top->addWidget(commandCount_);
  top->addWidget(progress_);
  top->addWidget(status_, 1);
  layout->addLayout(top);

  auto* views = new QHBoxLayout;
  const char* viewNames[2] = {"按房间", "按星期"};
  for (int i = 0; i < 2; ++i) {
    auto* b = new QRadioButton(QString::fromUtf8(viewNames[i]), this);
    b->setObjectName(QStringLiteral("OptionView_%1").arg(i));
    connect(b, &QRadioButton::clicked, this,
            [this, i] { desk_.setView(i == 0 ? UtilisationView::RoomsByHour : UtilisationView::WeekdaysByHour); });
    views->addWidget(b);
    optionView_[static_cast<size_t>(i)] = b;
  }
  hover_ = new QLabel(this);
  hover_->setObjectName(QStringLiteral("LabelHover"));
  views->addSpacing(24);
  views->addWidget(hover_, 1);
  layout->addLayout(views);

  auto* split = new QSplitter(Qt::Vertical, this);
  split->setObjectName(QStringLiteral("SplitUsage"));
  scroll_ = new QScrollArea(split);
  scroll_->setObjectName(QStringLiteral("ScrollPicture"));
  scroll_->setBackgroundRole(QPalette::Base);
  picture_ = new UtilisationPictureWidget(desk_, hover_, scroll_);
  scroll_->setWidget(picture_);
  figures_ = new QTableWidget(split);
  figures_->setObjectName(QStringLiteral("GridFigures"));
  figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figures_->verticalHeader()->hide();
  figures_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  split->addWidget(scroll_);
  split->addWidget(figures_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  // The heat map takes most of the height; the figures get a strip below.
  split->setSizes({520, 160});
  layout->addWidget(split, 1);

  notes_ = new QLabel(this);
  notes_->setObjectName(QStringLiteral("LabelNotes"));
  notes_->setWordWrap(true);
  layout->addWidget(notes_);

  auto* bottom = new QHBoxLayout;
  commandPng_ = MakeButton("导出PNG", QStringLiteral("CommandPng"), this);
  commandPdf_ = MakeButton("导出PDF", QStringLiteral("CommandPdf"), this);
  commandXlsx_ = MakeButton("导出电子表格", QStringLiteral("CommandXlsx"), this);
  commandClose_ = MakeButton("关闭", QStringLiteral("CommandClose"), this);
  bottom->addWidget(commandPng_);
  bottom->addWidget(commandPdf_);
  bottom->addWidget(commandXlsx_);
  bottom->addStretch(1);
  bottom->addWidget(commandClose_);
  layout->addLayout(bottom);

  connect(dateFrom_, &QDateEdit::dateChanged, this, [this](const QDate& d) { desk_.setFrom(FromQDate(d)); });
  connect(dateTo_, &QDateEdit::dateChanged, this, [this](const QDate& d) { desk_.setTo(FromQDate(d)); });
  connect(comboRooms_, &QComboBox::activated, this, [this](int index) { desk_.setRoomChoice(index); });
  connect(commandCount_, &QPushButton::clicked, this, &UtilisationWindow::CommandCount_Click);
  connect(commandPng_, &QPushButton::clicked, this, &UtilisationWindow::CommandPng_Click);
  connect(commandPdf_, &QPushButton::clicked, this, &UtilisationWindow::CommandPdf_Click);
  connect(commandXlsx_, &QPushButton::clicked, this, &UtilisationWindow::CommandXlsx_Click);
  connect(commandClose_, &QPushButton::clicked, this, [this] { desk_.Close(); });

  listening_.add(desk_.changed, [this] { render(); });
  render();
}

UtilisationWindow::~UtilisationWindow() = default;

void UtilisationWindow::render() {
  {
    const QSignalBlocker a(dateFrom_);
    const QSignalBlocker b(dateTo_);
    if (dateFrom_->date() != ToQDate(desk_.from())) dateFrom_->setDate(ToQDate(desk_.from()));
    if (dateTo_->date() != ToQDate(desk_.to())) dateTo_->setDate(ToQDate(desk_.to()));
  }
  const auto& choices = desk_.roomChoices();
  bool same = comboRooms_->count() == static_cast<int>(choices.size());
  for (int i = 0; same && i < comboRooms_->count(); ++i)
    same = comboRooms_->itemText(i) == Text(choices[static_cast<size_t>(i)]);
  if (!same) {
    const QSignalBlocker block(comboRooms_);
    comboRooms_->clear();
    for (const std::string& c : choices) comboRooms_->addItem(Text(c));
  }
  if (comboRooms_->currentIndex() != desk_.roomChoice()) {
    const QSignalBlocker block(comboRooms_);
    comboRooms_->setCurrentIndex(desk_.roomChoice());
  }
  adminui::SetChecked(optionView_[0], desk_.view() == UtilisationView::RoomsByHour);
  adminui::SetChecked(optionView_[1], desk_.view() == UtilisationView::WeekdaysByHour);

  progress_->setVisible(desk_.running());
  progress_->setValue(static_cast<int>(std::lround(desk_.progress() * 100)));
  if (status_->text() != Text(desk_.status())) status_->setText(Text(desk_.status()));
  const bool exportable = desk_.hasReport() && !desk_.running();
  commandPng_->setEnabled(exportable);
  commandPdf_->setEnabled(exportable);
  commandXlsx_->setEnabled(exportable);
  if (drawnVersion_ != desk_.pictureVersion()) RenderReport();

  if (desk_.shown() && !isVisible()) {
    show();
    raise();
    activateWindow();
  } else if (!desk_.shown() && isVisible()) {
    hide();
  }
}

void UtilisationWindow::RenderReport() {
  drawnVersion_ = desk_.pictureVersion();
  picture_->Reset();
  const auto& rows = desk_.figures();
  figures_->clear();
  figures_->setRowCount(rows.empty() ? 0 : static_cast<int>(rows.size()) - 1);
  figures_->setColumnCount(rows.empty() ? 0 : static_cast<int>(rows.front().size()));
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      auto* item = new QTableWidgetItem(Text(rows[r][c]));
      if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (r == 0) {
        figures_->setHorizontalHeaderItem(static_cast<int>(c), item);
      } else {
        figures_->setItem(static_cast<int>(r) - 1, static_cast<int>(c), item);
      }
    }
  }
  QStringList notes;
  for (const std::string& n : desk_.notes()) notes << Text(n);
  notes_->setText(notes.join(QStringLiteral("；")));
}

void UtilisationWindow::closeEvent(QCloseEvent* event) {
  desk_.Close();
  QWidget::closeEvent(event);
}

void UtilisationWindow::CommandCount_Click() { desk_.Run(); }
void UtilisationWindow::CommandPng_Click() { Note(desk_.ExportPng(dialogs_, files_)); }
void UtilisationWindow::CommandPdf_Click() { Note(desk_.ExportPdf(dialogs_, files_)); }
void UtilisationWindow::CommandXlsx_Click() { Note(desk_.ExportXlsx(dialogs_, workbooks_)); }

}  // namespace tarvolen
