#pragma once

#include "core/SystemServices.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

// The operating system as the tests want it: a fixed computer name, shares
// that answer when their folder exists (or only the listed ones), and a
// recycle bin that records what it was given.
class FakeSystem final : public SystemServices
{
public:
    explicit FakeSystem(QString computer = QStringLiteral("POSTE-TEST")) : name(std::move(computer)) {}

    QString computerName() const override { return name; }

    bool isShareReachable(const QString &path) const override
    {
        return onlyListedReachable ? reachable.contains(path) : QFileInfo(path).isDir();
    }

    bool moveToRecycleBin(const QString &path) override
    {
        if (!recycleRemoves)
            return false;
        recycled.append(path);
        return QFile::remove(path);
    }

    QString name;
    bool onlyListedReachable = false;
    QSet<QString> reachable;
    bool recycleRemoves = false;
    QStringList recycled;
};
