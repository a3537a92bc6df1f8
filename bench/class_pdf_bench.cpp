// Time to write the test reports of a class of 35 pupils as one PDF document
// (choosing each pupil's test from his history, then drawing the pages), the
// way the follow-up tab's "Enregistrer" does. Checks the document with
// pdfinfo (35 pages) and pdftotext (every pupil's name), when installed.
//
//   class_pdf_bench [runs]      (default 5; prints the median and the worst)

#include "core/Dates.h"
#include "core/HistoryLines.h"
#include "core/PupilFolders.h"
#include "core/ReportBatch.h"
#include "core/ShellLink.h"
#include "core/TextFile.h"
#include "widgets/ReportDocument.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kEleves = 35;

// A year of history: two sessions a week with a classic test each.
QStringList historique(QRandomGenerator &hasard)
{
    QStringList lignes;
    QDate jour(2025, 9, 8);
    for (int s = 0; s < 60; ++s, jour = jour.addDays(s % 2 ? 3 : 4)) {
        lignes << HistoryLines::entete_seance(Dates::nom_jour(jour), Dates::date_texte(jour), QStringLiteral("10:00:00"),
                                              QStringLiteral("10:20:00"), QStringLiteral("POSTE"));
        QString test = QStringLiteral("\tTEST de 10:01:00 à 10:08:00 ");
        for (int a = 2; a <= 9; ++a) {
            for (int b = 2; b <= 9; ++b) {
                const int r = hasard.bounded(10) == 0 ? a * b + 1 : a * b;
                test += QStringLiteral("P%1%2%3%4")
                            .arg(a, 2, 10, QLatin1Char('0'))
                            .arg(b, 2, 10, QLatin1Char('0'))
                            .arg(10 + hasard.bounded(60), 3, 10, QLatin1Char('0'))
                            .arg(r, 4, 10, QLatin1Char('0'));
            }
        }
        lignes << test;
    }
    return lignes;
}

QString executer(const QString &programme, const QStringList &arguments)
{
    QProcess p;
    p.start(programme, arguments);
    if (!p.waitForFinished(20000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int essais = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;

    QTemporaryDir dir;
    const QString etab = dir.filePath(QStringLiteral("eleves/Collège"));
    const QString classe = PupilFolders::classFolder(PupilFolders::yearFolder(etab, QStringLiteral("2025-2026")),
                                                     QStringLiteral("61"));
    QDir().mkpath(classe);
    QRandomGenerator hasard(13);
    QStringList noms;
    for (int i = 0; i < kEleves; ++i) {
        const QString cle = QStringLiteral("Élève%1_Prénom%2").arg(i, 2, 10, QLatin1Char('0')).arg(i);
        noms << cle;
        const QString fichier = PupilFolders::historyFile(etab, cle);
        TextFile::saveLines(fichier, historique(hasard));
        ShellLink::write(PupilFolders::linkFile(classe, cle), fichier);
    }

    ClassTestCollector::Critere critere;
    critere.date = QStringLiteral("30/06/2026");
    const QString pdf = dir.filePath(QStringLiteral("Classe de 61.pdf"));
    QList<qint64> temps;
    int pages = 0;
    for (int e = 0; e < essais; ++e) {
        QElapsedTimer chrono;
        chrono.start();
        const ReportBatch lot = ReportBatch::prepare(classe, QStringLiteral("61: 35 élèves"), etab, critere);
        QString erreur;
        if (!ReportDocument::ecrit_pdf(pdf, lot, QStringLiteral("Collège de Valdorne"), 4, &erreur)) {
            std::printf("échec: %s\n", qPrintable(erreur));
            return 1;
        }
        temps << chrono.elapsed();
        pages = int(lot.bilans.size());
    }
    std::sort(temps.begin(), temps.end());
    std::printf("classe de %d élèves, %d pages: médiane %lld ms, pire %lld ms (%d essais)\n", kEleves, pages,
                temps.at(temps.size() / 2), temps.last(), essais);

    const QString infos = executer(QStringLiteral("pdfinfo"), {pdf});
    if (infos.isEmpty()) {
        std::printf("pdfinfo absent: document non vérifié\n");
        return 0;
    }
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(infos);
    const QString texte = executer(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    int trouves = 0;
    for (const QString &cle : noms) {
        if (texte.contains(cle.section(u'_', 0, 0).toUpper() + u' ' + cle.section(u'_', 1)))
            ++trouves;
    }
    std::printf("pdfinfo: %s pages; pdftotext: %d noms sur %d\n", qPrintable(m.captured(1)), trouves, kEleves);
    return m.captured(1).toInt() == kEleves && trouves == kEleves ? 0 : 1;
}
