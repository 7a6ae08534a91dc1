#include "desktop/linux/MprisProperties.h"

#include <QDBusObjectPath>
#include <QStringList>
#include <cmath>

namespace desktop::mpris {
namespace {

QVariantMap Metadata(const RemoteState& state) {
  if (!state.playable) {
    return {{"mpris:trackid", QVariant::fromValue(QDBusObjectPath(
                                  QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack")))}};
  }
  return {
      {"mpris:trackid", QVariant::fromValue(QDBusObjectPath(
                            QStringLiteral("/org/kalvio/piece/%1").arg(state.piece)))},
      {"mpris:length", QVariant::fromValue(static_cast<qlonglong>(state.lengthMs) * 1000)},
      {"xesam:title", QString::fromStdU16String(state.title)},
      {"xesam:trackNumber", QVariant::fromValue(static_cast<int>(state.piece))},
      {"xesam:album", QStringLiteral("Kalvio")},
  };
}

bool Is(const QVariant& value, QMetaType::Type type) {
  return value.typeId() == type;
}

// The player's writable properties: the values it takes. It plays at one rate, in order.
bool IsWritableValue(const QString& name, const QVariant& value) {
  if (name == QLatin1String("LoopStatus")) {
    return Is(value, QMetaType::QString) && RepeatOfLoopStatus(value.toString()).has_value();
  }
  if (name == QLatin1String("Volume")) {
    return Is(value, QMetaType::Double) && std::isfinite(value.toDouble());
  }
  if (name == QLatin1String("Rate")) {
    return Is(value, QMetaType::Double) && value.toDouble() == 1.0;
  }
  return Is(value, QMetaType::Bool) && !value.toBool();  // Shuffle
}

bool IsWritable(const QString& interface, const QString& name) {
  return interface == kPlayerInterface &&
         (name == QLatin1String("LoopStatus") || name == QLatin1String("Volume") ||
          name == QLatin1String("Rate") || name == QLatin1String("Shuffle"));
}

bool IsReadable(const QString& interface, const QString& name) {
  if (interface == kRootInterface) {
    return RootProperties().contains(name);
  }
  return interface == kPlayerInterface &&
         (name == QLatin1String("Position") || PlayerProperties(RemoteState{}).contains(name));
}

QString PlaybackStatus(const RemoteState& state) {
  if (!state.playable) {
    return QStringLiteral("Stopped");
  }
  return state.paused ? QStringLiteral("Paused") : QStringLiteral("Playing");
}

}  // namespace

QVariantMap RootProperties() {
  return {
      {"Identity", QStringLiteral("Kalvio")},
      {"DesktopEntry", QStringLiteral("kalvio")},
      {"CanQuit", true},
      {"CanRaise", true},
      {"HasTrackList", false},
      {"SupportedUriSchemes", QStringList()},
      {"SupportedMimeTypes", QStringList()},
  };
}

QVariantMap PlayerProperties(const RemoteState& state) {
  return {
      {"PlaybackStatus", PlaybackStatus(state)},
      // Kalvio goes on to the next piece, and from the last to the first, unless it repeats one.
      {"LoopStatus", state.repeat ? QStringLiteral("Track") : QStringLiteral("Playlist")},
      {"Rate", 1.0},
      {"MinimumRate", 1.0},
      {"MaximumRate", 1.0},
      {"Shuffle", false},
      {"Metadata", Metadata(state)},
      {"Volume", state.volume},
      {"CanGoNext", state.canNext},
      {"CanGoPrevious", state.canPrevious},
      {"CanPlay", state.canPlayPause},
      {"CanPause", state.canPlayPause},
      {"CanSeek", false},
      {"CanControl", true},
  };
}

QVariantMap ChangedProperties(const QVariantMap& before, const QVariantMap& after) {
  QVariantMap changed;
  for (auto entry = after.cbegin(); entry != after.cend(); ++entry) {
    const auto old = before.constFind(entry.key());
    if (old == before.cend() || old.value() != entry.value()) {
      changed.insert(entry.key(), entry.value());
    }
  }
  return changed;
}

std::optional<bool> RepeatOfLoopStatus(const QString& loopStatus) {
  if (loopStatus == QLatin1String("Track")) {
    return true;
  }
  if (loopStatus == QLatin1String("Playlist") || loopStatus == QLatin1String("None")) {
    return false;
  }
  return std::nullopt;
}

std::optional<SetRefusal> RefusalOfSet(const QString& interface, const QString& name,
                                       const QVariant& value) {
  if (IsWritable(interface, name)) {
    return IsWritableValue(name, value) ? std::nullopt : std::optional(SetRefusal::kInvalidValue);
  }
  return IsReadable(interface, name) ? SetRefusal::kReadOnly : SetRefusal::kUnknownProperty;
}

}  // namespace desktop::mpris
