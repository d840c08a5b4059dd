// kelvane-db: makes, fills and checks the program's measurement databases from the command line.
// `kelvane-db --help` lists the subcommands and exit codes.
#include "CommandLine.h"
#include "Commands.h"
#include "Failure.h"
#include "state/RuntimeError.h"

#include <QCoreApplication>
#include <QTextStream>

#include <optional>

using namespace kelvane::db;

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("kelvane-db"));
  QTextStream err(stderr);
  std::optional<Target> target;
  try {
    const Command command = parseCommandLine(app.arguments());
    if (command.kind == Command::Help) {
      QTextStream(stdout) << usageText();
      return Exit::Ok;
    }
    target.emplace(command.target);
    switch (command.kind) {
      case Command::Create: return create(*target);
      case Command::Collect:
        return command.modbus ? collectFromModbus(*target, command.collect, *command.modbus) : collect(*target, command.collect);
      case Command::Check: return check(*target);
      case Command::Index: return addIndex(*target);
      case Command::Help: break;
    }
    return Exit::Ok;
  } catch (const Failure& failure) {
    err << "kelvane-db: " << failure.message << '\n';
    if (failure.code == Exit::Usage) err << "Try 'kelvane-db --help'.\n";
    return failure.code;
  } catch (const kelvane::RuntimeError& error) {
    err << "kelvane-db: " << error.source() << ": " << error.description() << '\n';
    return Exit::WriteFailed;
  }
}
