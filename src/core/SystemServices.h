#pragma once

#include <QString>

// The few operating-system facilities that the core's rules need. The platform
// layer provides the real ones; tests give fakes.
class SystemServices
{
public:
    virtual ~SystemServices() = default;
    // The machine's network name, as the history files record it.
    virtual QString computerName() const = 0;
    // True when the share or folder can be reached (an existing directory counts).
    virtual bool isShareReachable(const QString &path) const = 0;
    // Sends a file to the desktop's recycle bin, silently; false when it could not.
    virtual bool moveToRecycleBin(const QString &path) = 0;
};
