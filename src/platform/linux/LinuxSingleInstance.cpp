#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <cerrno>
#include <memory>

#include "platform/SingleInstance.h"

namespace platform {
namespace {

// The one request a later start sends; anything else is dropped.
const QByteArray kActivateRequest = "activate\n";
constexpr int kTimeoutMs = 2000;

// The lock is an flock on a file in the user's runtime directory ($XDG_RUNTIME_DIR: one per
// logon, private to the user). The hand-over goes through a local socket beside it.
class LinuxSingleInstance final : public SingleInstance {
 public:
  bool Acquire(const std::u16string& name) override {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/' +
                         QString::fromStdU16String(name);
    FSocketPath = base + ".socket";
    // The kernel holds the lock for the life of the process and drops it however the process
    // ends: a file left by a dead instance locks nothing.
    FLockFile =
        ::open(QFile::encodeName(base + ".lock").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (FLockFile < 0) {
      return true;
    }
    return ::flock(FLockFile, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
  }

  void AcceptHandOver(std::function<void()> activate) override {
    FActivate = std::move(activate);
    FServer = std::make_unique<QLocalServer>();
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(FSocketPath);  // left by a dead instance: we hold the lock
    FServer->listen(FSocketPath);
    QObject::connect(FServer.get(), &QLocalServer::newConnection, [this] {
      while (QLocalSocket* connection = FServer->nextPendingConnection()) {
        Serve(connection);
      }
    });
  }

  void HandOver(const std::u16string& /*windowClass*/,
                const std::u16string& /*windowTitle*/) override {
    QLocalSocket socket;
    socket.connectToServer(FSocketPath);
    if (!socket.waitForConnected(kTimeoutMs)) {
      return;
    }
    socket.write(kActivateRequest);
    socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
  }

 private:
  // Reads one fixed request with a deadline; a peer that sends anything else is cut off.
  void Serve(QLocalSocket* connection) {
    QObject::connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
    QTimer::singleShot(kTimeoutMs, connection, [connection] { connection->abort(); });
    QObject::connect(connection, &QLocalSocket::readyRead, connection, [this, connection] {
      const QByteArray received = connection->peek(kActivateRequest.size() + 1);
      if (!kActivateRequest.startsWith(received) || received.size() > kActivateRequest.size()) {
        connection->abort();
      } else if (received == kActivateRequest) {
        connection->readAll();
        connection->disconnectFromServer();
        FActivate();
      }
    });
  }

  QString FSocketPath;
  int FLockFile = -1;  // open, and so locked, until the process ends
  std::unique_ptr<QLocalServer> FServer;
  std::function<void()> FActivate;
};

}  // namespace

SingleInstance& SystemSingleInstance() {
  static LinuxSingleInstance instance;
  return instance;
}

}  // namespace platform
