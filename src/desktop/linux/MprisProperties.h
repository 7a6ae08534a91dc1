#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

#include "player/RemoteControl.h"

namespace desktop::mpris {

inline const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
inline const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

// The properties of org.mpris.MediaPlayer2.
QVariantMap RootProperties();
// The properties of org.mpris.MediaPlayer2.Player that changes are signalled for: all but
// Position, which is read from the device on request.
QVariantMap PlayerProperties(const RemoteState& state);
// The entries of `after` that are new or differ from `before`.
QVariantMap ChangedProperties(const QVariantMap& before, const QVariantMap& after);

// LoopStatus as written by a client: true for "Track", false for "Playlist" and "None", empty for
// anything else.
std::optional<bool> RepeatOfLoopStatus(const QString& loopStatus);

// Why a client's Set of a property is refused.
enum class SetRefusal {
  kUnknownProperty,  // no such property on that interface
  kReadOnly,
  kInvalidValue,  // of another type than the property's, or a value the player cannot take
};
// Empty when the value may be written.
std::optional<SetRefusal> RefusalOfSet(const QString& interface, const QString& name,
                                       const QVariant& value);

}  // namespace desktop::mpris
