#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

#include "platform/SingleInstance.h"

namespace platform {
namespace {

// The one request a later start sends; anything else is dropped.
const QByteArray kActivateRequest = "activate\n";
constexpr int kTimeoutMs = 2000;

// The lock is a QLockFile in the user's runtime directory ($XDG_RUNTIME_DIR: one per logon,
// private to the user). The hand-over goes through a local socket beside it.
class LinuxSingleInstance final : public SingleInstance {
 public:
  bool Acquire(const std::u16string& name) override {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/' +
                         QString::fromStdU16String(name);
    FSocketPath = base + ".socket";
    FLock = std::make_unique<QLockFile>(base + ".lock");
    // Never by age: an instance may run for weeks. A dead owner is detected by its process id.
    FLock->setStaleLockTime(0);
    return FLock->tryLock(0) || FLock->error() != QLockFile::LockFailedError;
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
  std::unique_ptr<QLockFile> FLock;
  std::unique_ptr<QLocalServer> FServer;
  std::function<void()> FActivate;
};

}  // namespace

SingleInstance& SystemSingleInstance() {
  static LinuxSingleInstance instance;
  return instance;
}

}  // namespace platform
