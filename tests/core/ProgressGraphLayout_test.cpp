#include "core/ProgressGraphLayout.h"

#include <gtest/gtest.h>

namespace {

using Layout = ProgressGraphLayout;

TEST(ProgressGraphLayout, ShortDayLabelsAndSchoolYears)
{
    const struct
    {
        const char *jour;
        const char *court;
        const char *annee;
    } cas[] = {
        {"Mardi 14/11/2006", "Mar 14/11/06", "2006-2007"},
        {"Vendredi 31/08/2007", "Ven 31/08/07", "2006-2007"},
        {"Samedi 01/09/2007", "Sam 01/09/07", "2007-2008"},
        // Damaged labels are shown as they are and belong to no year.
        {"Lundi", "Lundi", ""},
        {"Lundi 1/2", "Lundi 1/2", ""},
        {"", "", ""},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.jour);
        EXPECT_EQ(Layout::etiquette_courte(QString::fromUtf8(c.jour)), QString::fromUtf8(c.court));
        EXPECT_EQ(Layout::annee_scolaire_du_jour(QString::fromUtf8(c.jour)), QString::fromUtf8(c.annee));
    }
}

TEST(ProgressGraphLayout, ScoresOutsideTheScaleGetNoColourAndStayInsideTheDrawing)
{
    QList<EntreeGraphique> entrees;
    for (const char *score : {"-1", "150", "abc"}) {
        EntreeGraphique e;
        e.jour = QStringLiteral("Mardi 14/11/2006");
        e.score = QString::fromLatin1(score);
        entrees.append(e);
    }
    const Layout::Plan plan = Layout::planifie(entrees, 40, 800, {});
    int barres = 0;
    for (const Layout::Element &element : plan.elements) {
        if (element.genre != Layout::Genre::Barre)
            continue;
        ++barres;
        EXPECT_EQ(element.couleur, Layout::kPasDeCouleur) << element.entree;
        EXPECT_GE(element.height, 1);
        EXPECT_LE(element.height, 201);
        EXPECT_EQ(element.top + element.height, 261);
    }
    EXPECT_EQ(barres, 3);
}

TEST(ProgressGraphLayout, NoEntryKeepsTheFirstBox)
{
    const Layout::Plan plan = Layout::planifie({}, 40, 1024, {});
    EXPECT_TRUE(plan.elements.isEmpty());
    EXPECT_EQ(plan.largeurScrollbox, 600);
    EXPECT_EQ(plan.hauteurScrollbox, 350);
    EXPECT_EQ(plan.longueurLignes, 320);
    EXPECT_FALSE(plan.defileALaFin);
}

} // namespace
