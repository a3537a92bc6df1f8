#pragma once

#include <QString>

// The sections of "Tabulon.ini" that the start-up reads and the teacher's
// screens write: one spelling for both sides.
namespace IniSection {
inline const QString General = QStringLiteral("General");
inline const QString Dossiers = QStringLiteral("Dossiers");
inline const QString Parametres = QStringLiteral("Paramètres");
inline const QString Options = QStringLiteral("Options d'apprentissage");
inline const QString Blocs = QStringLiteral("Apprentissage par blocs");
inline const QString Codes = QStringLiteral("Codes");
inline const QString Perfectionnement = QStringLiteral("perfectionnement");
inline const QString Apparence = QStringLiteral("Apparence");
} // namespace IniSection
