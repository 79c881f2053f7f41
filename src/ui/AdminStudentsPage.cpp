#include "ui/AdminStudentsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "access/AdminArea.h"
#include "admin/StudentList.h"
#include "desk/Desk.h"
#include "ui/ImportProgressWidget.h"
#include "ui/AdminControls.h"

namespace tarvolen {

using adminui::MirrorText;
using adminui::SetChecked;
using adminui::SetEnabled;
using adminui::SetIndex;
using adminui::Text;
using adminui::Utf8;

namespace {

// Two cells a Chinese character: the fixed columns of the rows line up.
QFont ListFont(const QFont& base) {
  QFont f = base;
  f.setFamilies({QStringLiteral("WenQuanYi Micro Hei Mono"), QStringLiteral("Noto Sans Mono CJK SC"),
                 QStringLiteral("monospace")});
  f.setStyleHint(QFont::TypeWriter);
  f.setPointSizeF(10.5);
  return f;
}

void Fill(QComboBox* combo, const std::vector<std::string>& entries) {
  if (combo->count() == static_cast<int>(entries.size())) return;
  QSignalBlocker block(combo);
  combo->clear();
  for (const std::string& e : entries) combo->addItem(Text(e));
}

// A label that reports a click: Label39 toggles the room mode.
class ClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> clicked;

 protected:
  void mousePressEvent(QMouseEvent*) override {
    if (clicked) clicked();
  }
};

// Enter in a field walks on; the key goes no further.
class EnterFilter : public QObject {
 public:
  EnterFilter(std::function<void()> enter, QObject* parent) : QObject(parent), enter_(std::move(enter)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        enter_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> enter_;
};

}  // namespace

AdminStudentsPage::AdminStudentsPage(Desk& desk, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), desk_(desk), changed_(std::move(changed)) {
  // The list above, the editor under it: both fit the area's width.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(3);

  auto* top = new QHBoxLayout;
  check4_ = new QCheckBox(QStringLiteral("修改中"), this);
  check4_->setObjectName(QStringLiteral("Check4"));
  connect(check4_, &QCheckBox::clicked, this, &AdminStudentsPage::Check4_Click);
  top->addWidget(check4_);
  for (int f = 0; f < 3; ++f) {
    auto* c = new QComboBox(this);
    c->setObjectName(QStringLiteral("Combo13_%1").arg(f));
    // The entries end in their index after a run of spaces: show the name part.
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(8);
    connect(c, &QComboBox::activated, this, [this, f](int index) { Combo13_Click(f, index); });
    top->addWidget(c, 1);
    combo13_[static_cast<size_t>(f)] = c;
  }
  combo12_ = new QComboBox(this);
  combo12_->setObjectName(QStringLiteral("Combo12"));
  for (const char* f : StudentList::kSearchFields) combo12_->addItem(Text(f));
  connect(combo12_, &QComboBox::activated, this, [this](int i) { desk_.studentList().setSearchField(i); });
  text15_ = new QLineEdit(this);
  text15_->setObjectName(QStringLiteral("Text15"));
  connect(text15_, &QLineEdit::textEdited, this,
          [this](const QString& t) { desk_.studentList().setSearchText(Utf8(t)); });
  connect(text15_, &QLineEdit::returnPressed, this, &AdminStudentsPage::Command44_Click);
  auto* find = new QPushButton(QStringLiteral("查找"), this);
  find->setObjectName(QStringLiteral("Command44"));
  connect(find, &QPushButton::clicked, this, &AdminStudentsPage::Command44_Click);
  top->addWidget(combo12_);
  top->addWidget(text15_, 1);
  top->addWidget(find);
  layout->addLayout(top);

  auto* heading = new QLabel(Text(StudentList::kHeading), this);
  heading->setObjectName(QStringLiteral("Label8_0"));
  heading->setFont(ListFont(font()));
  heading->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->addWidget(heading);
  list1_ = new QListWidget(this);
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setFont(ListFont(font()));
  list1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list1_->setUniformItemSizes(true);
  list1_->setMinimumHeight(120);
  connect(list1_, &QListWidget::itemSelectionChanged, this, &AdminStudentsPage::List1_SelectionChanged);
  layout->addWidget(list1_, 1);

  // The editor: three fields a row, the dedicated rooms on a row of their own.
  auto* editor = new QGridLayout;
  editor->setHorizontalSpacing(4);
  editor->setVerticalSpacing(2);
  constexpr int kPerRow = 3;
  for (int i = 0; i < kFields; ++i) {
    auto* enable = new QCheckBox(Text(StudentEditor::kCaptions[static_cast<size_t>(i)]), this);
    enable->setObjectName(QStringLiteral("Check1_%1").arg(i));
    connect(enable, &QCheckBox::clicked, this, [this, i](bool on) {
      desk_.studentEditor().SetEnabled(i, on);
      After();
    });
    auto* lock = new QCheckBox(QStringLiteral("锁定"), this);
    lock->setObjectName(QStringLiteral("Check5_%1").arg(i));
    connect(lock, &QCheckBox::clicked, this, [this, i](bool on) {
      desk_.studentEditor().SetLocked(i, on);
      After();
    });
    QWidget* field = nullptr;
    if (StudentEditor::IsChoice(i) || i == StudentEditor::kRooms) {
      auto* c = new QComboBox(this);
      // Narrow at least, so the three fields of a row fit the area's width;
      // the columns share what is left over.
      c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
      c->setMinimumContentsLength(4);
      if (i == StudentEditor::kRooms) {
        connect(c, &QComboBox::activated, this, &AdminStudentsPage::Combo3_14_Click);
      } else {
        connect(c, &QComboBox::activated, this, [this, i](int index) {
          desk_.studentEditor().Choose(i, index);
          After();
        });
      }
      field = c;
    } else {
      auto* e = new QLineEdit(this);
      e->setMinimumWidth(60);
      connect(e, &QLineEdit::textEdited, this,
              [this, i](const QString& t) { desk_.studentEditor().SetText(i, Utf8(t)); });
      field = e;
    }
    field->setObjectName(QStringLiteral("Combo3_%1").arg(i));
    field->installEventFilter(new EnterFilter([this, i] { Combo3_Enter(i); }, field));
    const int row = i / kPerRow;
    const int column = (i % kPerRow) * 3;
    editor->addWidget(enable, row, column);
    if (i == StudentEditor::kRooms) {
      text17_ = new QLineEdit(this);
      text17_->setObjectName(QStringLiteral("Text17"));
      connect(text17_, &QLineEdit::textEdited, this,
              [this](const QString& t) { desk_.studentEditor().SetText(StudentEditor::kRooms, Utf8(t)); });
      auto* rooms = new QHBoxLayout;
      rooms->addWidget(text17_, 2);
      rooms->addWidget(field, 1);
      auto* mode = new ClickLabel(this);
      mode->setObjectName(QStringLiteral("Label39"));
      mode->clicked = [this] { Label39_Click(); };
      label39_ = mode;
      rooms->addWidget(mode);
      editor->addLayout(rooms, row, column + 1, 1, kPerRow * 3 - 2);
      editor->addWidget(lock, row, kPerRow * 3 - 1);
    } else {
      editor->addWidget(field, row, column + 1);
      editor->addWidget(lock, row, column + 2);
    }
    check1_[static_cast<size_t>(i)] = enable;
    check5_[static_cast<size_t>(i)] = lock;
    combo3_[static_cast<size_t>(i)] = field;
  }
  for (int c = 0; c < kPerRow; ++c) editor->setColumnStretch(c * 3 + 1, 1);
  layout->addLayout(editor);

  auto* buttons = new QHBoxLayout;
  label38_ = new QLabel(this);
  label38_->setObjectName(QStringLiteral("Label38"));
  label38_->setMinimumWidth(70);
  command45_ = new QPushButton(QStringLiteral("新增"), this);
  command45_->setObjectName(QStringLiteral("Command45"));
  command8_ = new QPushButton(QStringLiteral("修改"), this);
  command8_->setObjectName(QStringLiteral("Command8"));
  command42_ = new QPushButton(QStringLiteral("删除"), this);
  command42_->setObjectName(QStringLiteral("Command42"));
  command43_ = new QPushButton(QStringLiteral("清除重复卡号"), this);
  command43_->setObjectName(QStringLiteral("Command43"));
  connect(command45_, &QPushButton::clicked, this, &AdminStudentsPage::Command45_Click);
  connect(command8_, &QPushButton::clicked, this, &AdminStudentsPage::Command8_Click);
  connect(command42_, &QPushButton::clicked, this, &AdminStudentsPage::Command42_Click);
  connect(command43_, &QPushButton::clicked, this, &AdminStudentsPage::Command43_Click);
  auto* note = new QLabel(Text(StudentEditor::kNote), this);
  note->setObjectName(QStringLiteral("noteGrade"));
  buttons->addWidget(label38_);
  buttons->addWidget(command45_);
  buttons->addWidget(command8_);
  buttons->addWidget(command42_);
  buttons->addWidget(command43_);
  importStudents_ = new QPushButton(QStringLiteral("从电子表格导入"), this);
  importStudents_->setObjectName(QStringLiteral("ImportStudents"));
  connect(importStudents_, &QPushButton::clicked, this, [this] {
    desk_.sheetImport().ImportStudents();
    After();
  });
  buttons->addWidget(importStudents_);
  buttons->addStretch(1);
  buttons->addWidget(note);
  layout->addLayout(buttons);
  importProgress_ = new ImportProgressWidget(desk_.sheetImport(), SheetImport::Kind::Students,
                                             QStringLiteral("ImportStudentsProgress"), this);
  layout->addWidget(importProgress_);
  listening_.add(desk_.sheetImport().changed, [this] { After(); });
}

void AdminStudentsPage::RenderList() {
  const StudentList& list = desk_.studentList();
  if (rowsVersion_ != list.rowsVersion()) {
    rowsVersion_ = list.rowsVersion();
    selectionVersion_ = -1;
    QSignalBlocker block(list1_);
    const int top = list1_->verticalScrollBar() ? list1_->verticalScrollBar()->value() : 0;
    if (list1_->count() == list.rowCount()) {
      for (int r = 0; r < list.rowCount(); ++r) {
        const QString text = Text(list.rowText(r));
        if (list1_->item(r)->text() != text) list1_->item(r)->setText(text);
      }
    } else {
      QStringList rows;
      rows.reserve(list.rowCount());
      for (int r = 0; r < list.rowCount(); ++r) rows << Text(list.rowText(r));
      list1_->clear();
      list1_->addItems(rows);
    }
    list1_->verticalScrollBar()->setValue(top);
  }
  if (selectionVersion_ != list.selectionVersion()) {
    selectionVersion_ = list.selectionVersion();
    QSignalBlocker block(list1_);
    QItemSelection selection;
    for (int r = 0; r < list.rowCount(); ++r) {
      if (list.isSelected(r)) selection.select(list1_->model()->index(r, 0), list1_->model()->index(r, 0));
    }
    list1_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (list.current() >= 0) {
      list1_->selectionModel()->setCurrentIndex(list1_->model()->index(list.current(), 0),
                                                QItemSelectionModel::NoUpdate);
      list1_->scrollToItem(list1_->item(list.current()));
    }
  }
}

void AdminStudentsPage::render() {
  Desk& d = desk_;
  const bool edit = d.adminArea().studentEdit();
  SetChecked(check4_, edit);
  StudentList& list = d.studentList();
  for (int f = 0; f < 3; ++f) {
    Fill(combo13_[static_cast<size_t>(f)], list.filterEntries(f));
    SetIndex(combo13_[static_cast<size_t>(f)], list.filterIndex(f));
  }
  SetIndex(combo12_, list.searchField());
  MirrorText(text15_, list.searchText());
  RenderList();
  for (QPushButton* b : {command42_, command43_, command45_}) SetEnabled(b, edit);
  SetEnabled(importStudents_, d.sheetImport().studentsEnabled());
  importProgress_->render();
  StudentEditor& editor = d.studentEditor();
  SetEnabled(command8_, editor.command8Enabled());
  for (int i = 0; i < kFields; ++i) {
    SetChecked(check1_[static_cast<size_t>(i)], editor.enabled(i));
    SetChecked(check5_[static_cast<size_t>(i)], editor.locked(i));
    QWidget* field = combo3_[static_cast<size_t>(i)];
    SetEnabled(field, editor.enabled(i));
    if (auto* c = qobject_cast<QComboBox*>(field)) {
      Fill(c, editor.entries(i));
      SetIndex(c, StudentEditor::IsChoice(i) ? editor.choice(i) : -1);
    } else if (auto* e = qobject_cast<QLineEdit*>(field)) {
      MirrorText(e, editor.text(i));
    }
  }
  MirrorText(text17_, editor.text(StudentEditor::kRooms));
  const QString mode = Text(editor.roomMode());
  if (label39_->text() != mode) label39_->setText(mode);
  const QString slot = Text(editor.slotLabel());
  if (label38_->text() != slot) label38_->setText(slot);
  if (focusRequest_ != editor.focusRequest()) {
    focusRequest_ = editor.focusRequest();
    const int f = editor.focusField();
    if (f >= 0 && f < kFields && isVisible()) combo3_[static_cast<size_t>(f)]->setFocus(Qt::OtherFocusReason);
  }
}

void AdminStudentsPage::After() {
  if (changed_) {
    changed_();
  } else {
    render();
  }
}

void AdminStudentsPage::Check4_Click(bool on) {
  desk_.adminArea().SetStudentEdit(on);
  After();
}

void AdminStudentsPage::Combo13_Click(int filter, int index) {
  desk_.studentList().ChooseFilter(filter, index);
  After();
  list1_->setFocus();
}

void AdminStudentsPage::Command44_Click() {
  desk_.studentList().Search();
  After();
  list1_->setFocus();
}

void AdminStudentsPage::Command42_Click() {
  desk_.studentList().Delete();
  After();
}

void AdminStudentsPage::Command43_Click() {
  desk_.studentList().ClearDuplicates();
  After();
}

void AdminStudentsPage::Command45_Click() {
  desk_.studentEditor().Add();
  After();
  list1_->setFocus();
}

void AdminStudentsPage::Command8_Click() {
  desk_.studentEditor().Change();
  After();
  list1_->setFocus();
}

void AdminStudentsPage::List1_SelectionChanged() {
  std::vector<int> rows;
  for (const QModelIndex& index : list1_->selectionModel()->selectedIndexes()) rows.push_back(index.row());
  desk_.studentList().SetSelection(rows, list1_->currentRow());
  selectionVersion_ = desk_.studentList().selectionVersion();
  After();
}

void AdminStudentsPage::Combo3_Enter(int field) {
  desk_.studentEditor().Enter(field);
  After();
}

void AdminStudentsPage::Combo3_14_Click(int index) {
  desk_.studentEditor().ChooseRoom(index);
  After();
}

void AdminStudentsPage::Label39_Click() {
  desk_.studentEditor().ToggleRoomMode();
  After();
}

}  // namespace tarvolen
