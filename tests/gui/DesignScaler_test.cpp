#include "widgets/ActivityWindowFrame.h"
#include "widgets/DesignScaler.h"
#include "widgets/Tboite_message.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A window built in design pixels, as every pupil window is: a label with its
// own font, a button of fixed size, a panel laid out by a layout.
struct Fenetre
{
    QWidget fenetre;
    ActivityWindowFrame *cadre;
    QLabel *titre;
    QPushButton *bouton;
    QWidget *panneau;
    QLabel *mot;

    Fenetre()
        : cadre(new ActivityWindowFrame(&fenetre, QStringLiteral("fond"), QStringLiteral("Essai"),
                                        ActivityWindowFrame::Ecran::Laisse))
    {
        fenetre.resize(800, 600);
        QWidget *fond = cadre->contenu();
        titre = new QLabel(QStringLiteral("Bonjour"), fond);
        QFont f = titre->font();
        f.setPointSize(20);
        titre->setFont(f);
        titre->setGeometry(100, 50, 300, 40);
        bouton = new QPushButton(QStringLiteral("OK"), fond);
        bouton->setFixedSize(80, 30);
        bouton->move(600, 500);
        panneau = new QWidget(fond);
        panneau->setGeometry(20, 200, 200, 100);
        auto *rangee = new QHBoxLayout(panneau);
        rangee->setContentsMargins(10, 10, 10, 10);
        mot = new QLabel(QStringLiteral("mot"), panneau);
        rangee->addWidget(mot);
        fenetre.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    }
};

// The design is shown at the window's scale, proportions kept and centred;
// the window's code still reads and writes design pixels; back at the design
// size every control is exactly where it was built.
TEST(DesignScaler, ShowsTheDesignAtTheWindowsScaleAndKeepsItsPixels)
{
    Fenetre f;
    QWidget *fond = f.cadre->contenu();
    EXPECT_EQ(fond->geometry(), QRect(0, 0, 800, 600));
    const int pointsDeDepart = f.titre->font().pointSize();

    f.fenetre.resize(1920, 1080); // 1.8 times the design, 1440 px wide
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(f.cadre->scaler()->scale(), 1.8);
    EXPECT_EQ(fond->geometry(), QRect(240, 0, 1440, 1080));
    EXPECT_EQ(f.titre->geometry(), QRect(180, 90, 540, 72));
    EXPECT_EQ(f.titre->font().pointSize(), 36);
    EXPECT_EQ(f.bouton->geometry(), QRect(1080, 900, 144, 54));
    EXPECT_EQ(DesignScaler::designGeometry(f.titre), QRect(100, 50, 300, 40));
    EXPECT_EQ(f.panneau->layout()->contentsMargins(), QMargins(18, 18, 18, 18));
    EXPECT_GT(f.mot->font().pointSizeF(), 1.7 * QApplication::font().pointSizeF());

    // What the window does after the scale changed is in design pixels too.
    f.titre->move(10, 10);
    f.bouton->setFixedSize(100, 40);
    QFont plusGrand = f.titre->font();
    plusGrand.setPointSize(10);
    f.titre->setFont(plusGrand);
    EXPECT_EQ(f.titre->geometry(), QRect(18, 18, 540, 72));
    EXPECT_EQ(f.titre->font().pointSize(), 18);
    EXPECT_EQ(f.bouton->size(), QSize(180, 72));
    EXPECT_EQ(DesignScaler::designGeometry(f.bouton), QRect(600, 500, 100, 40));

    // A control made now, hidden, and shown later takes the scale too.
    auto *tard = new QLabel(QStringLiteral("tard"), fond);
    tard->hide();
    tard->setGeometry(400, 300, 100, 20);
    EXPECT_EQ(DesignScaler::designGeometry(tard), QRect(400, 300, 100, 20));
    tard->show();
    EXPECT_EQ(tard->geometry(), QRect(720, 540, 180, 36));

    f.fenetre.resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(fond->geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(f.titre->geometry(), QRect(10, 10, 300, 40));
    EXPECT_EQ(f.titre->font().pointSize(), 10);
    EXPECT_EQ(f.bouton->geometry(), QRect(600, 500, 100, 40));
    EXPECT_EQ(tard->geometry(), QRect(400, 300, 100, 20));
    EXPECT_EQ(f.panneau->layout()->contentsMargins(), QMargins(10, 10, 10, 10));
    EXPECT_EQ(f.mot->font().pointSize(), QApplication::font().pointSize());
    EXPECT_GT(pointsDeDepart, 0);
}

// A design area the window widens (a long row of tiles) is scaled to fit
// again at once; a label fitted to its text gives back its design size.
TEST(DesignScaler, FollowsTheDesignSizeAndTextFittedLabels)
{
    Fenetre f;
    f.fenetre.resize(1600, 1200);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(f.cadre->scaler()->scale(), 2.0);
    f.cadre->contenu()->resize(1000, 600); // design pixels
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(f.cadre->scaler()->scale(), 1.6);
    EXPECT_EQ(f.cadre->contenu()->geometry(), QRect(0, 120, 1600, 960));

    f.titre->setText(QStringLiteral("Un texte bien plus long que le premier"));
    f.titre->adjustSize();
    const QSize design = DesignScaler::designGeometry(f.titre).size();
    EXPECT_NEAR(design.width() * 1.6, f.titre->width(), 2.0);
    EXPECT_LT(design.width(), f.titre->width());
}

// What a scroll area builds inside itself stays its own; its content grows.
TEST(DesignScaler, LeavesAScrollAreasOwnPartsAlone)
{
    Fenetre f;
    auto *zone = new QScrollArea(f.cadre->contenu());
    auto *contenu = new QWidget;
    zone->setWidget(contenu);
    auto *liste = new QListWidget(contenu);
    liste->setGeometry(0, 0, 60, 100);
    contenu->resize(700, 100);
    zone->setGeometry(20, 20, 400, 130);
    zone->show();
    f.fenetre.resize(1600, 1200);
    QApplication::processEvents();
    EXPECT_EQ(zone->geometry(), QRect(40, 40, 800, 260));
    EXPECT_EQ(contenu->size(), QSize(1400, 200));
    EXPECT_EQ(liste->geometry(), QRect(0, 0, 120, 200));
    EXPECT_EQ(zone->horizontalScrollBar()->maximum(), 1400 - zone->viewport()->width());
    EXPECT_EQ(DesignScaler::scaleOf(zone->horizontalScrollBar()), 1.0);
}

// A box opening over a window shown twice as large is twice as large too,
// its text included, and still centred on the window.
TEST(DesignScaler, AMessageBoxOpensAtTheScaleOfItsWindow)
{
    Fenetre f;
    Tboite_message seule;
    seule.setCommentaire(QStringLiteral("Trop long!"));
    seule.show();
    const QSize normale = seule.size();
    const int pixelsNormaux = seule.findChild<QLabel *>(QStringLiteral("Commentaire"))->font().pixelSize();
    seule.hide();

    f.fenetre.resize(1600, 1200);
    QApplication::processEvents();
    Tboite_message boite(&f.fenetre);
    boite.setCommentaire(QStringLiteral("Trop long!"));
    boite.show();
    EXPECT_NEAR(boite.width(), 2 * normale.width(), 2);
    EXPECT_NEAR(boite.height(), 2 * normale.height(), 2);
    EXPECT_EQ(boite.findChild<QLabel *>(QStringLiteral("Commentaire"))->font().pixelSize(), 2 * pixelsNormaux);
    const QPoint milieu = f.fenetre.mapToGlobal(f.fenetre.rect().center());
    EXPECT_NEAR(boite.geometry().center().x(), milieu.x(), 2);
    EXPECT_NEAR(boite.geometry().center().y(), milieu.y(), 2);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
