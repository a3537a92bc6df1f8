#include "core/EstablishmentSetup.h"

#include "core/IniFile.h"
#include "core/NiveauxTexte.h"
#include "core/Paths.h"
#include "core/SessionInitializer.h"
#include "core/TextFile.h"

const QString EstablishmentSetup::kSection = QStringLiteral("Etablissement");
const QString EstablishmentSetup::kCleNom = QStringLiteral("Nom");

namespace {

// The box a message speaks of: "du niveau 2", "de la classe 3 du niveau 1".
QString boite(int niveau, int classe)
{
    if (niveau == 0)
        return QStringLiteral("de l'établissement");
    if (classe == 0)
        return QStringLiteral("du niveau %1").arg(niveau);
    return QStringLiteral("de la classe %1 du niveau %2").arg(classe).arg(niveau);
}

QString citation(const QString &texte)
{
    return QStringLiteral("« ") + texte + QStringLiteral(" »");
}

// Why a stored name would be unusable, as the end of a sentence; empty when
// it is fine. A name that becomes a folder must also be one that a Windows
// file system accepts, since the workstations share the data folder.
// dansTexte: the name is stored inside the level text ("<", "," and ">"
// separate its parts); the school's name is stored alone and needs only
// what a folder name needs.
QString defautDuNom(const QString &nom, bool dossier, bool dansTexte = true)
{
    if (nom.isEmpty())
        return QStringLiteral("est vide");
    // The first three would cut the level text apart when it is read back;
    // the others would lead outside the year's folder.
    static const QStringList separateurs{QStringLiteral("<"), QStringLiteral(","), QStringLiteral(">"),
                                         QStringLiteral("/"), QStringLiteral("\\"), QStringLiteral("..")};
    for (const QString &s : separateurs) {
        if (!dansTexte && (s == u"<" || s == u"," || s == u">"))
            continue;
        if (nom.contains(s))
            return QStringLiteral("contient %1, qui n'est pas permis").arg(citation(s));
    }
    for (const QChar c : nom) {
        if (c.unicode() < 0x20)
            return QStringLiteral("contient un caractère de contrôle, qui n'est pas permis");
    }
    if (!TextFile::fits1252(nom))
        return QStringLiteral("contient un caractère qui ne peut pas être enregistré");
    if (!dossier)
        return QString();
    for (const QChar c : QStringLiteral(":*?\"|")) {
        if (nom.contains(c))
            return QStringLiteral("contient %1, qui n'est pas permis dans un nom de dossier").arg(citation(c));
    }
    if (nom.endsWith(u'.'))
        return QStringLiteral("finit par un point, ce qui n'est pas permis dans un nom de dossier");
    if (!Paths::isSafeComponent(nom))
        return QStringLiteral("ne peut pas servir de nom de dossier");
    return QString();
}

EstablishmentSetup::Refus refus(int niveau, int classe, const QString &message)
{
    EstablishmentSetup::Refus r;
    r.message = message;
    r.niveau = niveau;
    r.classe = classe;
    return r;
}

// A name seen earlier in the check, with where it came from.
struct NomVu
{
    QString stocke;
    QString saisi;
    int niveau;
    int classe;
};

// "Le nom X est déjà celui de Y." or, when only the cut makes them equal,
// a sentence that says so.
QString messageDoublon(const NomVu &premier, const NomVu &second)
{
    const QString suite = QStringLiteral("Le nom ") + boite(second.niveau, second.classe);
    if (premier.saisi.compare(second.saisi, Qt::CaseInsensitive) == 0)
        return suite + QStringLiteral(" (%1) est déjà celui %2.")
                           .arg(citation(second.stocke), boite(premier.niveau, premier.classe));
    return suite + QStringLiteral(" (%1) devient %2 une fois réduit à %3 caractères, comme celui %4.")
                       .arg(citation(second.saisi), citation(second.stocke))
                       .arg(EstablishmentSetup::kLongueurNom)
                       .arg(boite(premier.niveau, premier.classe));
}

} // namespace

QString EstablishmentSetup::cle_niveaux(const QString &anneeScolaire)
{
    return QStringLiteral("Niveaux et classes ") + anneeScolaire;
}

EstablishmentSetup::Ouverture EstablishmentSetup::ouverture(const IniFile &ini, SessionState &state)
{
    if (state.nom_etablissement.isEmpty())
        state.nom_etablissement = SessionInitializer::kNomEtablissementDefaut;

    Ouverture o;
    o.nom = state.nom_etablissement;
    o.anneeTrouvee = SessionInitializer::annee_niveaux_recente(ini, state.annee_scolaire, 0, kAnneesEnArriere);
    o.niveaux = NiveauxTexte::parse(
        SessionInitializer::texte_niveaux_recent(ini, state.annee_scolaire, 0, kAnneesEnArriere));
    // Every level shows at least one class box.
    for (Niveau &niv : o.niveaux) {
        if (niv.classes.isEmpty())
            niv.classes.append(QString());
    }
    return o;
}

QString EstablishmentSetup::nom_stocke(const QString &saisi)
{
    return saisi.trimmed().left(kLongueurNom).trimmed();
}

QList<Niveau> EstablishmentSetup::coupe(const QList<Niveau> &niveaux)
{
    QList<Niveau> out;
    out.reserve(niveaux.size());
    for (const Niveau &niv : niveaux) {
        Niveau c;
        c.nom = nom_stocke(niv.nom);
        for (const QString &classe : niv.classes)
            c.classes.append(nom_stocke(classe));
        out.append(c);
    }
    return out;
}

EstablishmentSetup::Refus EstablishmentSetup::verifie(const QString &nom, const QList<Niveau> &saisis)
{
    const QString nomEcole = nom.trimmed();
    const QString defautEcole = defautDuNom(nomEcole, true, false);
    if (!defautEcole.isEmpty())
        return refus(0, 0, QStringLiteral("Le nom de l'établissement ") + defautEcole + u'.');

    if (saisis.isEmpty() || saisis.size() > kMaxNiveaux)
        return refus(1, 0, QStringLiteral("Le nombre de niveaux doit être compris entre 1 et %1.").arg(kMaxNiveaux));

    QList<NomVu> niveauxVus;
    QList<NomVu> classesVues;
    for (int i = 0; i < saisis.size(); ++i) {
        const Niveau &niv = saisis[i];
        const int niveau = i + 1;
        const NomVu vu{nom_stocke(niv.nom), niv.nom.trimmed(), niveau, 0};
        const QString defaut = defautDuNom(vu.stocke, false);
        if (!defaut.isEmpty())
            return refus(niveau, 0, QStringLiteral("Le nom ") + boite(niveau, 0) + u' ' + defaut + u'.');
        for (const NomVu &autre : niveauxVus) {
            if (autre.stocke.compare(vu.stocke, Qt::CaseInsensitive) == 0)
                return refus(niveau, 0, messageDoublon(autre, vu));
        }
        niveauxVus.append(vu);

        if (niv.classes.isEmpty() || niv.classes.size() > kMaxClasses)
            return refus(niveau, 0, QStringLiteral("Le nombre de classes du niveau %1 doit être compris entre 1 et %2.")
                                        .arg(niveau)
                                        .arg(kMaxClasses));
        for (int k = 0; k < niv.classes.size(); ++k) {
            const int classe = k + 1;
            const NomVu cv{nom_stocke(niv.classes[k]), niv.classes[k].trimmed(), niveau, classe};
            const QString defautClasse = defautDuNom(cv.stocke, true);
            if (!defautClasse.isEmpty())
                return refus(niveau, classe,
                             QStringLiteral("Le nom ") + boite(niveau, classe) + u' ' + defautClasse + u'.');
            // Every class has its folder in the same year folder, whatever
            // its level, and Windows folders ignore letter case.
            for (const NomVu &autre : classesVues) {
                if (autre.stocke.compare(cv.stocke, Qt::CaseInsensitive) == 0)
                    return refus(niveau, classe, messageDoublon(autre, cv));
            }
            classesVues.append(cv);
        }
    }
    return Refus();
}

QString EstablishmentSetup::texte_niveaux(const QList<Niveau> &saisis)
{
    return NiveauxTexte::format(coupe(saisis));
}

bool EstablishmentSetup::enregistre(IniFile &ini, SessionState &state, const QString &nom,
                                    const QList<Niveau> &saisis, Refus *refusOut)
{
    Refus r = verifie(nom, saisis);
    if (r.isEmpty() && state.annee_scolaire.isEmpty())
        r = refus(0, 0, QStringLiteral("L'année scolaire n'est pas connue : rien n'a été enregistré."));
    if (!r.isEmpty()) {
        if (refusOut)
            *refusOut = r;
        return false;
    }

    QString erreur;
    const bool ecrit = ini.writeString(kSection, kCleNom, nom.trimmed(), &erreur)
                       && ini.writeString(kSection, cle_niveaux(state.annee_scolaire), texte_niveaux(saisis), &erreur);
    if (!ecrit) {
        if (refusOut)
            *refusOut = refus(0, 0, QStringLiteral("Le fichier de configuration n'a pas pu être enregistré.\n") + erreur);
        return false;
    }
    state.niveaux = coupe(saisis);
    return true;
}
