#pragma once

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <QVariantList>

#include <libpq-fe.h>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kelvane::testing {

// A PostgreSQL 15 server of the test's own in a temporary folder, stopped and removed when destroyed.
// Stations reach it over TCP on 127.0.0.1 as a user with a password; run() and rows() reach it
// as the superuser through its socket, with no password.
class PostgresServer {
 public:
  // The user of every address createDatabase returns. The password needs percent-encoding in
  // an address, so that every address also tests the decoding.
  static constexpr const char* kUser = "station";
  static constexpr const char* kPassword = "Kv:p@ss/w%rd";

  PostgresServer() {
    if (!folder_.isValid()) {
      error_ = QStringLiteral("no temporary folder");
      return;
    }
    // A root test hands the folder to postgres, as the server refuses to run as root.
    if (::geteuid() == 0) {
      const passwd* postgres = ::getpwnam("postgres");
      if (!postgres || ::chown(qPrintable(folder_.path()), postgres->pw_uid, postgres->pw_gid) != 0) {
        error_ = QStringLiteral("cannot hand the folder to user postgres");
        return;
      }
      runAsPostgres_ = true;
    }
    const QString passwordFile = folder_.filePath(QStringLiteral("superuser-password"));
    if (!writeOwnedFile(passwordFile, "superuser\n")) return;
    if (!runTool(QStringLiteral("initdb"),
                 {QStringLiteral("-D"), dataFolder(), QStringLiteral("-U"), QStringLiteral("postgres"),
                  QStringLiteral("--pwfile=") + passwordFile, QStringLiteral("--auth-local=trust"),
                  // md5, not scram: every press opens a connection, and scram costs a third more.
                  QStringLiteral("--auth-host=md5"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                  QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")}))
      return;
    // A port found free may be taken again before the server binds it: try a few.
    for (int attempt = 0; attempt < 5 && !running_; ++attempt) {
      port_ = freePort();
      running_ = port_ > 0 && start();
    }
    if (!running_) return;
    error_.clear();
    run(QStringLiteral("postgres"), QStringLiteral("SET password_encryption = 'md5'; CREATE ROLE %1 LOGIN PASSWORD '%2'")
                                        .arg(QLatin1String(kUser), QLatin1String(kPassword)));
  }

  ~PostgresServer() { stop(); }

  // Starts the server on its port, again after stop().
  bool start() {
    const QString options = QStringLiteral("-c listen_addresses=127.0.0.1 -p %1 -k %2 -c fsync=off -c full_page_writes=off "
                                           "-c synchronous_commit=off -c max_connections=200").arg(port_).arg(folder_.path());
    return running_ = runTool(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataFolder(), QStringLiteral("-l"), logFile(),
                                                         QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60"),
                                                         QStringLiteral("-o"), options, QStringLiteral("start")});
  }
  // Stops it as a restart would; the connections of run() and rows() go with it.
  void stop() {
    for (PGconn* connection : std::as_const(connections_)) PQfinish(connection);
    connections_.clear();
    if (std::exchange(running_, false))
      runTool(QStringLiteral("pg_ctl"),
              {QStringLiteral("-D"), dataFolder(), QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
               QStringLiteral("stop")});
  }

  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;

  bool isRunning() const { return running_; }
  QString errorText() const { return error_; }
  int port() const { return port_; }

  // A fresh empty database on the server; returns its postgresql:// URI (with user and password).
  // The URI's user owns it, and may also read and write tables that run() creates in it.
  QString createDatabase(const QString& name) {
    run(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE \"%1\" OWNER %2").arg(name, QLatin1String(kUser)));
    run(name, QStringLiteral("ALTER DEFAULT PRIVILEGES FOR ROLE postgres IN SCHEMA public "
                             "GRANT SELECT, INSERT, UPDATE, DELETE ON TABLES TO %1")
                  .arg(QLatin1String(kUser)));
    QUrl uri;
    uri.setScheme(QStringLiteral("postgresql"));
    uri.setUserName(QLatin1String(kUser));
    uri.setPassword(QLatin1String(kPassword));
    uri.setHost(QStringLiteral("127.0.0.1"));
    uri.setPort(port_);
    uri.setPath(QLatin1Char('/') + name);
    return uri.toString(QUrl::FullyEncoded);
  }

  // Writes a connection file (.kvconn) holding the URI into folder; returns its path.
  static QString writeConnectionFile(const QString& folder, const QString& uri,
                                     const QString& fileName = QStringLiteral("station.kvconn")) {
    const QString path = QDir(folder).filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
    file.write("# The measurement database this station shares\n" + uri.toUtf8() + '\n');
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);  // it holds the password
    return path;
  }

  // Runs SQL on a database of this server as its superuser, past the program's layer (qFatal on failure).
  // One connection a database stays open, so a transaction begun here lasts until it is ended here.
  void run(const QString& databaseName, const QString& sql) { PQclear(execute(databaseName, sql)); }

  QList<QVariantList> rows(const QString& databaseName, const QString& sql) {
    PGresult* result = execute(databaseName, sql);
    QList<QVariantList> rows;
    for (int row = 0; row < PQntuples(result); ++row) {
      QVariantList values;
      for (int column = 0; column < PQnfields(result); ++column) values.append(valueOf(result, row, column));
      rows.append(values);
    }
    PQclear(result);
    return rows;
  }

  // Sends the signal to every process of the server: SIGSTOP makes a server that has gone silent,
  // SIGCONT lets it go on.
  void signalAll(int signal) {
    QFile pidFile(dataFolder() + QStringLiteral("/postmaster.pid"));
    if (!pidFile.open(QIODevice::ReadOnly)) qFatal("no postmaster.pid");
    const pid_t postmaster = pid_t(pidFile.readLine().trimmed().toInt());
    ::kill(postmaster, signal);
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
      QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
      if (!stat.open(QIODevice::ReadOnly)) continue;
      // pid (name) state ppid ...: the name may hold blanks, so the fields after it count.
      const QByteArray line = stat.readAll();
      const QList<QByteArray> after = line.mid(line.lastIndexOf(')') + 2).split(' ');
      if (after.size() > 1 && after[1].toInt() == postmaster) ::kill(pid_t(entry.toInt()), signal);
    }
  }

  // Ends the superuser's connection to a database, as DROP DATABASE needs.
  void disconnect(const QString& databaseName) {
    if (PGconn* connection = connections_.take(databaseName)) PQfinish(connection);
  }

 private:
  QString dataFolder() const { return folder_.filePath(QStringLiteral("data")); }
  QString logFile() const { return folder_.filePath(QStringLiteral("server.log")); }

  bool writeOwnedFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
      error_ = QStringLiteral("cannot write %1").arg(path);
      return false;
    }
    file.close();
    const passwd* postgres = runAsPostgres_ ? ::getpwnam("postgres") : nullptr;
    if (postgres && ::chown(qPrintable(path), postgres->pw_uid, postgres->pw_gid) != 0) {
      error_ = QStringLiteral("cannot hand %1 to user postgres").arg(path);
      return false;
    }
    return true;
  }

  bool runTool(const QString& tool, const QStringList& arguments) {
    const QString binary = QStringLiteral("/usr/lib/postgresql/15/bin/") + tool;
    QProcess process;
    if (runAsPostgres_)
      process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                                           QStringLiteral("--"), binary} + arguments);
    else
      process.start(binary, arguments);
    if (!process.waitForFinished(90000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
      QFile log(logFile());
      error_ = QStringLiteral("%1 failed: %2 %3 %4")
                   .arg(tool, process.errorString(), QString::fromLocal8Bit(process.readAllStandardError()),
                        log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll().right(2000)) : QString());
      return false;
    }
    return true;
  }

  static int freePort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
      port = ntohs(address.sin_port);
    ::close(probe);
    return port;
  }

  PGconn* connection(const QString& databaseName) {
    if (PGconn* open = connections_.value(databaseName)) return open;
    const QByteArray info = QStringLiteral("host='%1' port=%2 user=postgres dbname='%3'")
                                .arg(folder_.path())
                                .arg(port_)
                                .arg(databaseName)
                                .toUtf8();
    PGconn* made = PQconnectdb(info.constData());
    if (PQstatus(made) != CONNECTION_OK) qFatal("cannot reach database %s: %s", qPrintable(databaseName), PQerrorMessage(made));
    PQsetNoticeProcessor(made, [](void*, const char*) {}, nullptr);
    connections_.insert(databaseName, made);
    return made;
  }

  PGresult* execute(const QString& databaseName, const QString& sql) {
    PGconn* to = connection(databaseName);
    PGresult* result = PQexec(to, sql.toUtf8().constData());
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
      qFatal("%s failed: %s", qPrintable(sql), PQresultErrorMessage(result));
    return result;
  }

  // The values as QPSQL would give them: numbers as numbers, everything else as text.
  static QVariant valueOf(const PGresult* result, int row, int column) {
    if (PQgetisnull(result, row, column)) return {};
    const QString text = QString::fromUtf8(PQgetvalue(result, row, column));
    switch (PQftype(result, column)) {
      case 16: return text == QLatin1String("t");             // bool
      case 20: case 21: case 23: return text.toLongLong();    // int8, int2, int4
      case 700: case 701: case 1700: return text.toDouble();  // float4, float8, numeric
      default: return text;
    }
  }

  QTemporaryDir folder_;
  bool runAsPostgres_ = false;
  int port_ = 0;
  bool running_ = false;
  QString error_;
  QHash<QString, PGconn*> connections_;
};

}  // namespace kelvane::testing
