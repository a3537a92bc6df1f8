#pragma once

#include <QString>
#include <QStringList>

// The "Tabulon.ini" written at the very first start, so that a fresh
// installation runs at home with sensible settings instead of reading the
// damaged-file marker for every key.
namespace DefaultConfiguration {

// Every section and key the program reads, in home mode.
QStringList lignes();

// Writes the default file when no file exists at the path. True when the
// file is there afterwards; *ecrit tells whether it was written now. False
// with a French error text when it could not be written.
bool ecrit_si_absent(const QString &cheminIni, bool *ecrit = nullptr, QString *erreur = nullptr);

} // namespace DefaultConfiguration
