#include "core/ParallelFileReader.h"
#include "core/PupilHistory.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <mutex>

// Every file is handed over exactly once, at its own index, whatever the
// number of helper threads; a missing file comes as nullptr, and a file too
// large to be a history comes empty instead of being read into memory.
TEST(ParallelFileReader, HandsEveryFileOnceAtItsIndex)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList chemins;
    for (int i = 0; i < 40; ++i) {
        const QString chemin = dir.filePath(QStringLiteral("f%1.txt").arg(i));
        chemins << chemin;
        if (i == 7)
            continue;  // missing
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (i == 11)
            ASSERT_TRUE(f.resize(PupilHistory::kTailleMaxFichier + 1));  // sparse: costs no disk
        else
            f.write(QByteArray::number(i));
    }
    for (const int aides : {0, 1, 3}) {
        SCOPED_TRACE(aides);
        std::vector<QByteArray> vu(chemins.size());
        std::vector<int> appels(chemins.size(), 0);
        std::vector<bool> absent(chemins.size(), false);
        std::mutex garde;
        const bool fini = ParallelFileReader::traite_tout(
            chemins,
            [&](int index, const QByteArrayView *contenu) {
                std::lock_guard verrou(garde);
                ++appels[index];
                absent[index] = contenu == nullptr;
                if (contenu)
                    vu[index] = contenu->toByteArray();
            },
            {}, aides);
        EXPECT_TRUE(fini);
        for (int i = 0; i < chemins.size(); ++i) {
            ASSERT_EQ(appels[i], 1) << i;
            EXPECT_EQ(absent[i], i == 7) << i;
            if (i != 7)
                EXPECT_EQ(vu[i], i == 11 ? QByteArray() : QByteArray::number(i)) << i;
        }
    }
}
