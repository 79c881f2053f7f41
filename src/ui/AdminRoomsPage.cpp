#include "ui/AdminRoomsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "access/AdminArea.h"
#include "admin/RoomRow.h"
#include "desk/Desk.h"
#include "ui/ImportProgressWidget.h"
#include "store/TextCells.h"
#include "ui/AdminControls.h"

namespace tarvolen {

using adminui::MirrorText;
using adminui::SetChecked;
using adminui::SetEnabled;
using adminui::SetIndex;
using adminui::SetLabel;
using adminui::Text;
using adminui::Utf8;

namespace {

void Fill(QComboBox* combo, const std::vector<std::string>& entries) {
  QSignalBlocker block(combo);
  combo->clear();
  for (const std::string& e : entries) combo->addItem(Text(e));
  combo->setCurrentIndex(-1);
}

// The entries end in their number after many spaces: the box shows the name
// and keeps its width.
QComboBox* MakeChooser(const QString& name, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(8);
  return combo;
}

QFont ListFont(const QFont& base) {
  QFont f = base;
  f.setFamilies({QStringLiteral("WenQuanYi Micro Hei Mono"), QStringLiteral("Noto Sans Mono CJK SC"),
                 QStringLiteral("monospace")});
  f.setStyleHint(QFont::TypeWriter);
  return f;
}

// The rows are fitted to display cells (a Chinese character two, any other
// one), but few fonts draw a Chinese character exactly two Latin letters
// wide: each character is therefore drawn in its own cells.
qreal CellPixels(const QFontMetricsF& m) {
  return std::ceil(std::max(m.horizontalAdvance(QLatin1Char('M')), m.horizontalAdvance(QChar(0x623F)) / 2));
}

int Cells(const QString& text) { return CellWidth(text.toStdString()); }

void DrawOnCells(QPainter* p, const QRectF& rect, const QString& text) {
  const QFontMetricsF m(p->font());
  const qreal cell = CellPixels(m);
  const qreal baseline = rect.top() + (rect.height() - m.height()) / 2 + m.ascent();
  qreal x = rect.left();
  for (char32_t cp : text.toUcs4()) {
    const QString ch = QString::fromUcs4(&cp, 1);
    const qreal width = Cells(ch) * cell;
    // Centred in its cells, so a narrow Chinese character leaves even gaps.
    if (cp != U' ') p->drawText(QPointF(x + (width - m.horizontalAdvance(ch)) / 2, baseline), ch);
    x += width;
  }
}

class CellRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* w = opt.widget;
    QStyle* style = w != nullptr ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, p, w);  // background, selection, focus
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    p->save();
    p->setFont(opt.font);
    p->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    DrawOnCells(p, style->subElementRect(QStyle::SE_ItemViewItemText, &opt, w), text);
    p->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    size.setWidth(static_cast<int>(Cells(text) * CellPixels(QFontMetricsF(option.font))) + 8);
    return size;
  }
};

// The list's heading, drawn on the same cells as the rows.
class CellLabel : public QLabel {
 public:
  using QLabel::QLabel;

  QSize sizeHint() const override {
    return {static_cast<int>(Cells(text()) * CellPixels(QFontMetricsF(font()))) + 8, QLabel::sizeHint().height()};
  }
  QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    // The rows' text starts a few pixels into the list's frame and item.
    DrawOnCells(&p, QRectF(contentsRect()).adjusted(4, 0, 0, 0), text());
  }
};

}  // namespace

AdminRoomsPage::AdminRoomsPage(Desk& desk, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), desk_(desk), changed_(std::move(changed)) {
  auto* layout = new QVBoxLayout(this);

  auto* search = new QHBoxLayout;
  check3_ = new QCheckBox(QStringLiteral("修改中"), this);
  check3_->setObjectName(QStringLiteral("Check3"));
  connect(check3_, &QCheckBox::clicked, this, &AdminRoomsPage::Check3_Click);
  search->addWidget(check3_);
  for (int i = 0; i < 2; ++i) {
    QComboBox* combo = MakeChooser(QStringLiteral("Combo14_%1").arg(i), this);
    connect(combo, &QComboBox::activated, this, [this, i](int entry) { Combo14_Click(i, entry); });
    search->addWidget(combo);
    combo14_[static_cast<size_t>(i)] = combo;
  }
  text14_ = new QLineEdit(this);
  text14_->setObjectName(QStringLiteral("Text14"));
  connect(text14_, &QLineEdit::textEdited, this, &AdminRoomsPage::Text14_Change);
  search->addWidget(text14_);
  command41_ = new QPushButton(QStringLiteral("查找"), this);
  command41_->setObjectName(QStringLiteral("Command41"));
  connect(command41_, &QPushButton::clicked, this, &AdminRoomsPage::Command41_Click);
  search->addWidget(command41_);
  search->addStretch(1);
  layout->addLayout(search);

  auto* body = new QHBoxLayout;
  auto* listColumn = new QVBoxLayout;
  const QFont listFont = ListFont(font());
  header_ = new CellLabel(Text(kRoomListHeader), this);
  header_->setObjectName(QStringLiteral("List2Heading"));
  header_->setFont(listFont);
  listColumn->addWidget(header_);
  list2_ = new QListWidget(this);
  list2_->setObjectName(QStringLiteral("List2"));
  list2_->setFont(listFont);
  list2_->setItemDelegate(new CellRowDelegate(list2_));
  list2_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list2_->setUniformItemSizes(true);
  list2_->setMinimumHeight(240);
  connect(list2_, &QListWidget::currentRowChanged, this, &AdminRoomsPage::List2_Click);
  connect(list2_, &QListWidget::itemSelectionChanged, this, &AdminRoomsPage::List2_SelectionChanged);
  listColumn->addWidget(list2_, 1);
  body->addLayout(listColumn, 1);

  auto* editor = new QGridLayout;
  const RoomEditor& room = desk_.roomEditor();
  for (int i = 0; i < kFields; ++i) {
    auto* enable = new QCheckBox(Text(RoomEditor::kCaptions[static_cast<size_t>(i)]), this);
    enable->setObjectName(QStringLiteral("Chefj_%1").arg(i));
    connect(enable, &QCheckBox::clicked, this, [this, i](bool on) { Chefj_Click(i, on); });
    QWidget* field = nullptr;
    const QString name = QStringLiteral("Combofj_%1").arg(i);
    if (room.hasEntries(i)) {
      QComboBox* combo = MakeChooser(name, this);
      connect(combo, &QComboBox::activated, this, [this, i](int entry) { Combofj_Click(i, entry); });
      field = combo;
    } else {
      auto* edit = new QLineEdit(this);
      edit->setObjectName(name);
      connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& t) { Combofj_Change(i, t); });
      field = edit;
    }
    field->installEventFilter(this);
    auto* lock = new QCheckBox(Text(RoomEditor::kLockCaption), this);
    lock->setObjectName(QStringLiteral("Check6_%1").arg(i));
    connect(lock, &QCheckBox::clicked, this, [this, i](bool on) { Check6_Click(i, on); });
    editor->addWidget(enable, i, 0);
    editor->addWidget(field, i, 1);
    editor->addWidget(lock, i, 2);
    chefj_[static_cast<size_t>(i)] = enable;
    combofj_[static_cast<size_t>(i)] = field;
    check6_[static_cast<size_t>(i)] = lock;
  }
  label36_ = new QLabel(this);
  label36_->setObjectName(QStringLiteral("Label36"));
  editor->addWidget(label36_, kFields, 0, 1, 3);
  auto* buttons = new QHBoxLayout;
  auto button = [this, buttons](const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    buttons->addWidget(b);
    return b;
  };
  command40_ = button(QStringLiteral("新增"), "Command40");
  command9_ = button(QStringLiteral("修改"), "Command9");
  command39_ = button(QStringLiteral("删除"), "Command39");
  connect(command40_, &QPushButton::clicked, this, &AdminRoomsPage::Command40_Click);
  connect(command9_, &QPushButton::clicked, this, &AdminRoomsPage::Command9_Click);
  connect(command39_, &QPushButton::clicked, this, &AdminRoomsPage::Command39_Click);
  importRooms_ = button(QStringLiteral("从电子表格导入"), "ImportRooms");
  connect(importRooms_, &QPushButton::clicked, this, [this] {
    desk_.sheetImport().ImportRooms();
    After();
  });
  editor->addLayout(buttons, kFields + 1, 0, 1, 3);
  importProgress_ = new ImportProgressWidget(desk_.sheetImport(), SheetImport::Kind::Rooms,
                                             QStringLiteral("ImportRoomsProgress"), this);
  editor->addWidget(importProgress_, kFields + 2, 0, 1, 3);
  listening_.add(desk_.sheetImport().changed, [this] { After(); });
  editor->setRowStretch(kFields + 3, 1);
  body->addLayout(editor, 0);
  layout->addLayout(body, 1);
}

// --- Drawing ------------------------------------------------------------

void AdminRoomsPage::render() {
  const RoomEditor& room = desk_.roomEditor();
  SetChecked(check3_, desk_.adminArea().roomEdit());
  SetEnabled(importRooms_, desk_.sheetImport().roomsEnabled());
  importProgress_->render();
  RenderEntries();
  RenderRows();
  RenderSelection();

  for (int i = 0; i < kFields; ++i) {
    const RoomEditor::FieldState& f = room.field(i);
    QWidget* w = combofj_[static_cast<size_t>(i)];
    if (room.hasEntries(i)) {
      SetIndex(static_cast<QComboBox*>(w), f.entry);
    } else {
      MirrorText(static_cast<QLineEdit*>(w), f.text);
    }
    SetEnabled(w, f.enabled);
    SetChecked(chefj_[static_cast<size_t>(i)], f.enabled);
    SetChecked(check6_[static_cast<size_t>(i)], f.locked);
  }
  SetIndex(combo14_[0], room.typeFilter());
  SetIndex(combo14_[1], room.serviceFilter());
  MirrorText(text14_, room.nameFilter());
  SetLabel(label36_, room.slotLabel());
  for (QPushButton* b : {command40_, command9_, command39_}) SetEnabled(b, room.commandsEnabled());

  if (focusRequest_ != room.focusRequest()) {
    focusRequest_ = room.focusRequest();
    const int target = room.focusTarget();
    if (isVisible()) {
      if (target == RoomEditor::kFocusList) list2_->setFocus(Qt::OtherFocusReason);
      if (target >= 0 && target < kFields) combofj_[static_cast<size_t>(target)]->setFocus(Qt::OtherFocusReason);
    }
  }
}

void AdminRoomsPage::RenderEntries() {
  const RoomEditor& room = desk_.roomEditor();
  if (drawnEntries_ == room.entriesVersion()) return;
  drawnEntries_ = room.entriesVersion();
  for (int i = 0; i < kFields; ++i) {
    if (room.hasEntries(i)) Fill(static_cast<QComboBox*>(combofj_[static_cast<size_t>(i)]), room.entries(i));
  }
  Fill(combo14_[0], room.typeFilterEntries());
  Fill(combo14_[1], room.serviceFilterEntries());
}

void AdminRoomsPage::RenderRows() {
  const RoomEditor& room = desk_.roomEditor();
  if (drawnRows_ == room.rowsVersion()) return;
  drawnRows_ = room.rowsVersion();
  QSignalBlocker block(list2_);
  while (list2_->count() < RoomEditor::kRows) list2_->addItem(QString());
  for (int r = 0; r < RoomEditor::kRows; ++r) {
    QListWidgetItem* item = list2_->item(r);
    const QString text = Text(room.row(r));
    if (item->text() != text) item->setText(text);
  }
}

void AdminRoomsPage::RenderSelection() {
  const RoomEditor& room = desk_.roomEditor();
  if (drawnSelection_ == room.selectionVersion()) return;
  drawnSelection_ = room.selectionVersion();
  QSignalBlocker block(list2_);
  QItemSelection selection;
  const QAbstractItemModel* model = list2_->model();
  for (int r = 0; r < RoomEditor::kRows;) {
    if (!room.selected(r)) {
      ++r;
      continue;
    }
    int last = r;
    while (last + 1 < RoomEditor::kRows && room.selected(last + 1)) ++last;
    selection.select(model->index(r, 0), model->index(last, 0));
    r = last + 1;
  }
  QItemSelectionModel* selected = list2_->selectionModel();
  selected->select(selection, QItemSelectionModel::ClearAndSelect);
  const int current = room.currentRow();
  selected->setCurrentIndex(current >= 0 ? model->index(current, 0) : QModelIndex(), QItemSelectionModel::NoUpdate);
  if (current >= 0) list2_->scrollToItem(list2_->item(current));
}

// --- Events -------------------------------------------------------------

bool AdminRoomsPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      for (int i = 0; i < kFields; ++i) {
        if (watched == combofj_[static_cast<size_t>(i)]) {
          Combofj_Enter(i);
          return true;
        }
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void AdminRoomsPage::After() {
  if (changed_) {
    changed_();
  } else {
    render();
  }
}

void AdminRoomsPage::Check3_Click(bool on) {
  desk_.adminArea().SetRoomEdit(on);
  After();
}

void AdminRoomsPage::Chefj_Click(int i, bool on) {
  desk_.roomEditor().SetEnabled(i, on);
  After();
}

void AdminRoomsPage::Check6_Click(int i, bool on) {
  desk_.roomEditor().SetLocked(i, on);
  After();
}

void AdminRoomsPage::Combofj_Change(int i, const QString& text) { desk_.roomEditor().SetText(i, Utf8(text)); }

void AdminRoomsPage::Combofj_Click(int i, int entry) {
  desk_.roomEditor().ChooseEntry(i, entry);
  After();
}

void AdminRoomsPage::Combofj_Enter(int i) {
  desk_.roomEditor().EnterInField(i);
  After();
}

void AdminRoomsPage::List2_Click(int row) {
  RoomEditor& room = desk_.roomEditor();
  room.ClickRow(row);
  // The list already shows this current row.
  drawnSelection_ = room.selectionVersion();
  After();
}

void AdminRoomsPage::List2_SelectionChanged() {
  std::vector<int> rows;
  for (const QModelIndex& index : list2_->selectionModel()->selectedRows()) rows.push_back(index.row());
  RoomEditor& room = desk_.roomEditor();
  room.SetSelection(rows);
  drawnSelection_ = room.selectionVersion();
  After();
}

void AdminRoomsPage::Combo14_Click(int i, int entry) {
  RoomEditor& room = desk_.roomEditor();
  if (i == 0) {
    room.ChooseTypeFilter(entry);
  } else {
    room.ChooseServiceFilter(entry);
  }
  After();
}

void AdminRoomsPage::Text14_Change(const QString& text) { desk_.roomEditor().SetNameFilter(Utf8(text)); }

void AdminRoomsPage::Command41_Click() {
  desk_.roomEditor().Search();
  After();
}

void AdminRoomsPage::Command40_Click() {
  desk_.roomEditor().Add();
  After();
}

void AdminRoomsPage::Command9_Click() {
  (void)desk_.roomEditor().Change();
  After();
}

void AdminRoomsPage::Command39_Click() {
  desk_.roomEditor().Delete();
  After();
}

}  // namespace tarvolen
