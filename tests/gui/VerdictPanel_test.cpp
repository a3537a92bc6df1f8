#include "core/SessionState.h"
#include "core/TestConclusion.h"
#include "timedtest/VerdictPanel.h"
#include "widgets/ActivityWindowFrame.h"
#include "widgets/GridPainter.h"
#include "support/Records.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

// The longest texts the verdict can hold, each laid out on the real grid:
// nothing may run past the panel's edge, and the panel must fit in the test
// window.
struct Cas
{
    const char *nom;
    // One pattern of 8 answers per table 2..9 (see Fixtures::tableSorte);
    // nullptr leaves the table out of the test.
    const char *tables[8];
    bool record;
};

QString enregistrements(const Cas &c)
{
    QString r;
    for (int t = 2; t <= 9; ++t) {
        if (c.tables[t - 2])
            r += Fixtures::tableSorte(t, c.tables[t - 2], 100);
    }
    return r;
}

} // namespace

TEST(VerdictPanel, NoTextRunsPastThePanelAndThePanelFitsTheWindow)
{
    const char *parfait = "WWWWWWWW";
    const char *bien = "WWWWWWWX";     // 87
    const char *mal = "XXXXWWWW";      // 50
    const char *nul = "XXXXXXXX";      // 0
    const Cas cas[] = {
        // One table badly known, the seven others well: the long BIEN list.
        {"une MAL, sept BIEN", {bien, parfait, parfait, parfait, mal, parfait, bien, parfait}, false},
        {"sept MAL, une BIEN", {mal, mal, nul, mal, mal, mal, mal, parfait}, false},
        {"tout juste", {parfait, parfait, parfait, parfait, parfait, parfait, parfait, parfait}, true},
        {"tout faux", {nul, nul, nul, nul, nul, nul, nul, nul}, false},
        // Only some tables: "Tu sais les tables testées à" and its second line.
        {"une table de chaque côté", {mal, parfait, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}, false},
        {"sept tables testées, parfait", {parfait, parfait, parfait, parfait, parfait, parfait, parfait, nullptr}, true},
        {"sept tables testées, très faible", {nul, nul, nul, nul, nul, nul, mal, nullptr}, false},
    };
    SessionState state;
    state.temps_acceptable = 4;
    state.objectifs = QStringLiteral("tables_classiques");
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        const QString records = enregistrements(c);
        VerdictTest verdict;
        verdict.classique = true;
        const bool toutes = c.tables[7] != nullptr;
        TestConclusion::remplit_verdict(verdict, state, records, toutes);
        verdict.recordBattu = c.record;
        ASSERT_EQ(verdict.label11.isEmpty(), toutes);

        VerdictPanel panel;
        panel.affiche(verdict, GridPainter::avecTransparence(dessine_grille_test(records, 4)));
        panel.show();
        EXPECT_LE(panel.width(), ActivityWindowFrame::kLargeur);
        int visibles = 0;
        for (QWidget *w : panel.findChildren<QWidget *>()) {
            if (!w->isVisibleTo(&panel))
                continue;
            ++visibles;
            SCOPED_TRACE(w->objectName().toStdString());
            EXPECT_TRUE(panel.rect().contains(w->geometry()))
                << w->geometry().x() << "," << w->geometry().y() << " " << w->width() << "×" << w->height()
                << " dans " << panel.width() << "×" << panel.height();
            if (auto *label = qobject_cast<QLabel *>(w); label && !label->text().isEmpty()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
        }
        // The summary line, its frame, the grid and at least one list are shown.
        EXPECT_GE(visibles, 9);
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
