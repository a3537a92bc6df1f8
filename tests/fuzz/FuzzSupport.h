#pragma once

#include "core/TextFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: the input as the stored text it stands for,
// a private folder to lay it down as a file, and a check that stops the run
// (libFuzzer keeps the input) when a property of the parser does not hold.
namespace Fuzz {

inline QByteArray octets(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

inline QString texte(const uint8_t *data, size_t size)
{
    return TextFile::decode1252(octets(data, size));
}

// The path of a file holding the input, in a folder of this process.
inline QString fichier(const QString &nom, const QByteArray &contenu)
{
    // A plain write: the program's own atomic save syncs to disk, which would
    // cut the number of inputs tried a hundredfold.
    static QTemporaryDir dossier;
    const QString chemin = dossier.filePath(nom);
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenu) != contenu.size())
        std::abort();
    return chemin;
}

inline void verifie(bool condition, const char *quoi)
{
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", quoi);
        std::abort();
    }
}

} // namespace Fuzz
