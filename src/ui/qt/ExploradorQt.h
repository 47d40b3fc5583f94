#pragma once
// The folder browser of the product, which the shell service hands the browsing to: Qt's folder
// dialog over the machine's folders; the choice goes back as the Windows path through which the
// prefix's drives reach it ("No Valida" when none does).

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>

#include <string>

namespace evalora::ui {

class ExploradorQt {
 public:
  using AWindows = std::function<std::optional<std::string>(const std::filesystem::path&)>;
  ExploradorQt(QWidget* dueno, std::filesystem::path inicio, AWindows aWindows)
      : dueno_(dueno), inicio_(std::move(inicio)), aWindows_(std::move(aWindows)) {}

  std::string ExaminarCarpeta(const std::string& titulo);

 private:
  QWidget* dueno_;
  std::filesystem::path inicio_;
  AWindows aWindows_;
};

}  // namespace evalora::ui
