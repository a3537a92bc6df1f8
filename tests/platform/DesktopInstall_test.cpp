#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

// The desktop installation of this very build, into a temporary prefix, as a
// packager or a user runs it; then the validators of the desktop entry and
// of the metainfo, and a start of the installed program.

namespace {

struct Sortie
{
    int code = -1;
    QString texte;
};

Sortie lance(const QString &programme, const QStringList &arguments,
             const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programme, arguments);
    if (!p.waitForStarted(10000))
        return {-1, QStringLiteral("%1 ne démarre pas: %2").arg(programme, p.errorString())};
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

class DesktopInstall : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_prefixe = new QTemporaryDir;
        ASSERT_TRUE(s_prefixe->isValid());
        const Sortie s = lance(QStringLiteral(TABULON_CMAKE),
                               {QStringLiteral("--install"), QStringLiteral(TABULON_DOSSIER_CONSTRUCTION),
                                QStringLiteral("--prefix"), s_prefixe->path()});
        ASSERT_EQ(s.code, 0) << s.texte.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete s_prefixe;
        s_prefixe = nullptr;
    }

    static QString chemin(const QString &relatif) { return QDir(s_prefixe->path()).filePath(relatif); }
    static QString appId() { return QStringLiteral(TABULON_APP_ID); }

    static QTemporaryDir *s_prefixe;
};

QTemporaryDir *DesktopInstall::s_prefixe = nullptr;

} // namespace

TEST_F(DesktopInstall, EveryFileLandsWhereTheDesktopLooksForIt)
{
    const QString attendus[] = {
        QStringLiteral("bin/tabulon"),
        QStringLiteral("share/applications/%1.desktop").arg(appId()),
        QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(appId()),
        QStringLiteral("share/metainfo/%1.metainfo.xml").arg(appId()),
        // In the installation's data folder, where its "Lisez-moi" entry finds it.
        QStringLiteral("share/tabulon/lisezmoi.txt"),
    };
    for (const QString &relatif : attendus) {
        SCOPED_TRACE(relatif.toStdString());
        EXPECT_TRUE(QFileInfo(chemin(relatif)).isFile());
    }
    EXPECT_TRUE(QFileInfo(chemin(QStringLiteral("bin/tabulon"))).isExecutable());

    // The icon is a drawing of its own, in well-formed SVG.
    QFile icone(chemin(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(appId())));
    ASSERT_TRUE(icone.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&icone);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

TEST_F(DesktopInstall, TheDesktopEntryIsFrenchAndValid)
{
    const QString entree = chemin(QStringLiteral("share/applications/%1.desktop").arg(appId()));
    const Sortie s = lance(QStringLiteral("desktop-file-validate"), {entree});
    EXPECT_EQ(s.code, 0) << s.texte.toStdString();
    EXPECT_TRUE(s.texte.trimmed().isEmpty()) << s.texte.toStdString();

    // Keys of the entry; its values hold ";" and "'", which an ini reader would cut.
    QFile fichier(entree);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    QHash<QString, QString> cles;
    for (const QByteArray &ligne : fichier.readAll().split('\n')) {
        const qsizetype egal = ligne.indexOf('=');
        if (egal > 0)
            cles.insert(QString::fromUtf8(ligne.left(egal)), QString::fromUtf8(ligne.mid(egal + 1)));
    }
    EXPECT_EQ(cles.value(QStringLiteral("Name")), QStringLiteral("Tabulon"));
    EXPECT_EQ(cles.value(QStringLiteral("Comment")),
              QStringLiteral("Apprendre les tables de multiplication, s'entraîner et suivre ses progrès"));
    EXPECT_EQ(cles.value(QStringLiteral("Icon")), appId());
    EXPECT_EQ(cles.value(QStringLiteral("Exec")), QStringLiteral("tabulon"));
    const QStringList categories = cles.value(QStringLiteral("Categories")).split(u';', Qt::SkipEmptyParts);
    EXPECT_TRUE(categories.contains(QStringLiteral("Education")));
    EXPECT_TRUE(categories.contains(QStringLiteral("Math")));
}

TEST_F(DesktopInstall, TheProgramFindsItsReadMeAndTheManualPageReadsClean)
{
    // The path the installed program takes from its own folder to its read-me.
    const QString programme = chemin(QStringLiteral(TABULON_LIBEXEC));
    const QString lisezmoi = QDir(programme).filePath(QStringLiteral(TABULON_FICHIERS_INSTALLES "/lisezmoi.txt"));
    EXPECT_TRUE(QFileInfo(lisezmoi).isFile()) << lisezmoi.toStdString();

    const QString manuel = chemin(QStringLiteral(TABULON_MANUEL));
    ASSERT_TRUE(QFileInfo(manuel).isFile()) << manuel.toStdString();
    // What lintian asks of a manual page: a whatis line and no warning from the formatter.
    const Sortie resume = lance(QStringLiteral("lexgrog"), {manuel});
    EXPECT_EQ(resume.code, 0) << resume.texte.toStdString();
    EXPECT_TRUE(resume.texte.contains(QStringLiteral("tabulon - apprendre les tables"))) << resume.texte.toStdString();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    const Sortie rendu = lance(QStringLiteral("man"), {QStringLiteral("--warnings"), QStringLiteral("-E"),
                                                       QStringLiteral("UTF-8"), QStringLiteral("-l"), manuel},
                               env);
    EXPECT_EQ(rendu.code, 0) << rendu.texte.toStdString();
    EXPECT_FALSE(rendu.texte.contains(QStringLiteral("warning"))) << rendu.texte.toStdString();
    EXPECT_TRUE(rendu.texte.contains(QStringLiteral("TABULON_DATA"))) << rendu.texte.toStdString();
}

// The printer comes from a module beside the installed program, which loads
// it from there at the first print: the program itself starts without the
// printing library, and without the sound one.
TEST_F(DesktopInstall, ThePrintingModuleLiesBesideTheProgramWhichStartsWithoutIt)
{
    const QDir dossier(chemin(QStringLiteral(TABULON_LIBEXEC)));
    QLibrary module(dossier.filePath(QStringLiteral("tabulon_impression")));
    ASSERT_TRUE(module.load()) << module.errorString().toStdString();
    EXPECT_NE(module.resolve("tabulon_cree_imprimante"), nullptr);
    EXPECT_NE(module.resolve("tabulon_dialogue_impression"), nullptr);

    const Sortie dependances = lance(QStringLiteral("readelf"), {QStringLiteral("-d"), dossier.filePath(QStringLiteral("tabulon"))});
    ASSERT_EQ(dependances.code, 0) << dependances.texte.toStdString();
    EXPECT_TRUE(dependances.texte.contains(QStringLiteral("libQt6Widgets"))) << dependances.texte.toStdString();
    EXPECT_FALSE(dependances.texte.contains(QStringLiteral("PrintSupport"))) << dependances.texte.toStdString();
    EXPECT_FALSE(dependances.texte.contains(QStringLiteral("Multimedia"))) << dependances.texte.toStdString();
}

TEST_F(DesktopInstall, TheMetainfoIsValid)
{
    const Sortie s = lance(QStringLiteral("appstreamcli"),
                           {QStringLiteral("validate"), QStringLiteral("--no-net"),
                            chemin(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(appId()))});
    EXPECT_EQ(s.code, 0) << s.texte.toStdString();
}

TEST_F(DesktopInstall, TheInstalledLauncherStartsTheProgramInItsDataFolder)
{
    QTemporaryDir donnees;
    ASSERT_TRUE(donnees.isValid());
    const QString dossier = QDir(donnees.path()).filePath(QStringLiteral("Tabulon"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TABULON_DATA"), dossier);
    env.insert(QStringLiteral("TABULON_STARTUP_PROBE"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const Sortie s = lance(chemin(QStringLiteral("bin/tabulon")), {}, env);
    EXPECT_EQ(s.code, 0) << s.texte.toStdString();
    EXPECT_TRUE(s.texte.contains(QStringLiteral("first-window-ms="))) << s.texte.toStdString();
    EXPECT_TRUE(QFileInfo(QDir(dossier).filePath(QStringLiteral("Tabulon.ini"))).isFile());
}
