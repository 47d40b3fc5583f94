#pragma once
// The folder browser of the product: Qt's folder dialog over the machine's folders; the choice
// goes back as the Windows path through which the prefix's drives reach it.

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/ExploradorDeCarpetas.h"

namespace evalora::ui {

class ExploradorQt : public ExploradorDeCarpetas {
 public:
  using AWindows = std::function<std::optional<std::string>(const std::filesystem::path&)>;
  ExploradorQt(QWidget* dueno, std::filesystem::path inicio, AWindows aWindows)
      : dueno_(dueno), inicio_(std::move(inicio)), aWindows_(std::move(aWindows)) {}

  std::string ExaminarCarpeta(const std::string& titulo) override;

 private:
  QWidget* dueno_;
  std::filesystem::path inicio_;
  AWindows aWindows_;
};

}  // namespace evalora::ui
