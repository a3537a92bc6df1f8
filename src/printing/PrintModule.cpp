// The program's printer, in a module of its own: Qt PrintSupport (the
// printer, its dialog and the print system's libraries) costs every start
// time and memory for a command a pupil seldom uses, so the module is loaded
// at the first print (widgets/Impression), not with the program.

#include <QPrintDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT QPagedPaintDevice *tabulon_cree_imprimante(bool hauteResolution, const QString *nomDocument)
{
    auto *imprimante = new QPrinter(hauteResolution ? QPrinter::HighResolution : QPrinter::ScreenResolution);
    imprimante->setDocName(*nomDocument);
    return imprimante;
}

extern "C" Q_DECL_EXPORT bool tabulon_dialogue_impression(QPagedPaintDevice *imprimante, QWidget *parent)
{
    QPrintDialog dialogue(static_cast<QPrinter *>(imprimante), parent);
    return dialogue.exec() == QDialog::Accepted;
}
