#pragma once

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

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  PictureBox* picMaximized_;
  QLabel *lblTime_, *lblDate_, *lblCursor_;
  ClockLabelPair clock_;
  FileDialogChooser saveDialog_;
};

}  // namespace kelvane
