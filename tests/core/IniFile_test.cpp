#include "core/IniFile.h"
#include "core/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A file as a teacher's workstation leaves it: accents in Windows-1252,
// spaces in section and key names, odd spacing, a comment, CR LF.
const QByteArray kSample =
    "; r\xE9glages de l'\xE9" "cole\r\n"
    "[General]\r\n"
    "Mode=Ecole\r\n"
    "\r\n"
    "[Param\xE8tres]\r\n"
    "temps de r\xE9ponse acceptable = 4\r\n"
    "  temps de r\xE9ponse maximum=30\r\n"
    "Objectifs tables classiques par defaut=\"table_2,table_3\"\r\n"
    "\r\n"
    "[Dossiers]\r\n"
    "Chemin serveur=\\\\srv\\data\r\n"
    "Dossier \xE9l\xE8ves en r\xE9seau={Chemin serveur}\\Eleves\r\n"
    "\r\n"
    "[Etablissement]\r\n"
    "Nom=Coll\xE8ge de Valdorne\r\n"
    "Niveaux et classes 2006-2007=CP<CPa>CE1<CE1a,CE1b>\r\n";

class IniFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("Tabulon.ini");
    }
    void writeBytes(const QByteArray &bytes) { ASSERT_TRUE(TextFile::saveBytes(m_path, bytes)); }

    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace

TEST_F(IniFileTest, ReadsLikeWindowsWhateverTheCaseAndSpacing)
{
    writeBytes(kSample);
    const IniFile ini(m_path);
    struct Case { const char *section; const char *key; QString expected; };
    const Case cases[] = {
        {"General", "Mode", "Ecole"},
        {"GENERAL", "mode", "Ecole"},
        {"Paramètres", "Temps de réponse ACCEPTABLE", "4"},
        {" paramètres ", "temps de réponse maximum", "30"},
        {"Paramètres", "Objectifs tables classiques par defaut", "table_2,table_3"},
        {"Dossiers", "Chemin serveur", "\\\\srv\\data"},
        {"Dossiers", "Dossier élèves en réseau", "{Chemin serveur}\\Eleves"},
        {"Etablissement", "Nom", "Collège de Valdorne"},
        {"Etablissement", "niveaux et classes 2006-2007", "CP<CPa>CE1<CE1a,CE1b>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.section) + " / " + c.key);
        EXPECT_EQ(ini.readString(QString::fromUtf8(c.section), QString::fromUtf8(c.key)), c.expected);
        EXPECT_TRUE(ini.hasKey(QString::fromUtf8(c.section), QString::fromUtf8(c.key)));
    }
    EXPECT_EQ(ini.readInteger("Paramètres", "temps de réponse acceptable"), 4);
    EXPECT_EQ(ini.readInteger("paramètres", "temps de réponse maximum"), 30);
}

TEST_F(IniFileTest, MissingValuesReadAsMarkerOrMinusOne)
{
    writeBytes(kSample);
    const IniFile ini(m_path);
    EXPECT_EQ(IniFile::kMarker, QStringLiteral("Fichier Tabulon.ini endommagé"));
    EXPECT_EQ(ini.readString("General", "Autorise configuration personnelle"), IniFile::kMarker);
    EXPECT_EQ(ini.readString("Absente", "Mode"), IniFile::kMarker);
    EXPECT_EQ(ini.readString("Dossiers", "Absente", QString()), QString());
    EXPECT_FALSE(ini.hasKey("General", "Absente"));
    // A key of another section is not found.
    EXPECT_EQ(ini.readString("General", "Nom"), IniFile::kMarker);
    EXPECT_EQ(ini.readInteger("Paramètres", "Absente"), -1);
    EXPECT_EQ(ini.readInteger("General", "Mode"), -1);  // not a number
    EXPECT_FALSE(ini.readBool("General", "Absente"));

    const IniFile absent(m_dir.filePath("absent.ini"));
    EXPECT_FALSE(absent.exists());
    EXPECT_EQ(absent.readString("General", "Mode"), IniFile::kMarker);
    EXPECT_EQ(absent.readInteger("Paramètres", "temps de réponse maximum"), -1);
}

TEST_F(IniFileTest, BooleanIsExactlyOui)
{
    writeBytes("[Apparence]\r\nA=oui\r\nB=Oui\r\nC=non\r\nD=oui \r\nE=\r\n");
    const IniFile ini(m_path);
    EXPECT_TRUE(ini.readBool("Apparence", "A"));
    EXPECT_FALSE(ini.readBool("Apparence", "B"));
    EXPECT_FALSE(ini.readBool("Apparence", "C"));
    EXPECT_TRUE(ini.readBool("Apparence", "D"));  // surrounding blanks are not part of a value
    EXPECT_FALSE(ini.readBool("Apparence", "E"));
}

TEST_F(IniFileTest, SectionTextHoldsKeysAndValuesForSearching)
{
    writeBytes(kSample);
    const IniFile ini(m_path);
    const QString text = ini.sectionText("etablissement");
    EXPECT_EQ(text, QStringLiteral("Nom=Collège de Valdorne\r\nNiveaux et classes 2006-2007=CP<CPa>CE1<CE1a,CE1b>"));
    EXPECT_TRUE(text.contains("2006-2007"));
    EXPECT_TRUE(ini.sectionText("Absente").isEmpty());
}

TEST_F(IniFileTest, WritingOneKeyKeepsEveryOtherByte)
{
    writeBytes(kSample);
    IniFile ini(m_path);
    // The section is found whatever its case; only that one line changes.
    ASSERT_TRUE(ini.writeString("PARAMÈTRES", "temps de réponse maximum", "25"));
    QByteArray expected = kSample;
    expected.replace("  temps de r\xE9ponse maximum=30\r\n", "temps de r\xE9ponse maximum=25\r\n");
    EXPECT_EQ(readAll(m_path), expected);
    EXPECT_EQ(ini.readInteger("Paramètres", "temps de réponse maximum"), 25);

    // A new key goes at the end of its section, a new section at the end.
    ASSERT_TRUE(ini.writeString("General", "Autorise configuration personnelle", "oui"));
    ASSERT_TRUE(ini.writeString("Apparence", "Chrono test visible", "non"));
    const QByteArray after = readAll(m_path);
    EXPECT_TRUE(after.contains("Mode=Ecole\r\nAutorise configuration personnelle=oui\r\n\r\n[Param"));
    EXPECT_TRUE(after.endsWith("CE1b>\r\n\r\n[Apparence]\r\nChrono test visible=non\r\n"));
    EXPECT_TRUE(ini.readBool("General", "Autorise configuration personnelle"));
    EXPECT_EQ(ini.readString("Etablissement", "Nom"), QStringLiteral("Collège de Valdorne"));
}

TEST_F(IniFileTest, WritingCreatesAMissingFile)
{
    IniFile ini(m_dir.filePath("sous/dossier/Tabulon.ini"));
    ASSERT_TRUE(ini.writeString("Dossiers", "Chemin serveur", "\\\\srv\\data"));
    EXPECT_EQ(readAll(ini.path()), QByteArray("[Dossiers]\r\nChemin serveur=\\\\srv\\data\r\n"));
}

TEST_F(IniFileTest, WriteFailureIsReported)
{
    // A folder stands where the file should be.
    QDir(m_dir.path()).mkdir("Tabulon.ini");
    IniFile ini(m_path);
    QString error;
    EXPECT_FALSE(ini.writeString("General", "Mode", "Ecole", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(IniFileTest, DamagedFilesNeverStopTheReading)
{
    struct Case { const char *name; QByteArray bytes; };
    QByteArray binary;
    for (int i = 0; i < 2048; ++i)
        binary.append(char((i * 37 + 11) % 256));
    const Case cases[] = {
        {"empty", QByteArray()},
        {"garbage", "=====\r\n[[[\r\n]]]=x\r\n[\r\n=Ecole\r\nMode\r\n"},
        {"binary", binary},
        {"binary around good lines", binary.left(300) + "\r\n[General]\r\nMode=Ecole\r\n" + binary.mid(300, 200)},
        {"lone CR and LF ends", "[General]\rMode=Ecole\n[Codes]\rIdentification par code=oui"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(c.bytes);
        IniFile ini(m_path);
        const QString mode = ini.readString("General", "Mode");
        EXPECT_TRUE(mode == "Ecole" || mode == IniFile::kMarker) << mode.toStdString();
        EXPECT_EQ(ini.readInteger("Paramètres", "temps de réponse maximum"), -1);
        // A damaged file can still be written to and read back.
        ASSERT_TRUE(ini.writeString("Paramètres", "temps de réponse maximum", "30"));
        EXPECT_EQ(ini.readInteger("Paramètres", "temps de réponse maximum"), 30);
    }
    writeBytes(cases[3].bytes);
    EXPECT_EQ(IniFile(m_path).readString("General", "Mode"), "Ecole");
}

TEST_F(IniFileTest, DuplicatedKeysAndSectionsTheFirstWins)
{
    writeBytes("[General]\r\nMode=Ecole\r\nmode=Maison\r\n[Codes]\r\nX=1\r\n[general]\r\nMode=Autre\r\nY=2\r\n");
    IniFile ini(m_path);
    EXPECT_EQ(ini.readString("General", "Mode"), "Ecole");
    EXPECT_EQ(ini.readString("General", "Y"), IniFile::kMarker);
    ASSERT_TRUE(ini.writeString("General", "MODE", "Maison"));
    EXPECT_EQ(readAll(m_path),
              QByteArray("[General]\r\nMODE=Maison\r\nmode=Maison\r\n[Codes]\r\nX=1\r\n[general]\r\nMode=Autre\r\nY=2\r\n"));
}

// Settings read together come from one reading of the file: a change made
// meanwhile (another workstation saving) is seen by the next reading, not
// half-way through this one. A write through the copy lands in the file
// and ends the snapshot.
TEST_F(IniFileTest, ASnapshotAnswersFromOneReading)
{
    writeBytes(kSample);
    const IniFile lu = IniFile(m_path).lu();
    writeBytes(QByteArray(kSample).replace("Mode=Ecole", "Mode=Maison"));
    EXPECT_EQ(lu.readString("General", "Mode"), "Ecole");
    EXPECT_EQ(lu.readInteger("Paramètres", "temps de réponse acceptable"), 4);
    EXPECT_EQ(IniFile(m_path).readString("General", "Mode"), "Maison");
    EXPECT_EQ(IniFile(m_path).lu().readString("General", "Mode"), "Maison");

    IniFile ecrit = IniFile(m_path).lu();
    ASSERT_TRUE(ecrit.writeString("General", "Mode", "Ecole"));
    EXPECT_EQ(ecrit.readString("General", "Mode"), "Ecole");
    writeBytes(QByteArray(kSample).replace("Mode=Ecole", "Mode=Maison"));
    EXPECT_EQ(ecrit.readString("General", "Mode"), "Maison");
}

