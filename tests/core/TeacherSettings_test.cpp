#include "core/IniFile.h"
#include "core/TeacherSettings.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using TeacherSettings::Reglages;

namespace {

Reglages exemple()
{
    Reglages r;
    r.cheminServeur = "\\\\srv\\partage\\";
    r.dossierElevesReseau = "Eleves";
    r.dossierMonoposte = "Eleves";
    r.dossierStatistiques = "Stats";
    r.codeProfesseur = "abcd";
    r.identificationParCode = true;
    r.tempsAcceptable = 5;
    r.tempsMaximum = 25;
    r.tempsInitialPerfect = 18;
    r.tempsFinalPerfect = 6;
    r.apprentissageObligatoire = true;
    r.chronoVisible = false;
    r.pauseVisible = true;
    r.masquerIncomplets = true;
    r.configPerso = false;
    r.ordre = "par tables";
    r.tailleBloc = 4;
    r.formule = "1.1.2.1.1.4";
    r.objectifsClassiques = "table_2,table_7";
    r.objectifsEtendus = TeacherSettings::kEtendusParDefaut;
    r.modeEcole = false;
    return r;
}

} // namespace

TEST(TeacherSettings, EverySettingIsWrittenAsStoredAndReadBack)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath("Tabulon.ini"));
    const Reglages r = exemple();
    QString erreur;
    ASSERT_TRUE(TeacherSettings::ecrit_parametres(ini, r, &erreur)) << erreur.toStdString();
    ASSERT_TRUE(TeacherSettings::ecrit_reglages(ini, r, &erreur));

    struct Cle { const char *section; const char *cle; const char *valeur; };
    for (const Cle &c : {Cle{"Dossiers", "Chemin serveur", "\\\\srv\\partage"},
                         Cle{"Dossiers", "Dossier élèves en réseau", "{Chemin serveur}\\Eleves"},
                         Cle{"Dossiers", "Dossier statistiques", "Stats"},
                         Cle{"Codes", "Code d'accès professeur", "abcd"}, Cle{"Codes", "Identification par code", "oui"},
                         Cle{"Paramètres", "temps de réponse acceptable", "5"},
                         Cle{"perfectionnement", "Temps de réponse final", "6"},
                         Cle{"perfectionnement", "Apprentissage obligatoire avant perfectionnement", "oui"},
                         Cle{"Apparence", "Chrono test visible", "non"}, Cle{"Apparence", "Bouton pause test visible", "oui"},
                         Cle{"General", "Autorise configuration personnelle", "non"},
                         Cle{"Options d'apprentissage", "Ordre rangement items", "par tables"},
                         Cle{"Apprentissage par blocs", "Nombre d'items par bloc", "4"},
                         Cle{"Apprentissage par blocs", "Formule récursive", "1.1.2.1.1.4"},
                         Cle{"Paramètres", "Objectifs tables classiques par defaut", "table_2,table_7"},
                         Cle{"Paramètres", "Objectifs tables etendues par defaut",
                             "1111,1212,1313,1414,1515,1616,1717,1818,1919"},
                         Cle{"General", "Mode", "Maison"}})
        EXPECT_EQ(ini.readString(QString::fromUtf8(c.section), QString::fromUtf8(c.cle)), QString::fromUtf8(c.valeur))
            << c.cle;

    const Reglages lu = TeacherSettings::lit(ini);
    EXPECT_EQ(lu.cheminServeur, "\\\\srv\\partage");
    EXPECT_EQ(lu.dossierElevesReseau, "Eleves");
    EXPECT_EQ(lu.tempsMaximum, 25);
    EXPECT_EQ(lu.tempsInitialPerfect, 18);
    EXPECT_TRUE(lu.masquerIncomplets);
    EXPECT_TRUE(lu.identificationParCode);
    EXPECT_EQ(lu.ordre, "par tables");
    EXPECT_EQ(lu.tailleBloc, 4);
    EXPECT_FALSE(lu.modeEcole);

    // Missing keys: integers -1, yes/no choices "non", the order its default.
    const Reglages vide = TeacherSettings::lit(IniFile(dir.filePath("absent.ini")));
    EXPECT_EQ(vide.tempsAcceptable, -1);
    EXPECT_FALSE(vide.chronoVisible);
    EXPECT_EQ(vide.ordre, "valeur produit");
    EXPECT_EQ(vide.codeProfesseur, IniFile::kMarker);
}

TEST(TeacherSettings, RefusesWhatTheProgramCannotUseNamingTheField)
{
    struct Cas { const char *formule; bool bonne; };
    for (const Cas &c : {Cas{"1.1.2.1.3", true}, Cas{"1.1.1.3", true}, Cas{"1.1.2.1.1.4", true}, Cas{"1.1.2", true},
                         Cas{"1.2.1.3", false}, Cas{"1.1.1.1", false}, Cas{"3", false}, Cas{"1.1.0.2", false},
                         Cas{"a.b", false}, Cas{"", false}, Cas{"1..2", false}, Cas{"1.1.1.1.3", false},
                         Cas{"2.1.1.2", false}})
        EXPECT_EQ(TeacherSettings::verifie_formule(c.formule).isEmpty(), c.bonne) << c.formule;
    EXPECT_TRUE(TeacherSettings::verifie_formule("1.2.1.3").startsWith("Formule récursive d'apprentissage"));

    Reglages r = exemple();
    EXPECT_TRUE(TeacherSettings::verifie(r).isEmpty());
    r.tailleBloc = 5;
    EXPECT_TRUE(TeacherSettings::verifie(r).startsWith("Taille des blocs"));
    r = exemple();
    r.tempsMaximum = 0;
    EXPECT_TRUE(TeacherSettings::verifie(r).startsWith("Temps de réponse maximum"));
    r = exemple();
    r.tempsFinalPerfect = 100;
    EXPECT_TRUE(TeacherSettings::verifie(r).startsWith("Temps réponse final perfectionnement"));

    EXPECT_TRUE(TeacherSettings::avertissement_code("abcd").isEmpty());
    EXPECT_TRUE(TeacherSettings::avertissement_code("").isEmpty());
    EXPECT_FALSE(TeacherSettings::avertissement_code("abcde").isEmpty());
    EXPECT_FALSE(TeacherSettings::avertissement_code("Ab").isEmpty());
}

TEST(TeacherSettings, ObjectivesPerLevelText)
{
    const QList<TeacherSettings::ObjectifsNiveau> n{{"sixième", {"table_2", "table_3"}}, {"cinquième", {}}};
    EXPECT_EQ(TeacherSettings::texte_objectifs_niveaux(n), "sixième<table_2,table_3>cinquième<>");
    const auto lu = TeacherSettings::lit_objectifs_niveaux("sixième<table_2,table_3>cinquième<>CP<table_carres>");
    ASSERT_EQ(lu.size(), 3);
    EXPECT_EQ(lu[0].niveau, "sixième");
    EXPECT_EQ(lu[0].tables, QStringList({"table_2", "table_3"}));
    EXPECT_TRUE(lu[1].tables.isEmpty());
    EXPECT_EQ(lu[2].tables, QStringList{"table_carres"});
    EXPECT_TRUE(TeacherSettings::lit_objectifs_niveaux("").isEmpty());
}

TEST(TeacherSettings, ASaveOnAWorkstationReachesTheServerCopyFirst)
{
    QTemporaryDir dir;
    const QString serveur = dir.filePath("serveur");
    const QString local = dir.filePath("poste/Tabulon.ini");
    ASSERT_TRUE(TextFile::saveLines(serveur + "/Tabulon/Tabulon.ini", {"[Etablissement]", "Nom=Ecole", "[Autre]", "x=1"}));
    ASSERT_TRUE(TextFile::saveLines(local, {"[Etablissement]", "Nom=Ecole"}));
    SessionState s;
    s.mode_ecole = true;
    s.serveur_accessible = true;
    s.chemin_serveur = serveur;
    const auto ecrit = [](IniFile &ini, QString *e) { return ini.writeString("Etablissement", "Nom", "Nouvelle", e); };

    QString erreur, avertissement;
    ASSERT_TRUE(TeacherSettings::enregistre_partout(s, local, ecrit, &erreur, &avertissement));
    EXPECT_TRUE(avertissement.isEmpty());
    EXPECT_EQ(IniFile(serveur + "/Tabulon/Tabulon.ini").readString("Etablissement", "Nom"), "Nouvelle");
    EXPECT_EQ(IniFile(serveur + "/Tabulon/Tabulon.ini").readString("Autre", "x"), "1");
    EXPECT_EQ(IniFile(local).readString("Etablissement", "Nom"), "Nouvelle");

    // A server copy that cannot be replaced (here a folder stands in its
    // place): the teacher is told, the local file still changes.
    ASSERT_TRUE(QFile::remove(serveur + "/Tabulon/Tabulon.ini"));
    ASSERT_TRUE(QDir().mkpath(serveur + "/Tabulon/Tabulon.ini"));
    const auto ecrit2 = [](IniFile &ini, QString *e) { return ini.writeString("Etablissement", "Nom", "Autre", e); };
    ASSERT_TRUE(TeacherSettings::enregistre_partout(s, local, ecrit2, &erreur, &avertissement));
    EXPECT_TRUE(avertissement.contains("reste sur ce poste")) << avertissement.toStdString();
    EXPECT_EQ(IniFile(local).readString("Etablissement", "Nom"), "Autre");

    // Out of reach, or at home: only the local file.
    s.serveur_accessible = false;
    EXPECT_TRUE(TeacherSettings::chemin_ini_serveur(s).isEmpty());
    s.serveur_accessible = true;
    s.mode_ecole = false;
    EXPECT_TRUE(TeacherSettings::chemin_ini_serveur(s).isEmpty());
}
