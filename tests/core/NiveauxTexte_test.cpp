#include "core/NiveauxTexte.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

// "nom:classe|classe;nom:..." for compact expectations.
QString describe(const QList<Niveau> &niveaux)
{
    QStringList parts;
    for (const Niveau &n : niveaux)
        parts.append(n.nom + u':' + n.classes.join(u'|'));
    return parts.join(u';');
}

} // namespace

TEST(NiveauxTexte, ParsesWellFormedTextsAndFormatsThemBack)
{
    struct Case { QString text; QString expected; int classes; };
    const Case cases[] = {
        {"CP<CPa>CE1<CE1a,CE1b>", "CP:CPa;CE1:CE1a|CE1b", 3},
        {NiveauxTexte::defaut(), "sixième:61|62;cinquième:51|52|53;quatrième:41|42|43;troisième:31|32", 10},
        {"A<1>", "A:1", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QList<Niveau> niveaux = NiveauxTexte::parse(c.text);
        EXPECT_EQ(describe(niveaux), c.expected);
        int total = 0;
        for (const Niveau &n : niveaux)
            total += int(n.classes.size());
        EXPECT_EQ(total, c.classes);
        EXPECT_EQ(NiveauxTexte::format(niveaux), c.text);
    }
}

TEST(NiveauxTexte, NamesAreCutToTenCharacters)
{
    const QList<Niveau> niveaux = NiveauxTexte::parse("Cours élémentaire 1<CE1 de Mme Dupont,b>");
    ASSERT_EQ(niveaux.size(), 1);
    EXPECT_EQ(niveaux[0].nom, "Cours élém");
    EXPECT_EQ(niveaux[0].classes, (QStringList{"CE1 de Mme", "b"}));
    const QList<Niveau> longs{{"quatrièmeXYZ", {"classe-trop-longue", "c"}}};
    EXPECT_EQ(NiveauxTexte::format(longs), "quatrièmeX<classe-tro,c>");
}

TEST(NiveauxTexte, KeepsAtMostFifteenLevelsAndTwentyClasses)
{
    QString text;
    for (int i = 1; i <= 17; ++i)
        text += QStringLiteral("N%1<a>").arg(i);
    QStringList many;
    for (int k = 1; k <= 25; ++k)
        many.append(QString::number(k));
    text = QStringLiteral("Gros<%1>").arg(many.join(u',')) + text;
    const QList<Niveau> niveaux = NiveauxTexte::parse(text);
    ASSERT_EQ(niveaux.size(), 15);
    EXPECT_EQ(niveaux[0].classes.size(), 20);
    EXPECT_EQ(niveaux[0].classes.last(), "20");
    EXPECT_EQ(niveaux[14].nom, "N14");
    // Classes of a level past the 15th never land in another level.
    EXPECT_EQ(niveaux[14].classes, QStringList{"a"});
}

TEST(NiveauxTexte, MalformedTextsNeverCrashAndKeepWhatMakesSense)
{
    struct Case { QString text; QString expected; };
    const Case cases[] = {
        {"", ""},
        {"sans separateur", ""},
        {"61,62>", ""},                          // classes without a level
        {"CP<CPa", "CP:"},                        // unfinished level: the last class is never closed
        {"CP<>", "CP:"},                          // an empty name stays an empty name
        {"CP<,a>", "CP:|a"},
        {"<CPa>", ""},                            // the first character is always part of a name
        {"A<1<2>", "A:;1:2"},
        {"A<1>>>,,B<2>", "A:1;B:2"},
        {">", ""},
        {"A<1>trailing", "A:1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(describe(NiveauxTexte::parse(c.text)), c.expected);
    }
}
