#include <QDBusConnection>
#include <QDBusMessage>

#include "platform/Shutdown.h"

namespace platform {
namespace {

// logind powers the machine off, asking the user for authorisation where policy wants it.
class LogindShutdown final : public Shutdown {
 public:
  void RequestShutdown() override {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << true;  // interactive
    call.setInteractiveAuthorizationAllowed(true);
    QDBusConnection::systemBus().send(call);
  }
};

}  // namespace

Shutdown& SystemShutdown() {
  static LogindShutdown shutdown;
  return shutdown;
}

}  // namespace platform
