#include "desktop/linux/MprisProperties.h"

#include <QDBusObjectPath>
#include <QStringList>

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

}  // namespace desktop::mpris
