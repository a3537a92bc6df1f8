#include "widgets/QtFrench.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

// What the user reads: without the mnemonic and the shortcut.
QString lu(QString texte)
{
    texte.remove(QLatin1Char('&'));
    return texte.section(QLatin1Char('\t'), 0, 0);
}

} // namespace

TEST(QtFrench, StandardButtonsAndTheTextFieldMenuSpeakFrench)
{
    ASSERT_TRUE(installeTraductionsQt(*qApp));
    EXPECT_TRUE(installeTraductionsQt(*qApp));  // a second call changes nothing

    QDialogButtonBox boutons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes
                             | QDialogButtonBox::No);
    EXPECT_EQ(lu(boutons.button(QDialogButtonBox::Cancel)->text()), QStringLiteral("Annuler"));
    EXPECT_EQ(lu(boutons.button(QDialogButtonBox::Yes)->text()), QStringLiteral("Oui"));
    EXPECT_EQ(lu(boutons.button(QDialogButtonBox::No)->text()), QStringLiteral("Non"));

    QLineEdit champ(QStringLiteral("Dupont"));
    const std::unique_ptr<QMenu> menu(champ.createStandardContextMenu());
    QStringList textes;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            textes << lu(action->text());
    }
    for (const char *attendu : {"Annuler", "Couper", "Copier", "Coller", "Tout sélectionner"})
        EXPECT_TRUE(textes.contains(QString::fromUtf8(attendu))) << attendu << " absent de: "
                                                                 << textes.join(QStringLiteral(" | ")).toStdString();
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
