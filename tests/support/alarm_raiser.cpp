// A station for the test of a restart after a kill: in the folder given, it raises a leak alarm
// as a typed value does, says so, and waits to be killed.
#include "support/FakeWindows.h"
#include "support/TestEnvironment.h"
#include "entry/CalculationStep.h"
#include "handlers/StoreAndForward.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include <unistd.h>

int main(int argc, char* argv[]) {
  using namespace kelvane;
  QCoreApplication app(argc, argv);
  if (argc != 2) return 2;
  testing::TestEnvironment test;
  test.env.logFilePath = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("Logfile.txt"));
  ProgramState state;
  state.Limits = LeakLimits{3, -3, LimitForm::LogRatio, {}, {}};
  testing::FakeMainWindow window;
  StoreAndForward store(test.env, window);
  Worker reader;
  EnteredValues entered;
  Program program{state, test.env, window, entered, store, reader};
  window.entry = QStringLiteral("5");
  btnCalculation_Click(program);
  std::puts(window.banner.text.isEmpty() ? "not raised" : "raised");
  std::fflush(stdout);
  for (;;) ::pause();
}
