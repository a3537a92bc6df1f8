#include "app/GraphBar.h"
#include "app/ProgressGraph.h"
#include "app/RotatedLabel.h"
#include "app/Tgeneral.h"
#include "app/Tident.h"
#include "core/Clock.h"
#include "core/Dates.h"
#include "core/Paths.h"
#include "core/RandomSource.h"
#include "core/SystemServices.h"
#include "core/TextFile.h"
#include "timedtest/TTexte.h"
#include "timedtest/Ttest.h"
#include "training/Tapprent.h"
#include "widgets/DesignScaler.h"
#include "widgets/Dialogs.h"
#include "widgets/TAboutBox.h"
#include "support/WindowEnvironment.h"
#include "widgets/Tboite_message.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int L = ProgressGraph::kGaucheLegende;

// A whole test line of the classic tables: every product right and fast
// except the first `fausses` ones.
QString ligneTest(int fausses)
{
    QString ligne = QStringLiteral("\tTEST de 10:00:01 à 10:05:00 ");
    int n = 0;
    for (int a = 2; a <= 9; ++a) {
        for (int b = 2; b <= 9; ++b, ++n) {
            const int reponse = n < fausses ? a * b + 1 : a * b;
            ligne += QStringLiteral("P%1%2020%3")
                         .arg(a, 2, 10, QLatin1Char('0'))
                         .arg(b, 2, 10, QLatin1Char('0'))
                         .arg(reponse, 4, 10, QLatin1Char('0'));
        }
    }
    return ligne;
}

EntreeGraphique entree(const QDate &date, int score)
{
    EntreeGraphique e;
    e.jour = Dates::jour_texte(date);
    e.score = QString::number(score);
    e.ligneTest = ligneTest(0);
    return e;
}

QList<EntreeGraphique> entrees(int nombre)
{
    QList<EntreeGraphique> liste;
    for (int i = 0; i < nombre; ++i)
        liste.append(entree(QDate(2026, 9, 7).addDays(3 * i), 40 + 2 * i));
    return liste;
}

class TgeneralTest : public ::testing::Test, protected WindowEnvironment
{
protected:
    TgeneralTest() : WindowEnvironment(7) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_dossier.isValid());
        m_state.dossier_programme = m_env.programFolder;
        m_state.objectifs = QStringLiteral("tables_classiques");
        m_state.temps_acceptable = 4;
        Dialogs::setTestMode(true);
        Dialogs::clearHistory();
        m_fenetre = std::make_unique<Tgeneral>(m_state, m_env);
        m_fenetre->setFermetureSansQuestion(true);
        m_fenetre->resize(1024, 700);
        m_fenetre->show();
    }

    void TearDown() override
    {
        m_fenetre.reset();
        Dialogs::setTestMode(false);
    }

    // The bars in the order of their entries.
    QList<GraphBar *> barres() const
    {
        QList<GraphBar *> liste = m_fenetre->findChildren<GraphBar *>();
        std::sort(liste.begin(), liste.end(), [](GraphBar *a, GraphBar *b) { return a->entree() < b->entree(); });
        return liste;
    }

    QScrollArea *scrollbox() const { return m_fenetre->findChild<QScrollArea *>(QStringLiteral("Scrollbox1")); }

    // Jean Dupont, whose session began this morning at ten.
    void eleveDuJour()
    {
        EleveState &e = m_state.eleve;
        e.nom = QStringLiteral("Dupont");
        e.prenom = QStringLiteral("Jean");
        e.cle_eleve = QStringLiteral("Dupont_Jean");
        m_state.jour_semaine = QStringLiteral("Jeudi");
        m_state.date_du_jour = QStringLiteral("10/12/2026");
        m_state.heure_debut_seance = QStringLiteral("10:00:00");
    }

    SessionState m_state;
    std::unique_ptr<Tgeneral> m_fenetre;
};

TEST_F(TgeneralTest, BarsTakeTheLevelColourAndStandOnTheBaseline)
{
    const struct
    {
        int score;
        QColor couleur;
    } cas[] = {
        {49, QColor(0xFF, 0x00, 0x00)}, {50, QColor(0xFF, 0x80, 0x00)}, {69, QColor(0xFF, 0x80, 0x00)},
        {70, QColor(0xFF, 0xFF, 0x00)}, {84, QColor(0xFF, 0xFF, 0x00)}, {85, QColor(0x00, 0x80, 0x00)},
        {94, QColor(0x00, 0x80, 0x00)}, {95, QColor(0x00, 0x00, 0xFF)}, {99, QColor(0x00, 0x00, 0xFF)},
        {100, QColor(0xFF, 0x00, 0xFF)},
    };
    for (const auto &c : cas)
        m_state.eleve.graphique.append(entree(QDate(2026, 9, 7).addDays(m_state.eleve.graphique.size()), c.score));
    m_fenetre->affiche_graphique();

    const QList<GraphBar *> liste = barres();
    ASSERT_EQ(liste.size(), int(std::size(cas)));
    for (int i = 0; i < liste.size(); ++i) {
        SCOPED_TRACE(cas[i].score);
        GraphBar *barre = liste.at(i);
        EXPECT_EQ(barre->fillColor(), cas[i].couleur);
        // What is painted, inside the black frame.
        const QImage image = barre->grab().toImage();
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), cas[i].couleur);
        // In the graph's design pixels, whatever the window's scale.
        const QRect dessin = enDessin(barre);
        EXPECT_EQ(dessin.left(), L + 32 * (i + 1) - 4);
        EXPECT_EQ(dessin.width(), 28);
        EXPECT_EQ(dessin.height(), 2 * cas[i].score + 1);
        EXPECT_EQ(dessin.y() + dessin.height(), 261);
    }
}

TEST_F(TgeneralTest, ScoresOfNeighbourBarsStandApartAboveTheirBars)
{
    for (int i = 0; i < 5; ++i)
        m_state.eleve.graphique.append(entree(QDate(2026, 9, 7).addDays(i), i == 2 ? 60 : 100));
    m_fenetre->affiche_graphique();
    const QList<GraphBar *> liste = barres();
    ASSERT_EQ(liste.size(), 5);
    // Where each score's text is drawn: centred, its digits on the label's baseline.
    QList<QRect> textes;
    for (GraphBar *barre : liste) {
        QLabel *score = nullptr;
        for (QLabel *l : barre->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
            if (l->text().endsWith(QLatin1Char('%')) && l->objectName().startsWith(QLatin1String("composant"))
                && std::abs(l->geometry().center().x() - barre->geometry().center().x()) <= 2)
                score = l;
        }
        ASSERT_NE(score, nullptr);
        const QFontMetrics fm(score->font());
        const int largeur = fm.horizontalAdvance(score->text());
        const int ligneDeBase = score->geometry().bottom() - fm.descent();
        SCOPED_TRACE(score->text().toStdString());
        EXPECT_LE(ligneDeBase, barre->y()) << "les chiffres entrent dans la barre";
        EXPECT_GE(score->height(), fm.height());
        textes.append(QRect(score->geometry().center().x() - largeur / 2, ligneDeBase - fm.ascent(), largeur,
                            fm.ascent()));
    }
    for (int i = 1; i < textes.size(); ++i)
        EXPECT_FALSE(textes[i - 1].intersects(textes[i])) << "scores " << i << " et " << i + 1;
}

TEST_F(TgeneralTest, AClassChangeAddsACaptionAndShiftsTheFollowingBars)
{
    m_state.mode_ecole = true;
    m_state.eleve.cle_eleve = QStringLiteral("Dupont_Jean");
    m_state.dossier_etablissement = Paths::join(m_dossier.path(), QStringLiteral("Eleves/Ecole"));
    const QString lien = QStringLiteral("Dupont_Jean.lnk");
    for (const QString &classe : {QStringLiteral("2006-2007/61"), QStringLiteral("2007-2008/51")}) {
        const QString dossier = Paths::join(m_state.dossier_etablissement, classe);
        ASSERT_TRUE(QDir().mkpath(dossier));
        ASSERT_TRUE(TextFile::saveLines(Paths::join(dossier, lien), {QStringLiteral("lien")}));
    }
    // Another class of the same year without the pupil's link.
    ASSERT_TRUE(QDir().mkpath(Paths::join(m_state.dossier_etablissement, QStringLiteral("2007-2008/50"))));

    m_state.eleve.graphique = {entree(QDate(2006, 11, 14), 60), entree(QDate(2007, 3, 15), 70),
                               entree(QDate(2007, 10, 8), 80), entree(QDate(2007, 10, 9), 90)};
    m_fenetre->affiche_graphique();

    QList<RotatedLabel *> legendes;
    for (RotatedLabel *texte : m_fenetre->findChildren<RotatedLabel *>()) {
        if (texte->text().startsWith(QStringLiteral("Classe de ")))
            legendes.append(texte);
    }
    std::sort(legendes.begin(), legendes.end(),
              [](RotatedLabel *a, RotatedLabel *b) { return a->boite().left() < b->boite().left(); });
    ASSERT_EQ(legendes.size(), 2);
    EXPECT_EQ(legendes[0]->text(), QStringLiteral("Classe de 61:"));
    EXPECT_EQ(legendes[0]->boite(), QRect(L + 32 * 1 - 50, 260, 61, 61));
    EXPECT_EQ(legendes[1]->text(), QStringLiteral("Classe de 51:"));
    EXPECT_EQ(legendes[1]->boite(), QRect(L + 32 * 4 - 50, 260, 61, 61));
    // The first caption is the first piece drawn.
    EXPECT_EQ(legendes[0]->objectName(), QStringLiteral("composant1"));

    const QList<GraphBar *> liste = barres();
    ASSERT_EQ(liste.size(), 4);
    const int positions[4] = {2, 3, 5, 6};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(enDessin(liste[i]).x(), L + 32 * positions[i] - 4) << "bar " << i + 1;

    // Clearing removes every drawn piece, captions included.
    m_fenetre->efface_graphique();
    EXPECT_TRUE(barres().isEmpty());
    EXPECT_EQ(m_fenetre->findChild<QWidget *>(QStringLiteral("composant1")), nullptr);
}

TEST_F(TgeneralTest, ManyTestsScrollTheBoxToShowTheNewestBar)
{
    m_state.eleve.graphique = entrees(25);
    for (const int largeurFenetre : {1024, 800}) {
        SCOPED_TRACE(largeurFenetre);
        m_fenetre->resize(largeurFenetre, 700);
        QApplication::processEvents();
        m_fenetre->affiche_graphique();
        QApplication::processEvents();
        QScrollArea *boite = scrollbox();
        ASSERT_NE(boite, nullptr);
        // The box of the 800-pixel design, shown at the window's scale.
        EXPECT_EQ(enDessin(boite).size(), QSize(600, 370));
        EXPECT_EQ(boite->size(), DesignScaler::scaled(QRect(QPoint(), QSize(600, 370)), DesignScaler::scaleOf(boite)).size());
        QScrollBar *defilement = boite->horizontalScrollBar();
        EXPECT_GT(defilement->maximum(), 0);
        EXPECT_EQ(defilement->value(), defilement->maximum());
        // The newest bar is inside the visible part of the box.
        GraphBar *derniere = barres().last();
        const QPoint dansBoite = derniere->mapTo(boite->viewport(), QPoint(derniere->width() - 1, 0));
        EXPECT_LT(dansBoite.x(), boite->viewport()->width());
        EXPECT_GE(dansBoite.x(), 0);
    }

    // A few tests fit in the first box, which scrolls no more.
    m_state.eleve.graphique = entrees(3);
    m_fenetre->affiche_graphique();
    QApplication::processEvents();
    EXPECT_EQ(scrollbox()->size(), QSize(600, 350));
    EXPECT_EQ(scrollbox()->horizontalScrollBar()->maximum(), 0);
}

TEST_F(TgeneralTest, OnlyTheLastBarOffersPrintingAndALeftPressShowsTheGrid)
{
    m_state.eleve.graphique = entrees(3);
    m_fenetre->affiche_graphique();
    const QList<GraphBar *> liste = barres();
    ASSERT_EQ(liste.size(), 3);
    auto *menu = m_fenetre->findChild<QMenu *>(QStringLiteral("PopupMenu1"));
    ASSERT_NE(menu, nullptr);

    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(liste[i], Qt::RightButton);
        EXPECT_FALSE(menu->isVisible()) << "bar " << i + 1;
    }
    QTest::mouseClick(liste[2], Qt::RightButton);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();

    // "Imprimer" goes through the print dialog (refused here): nothing printed.
    Dialogs::clearHistory();
    menu->actions().first()->trigger();
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history().first().kind, QStringLiteral("print"));

    auto *image = m_fenetre->findChild<QLabel *>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    QTest::mousePress(liste[0], Qt::LeftButton);
    EXPECT_TRUE(image->isVisible());
    ASSERT_FALSE(image->pixmap().isNull());
    EXPECT_GE(image->width(), image->pixmap().width());
    QTest::mouseRelease(liste[0], Qt::LeftButton);
    EXPECT_FALSE(image->isVisible());
}

TEST_F(TgeneralTest, RecordLabelsShowTheThreeBestFromTheList)
{
    auto record = [this](int n) { return m_fenetre->findChild<QLabel *>(QStringLiteral("LabelRecord%1").arg(n)); };
    m_state.liste_records = {QStringLiteral("095012Martin_Léa"), QStringLiteral("100020Petit_Paul")};
    m_fenetre->actualise_affichage_records();
    EXPECT_EQ(record(1)->text(), QStringLiteral("1. Petit Paul"));
    EXPECT_TRUE(record(1)->isVisible());
    EXPECT_EQ(record(2)->text(), QStringLiteral("2. Martin Léa"));
    EXPECT_TRUE(record(2)->isVisible());
    EXPECT_FALSE(record(3)->isVisible());

    m_state.liste_records.clear();
    m_fenetre->actualise_affichage_records();
    for (int n = 1; n <= 3; ++n)
        EXPECT_FALSE(record(n)->isVisible()) << n;
}

TEST_F(TgeneralTest, TheTestButtonWarnsAfterTheDaysTestAndLeadsANewPupilThroughTheFirstTestBox)
{
    m_state.produits_etudies = {QStringLiteral("0203"), QStringLiteral("0304")};
    m_state.liste_produits = m_state.produits_etudies;
    Tgeneral::Fenetres &f = m_fenetre->fenetres();
    f.test = new Ttest(m_state, m_env, m_fenetre.get());
    f.boiteMessage = new Tboite_message(m_fenetre.get());
    m_fenetre->relieFenetres();
    auto *bouton = m_fenetre->findChild<QPushButton *>(QStringLiteral("button_test"));
    ASSERT_NE(bouton, nullptr);
    bouton->show();

    // A session today that made no graph point (training only, or a test of
    // the squares): the test will count, so no warning.
    const struct
    {
        const char *nom;
        QList<EntreeGraphique> graphique;
    } sansAvertissement[] = {
        {"aucun point", {}},
        {"dernier point hier", {entree(QDate(2026, 12, 9), 80)}},
    };
    m_state.eleve.seance_du_jour = true;
    for (const auto &c : sansAvertissement) {
        SCOPED_TRACE(c.nom);
        m_state.eleve.graphique = c.graphique;
        bouton->click();
        EXPECT_TRUE(Dialogs::history().isEmpty());
        EXPECT_TRUE(f.test->isVisible());
        f.test->hide();
        bouton->show();
    }

    // Today's point is there: the warning, Cancel keeps the test closed.
    m_state.eleve.graphique = {entree(QDate(2026, 12, 9), 80), entree(QDate(2026, 12, 10), 90)};
    Dialogs::setNextAnswer(false);
    bouton->click();
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history().last().kind, QStringLiteral("okCancel"));
    EXPECT_EQ(Dialogs::history().last().title, QStringLiteral("UN SEUL test par jour"));
    EXPECT_EQ(Dialogs::history().last().text.split(QLatin1Char('\n')),
              QStringList({QStringLiteral("Tu as déjà fait un test aujourd'hui!"),
                           QStringLiteral("Inutile d'en faire un autre, il ne comptera pas."),
                           QStringLiteral("Entraîne-toi plutôt!")}));
    EXPECT_FALSE(f.test->isVisible());
    // OK shows the test anyway.
    Dialogs::setNextAnswer(true);
    bouton->click();
    EXPECT_TRUE(f.test->isVisible());
    f.test->hide();

    // A new pupil: the box with the instructions, and no test yet.
    m_state.eleve.seance_du_jour = false;
    m_state.eleve.graphique.clear();
    m_state.eleve.eleve_nouveau = true;
    Dialogs::clearHistory();
    m_fenetre->lance_test();
    EXPECT_TRUE(Dialogs::history().isEmpty());
    EXPECT_TRUE(f.boiteMessage->isVisible());
    EXPECT_EQ(f.boiteMessage->windowTitle(), QStringLiteral("Premier test"));
    EXPECT_EQ(f.boiteMessage->commentaire(), Tboite_message::texte_premier_test());
    EXPECT_FALSE(f.test->isVisible());
    f.boiteMessage->hide();

    // A known pupil without a session today: straight to the test.
    m_state.eleve.eleve_nouveau = false;
    m_fenetre->lance_test();
    EXPECT_TRUE(Dialogs::history().isEmpty());
    EXPECT_TRUE(f.test->isVisible());
    f.test->hide();
    // The test window hid: the test button goes away and the graph is drawn.
    EXPECT_FALSE(bouton->isVisible());
}

TEST_F(TgeneralTest, TrainingWithNothingToLearnSaysSo)
{
    auto *entrainement = m_fenetre->findChild<QAction *>(QStringLiteral("apprentissage1"));
    ASSERT_NE(entrainement, nullptr);
    // A command whose window was not handed over is disabled.
    EXPECT_FALSE(entrainement->isEnabled());

    Tgeneral::Fenetres &f = m_fenetre->fenetres();
    f.boiteMessage = new Tboite_message(m_fenetre.get());
    f.apprent = new Tapprent(m_state, m_env, m_fenetre.get());
    m_fenetre->relieFenetres();
    ASSERT_TRUE(entrainement->isEnabled());
    m_state.produits_a_memoriser.clear();
    entrainement->trigger();
    EXPECT_TRUE(f.boiteMessage->isVisible());
    EXPECT_EQ(f.boiteMessage->windowTitle(), QStringLiteral("Apprentissage inutile"));
    EXPECT_EQ(f.boiteMessage->commentaire(), QStringLiteral("Tu sais déjà tes tables!!"));
    EXPECT_FALSE(f.apprent->isVisible());
    f.boiteMessage->hide();
}

// The read-me of the data folder wins over the installed one, which stands in
// when the data folder has none.
TEST_F(TgeneralTest, TheReadMeComesFromTheDataFolderThenFromTheInstallation)
{
    QTemporaryDir installation;
    ASSERT_TRUE(installation.isValid());
    m_env.installedFilesFolder = installation.path();
    Tgeneral::Fenetres &f = m_fenetre->fenetres();
    f.texte = new TTexte(m_fenetre.get());
    m_fenetre->relieFenetres();
    auto *lisezmoi = m_fenetre->findChild<QAction *>(QStringLiteral("Lisezmoi1"));
    ASSERT_NE(lisezmoi, nullptr);
    ASSERT_TRUE(lisezmoi->isEnabled());
    const QString local = Paths::join(m_env.programFolder, QStringLiteral("lisezmoi.txt"));
    const QString installe = QDir(installation.path()).filePath(QStringLiteral("lisezmoi.txt"));

    const struct
    {
        const char *cas;
        bool dansDonnees;
        bool installe;
        QString premiereLigne;
    } cas[] = {
        {"both", true, true, QStringLiteral("Lisez-moi de l'école")},
        {"installed only", false, true, QStringLiteral("Lisez-moi installé, à lire")},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.cas);
        QFile::remove(local);
        QFile::remove(installe);
        if (c.dansDonnees) {
            ASSERT_TRUE(TextFile::saveLines(local, {QStringLiteral("Lisez-moi de l'école")}));
        }
        if (c.installe) {
            ASSERT_TRUE(TextFile::saveLines(installe, {QStringLiteral("Lisez-moi installé, à lire"), QString()}));
        }
        f.texte->setTexte({});
        QTimer::singleShot(0, f.texte, &QDialog::reject);
        lisezmoi->trigger();
        EXPECT_EQ(f.texte->windowTitle(), QStringLiteral("Lisez-moi"));
        ASSERT_FALSE(f.texte->texte().isEmpty());
        EXPECT_EQ(f.texte->texte().first(), c.premiereLigne);
    }
}

TEST_F(TgeneralTest, OnDemandAWindowIsBuiltAtItsFirstUseAndThenKept)
{
    m_fenetre->setFenetresALaDemande(true);
    auto *aPropos = m_fenetre->findChild<QAction *>(QStringLiteral("N1"));
    ASSERT_NE(aPropos, nullptr);
    EXPECT_TRUE(aPropos->isEnabled());
    EXPECT_EQ(m_fenetre->fenetres().aboutBox, nullptr);
    QList<QWidget *> vues;
    for (int fois = 0; fois < 2; ++fois) {
        QTimer::singleShot(0, m_fenetre.get(), [&vues] {
            QWidget *modale = QApplication::activeModalWidget();
            vues.append(modale);
            if (modale)
                modale->close();
        });
        aPropos->trigger();
    }
    ASSERT_EQ(vues.size(), 2);
    ASSERT_NE(vues[0], nullptr);
    EXPECT_EQ(vues[0], m_fenetre->fenetres().aboutBox);
    EXPECT_EQ(vues[1], vues[0]);
    EXPECT_EQ(m_fenetre->findChildren<TAboutBox *>().size(), 1);
}

TEST_F(TgeneralTest, TheReadMeComesFromTheDataFolderOrElseFromBesideTheProgram)
{
    m_fenetre->setFenetresALaDemande(true);
    auto *lisezMoi = m_fenetre->findChild<QAction *>(QStringLiteral("Lisezmoi1"));
    ASSERT_NE(lisezMoi, nullptr);
    auto lu = [&] {
        QTimer::singleShot(0, m_fenetre.get(), [] {
            if (QWidget *modale = QApplication::activeModalWidget())
                modale->close();
        });
        lisezMoi->trigger();
        return m_fenetre->fenetres().texte ? m_fenetre->fenetres().texte->texte() : QStringList();
    };
    // The build puts the installed read-me beside the programs, as the
    // installation does.
    const QStringList installe = TextFile::loadLines(QCoreApplication::applicationDirPath() + QStringLiteral("/lisezmoi.txt"));
    ASSERT_FALSE(installe.isEmpty());
    EXPECT_EQ(lu(), installe);
    EXPECT_EQ(m_fenetre->fenetres().texte->windowTitle(), QStringLiteral("Lisez-moi"));

    const QStringList propre{QStringLiteral("Lisez-moi de l'école"), QStringLiteral("Salle 12")};
    ASSERT_TRUE(TextFile::saveLines(m_env.programFolder + QStringLiteral("lisezmoi.txt"), propre));
    EXPECT_EQ(lu(), propre);
}

TEST_F(TgeneralTest, ClosingRecordsTheSessionAndAFailedRecordLetsThePupilStay)
{
    eleveDuJour();
    EleveState &e = m_state.eleve;
    const QString ligne = ligneTest(3);

    // The pupil's file would have to live under a plain file: it cannot be written.
    const QString bloque = Paths::join(m_dossier.path(), QStringLiteral("bloque"));
    ASSERT_TRUE(TextFile::saveLines(bloque, {QStringLiteral("x")}));
    e.fichier_eleve = Paths::join(bloque, QStringLiteral("Dupont_Jean.txt"));
    e.dossier_eleve = bloque;
    e.lignes_seance = {ligne};
    m_fenetre->setFermetureSansQuestion(false);
    bool fermee = false;
    QObject::connect(m_fenetre.get(), &Tgeneral::fermee, [&fermee] { fermee = true; });

    // Changing pupil: the failure is told, and "Non" keeps the pupil and his session.
    Dialogs::setNextAnswer(false);
    EXPECT_FALSE(m_fenetre->changement_eleve());
    ASSERT_EQ(Dialogs::history().size(), 2);
    EXPECT_EQ(Dialogs::history()[0].kind, QStringLiteral("error"));
    EXPECT_FALSE(Dialogs::history()[0].text.isEmpty());
    EXPECT_EQ(Dialogs::history()[1].kind, QStringLiteral("question"));
    EXPECT_EQ(e.nom, QStringLiteral("Dupont"));
    EXPECT_EQ(e.lignes_seance, QStringList({ligne}));

    // Closing: "Non" keeps the window open.
    Dialogs::setNextAnswer(false);
    EXPECT_FALSE(m_fenetre->close());
    EXPECT_TRUE(m_fenetre->isVisible());
    EXPECT_FALSE(fermee);

    // Once the file can be written, closing records the session and ends.
    const QString dossier = Paths::join(m_dossier.path(), QStringLiteral("Eleves"));
    e.dossier_eleve = dossier;
    e.fichier_eleve = Paths::join(dossier, QStringLiteral("Dupont_Jean.txt"));
    Dialogs::clearHistory();
    EXPECT_TRUE(m_fenetre->close());
    EXPECT_TRUE(fermee);
    EXPECT_TRUE(Dialogs::history().isEmpty());
    const QStringList lignes = TextFile::loadLines(e.fichier_eleve);
    ASSERT_EQ(lignes.size(), 2);
    EXPECT_TRUE(lignes[0].startsWith(QStringLiteral("Séance du Jeudi 10/12/2026 de 10:00:00")));
    EXPECT_EQ(lignes[1], ligne);
}

TEST_F(TgeneralTest, WhileATestRunsNothingChangesThePupilAndClosingAsksFirst)
{
    eleveDuJour();
    EleveState &e = m_state.eleve;
    const QString dossier = Paths::join(m_dossier.path(), QStringLiteral("Eleves"));
    e.dossier_eleve = dossier;
    e.fichier_eleve = Paths::join(dossier, QStringLiteral("Dupont_Jean.txt"));
    const QString entrainement = QStringLiteral("\tAPPRENTISSAGE de 10:01:00 à 10:20:00: 40 répétitions");
    e.lignes_seance = {entrainement};
    m_state.produits_etudies = {QStringLiteral("0203"), QStringLiteral("0304")};
    m_state.liste_produits = m_state.produits_etudies;
    Tgeneral::Fenetres &f = m_fenetre->fenetres();
    f.test = new Ttest(m_state, m_env, m_fenetre.get());
    f.texte = new TTexte(m_fenetre.get());
    f.ident = new Tident(m_state, m_env, m_fenetre.get());
    m_fenetre->relieFenetres();
    m_fenetre->ui().button_test->show();

    // Every command a pupil could reach from the main window.
    const auto commandesActives = [this] {
        QStringList actives;
        if (m_fenetre->menuBar()->isEnabled())
            actives << QStringLiteral("menu");
        for (QAbstractButton *b : m_fenetre->findChildren<QAbstractButton *>()) {
            if (b->window() == m_fenetre.get() && b->isEnabled() && b->isVisibleTo(m_fenetre.get()))
                actives << b->objectName();
        }
        return actives;
    };
    ASSERT_TRUE(commandesActives().contains(QStringLiteral("SpeedButton_test")));
    ASSERT_TRUE(commandesActives().contains(QStringLiteral("ButtonChangerEleve")));

    m_fenetre->lance_test();
    ASSERT_TRUE(f.test->isVisible());
    ASSERT_TRUE(f.test->testEnCours());
    EXPECT_TRUE(commandesActives().isEmpty()) << commandesActives().join(u' ').toStdString();

    // Closing mid-test asks first; "Non" keeps everything as it is.
    m_fenetre->setFermetureSansQuestion(false);
    bool fermee = false;
    QObject::connect(m_fenetre.get(), &Tgeneral::fermee, [&fermee] { fermee = true; });
    Dialogs::clearHistory();
    Dialogs::setNextAnswer(false);
    EXPECT_FALSE(m_fenetre->close());
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history()[0].title, QStringLiteral("Test en cours"));
    EXPECT_TRUE(f.test->isVisible());
    EXPECT_FALSE(fermee);
    EXPECT_FALSE(QFileInfo::exists(e.fichier_eleve));

    // Back from the test, the commands come back.
    f.test->hide();
    EXPECT_TRUE(commandesActives().contains(QStringLiteral("menu")));
    EXPECT_TRUE(commandesActives().contains(QStringLiteral("SpeedButton_test")));
    EXPECT_TRUE(commandesActives().contains(QStringLiteral("ButtonChangerEleve")));

    // "Oui": the test is dropped, the session before it is recorded.
    m_fenetre->lance_test();
    ASSERT_TRUE(f.test->testEnCours());
    Dialogs::clearHistory();
    Dialogs::setNextAnswer(true);
    EXPECT_TRUE(m_fenetre->close());
    EXPECT_TRUE(fermee);
    EXPECT_FALSE(f.test->isVisible());
    const QStringList lignes = TextFile::loadLines(e.fichier_eleve);
    ASSERT_EQ(lignes.size(), 2);
    EXPECT_TRUE(lignes[0].startsWith(QStringLiteral("Séance du Jeudi 10/12/2026 de 10:00:00")));
    EXPECT_EQ(lignes[1], entrainement);
}

// Shut down mid-test with the pupil's file out of reach: no box and no
// question waits for an answer that will never come; the program ends, and
// the failure is in the log for the teacher.
TEST_F(TgeneralTest, EndingWithTheSystemMidTestAsksNothingAndLogsAFailedRecord)
{
    eleveDuJour();
    EleveState &e = m_state.eleve;
    const QString bloque = Paths::join(m_dossier.path(), QStringLiteral("bloque"));
    ASSERT_TRUE(TextFile::saveLines(bloque, {QStringLiteral("x")}));
    e.dossier_eleve = bloque;
    e.fichier_eleve = Paths::join(bloque, QStringLiteral("Dupont_Jean.txt"));
    e.lignes_seance = {QStringLiteral("\tAPPRENTISSAGE de 10:01:00 à 10:20:00: 40 répétitions")};
    m_state.produits_etudies = {QStringLiteral("0203"), QStringLiteral("0304")};
    m_state.liste_produits = m_state.produits_etudies;
    Tgeneral::Fenetres &f = m_fenetre->fenetres();
    f.test = new Ttest(m_state, m_env, m_fenetre.get());
    m_fenetre->relieFenetres();
    m_fenetre->setFermetureSansQuestion(false);
    bool fermee = false;
    QObject::connect(m_fenetre.get(), &Tgeneral::fermee, [&fermee] { fermee = true; });
    m_fenetre->lance_test();
    ASSERT_TRUE(f.test->testEnCours());

    m_fenetre->fin_de_session_systeme();
    EXPECT_TRUE(Dialogs::history().isEmpty());
    EXPECT_TRUE(fermee);
    EXPECT_FALSE(f.test->isVisible());
    EXPECT_FALSE(m_fenetre->isVisible());
    const QStringList journal = TextFile::loadLines(m_env.programFolder + QStringLiteral("Tabulon.log"));
    ASSERT_FALSE(journal.isEmpty());
    EXPECT_TRUE(journal.last().contains(QStringLiteral("Enregistrement impossible: "))) << journal.last().toStdString();
    // Told once: a second request changes nothing.
    m_fenetre->fin_de_session_systeme();
    EXPECT_EQ(TextFile::loadLines(m_env.programFolder + QStringLiteral("Tabulon.log")).size(), journal.size());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST_F(TgeneralTest, ClosingWhenTheShareIsGoneKeepsTheSessionHereAndSaysSo)
{
    eleveDuJour();
    EleveState &e = m_state.eleve;
    m_state.mode_ecole = true;
    m_state.dossier_eleves = Paths::join(m_dossier.path(), QStringLiteral("serveur/Eleves"));
    m_state.dossier_eleves_monoposte = QStringLiteral("Donnees/Eleves");
    // The share was unmounted during the session: its folder is gone.
    e.dossier_eleve = Paths::join(m_state.dossier_eleves, QStringLiteral("Ecole"));
    e.fichier_eleve = Paths::join(e.dossier_eleve, QStringLiteral("Dupont_Jean.txt"));
    e.lignes_seance = {ligneTest(3)};
    m_fenetre->setFermetureSansQuestion(false);

    EXPECT_TRUE(m_fenetre->close());
    ASSERT_EQ(Dialogs::history().size(), 1);
    EXPECT_EQ(Dialogs::history()[0].kind, QStringLiteral("information"));
    EXPECT_TRUE(Dialogs::history()[0].text.contains(QStringLiteral("gardée sur ce poste")))
        << Dialogs::history()[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(e.dossier_eleve));
    const QStringList lignes =
        TextFile::loadLines(Paths::join(m_dossier.path(), QStringLiteral("Donnees/Eleves/Ecole/Dupont_Jean.txt")));
    ASSERT_EQ(lignes.size(), 2);
    EXPECT_EQ(lignes[1], ligneTest(3));
}
