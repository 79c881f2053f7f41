#pragma once
// Page 8 "企业信息" of the administration area: the ten company texts
// (Text8(0..9)), each saved alone by its own "保存" button.
#include <QWidget>
#include <array>
#include <functional>

#include "store/SideFiles.h"
#include "ui/AdminControls.h"

class QPushButton;

namespace tarvolen {

class Desk;

class AdminCompanyPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kTexts = CompanyInfo::kTexts;

  AdminCompanyPage(Desk& desk, std::function<void()> changed, QWidget* parent = nullptr);

  void render();

 private:
  void CommandSave_Click(int index);  // "保存" of box index

  Desk& desk_;
  std::function<void()> changed_;
  std::array<adminui::ValueBox, kTexts> text8_{};
  std::array<QPushButton*, kTexts> save_{};
};

}  // namespace tarvolen
