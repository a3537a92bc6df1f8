#pragma once

#include "core/SystemServices.h"

// The operating system's side of the core's needs, on a Linux desktop.
class PlatformServices final : public SystemServices
{
public:
    // The host name.
    QString computerName() const override;
    // An existing directory counts as reachable. A stored Windows share path
    // ("\\server\share") is reachable when it is mounted at the same path
    // ("//server/share", which the system reads as "/server/share").
    bool isShareReachable(const QString &path) const override;
    // The desktop's trash (the freedesktop layout under the user's data
    // folder: the file goes to "Trash/files", its origin and date to
    // "Trash/info/<name>.trashinfo"). False when the file cannot be moved
    // there, for instance from another file system.
    bool moveToRecycleBin(const QString &path) override;
};
