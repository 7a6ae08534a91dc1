#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QTimer>
#include <utility>

#include "desktop/MediaControls.h"
#include "desktop/linux/MprisProperties.h"

namespace desktop {
namespace {

using mpris::kPlayerInterface;
using mpris::kRootInterface;

const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.kalvio");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// What introspection shows of the object; Qt adds the standard interfaces.
const QString kInterfacesXml = QStringLiteral(R"(
  <interface name="org.mpris.MediaPlayer2">
    <method name="Raise"/>
    <method name="Quit"/>
    <property name="CanQuit" type="b" access="read"/>
    <property name="CanRaise" type="b" access="read"/>
    <property name="HasTrackList" type="b" access="read"/>
    <property name="Identity" type="s" access="read"/>
    <property name="DesktopEntry" type="s" access="read"/>
    <property name="SupportedUriSchemes" type="as" access="read"/>
    <property name="SupportedMimeTypes" type="as" access="read"/>
  </interface>
  <interface name="org.mpris.MediaPlayer2.Player">
    <method name="Next"/>
    <method name="Previous"/>
    <method name="Pause"/>
    <method name="PlayPause"/>
    <method name="Stop"/>
    <method name="Play"/>
    <method name="Seek"><arg name="Offset" type="x" direction="in"/></method>
    <method name="SetPosition">
      <arg name="TrackId" type="o" direction="in"/>
      <arg name="Position" type="x" direction="in"/>
    </method>
    <method name="OpenUri"><arg name="Uri" type="s" direction="in"/></method>
    <signal name="Seeked"><arg name="Position" type="x"/></signal>
    <property name="PlaybackStatus" type="s" access="read"/>
    <property name="LoopStatus" type="s" access="readwrite"/>
    <property name="Rate" type="d" access="readwrite"/>
    <property name="Shuffle" type="b" access="readwrite"/>
    <property name="Metadata" type="a{sv}" access="read"/>
    <property name="Volume" type="d" access="readwrite"/>
    <property name="Position" type="x" access="read"/>
    <property name="MinimumRate" type="d" access="read"/>
    <property name="MaximumRate" type="d" access="read"/>
    <property name="CanGoNext" type="b" access="read"/>
    <property name="CanGoPrevious" type="b" access="read"/>
    <property name="CanPlay" type="b" access="read"/>
    <property name="CanPause" type="b" access="read"/>
    <property name="CanSeek" type="b" access="read"/>
    <property name="CanControl" type="b" access="read"/>
  </interface>
)");

// MPRIS 2.2 on the session bus. Calls arrive on the UI thread; each command goes through the
// player's RemoteControl, so the window's rules hold for it.
class MprisService final : public QDBusVirtualObject, public MediaControls {
 public:
  MprisService(QDBusConnection bus, RemoteControl& remote, std::function<void()> raise)
      : FBus(std::move(bus)),
        FRemote(remote),
        FRaise(std::move(raise)),
        FSent(mpris::PlayerProperties(remote.State())) {}

  ~MprisService() override {
    FRemote.SetOnChange({});
    if (FRegistered) {
      FBus.unregisterService(kServiceName);
      FBus.unregisterObject(kObjectPath);
    }
  }

  // False when the bus refuses the object or another program holds the name.
  bool Register() {
    if (!FBus.registerVirtualObject(kObjectPath, this)) {
      return false;
    }
    if (!FBus.registerService(kServiceName)) {
      FBus.unregisterObject(kObjectPath);
      return false;
    }
    FRegistered = true;
    FRemote.SetOnChange([this] { ScheduleChangeSignal(); });
    return true;
  }

  QString introspect(const QString& /*path*/) const override { return kInterfacesXml; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& /*connection*/) override {
    if (message.type() != QDBusMessage::MethodCallMessage) {
      return false;
    }
    const QString& interface = message.interface();
    if (interface == kPropertiesInterface) {
      CallProperties(message);
      return true;
    }
    if (interface.isEmpty() || interface == kRootInterface || interface == kPlayerInterface) {
      Call(message);
      return true;
    }
    return false;
  }

 private:
  void Call(const QDBusMessage& message) {
    const QString& member = message.member();
    std::function<void()> command;
    if (member == QLatin1String("Next")) {
      command = [this] { FRemote.Next(); };
    } else if (member == QLatin1String("Previous")) {
      command = [this] { FRemote.Previous(); };
    } else if (member == QLatin1String("PlayPause")) {
      command = [this] { FRemote.PlayPause(); };
    } else if (member == QLatin1String("Play")) {
      command = [this] { FRemote.Play(); };
    } else if (member == QLatin1String("Pause") || member == QLatin1String("Stop")) {
      command = [this] { FRemote.Pause(); };
    } else if (member == QLatin1String("Raise")) {
      command = FRaise;
    } else if (member == QLatin1String("Quit")) {
      // After the reply has gone: the exit ends the event loop.
      command = [this] { QTimer::singleShot(0, this, [this] { FRemote.Quit(); }); };
    } else if (member != QLatin1String("Seek") && member != QLatin1String("SetPosition") &&
               member != QLatin1String("OpenUri")) {
      SendUnknownMethod(message);
      return;
    }
    // Seeking and opening are not offered: those calls do nothing.
    FBus.send(message.createReply());
    if (command) {
      command();
    }
  }

  void SendUnknownMethod(const QDBusMessage& message) {
    FBus.send(message.createErrorReply(QDBusError::UnknownMethod,
                                       QStringLiteral("No such method: ") + message.member()));
  }

  void CallProperties(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    const QString interface = arguments.value(0).toString();
    const QString& member = message.member();
    if (member == QLatin1String("GetAll")) {
      FBus.send(message.createReply(QVariant::fromValue(PropertiesOf(interface))));
    } else if (member == QLatin1String("Get")) {
      const QVariantMap properties = PropertiesOf(interface);
      const auto property = properties.constFind(arguments.value(1).toString());
      if (property == properties.cend()) {
        FBus.send(message.createErrorReply(QDBusError::UnknownProperty,
                                           QStringLiteral("No such property")));
      } else {
        FBus.send(message.createReply(QVariant::fromValue(QDBusVariant(property.value()))));
      }
    } else if (member == QLatin1String("Set")) {
      const QString name = arguments.value(1).toString();
      const QVariant value = arguments.value(2).value<QDBusVariant>().variant();
      if (const auto refusal = mpris::RefusalOfSet(interface, name, value)) {
        SendRefusal(message, *refusal, name);
        return;
      }
      FBus.send(message.createReply());
      SetProperty(name, value);
    } else {
      SendUnknownMethod(message);
    }
  }

  QVariantMap PropertiesOf(const QString& interface) const {
    if (interface == kRootInterface) {
      return mpris::RootProperties();
    }
    if (interface == kPlayerInterface) {
      QVariantMap properties = mpris::PlayerProperties(FRemote.State());
      properties.insert(QStringLiteral("Position"),
                        QVariant::fromValue(static_cast<qlonglong>(FRemote.PositionMs()) * 1000));
      return properties;
    }
    return {};
  }

  void SendRefusal(const QDBusMessage& message, mpris::SetRefusal refusal, const QString& name) {
    switch (refusal) {
      case mpris::SetRefusal::kUnknownProperty:
        FBus.send(message.createErrorReply(QDBusError::UnknownProperty,
                                           QStringLiteral("No such property: ") + name));
        break;
      case mpris::SetRefusal::kReadOnly:
        FBus.send(message.createErrorReply(QDBusError::PropertyReadOnly,
                                           QStringLiteral("Read-only property: ") + name));
        break;
      case mpris::SetRefusal::kInvalidValue:
        FBus.send(message.createErrorReply(QDBusError::InvalidArgs,
                                           QStringLiteral("Value not accepted for ") + name));
        break;
    }
  }

  // A value checked by RefusalOfSet. Rate and Shuffle take one value each: it changes nothing.
  void SetProperty(const QString& name, const QVariant& value) {
    if (name == QLatin1String("LoopStatus")) {
      FRemote.SetRepeat(*mpris::RepeatOfLoopStatus(value.toString()));
    } else if (name == QLatin1String("Volume")) {
      FRemote.SetVolume(value.toDouble());
    }
  }

  // Changes come from inside the window's handlers; the signal goes out from the event loop,
  // once for all the changes of one handler.
  void ScheduleChangeSignal() {
    if (FSignalScheduled) {
      return;
    }
    FSignalScheduled = true;
    QTimer::singleShot(0, this, [this] { SendChangeSignal(); });
  }

  void SendChangeSignal() {
    FSignalScheduled = false;
    const QVariantMap now = mpris::PlayerProperties(FRemote.State());
    const QVariantMap changed = mpris::ChangedProperties(FSent, now);
    FSent = now;
    if (changed.isEmpty()) {
      return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, kPropertiesInterface,
                                                     QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    FBus.send(signal);
  }

  QDBusConnection FBus;
  RemoteControl& FRemote;
  std::function<void()> FRaise;
  QVariantMap FSent;  // the player's properties as last signalled
  bool FRegistered = false;
  bool FSignalScheduled = false;
};

}  // namespace

std::unique_ptr<MediaControls> ConnectMediaControls(RemoteControl& remote,
                                                    toolkit::TForm& /*window*/,
                                                    std::function<void()> raise) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    return nullptr;
  }
  auto service = std::make_unique<MprisService>(bus, remote, std::move(raise));
  if (!service->Register()) {
    return nullptr;
  }
  return service;
}

}  // namespace desktop
