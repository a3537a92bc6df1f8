#include "core/EstablishmentSetup.h"

#include "core/IniFile.h"
#include "core/NiveauxTexte.h"
#include "core/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contenu(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class EstablishmentSetupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        state.annee_scolaire = QStringLiteral("2026-2027");
    }

    QString iniPath() const { return dir.filePath(QStringLiteral("Tabulon.ini")); }

    void ecritIni(const QStringList &lignes) { ASSERT_TRUE(TextFile::saveLines(iniPath(), lignes)); }

    QTemporaryDir dir;
    SessionState state;
};

QList<Niveau> structure(std::initializer_list<std::pair<const char *, QStringList>> niveaux)
{
    QList<Niveau> out;
    for (const auto &[nom, classes] : niveaux)
        out.append(Niveau{QString::fromUtf8(nom), classes});
    return out;
}

bool memes(const QList<Niveau> &a, const QList<Niveau> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].nom != b[i].nom || a[i].classes != b[i].classes)
            return false;
    }
    return true;
}

} // namespace

TEST_F(EstablishmentSetupTest, OpeningShowsTheMostRecentYearWithinTenAndSavesItAsThisYear)
{
    ecritIni({"[Etablissement]", "Nom=Ecole des Tilleuls", "Niveaux et classes 2019-2020=X<x1>",
              "Niveaux et classes 2023-2024=CP<CPa>CE1<CE1a,CE1b>", "Objectifs tables classiques par niveaux=CP<0202>"});
    state.nom_etablissement = QStringLiteral("Ecole des Tilleuls");

    const IniFile ini(iniPath());
    const EstablishmentSetup::Ouverture o = EstablishmentSetup::ouverture(ini, state);
    EXPECT_EQ(o.anneeTrouvee, QStringLiteral("2023-2024"));
    EXPECT_EQ(o.nom, QStringLiteral("Ecole des Tilleuls"));
    EXPECT_TRUE(memes(o.niveaux, structure({{"CP", {"CPa"}}, {"CE1", {"CE1a", "CE1b"}}})));

    IniFile ecriture(iniPath());
    EstablishmentSetup::Refus refus;
    ASSERT_TRUE(EstablishmentSetup::enregistre(ecriture, state, o.nom, o.niveaux, &refus)) << refus.message.toStdString();
    const QStringList lignes = TextFile::loadLines(iniPath());
    EXPECT_TRUE(lignes.contains(QStringLiteral("Niveaux et classes 2026-2027=CP<CPa>CE1<CE1a,CE1b>")));
    // Other years and other keys are left exactly as they were.
    EXPECT_TRUE(lignes.contains(QStringLiteral("Niveaux et classes 2023-2024=CP<CPa>CE1<CE1a,CE1b>")));
    EXPECT_TRUE(lignes.contains(QStringLiteral("Niveaux et classes 2019-2020=X<x1>")));
    EXPECT_TRUE(lignes.contains(QStringLiteral("Objectifs tables classiques par niveaux=CP<0202>")));

    // The year just written now wins over the older ones.
    EXPECT_EQ(EstablishmentSetup::ouverture(IniFile(iniPath()), state).anneeTrouvee, QStringLiteral("2026-2027"));
}

TEST_F(EstablishmentSetupTest, NothingWithinTenYearsGivesTheDefaultStructureAndName)
{
    // Eleven years back is out of reach.
    ecritIni({"[Etablissement]", "Niveaux et classes 2015-2016=CP<CPa>"});
    const EstablishmentSetup::Ouverture o = EstablishmentSetup::ouverture(IniFile(iniPath()), state);
    EXPECT_TRUE(o.anneeTrouvee.isEmpty());
    EXPECT_EQ(state.nom_etablissement, QStringLiteral("Collège de Valdorne"));
    EXPECT_EQ(o.nom, QStringLiteral("Collège de Valdorne"));
    EXPECT_TRUE(memes(o.niveaux, structure({{"sixième", {"61", "62"}},
                                            {"cinquième", {"51", "52", "53"}},
                                            {"quatrième", {"41", "42", "43"}},
                                            {"troisième", {"31", "32"}}})));

    // Ten years back is still found.
    ecritIni({"[Etablissement]", "Niveaux et classes 2016-2017=CP<CPa>"});
    EXPECT_EQ(EstablishmentSetup::ouverture(IniFile(iniPath()), state).anneeTrouvee, QStringLiteral("2016-2017"));
}

TEST_F(EstablishmentSetupTest, NamesAreStoredCutToTenCharactersAndReadBackTheSame)
{
    const QList<Niveau> saisis = structure({{" cours préparatoire ", {"CP-Lézards-du-jardin", " CP b"}},
                                            {"CE1", {"CE1"}}});
    IniFile ini(iniPath());
    EstablishmentSetup::Refus refus;
    ASSERT_TRUE(EstablishmentSetup::enregistre(ini, state, QStringLiteral("Collège de Valdorne"), saisis, &refus))
        << refus.message.toStdString();

    const QList<Niveau> attendu = structure({{"cours prép", {"CP-Lézards", "CP b"}}, {"CE1", {"CE1"}}});
    const QString stocke = ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Niveaux et classes 2026-2027"));
    EXPECT_EQ(stocke, QStringLiteral("cours prép<CP-Lézards,CP b>CE1<CE1>"));
    EXPECT_TRUE(memes(NiveauxTexte::parse(stocke), attendu));
    EXPECT_TRUE(memes(state.niveaux, attendu));
    EXPECT_EQ(ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Nom")), QStringLiteral("Collège de Valdorne"));
    // The name in memory only changes at the next start.
    EXPECT_TRUE(state.nom_etablissement.isEmpty());
    // Stored in Windows-1252.
    EXPECT_TRUE(contenu(iniPath()).contains("cours pr\xE9p<CP-L\xE9zards,CP b>"));
}

TEST_F(EstablishmentSetupTest, TwoLevelsOutOfFourLeaveTwoLevelsStored)
{
    QList<Niveau> niveaux = NiveauxTexte::parse(NiveauxTexte::defaut());
    niveaux.resize(2);
    IniFile ini(iniPath());
    EstablishmentSetup::Refus refus;
    ASSERT_TRUE(EstablishmentSetup::enregistre(ini, state, QStringLiteral("Collège de Valdorne"), niveaux, &refus));
    EXPECT_EQ(ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Niveaux et classes 2026-2027")),
              QStringLiteral("sixième<61,62>cinquième<51,52,53>"));
    ASSERT_EQ(state.niveaux.size(), 2);
    EXPECT_EQ(state.nombreClasses(), 5);
}

struct CasRefus
{
    const char *quoi;
    QString nom;
    QList<Niveau> niveaux;
    QString message;    // the whole message, or a part of it when partiel
    bool partiel;
    int niveau;
    int classe;
};

TEST_F(EstablishmentSetupTest, UnreadableOrUnsafeOrRepeatedNamesAreRefusedAndNothingIsWritten)
{
    const QString ecole = QStringLiteral("Collège de Valdorne");
    const QStringList vingtEtUne = [] {
        QStringList l;
        for (int k = 1; k <= 21; ++k)
            l.append(QStringLiteral("c%1").arg(k));
        return l;
    }();
    const QList<Niveau> seize = [] {
        QList<Niveau> l;
        for (int i = 1; i <= 16; ++i)
            l.append(Niveau{QStringLiteral("n%1").arg(i), {QStringLiteral("c%1").arg(i)}});
        return l;
    }();

    const QList<CasRefus> cas{
        {"classe vide", ecole, structure({{"CP", {"CPa", ""}}}), "Le nom de la classe 2 du niveau 1 est vide.", false, 1, 2},
        {"classe de blancs", ecole, structure({{"CP", {"CPa"}}, {"CE1", {"   "}}}), "Le nom de la classe 1 du niveau 2 est vide.", false, 2, 1},
        {"niveau vide", ecole, structure({{"CP", {"a"}}, {"", {"b"}}}), "Le nom du niveau 2 est vide.", false, 2, 0},
        {"virgule", ecole, structure({{"CP", {"6,1"}}}), "Le nom de la classe 1 du niveau 1 contient « , », qui n'est pas permis.", false, 1, 1},
        {"chevron ouvrant", ecole, structure({{"C<P", {"a"}}}), "Le nom du niveau 1 contient « < »", true, 1, 0},
        {"chevron fermant", ecole, structure({{"CP", {"a>"}}}), "contient « > »", true, 1, 1},
        {"barre", ecole, structure({{"CP", {"a/b"}}}), "contient « / »", true, 1, 1},
        {"barre inverse", ecole, structure({{"C\\P", {"a"}}}), "Le nom du niveau 1 contient « \\ »", true, 1, 0},
        {"remontée", ecole, structure({{"CP", {"a", ".."}}}), "Le nom de la classe 2 du niveau 1 contient « .. »", true, 1, 2},
        {"deux-points", ecole, structure({{"CP", {"6:1"}}}), "contient « : », qui n'est pas permis dans un nom de dossier", true, 1, 1},
        {"point final", ecole, structure({{"CP", {"61."}}}), "finit par un point", true, 1, 1},
        {"nom réservé", ecole, structure({{"CP", {"con"}}}), "ne peut pas servir de nom de dossier", true, 1, 1},
        {"hors Windows-1252", ecole, structure({{"CP", {"6\u4E00"}}}), "ne peut pas être enregistré", true, 1, 1},
        {"classe répétée", ecole, structure({{"CP", {"61", "62", "61"}}}),
         "Le nom de la classe 3 du niveau 1 (« 61 ») est déjà celui de la classe 1 du niveau 1.", false, 1, 3},
        {"classe répétée dans un autre niveau", ecole, structure({{"CP", {"A"}}, {"CE1", {"a"}}}),
         "Le nom de la classe 1 du niveau 2 (« a ») est déjà celui de la classe 1 du niveau 1.", false, 2, 1},
        {"classes égales après la coupe", ecole, structure({{"CP", {"abcdefghij1", "abcdefghij2"}}}),
         "Le nom de la classe 2 du niveau 1 (« abcdefghij2 ») devient « abcdefghij » une fois réduit à 10 caractères, "
         "comme celui de la classe 1 du niveau 1.", false, 1, 2},
        {"niveaux répétés", ecole, structure({{"sixième", {"a"}}, {"Sixième", {"b"}}}),
         "Le nom du niveau 2 (« Sixième ») est déjà celui du niveau 1.", false, 2, 0},
        {"établissement sans nom", QStringLiteral("  "), structure({{"CP", {"a"}}}), "Le nom de l'établissement est vide.", false, 0, 0},
        {"établissement hors du dossier", QStringLiteral("..\\autre"), structure({{"CP", {"a"}}}), "Le nom de l'établissement contient", true, 0, 0},
        {"aucun niveau", ecole, {}, "Le nombre de niveaux doit être compris entre 1 et 15.", false, 1, 0},
        {"seize niveaux", ecole, seize, "Le nombre de niveaux doit être compris entre 1 et 15.", false, 1, 0},
        {"vingt et une classes", ecole, QList<Niveau>{Niveau{QStringLiteral("CP"), vingtEtUne}},
         "Le nombre de classes du niveau 1 doit être compris entre 1 et 20.", false, 1, 0},
    };

    ecritIni({"[Etablissement]", "Nom=Ancien", "Niveaux et classes 2026-2027=CP<CPa>"});
    const QByteArray avant = contenu(iniPath());
    state.niveaux = structure({{"CP", {"CPa"}}});

    for (const CasRefus &c : cas) {
        SCOPED_TRACE(c.quoi);
        IniFile ini(iniPath());
        EstablishmentSetup::Refus refus;
        EXPECT_FALSE(EstablishmentSetup::enregistre(ini, state, c.nom, c.niveaux, &refus));
        if (c.partiel)
            EXPECT_TRUE(refus.message.contains(c.message)) << refus.message.toStdString();
        else
            EXPECT_EQ(refus.message, c.message);
        EXPECT_EQ(refus.niveau, c.niveau);
        EXPECT_EQ(refus.classe, c.classe);
        EXPECT_EQ(contenu(iniPath()), avant);
        EXPECT_TRUE(memes(state.niveaux, structure({{"CP", {"CPa"}}})));
    }
}

TEST_F(EstablishmentSetupTest, SeparatorsBeyondTheCutAreHarmless)
{
    // Only the first ten characters are stored, so what lies beyond them
    // cannot spoil the stored text.
    IniFile ini(iniPath());
    EstablishmentSetup::Refus refus;
    ASSERT_TRUE(EstablishmentSetup::enregistre(ini, state, QStringLiteral("Collège"),
                                               structure({{"CP", {"abcdefghij<,>"}}}), &refus))
        << refus.message.toStdString();
    EXPECT_EQ(ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Niveaux et classes 2026-2027")),
              QStringLiteral("CP<abcdefghij>"));
}

TEST_F(EstablishmentSetupTest, AFailedWriteIsReportedAndLeavesMemoryAlone)
{
    // A file stands where the program folder should be.
    ASSERT_TRUE(TextFile::saveLines(dir.filePath(QStringLiteral("bloque")), {"x"}));
    IniFile ini(dir.filePath(QStringLiteral("bloque/Tabulon.ini")));
    state.niveaux = structure({{"CP", {"CPa"}}});
    EstablishmentSetup::Refus refus;
    EXPECT_FALSE(EstablishmentSetup::enregistre(ini, state, QStringLiteral("Collège"), structure({{"CE1", {"a"}}}), &refus));
    EXPECT_TRUE(refus.message.startsWith(QStringLiteral("Le fichier de configuration n'a pas pu être enregistré.")))
        << refus.message.toStdString();
    EXPECT_TRUE(memes(state.niveaux, structure({{"CP", {"CPa"}}})));
}

TEST_F(EstablishmentSetupTest, ASchoolNameNeedsOnlyWhatAFolderNameNeeds)
{
    ecritIni({"[Etablissement]", "Nom=Ancien"});
    IniFile ini(iniPath());
    EstablishmentSetup::Refus refus;
    ASSERT_TRUE(EstablishmentSetup::enregistre(ini, state, QStringLiteral("Ecole Jean Moulin, Rennes"),
                                               structure({{"CP", {"CPa"}}}), &refus))
        << refus.message.toStdString();
    EXPECT_EQ(ini.readString(QStringLiteral("Etablissement"), QStringLiteral("Nom")),
              QStringLiteral("Ecole Jean Moulin, Rennes"));
    for (const char *nom : {"Ecole <Nord>", "Ecole: Nord", "A/B"})
        EXPECT_FALSE(EstablishmentSetup::enregistre(ini, state, QString::fromUtf8(nom), structure({{"CP", {"CPa"}}}),
                                                    &refus))
            << nom;
}
