// TFOptionen ("Einstellungen"): the user's preferences of settings.ini [SETTINGS] on five
// pages chosen from a navigation bar: caption printing, thumbnails, performance against
// quality, the grid's look and the external editing application.
//
// The dialog reads every key when it is built and writes all of them on "OK" (whichever
// page is shown); "Abbrechen" writes nothing. Questions and notices go through the
// prompter. It borrows the settings object and the prompter; after it closes the window
// re-reads and applies what it edits.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>

#include "platform/desktop.h"
#include "settings/option_values.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSlider;
class QSpinBox;
class QStackedWidget;

namespace vemora {
class Prompter;
class TIniPlus;
}  // namespace vemora

namespace vemora::ui {

class ColorBox;

class TFOptionen : public QDialog {
  Q_OBJECT

 public:
  TFOptionen(QWidget* parent, TIniPlus& settings, Prompter& prompter,
             std::filesystem::path helpFolder = platform::HelpFolder());

  // The values the controls hold now.
  OptionValues Values() const;
  int PerformanceAtOpening() const { return performanceAtOpening_; }

 private:
  struct CaptionControls {
    QCheckBox* printed = nullptr;
    QLabel* sample = nullptr;
    QComboBox* alignment = nullptr;
  };

  QWidget* BuildPrintPage();
  QWidget* BuildCaptionBox(CaptionSide side, const QString& title, const QStringList& alignments);
  QWidget* BuildThumbnailsPage();
  QWidget* BuildPerformancePage();
  QWidget* BuildTablePage();
  QWidget* BuildExternalAppPage();
  // A page: its controls above the row "Hilfe", "Zurücksetzen", "OK", "Abbrechen".
  QWidget* WithButtons(QWidget* content, OptionsPage page);

  void Load(const OptionValues& values);
  void ShowPage(int page);
  void UpdatePerformanceTexts();
  void UpdateParameterField();
  void ChooseFont(CaptionSide side);
  void ChooseExternalApp();
  void Reset(OptionsPage page);
  void Confirm(OptionsPage page);
  void OpenHelp();

  TIniPlus& settings_;
  Prompter& prompter_;
  std::filesystem::path helpFolder_;
  int performanceAtOpening_ = 1;

  QListWidget* navigation_ = nullptr;
  QLabel* hint_ = nullptr;
  QStackedWidget* pages_ = nullptr;

  std::array<CaptionControls, 4> captions_;
  std::array<TColor, 4> captionColors_{};
  QRadioButton* thumbsCollapsed_ = nullptr;
  QRadioButton* thumbsPermanent_ = nullptr;
  QSpinBox* thumbsSize_ = nullptr;
  QCheckBox* thumbsCaption_ = nullptr;
  QSlider* performance_ = nullptr;
  QLabel* performanceValue_ = nullptr;
  QLabel* qualityValue_ = nullptr;
  QLabel* performanceExplanation_ = nullptr;
  QCheckBox* hideThumbs_ = nullptr;
  QComboBox* gridStyle_ = nullptr;
  QCheckBox* autoWidth_ = nullptr;
  QComboBox* gridLines_ = nullptr;
  ColorBox* gridColor_ = nullptr;
  QCheckBox* navigator_ = nullptr;
  QLineEdit* externalApp_ = nullptr;
  QRadioButton* parameterDefault_ = nullptr;
  QRadioButton* parameterCustom_ = nullptr;
  QLineEdit* parameter_ = nullptr;
};

// The texts of the performance page for a slider position: under "Performance", under
// "Qualität", and the explanation (with the restart notice first when the level at opening
// was 2 and the position is below it). Lines are separated by "\n".
struct PerformanceTexts {
  QString performance;
  QString quality;
  QString explanation;
};
PerformanceTexts PerformanceTextsFor(int position, int levelAtOpening);

}  // namespace vemora::ui
