#pragma once

#include <QString>

// Paths are built in one place. Stored values may hold "\" separators written
// on Windows workstations; inside the program every path uses "/".
namespace Paths {

// "\" becomes "/"; a leading "\\server" becomes "//server".
QString fromStored(const QString &stored);
// Joins the parts with one "/" between them, whatever separators they carry.
QString join(const QString &a, const QString &b);
QString join(const QString &a, const QString &b, const QString &c);
// A relative path is taken from the base folder; an absolute one is kept.
QString absoluteFrom(const QString &base, const QString &path);
// True when the name can stand as one folder or file name inside a data
// folder: not empty, not "." or "..", no separator, no character or name
// that a Windows file system refuses.
bool isSafeComponent(const QString &name);
// The folder always ends with "/".
QString withTrailingSlash(const QString &folder);

} // namespace Paths
