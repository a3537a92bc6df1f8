#include "core/CsvText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace CsvText {

QString dixiemes(qint64 valeur)
{
    const QString signe = valeur < 0 ? QStringLiteral("-") : QString();
    const qint64 v = valeur < 0 ? -valeur : valeur;
    return signe + QString::number(v / 10) + u',' + QString::number(v % 10);
}

QString champ(const QString &texte)
{
    if (!texte.contains(u';') && !texte.contains(u'"') && !texte.contains(u'\n') && !texte.contains(u'\r'))
        return texte;
    QString t = texte;
    t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + t + u'"';
}

QByteArray document(const QList<QStringList> &lignes)
{
    QString texte;
    for (const QStringList &ligne : lignes) {
        QStringList champs;
        champs.reserve(ligne.size());
        for (const QString &c : ligne)
            champs.append(champ(c));
        texte += champs.join(u';') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + texte.toUtf8();
}

bool ecrit(const QString &chemin, const QList<QStringList> &lignes, QString *erreur)
{
    const QString affiche = QDir::toNativeSeparators(chemin);
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)) {
        if (erreur)
            *erreur = QStringLiteral("Impossible de créer le fichier ") + affiche + QStringLiteral(" (")
                      + fichier.errorString() + QStringLiteral(").");
        return false;
    }
    const QByteArray octets = document(lignes);
    if (fichier.write(octets) != octets.size() || !fichier.commit()) {
        if (erreur)
            *erreur = QStringLiteral("Impossible d'écrire le fichier ") + affiche + QStringLiteral(" (")
                      + fichier.errorString() + QStringLiteral(").");
        return false;
    }
    return true;
}

} // namespace CsvText
