#pragma once

#include <QString>

// Class membership of a pupil is a Windows shell link "<clé>.lnk" in the class
// folder whose target is his history file. Links are written byte for byte as
// the Windows shell writes them (header, then a LinkInfo block, no item ID
// list), so that Windows workstations sharing the folder can open them.
//
// Targets are stored with "\" separators:
//  - "C:/dir/file.txt" is stored as "C:\dir\file.txt" (VolumeID + LocalBasePath);
//  - "//server/share/dir/file.txt" or "\\server\share\dir\file.txt" is stored
//    as the network name "\\server\share" and the suffix "dir\file.txt"
//    (CommonNetworkRelativeLink);
//  - any other absolute path, a Linux "/a/b" for instance, is stored as it is
//    with its separators turned into "\" ("\a\b") as the local base path;
//  - a relative path is first made absolute from the current folder.
// Path text is written in Windows-1252 (the ANSI code page of French Windows);
// a character it lacks is written as "?".
namespace ShellLink {

bool write(const QString &linkPath, const QString &targetPath, QString *error = nullptr);

// True when the folder holds a file "<key>.lnk", whatever its content: links
// made by other tools or damaged ones still say that the pupil is a member.
bool isMember(const QString &folder, const QString &key);

// The target of a link, in the program's "/" form ("\a\b" gives "/a/b",
// "\\srv\share\x" gives "//srv/share/x"); empty when the file is not a link
// this reader understands.
QString readTarget(const QString &path);

} // namespace ShellLink
