#pragma once

#include "core/SessionState.h"

#include <QList>
#include <QString>

// The levels-and-classes text of one school year:
// "sixième<61,62>cinquième<51,52,53>": each level's name, "<", its classes
// separated by ",", and ">", with nothing between levels.
namespace NiveauxTexte {

constexpr int kLongueurNom = 10;
constexpr int kMaxNiveaux = 15;
constexpr int kMaxClasses = 20;

// The structure proposed when no school year was ever set up.
QString defaut();

// Reads the text from left to right: "<" closes a level's name, "," and ">"
// close a class name, ">" closes the level. The first character is always
// part of a name. Names are cut to 10 characters; levels past the 15th and
// classes past the 20th of a level are dropped, as is text that belongs to no
// level. An empty name between two separators stays an empty name.
QList<Niveau> parse(const QString &texte);

// The text of the levels, names cut to 10 characters.
QString format(const QList<Niveau> &niveaux);

} // namespace NiveauxTexte
