#include "core/Identification.h"

#include "core/HistoryMerge.h"
#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/PupilHistory.h"
#include "core/PupilKey.h"
#include "core/SessionState.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <numeric>

namespace {

// Names sorted as a French reader looks for them: accents and letter case
// do not move a name away from its plain spelling.
void trie(QStringList &noms)
{
    std::stable_sort(noms.begin(), noms.end(), [](const QString &a, const QString &b) {
        const int c = PupilKey::foldAccents(a).compare(PupilKey::foldAccents(b));
        return c != 0 ? c < 0 : a < b;
    });
}

QStringList cles(const QStringList &fichiers)
{
    QStringList result;
    result.reserve(fichiers.size());
    for (const QString &f : fichiers)
        result.append(PupilKey::keyOfFile(f));
    return result;
}

// Past this many spaces a key would stop being a sane file name; a clash that
// long is not possible with a handful of pupils.
constexpr int kEspacesMax = 64;

} // namespace

Identification::Identification(SessionState &state)
    : m_state(state)
{
}

void Identification::initialisation()
{
    EleveState &e = m_state.eleve;
    e.nom.clear();
    e.prenom.clear();
    e.cle_eleve.clear();
    e.classe.clear();
    e.niveau.clear();
    e.dossier_eleve.clear();
    e.dossier_classe.clear();
    e.fichier_eleve.clear();
    e.code_eleve.clear();
    m_liste.clear();
    if (m_state.mode_ecole) {
        m_etape = Etape::ChoixClasse;
        return;
    }
    e.dossier_eleve = m_state.dossier_eleves;
    PupilFolders::listFiles(e.dossier_eleve, QStringLiteral("*.txt"), &m_liste);
    trie(m_liste);
    choisitEtapeSuivante();
}

void Identification::choisitEtapeSuivante()
{
    if (m_liste.isEmpty())
        m_etape = Etape::Inscription;
    else if (m_state.identification_par_code)
        m_etape = Etape::SaisieCode;
    else
        m_etape = Etape::ChoixNom;
}

bool Identification::choisit_classe(const QString &classe)
{
    QString niveau;
    bool trouvee = false;
    for (const Niveau &n : m_state.niveaux) {
        if (n.classes.contains(classe)) {
            niveau = n.nom;
            trouvee = true;
            break;
        }
    }
    if (!trouvee || classe.isEmpty())
        return false;
    EleveState &e = m_state.eleve;
    e.dossier_eleve = m_state.dossier_etablissement;
    e.classe = classe;
    e.niveau = niveau;
    e.dossier_classe = PupilFolders::classFolder(m_state.dossier_annee, classe);
    m_liste.clear();
    PupilFolders::listFiles(e.dossier_classe, QStringLiteral("*.lnk"), &m_liste);
    trie(m_liste);
    choisitEtapeSuivante();
    return true;
}

void Identification::choisit_aucune()
{
    EleveState &e = m_state.eleve;
    e.dossier_eleve = PupilFolders::outOfClassFolder(m_state.dossier_etablissement);
    e.classe.clear();
    e.niveau.clear();
    e.dossier_classe.clear();
    m_liste.clear();
    PupilFolders::listFiles(e.dossier_eleve, QStringLiteral("*.txt"), &m_liste);
    trie(m_liste);
    choisitEtapeSuivante();
}

QString Identification::textePanelClasse() const
{
    const QString classe = m_state.eleve.classe.isEmpty() ? kAucune : m_state.eleve.classe;
    return QStringLiteral(" Classe: ") + classe + u' ';
}

QStringList Identification::nomsAffiches() const
{
    QStringList noms;
    noms.reserve(m_liste.size());
    for (const QString &f : m_liste)
        noms.append(PupilKey::displayName(PupilKey::keyOfFile(f)));
    return noms;
}

QList<QStringList> Identification::colonnes(const QStringList &noms)
{
    QList<QStringList> result;
    for (qsizetype i = 0; i < noms.size(); i += kNomsParColonne)
        result.append(noms.mid(i, kNomsParColonne));
    return result;
}

void Identification::choisitCle(const QString &cle, const QString &dossier)
{
    EleveState &e = m_state.eleve;
    e.cle_eleve = cle;
    e.nom = PupilKey::familyNameOf(cle);
    e.prenom = PupilKey::firstNameOf(cle);
    e.fichier_eleve = PupilFolders::historyFile(dossier, cle);
}

bool Identification::choisit_eleve(int index)
{
    if (index < 0 || index >= m_liste.size())
        return false;
    // The key comes from the file name itself, never from the shown name: a
    // family name with a space ("Dupont Martin_Léa") would not survive the
    // way back from "Dupont Martin Léa".
    choisitCle(PupilKey::keyOfFile(m_liste[index]), m_state.eleve.dossier_eleve);
    m_etape = Etape::Terminee;
    return true;
}

void Identification::demande_inscription()
{
    m_etape = Etape::Inscription;
}

bool Identification::retour_liste()
{
    if (m_etape != Etape::Inscription || m_liste.isEmpty())
        return false;
    choisitEtapeSuivante();
    return true;
}

void Identification::demande_code()
{
    m_state.eleve.code_eleve.clear();
    m_etape = m_liste.isEmpty() ? Etape::Inscription : Etape::SaisieCode;
}

QString Identification::codeAttribue(const QString &cle, const QStringList &codesAutres) const
{
    const QSet<QString> autres(codesAutres.cbegin(), codesAutres.cend());
    QString s = cle;
    for (int i = 0; i < kEspacesMax && autres.contains(PupilKey::pupilCode(s)); ++i)
        s += u' ';
    return PupilKey::pupilCode(s);
}

QString Identification::cleArrivee(const QString &cle) const
{
    const QString fichier = PupilFolders::historyFile(m_state.eleve.dossier_eleve, cle);
    const QFileInfo info(fichier);
    if (!info.exists())
        return QStringLiteral("9999999999:99:99");
    const QStringList lignes =
        PupilHistory::refus_taille(fichier).isEmpty() ? TextFile::loadLines(fichier) : QStringList();
    for (const QString &ligne : lignes) {
        const QString k = HistoryMerge::headerKey(ligne);
        if (!k.isEmpty())
            return k;
    }
    const QDateTime t = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
    return t.toString(QStringLiteral("yyyyMMddhh:mm:ss"));
}

QStringList Identification::codesAttribues() const
{
    const QStringList k = cles(m_liste);
    QStringList nus;
    nus.reserve(k.size());
    for (const QString &c : k)
        nus.append(PupilKey::pupilCode(c));

    QHash<QString, QList<int>> groupes;
    for (int i = 0; i < nus.size(); ++i)
        groupes[nus[i]].append(i);

    QStringList attribues = nus;
    for (auto it = groupes.cbegin(); it != groupes.cend(); ++it) {
        QList<int> membres = it.value();
        if (membres.size() < 2)
            continue;
        // The registration compares a new pupil's code with the codes of the
        // pupils already there: of pupils whose keys give the same code, the
        // first to come keeps it and each later one was given key + spaces.
        // Who came first is read from the first session of each history.
        QStringList arrivees;
        for (int i : membres)
            arrivees.append(cleArrivee(k[i]));
        std::vector<int> ordre(membres.size());
        std::iota(ordre.begin(), ordre.end(), 0);
        std::stable_sort(ordre.begin(), ordre.end(), [&](int x, int y) { return arrivees[x] < arrivees[y]; });
        for (size_t r = 1; r < ordre.size(); ++r) {
            const int i = membres[ordre[r]];
            QStringList autres = nus;
            autres.removeAt(i);
            attribues[i] = codeAttribue(k[i], autres);
        }
    }
    return attribues;
}

bool Identification::verifie_code(const QString &code)
{
    const QString c = code.toLower();
    m_state.eleve.code_eleve = c;
    const QStringList codes = codesAttribues();
    for (int i = 0; i < codes.size(); ++i) {
        if (codes[i] == c) {
            // The pupil's files are in the folder of his group: the school
            // folder, "Hors classe", or the home folder.
            choisitCle(PupilKey::keyOfFile(m_liste[i]), m_state.eleve.dossier_eleve);
            m_etape = Etape::Terminee;
            return true;
        }
    }
    m_etape = Etape::CodeInconnu;
    return false;
}

bool Identification::champSuffisant(const QString &champ)
{
    return std::count_if(champ.cbegin(), champ.cend(), [](QChar c) { return PupilKey::isLetter(c); }) >= 2;
}

QString Identification::questionAncienEleve(const QString &cle) const
{
    for (int n = 1; n <= 4; ++n) {
        const QString annee = PupilFolders::schoolYearBack(m_state.annee_scolaire, n);
        if (annee.isEmpty())
            break;
        const QString dossierAnnee = PupilFolders::yearFolder(m_state.dossier_etablissement, annee);
        for (const QString &classe : PupilFolders::listSubfolders(dossierAnnee)) {
            if (!ShellLink::isMember(PupilFolders::classFolder(dossierAnnee, classe), cle))
                continue;
            if (n == 1)
                return QStringLiteral("Etais-tu en %1 l'année dernière?").arg(classe);
            return QStringLiteral("Etais-tu en %1 il y a %2 ans?").arg(classe, QString::number(n));
        }
    }
    // No class in the last four years (a pupil without a class, or links
    // removed): ask about the name itself.
    return QStringLiteral("Es-tu déjà venu(e) sous le nom %1 ?").arg(PupilKey::displayName(cle));
}

bool Identification::inscription(const QString &nom, const QString &prenom, const Question &question,
                                 QString *erreur)
{
    auto refuse = [&](const QString &texte) {
        if (erreur)
            *erreur = texte;
        return false;
    };
    if (m_state.eleve.dossier_eleve.isEmpty())
        return refuse(QStringLiteral("Choisis d'abord ta classe."));
    if (PupilKey::filterName(nom) != nom || PupilKey::filterName(prenom) != prenom)
        return refuse(QStringLiteral("Ton nom et ton prénom ne peuvent contenir que des lettres, "
                                     "des espaces et des traits d'union."));
    const QString n = nom.trimmed();
    const QString p = prenom.trimmed();
    if (!champSuffisant(n) || !champSuffisant(p))
        return refuse(QStringLiteral("Ton nom de famille et ton prénom doivent avoir chacun au moins deux lettres."));
    const QString cle = PupilKey::makeKey(n, p);
    if (!Paths::isSafeComponent(cle + QStringLiteral(".txt")) || !TextFile::fits1252(cle))
        return refuse(QStringLiteral("Ce nom ne peut pas servir de nom de fichier : écris-le autrement."));

    EleveState &e = m_state.eleve;
    e.nom = n;
    e.prenom = p;
    e.cle_eleve = cle;
    e.fichier_eleve = PupilFolders::historyFile(e.dossier_eleve, cle);
    // "DUPONT Jean" where "Dupont_Jean.txt" is: the school's server takes
    // them for one file, so he is that pupil, under the name on disk, on
    // every kind of disk alike.
    const QString surDisque = PupilFolders::existingName(e.dossier_eleve, cle + QStringLiteral(".txt"));
    if (!surDisque.isEmpty() && surDisque != cle + QStringLiteral(".txt"))
        choisitCle(PupilKey::keyOfFile(surDisque), e.dossier_eleve);

    if (m_state.mode_ecole && !QFileInfo::exists(e.fichier_eleve)) {
        QStringList fichiers;
        PupilFolders::listFiles(m_state.dossier_etablissement, QStringLiteral("*.txt"), &fichiers);
        trie(fichiers);
        for (const QString &f : fichiers) {
            const QString ancienne = PupilKey::keyOfFile(f);
            if (ancienne.isEmpty() || !(PupilKey::isSimilar(cle, ancienne) || PupilKey::isSimilar(ancienne, cle)))
                continue;
            if (question && question(QStringLiteral("Ancien élève?"), questionAncienEleve(ancienne))) {
                choisitCle(ancienne, m_state.dossier_etablissement);
                e.dossier_eleve = m_state.dossier_etablissement;
                break;
            }
        }
    }

    // A pupil already in the list (he registered again, or chose his former
    // name) keeps the code he was given; his own entry is no clash.
    const QStringList k = cles(m_liste);
    const qsizetype deja = k.indexOf(e.cle_eleve);
    if (deja >= 0) {
        e.code_eleve = codesAttribues().at(deja);
    } else {
        QStringList autres;
        for (const QString &c : k)
            autres.append(PupilKey::pupilCode(c));
        e.code_eleve = codeAttribue(e.cle_eleve, autres);
    }
    m_etape = m_state.identification_par_code ? Etape::AffichageCode : Etape::Terminee;
    return true;
}

void Identification::fin_affichage_code()
{
    m_etape = Etape::Terminee;
}
