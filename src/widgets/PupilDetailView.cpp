#include "widgets/PupilDetailView.h"

#include "core/Paths.h"
#include "core/TestReportData.h"
#include "core/TextFile.h"
#include "widgets/GridPainter.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

PupilDetailView::PupilDetailView(QWidget *parent)
    : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("RichView1"));
    setAccessibleName(QStringLiteral("Détail de l'élève"));
    setOpenLinks(false);
}

void PupilDetailView::affiche_chemin(const QString &chemin)
{
    m_detail = PupilDetail();
    clear();
    setPlainText(chemin);
}

void PupilDetailView::affiche_noeud(const QString &chemin, const QString &ligneClasse, const QString &objectifs,
                                    int tempsAcceptable)
{
    if (chemin.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        affiche_eleve(chemin, ligneClasse, objectifs, tempsAcceptable);
    else
        affiche_chemin(chemin);
}

void PupilDetailView::affiche_eleve(const QString &chemin, const QString &ligneClasse, const QString &objectifs,
                                    int tempsAcceptable)
{
    const QStringList lignes = TextFile::loadLines(Paths::fromStored(chemin));
    m_detail = PupilDetail::calcule(lignes, chemin, ligneClasse);
    clear();
    QTextDocument *doc = document();
    QTextCursor c(doc);
    QTextCharFormat normal;
    QTextCharFormat grand;
    grand.setFontPointSize(14);
    grand.setFontWeight(QFont::Bold);
    QTextCharFormat gras;
    gras.setFontWeight(QFont::Bold);

    c.insertText(m_detail.identite(), grand);
    if (!m_detail.classe.isEmpty()) {
        c.insertBlock();
        c.insertText(QStringLiteral("Classe de ") + m_detail.classe, normal);
    }
    c.insertBlock();
    c.insertBlock();
    c.insertText(m_detail.resume(), normal);
    c.insertBlock();
    c.insertText(m_detail.tempsTotal(), normal);
    for (qsizetype i = 0; i < m_detail.tests.size(); ++i) {
        const PupilDetail::TestRetenu &t = m_detail.tests.at(i);
        c.insertBlock();
        c.insertBlock();
        c.insertText(QStringLiteral("Test du ") + t.jour, gras);
        c.insertBlock();
        const QString enregistrements = TestReportData::enregistrements_de(t.ligneTest);
        const QUrl nom(QStringLiteral("grille%1.png").arg(i));
        doc->addResource(QTextDocument::ImageResource, nom, dessine_grille(enregistrements, objectifs, tempsAcceptable));
        // What the grid shows, for a screen reader and for a copy of the text.
        const TestReportData d = TestReportData::calcule(QString(), QString(), QString(), enregistrements, t.jour,
                                                         QString(), tempsAcceptable);
        QTextImageFormat image;
        image.setName(nom.toString());
        image.setToolTip(QStringLiteral("Score %1 %, %2 réponses justes et rapides, %3 trop lentes, %4 fausses ou absentes")
                             .arg(d.scoreClassiques)
                             .arg(d.comptes.blanches)
                             .arg(d.comptes.grises)
                             .arg(d.comptes.noires));
        c.insertImage(image);
    }
    moveCursor(QTextCursor::Start);
}
