#pragma once

#include "AlarmBannerFrame.h"
#include "ClockLabelPair.h"
#include "FileDialogChooser.h"
#include "state/Views.h"

#include <QMainWindow>

namespace kelvane {

class PictureBox;

// The full-screen chart window: a large picture box and the clock. It has no handlers of its
// own; the main window draws on it and closes it. The picture grows with the window.
class frmChartMaximized : public QMainWindow, public FullScreenView {
  Q_OBJECT
 public:
  explicit frmChartMaximized(const Environment& env);

  ClockLabels& clockLabels() override { return clock_; }
  DrawingSurface& picMaximized() override;
  void showMaximized() override;
  bool isShown() const override { return isVisible(); }
  // The leak alarm's banner across the window's top, above the picture.
  AlarmBannerFrame& alarmFrame() { return *fraAlarm_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void placeControls();

  AlarmBannerFrame* fraAlarm_;
  PictureBox* picMaximized_;
  QLabel *lblTime_, *lblDate_, *lblCursor_;
  ClockLabelPair clock_;
  FileDialogChooser saveDialog_;
};

}  // namespace kelvane
