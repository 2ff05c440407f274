// TFWaitLoad: every step counts, but the bar takes the steps only when the window repaints,
// so a long run does not pay a repaint per row and still ends where it should.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

#include "support/qt_application.h"
#include "ui/wait_window.h"

namespace vemora {
namespace {

TEST(WaitWindowTest, BarTakesTheCountedStepsWhenItRepaints) {
  testing::EnsureApplication();
  ui::TFWaitLoad wait(nullptr);
  EXPECT_EQ(wait.windowTitle().toStdString(), "Bitte warten Sie kurz");
  EXPECT_EQ(wait.label()->text().toStdString(),
            "Bitte warten Sie kurz, die Bilder werden geladen...");
  QProgressBar* bar = wait.progressBar();
  bar->setMaximum(100);
  wait.SetPosition(0);
  wait.show();

  // An interval no test run reaches: the first step repaints, the next ones only count.
  wait.SetEventInterval(24 * 60 * 60 * 1000);
  wait.Step();
  EXPECT_EQ(bar->value(), 1);
  for (int i = 0; i < 5; ++i) wait.Step();
  EXPECT_EQ(bar->value(), 1);

  // With every step repainting, the counted ones show with the next step.
  wait.SetEventInterval(0);
  wait.Step();
  EXPECT_EQ(bar->value(), 7);
  wait.Step();
  EXPECT_EQ(bar->value(), 8);

  // A new position drops the steps not shown yet.
  wait.SetEventInterval(24 * 60 * 60 * 1000);
  wait.Step();
  wait.SetPosition(50);
  wait.SetEventInterval(0);
  wait.Step();
  EXPECT_EQ(bar->value(), 51);
}

}  // namespace
}  // namespace vemora
