#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Tables written for a spreadsheet: fields separated by ";", a field quoted
// when it holds ";", a quote or a line break, CR LF between rows, UTF-8 with
// a byte-order mark so that a French spreadsheet reads the accents.
namespace CsvText {

// "12,5" for 125 tenths; "-0,5" for -5.
QString dixiemes(qint64 valeur);
QString champ(const QString &texte);
QByteArray document(const QList<QStringList> &lignes);
// Written aside and then over the file. False with a French error text.
bool ecrit(const QString &chemin, const QList<QStringList> &lignes, QString *erreur);

} // namespace CsvText
