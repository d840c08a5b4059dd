#pragma once

class QWidget;

namespace kelvane {

class JobControl;

// Waits for a job that reads rows, while the clock ticks. For the first half second no input
// reaches any window (most reads are done by then); then the modal progress dialog dlgProgress
// counts the rows read and offers Cancel. Cancel stops the job and waits
// a second at most for it to end; a job that still runs then is left to end on its own.
void waitWithProgress(JobControl& job, QWidget* window);

}  // namespace kelvane
