#include "core/NiveauxTexte.h"

namespace NiveauxTexte {

QString defaut()
{
    return QStringLiteral("sixième<61,62>cinquième<51,52,53>quatrième<41,42,43>troisième<31,32>");
}

QList<Niveau> parse(const QString &texte)
{
    QList<Niveau> niveaux;
    bool inLevel = false;       // a "<" opened a level that ">" has not closed
    bool levelKept = false;     // that level fits within the 15 kept
    QString current;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        const bool separator = i > 0 && (c == u'<' || c == u',' || c == u'>');
        if (!separator) {
            current += c;
            continue;
        }
        if (c == u'<') {
            inLevel = true;
            levelKept = niveaux.size() < kMaxNiveaux;
            if (levelKept)
                niveaux.append(Niveau{current.left(kLongueurNom), {}});
        } else {
            if (inLevel && levelKept && niveaux.last().classes.size() < kMaxClasses)
                niveaux.last().classes.append(current.left(kLongueurNom));
            if (c == u'>')
                inLevel = false;
        }
        current.clear();
    }
    return niveaux;
}

QString format(const QList<Niveau> &niveaux)
{
    QString texte;
    for (const Niveau &niveau : niveaux) {
        texte += niveau.nom.left(kLongueurNom) + u'<';
        for (qsizetype k = 0; k < niveau.classes.size(); ++k) {
            if (k > 0)
                texte += u',';
            texte += niveau.classes[k].left(kLongueurNom);
        }
        texte += u'>';
    }
    return texte;
}

} // namespace NiveauxTexte
