#include "training/Tperfect.h"

#include "core/Catalogue.h"
#include "core/Clock.h"
#include "core/Dates.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "platform/LockKeys.h"
#include "training/GameWindow.h"
#include "widgets/ActivityWindowFrame.h"
#include "widgets/Dialogs.h"
#include "widgets/EscapeGuard.h"
#include "widgets/LevelButton.h"
#include "widgets/PaintStamp.h"
#include "widgets/ScoreMeter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {

constexpr int kDelaiAffichage = 400;
constexpr int kHautLignes = 90;
constexpr int kEcartLignes = 66;
const QColor kRouge(255, 0, 0);
const QColor kBleu(0, 0, 255);

QFont police(int taille, bool gras = true, const QString &famille = QStringLiteral("Arial"))
{
    QFont f(famille);
    f.setPixelSize(taille);
    f.setBold(gras);
    return f;
}

void colore(QWidget *w, const QColor &couleur)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, couleur);
    pal.setColor(QPalette::Text, couleur);
    w->setPalette(pal);
}

} // namespace

Tperfect::Tperfect(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_clock(env.clock)
    , m_horlogePropre(env.clock ? nullptr : std::make_unique<SystemClock>())
    , m_hasardPropre(env.random ? nullptr : std::make_unique<SystemRandom>())
    , m_jeu(env.random ? *env.random : *m_hasardPropre)
{
    if (!m_clock)
        m_clock = m_horlogePropre.get();
    setObjectName(QStringLiteral("Tperfect"));
    setModal(true);
    construit();
    new EscapeGuard(this);
}

Tperfect::~Tperfect() = default;

void Tperfect::construit()
{
    m_fond = (new ActivityWindowFrame(this, QStringLiteral("fond"), QStringLiteral("Perfectionnement")))->contenu();
    m_fond->setAutoFillBackground(true);
    QPalette pal = m_fond->palette();
    pal.setColor(QPalette::Window, QColor(235, 245, 255));
    m_fond->setPalette(pal);

    for (int n = 1; n <= 3; ++n) {
        auto *b = new LevelButton(QStringLiteral("Niveau%1").arg(n), QStringLiteral("Niveau %1").arg(n), m_fond);
        b->move(120 + 180 * (n - 1), 12);
        connect(b, &LevelButton::choisi, this, [this, n] { niveauClick(n - 1); });
        m_niveaux << b;
    }

    m_quest1 = labelGras(m_fond, QStringLiteral("label_quest1"), QString(), 44, QRect(40, kHautLignes - 6, 170, 60));
    m_quest1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The question's time (its speed, and at level 3 its clock) starts when
    // it is painted.
    m_peinte = new PaintStamp(m_quest1, *m_clock, [this](qint64 instant) {
        if (m_correction || m_finDeNiveau)
            return;
        m_affichage = instant;
        m_jeu.setAffichage(instant);
        if (m_timerChrono->isActive())
            m_timerChrono->start(m_jeu.question().periodeMs);
    });
    for (int k = 0; k < 6; ++k) {
        const int ligne = k / 2;
        auto *c = new QLineEdit(m_fond);
        c->setObjectName(QStringLiteral("MaskEdit%1").arg(k + 1));
        c->setAccessibleName(QStringLiteral("%1 facteur, ligne %2").arg(k % 2 == 0 ? QStringLiteral("Premier")
                                                                                      : QStringLiteral("Second"))
                                 .arg(ligne + 1));
        c->setFont(police(34));
        c->setAlignment(Qt::AlignCenter);
        c->setContextMenuPolicy(Qt::NoContextMenu);
        c->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), c));
        c->setGeometry(k % 2 == 0 ? 220 : 340, kHautLignes + kEcartLignes * ligne, 80, 50);
        connect(c, &QLineEdit::textChanged, this, [this, k] { filtre_entree(k); });
        m_champs << c;
    }
    // label_quest2: "×" of row 1; label_quest3 .. 6: "=" and "×" of rows 2 and 3.
    m_signes << labelGras(m_fond, QStringLiteral("label_quest2"), QStringLiteral("×"), 40, QRect(305, kHautLignes, 32, 50));
    for (int ligne = 1; ligne <= 2; ++ligne) {
        const int y = kHautLignes + kEcartLignes * ligne;
        m_signes << labelGras(m_fond, QStringLiteral("label_quest%1").arg(2 * ligne + 1), QStringLiteral("="), 40,
                          QRect(185, y, 30, 50));
        m_signes << labelGras(m_fond, QStringLiteral("label_quest%1").arg(2 * ligne + 2), QStringLiteral("×"), 40,
                          QRect(305, y, 32, 50));
    }

    m_ok = new QPushButton(QStringLiteral("OK"), m_fond);
    m_ok->setObjectName(QStringLiteral("Button_OK"));
    m_ok->setFont(police(20));
    m_ok->setGeometry(460, kHautLignes + 4, 90, 44);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &Tperfect::Button_OKClick);

    m_erreurs = labelGras(m_fond, QStringLiteral("label_erreurs"), QString(), 30, QRect(40, 300, 620, 44));
    m_erreurs->setAlignment(Qt::AlignCenter);
    colore(m_erreurs, QColor(160, 0, 0));
    m_fallait = labelGras(m_fond, QStringLiteral("label_fallait"), QStringLiteral("il fallait répondre:"), 20,
                      QRect(40, 350, 300, 30));
    // label_rep1: the value and "="; then each row: factor, "×", factor; label_rep11
    // and label_rep12: the "=" before rows 2 and 3.
    for (int i = 1; i <= 12; ++i) {
        auto *l = labelGras(m_fond, QStringLiteral("label_rep%1").arg(i), QString(), 28, QRect());
        l->setAlignment(Qt::AlignCenter);
        m_reps << l;
    }
    m_reps[0]->setGeometry(40, 384, 110, 40);
    m_reps[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int ligne = 0; ligne < 3; ++ligne) {
        const int y = 384 + 42 * ligne;
        m_reps[1 + 3 * ligne]->setGeometry(180, y, 50, 40);
        m_reps[2 + 3 * ligne]->setGeometry(230, y, 30, 40);
        m_reps[3 + 3 * ligne]->setGeometry(260, y, 50, 40);
        if (ligne > 0)
            m_reps[9 + ligne]->setGeometry(150, y, 30, 40);
    }

    m_temps1 = labelGras(m_fond, QStringLiteral("label_temps1"), QStringLiteral("Temps de réponse") + QStringLiteral(":"),
                     18, QRect(40, 556, 190, 30));
    m_temps2 = labelGras(m_fond, QStringLiteral("label_temps2"), QString(), 18, QRect(232, 556, 80, 30));

    m_score = new ScoreMeter(m_fond);
    m_score->setObjectName(QStringLiteral("Image1"));
    m_score->move(700, 70);
    m_valeurs = labelGras(m_fond, QStringLiteral("label_valeurs"), QString(), 14, QRect(400, 350, 290, 246));
    m_valeurs->setFont(police(14, true, QStringLiteral("Courier New")));
    m_valeurs->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    colore(m_valeurs, kBleu);

    m_suivante = new QPushButton(QStringLiteral("Etape suivante"), m_fond);
    m_suivante->setObjectName(QStringLiteral("BitBtn2"));
    m_suivante->setFont(police(16));
    m_suivante->setGeometry(380, 200, 180, 40);
    connect(m_suivante, &QPushButton::clicked, this, [this] {
        setNiveau(std::min(m_niveau + 1, 3));
        initialisation();
    });
    m_retour = new QPushButton(QStringLiteral("   ") + QStringLiteral("Retour menu "), m_fond);
    m_retour->setObjectName(QStringLiteral("BitBtn1"));
    m_retour->setFont(police(16));
    m_retour->setGeometry(160, 200, 180, 40);
    connect(m_retour, &QPushButton::clicked, this, &QDialog::accept);

    auto minuterie = [this](const QString &nom) {
        auto *t = new QTimer(this);
        t->setObjectName(nom);
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
        return t;
    };
    m_timerAffichage = minuterie(QStringLiteral("Timer_affichage"));
    m_timerAffichage->setInterval(kDelaiAffichage);
    connect(m_timerAffichage, &QTimer::timeout, this, &Tperfect::pose_la_question);
    m_timerChrono = minuterie(QStringLiteral("Timer_chrono"));
    connect(m_timerChrono, &QTimer::timeout, this, &Tperfect::Timer_chronoTimer);
    m_timerSimple = minuterie(QStringLiteral("Timer_affichage_simple"));
    m_timerSimple->setInterval(kDelaiAffichage);
    connect(m_timerSimple, &QTimer::timeout, m_erreurs, &QLabel::clear);
}

void Tperfect::setNiveau(int niveau, const QString &nomNiveau)
{
    m_niveau = std::clamp(niveau, 1, 3);
    m_nomNiveau = nomNiveau;
    met_a_jour_legende();
}

void Tperfect::met_a_jour_legende()
{
    const QString niveau = m_nomNiveau.isEmpty() ? QString::number(m_niveau) : m_nomNiveau;
    const QString texte = QStringLiteral("Perfectionnement: les tables inversées (niveau %1)").arg(niveau);
    const EleveState &eleve = m_state.eleve;
    if (eleve.prenom.isEmpty() && eleve.nom.isEmpty())
        setWindowTitle(texte);
    else
        setWindowTitle(eleve.prenom + QLatin1Char(' ') + eleve.nom + QStringLiteral(". ") + texte);
}

void Tperfect::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // The pupil of this opening, not the one there when the window was built.
    met_a_jour_legende();
    initialisation();
}

void Tperfect::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    m_timerAffichage->stop();
    m_timerChrono->stop();
    m_timerSimple->stop();
    remet_ligne_historique();
    m_niveauCommence = false;
    LockKeys::fixe_verrouillages(false, false);
}

void Tperfect::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_NumLock || event->key() == Qt::Key_CapsLock)
        LockKeys::fixe_verrouillages(true, true);
    QDialog::keyReleaseEvent(event);
}

void Tperfect::remet_ligne_historique()
{
    if (!m_niveauCommence)
        return;
    const QString ligne = m_jeu.ligne_historique(Dates::heure_texte(m_clock->now().time()));
    if (!ligne.isEmpty())
        m_state.eleve.lignes_seance.append(ligne);
    m_niveauCommence = false;
}

void Tperfect::montre_questions(bool visibles)
{
    m_quest1->setVisible(visibles);
    for (QLineEdit *c : m_champs)
        c->setVisible(visibles);
    for (QLabel *l : m_signes)
        l->setVisible(visibles);
    m_ok->setVisible(visibles);
}

void Tperfect::niveauClick(int index)
{
    setNiveau(index + 1);
    initialisation();
}

void Tperfect::initialisation()
{
    // A level left for another one is recorded like a closed window: each
    // level worked gets its own line, not only the one open at the close.
    remet_ligne_historique();
    LockKeys::fixe_verrouillages(true, true);
    m_timerAffichage->stop();
    m_timerChrono->stop();
    m_finDeNiveau = false;
    montre_questions(true);
    cache_correction();
    m_erreurs->clear();
    m_suivante->hide();
    m_retour->hide();
    m_score->affiche_score(0);

    const QStringList produits = m_state.produits_etudies.isEmpty() ? m_state.liste_produits : m_state.produits_etudies;
    m_jeu.initialisation(produits, m_niveau, Dates::heure_texte(m_clock->now().time()),
                         m_state.perfectionnement_temps_initial, m_state.perfectionnement_temps_final);
    if (m_jeu.niveau() != m_niveau)
        setNiveau(m_jeu.niveau());
    m_niveauCommence = true;
    // The squares have no level 1: one factor given would give the other away.
    const bool carres = Catalogue::tables_des_produits(produits) == QStringLiteral("table_carres");
    for (int i = 0; i < m_niveaux.size(); ++i) {
        if (i == m_niveau - 1)
            m_niveaux[i]->setEtat(LevelButton::Courant);
        else
            m_niveaux[i]->setEtat(i == 0 && carres ? LevelButton::Indisponible : LevelButton::Disponible);
    }
    m_temps1->setVisible(m_niveau == 3);
    m_temps2->setVisible(m_niveau == 3);

    QStringList valeurs;
    QString ligne;
    for (int i = 0; i < m_jeu.questions().size(); ++i) {
        ligne += QStringLiteral("%1").arg(m_jeu.questions()[i].left(4).toInt(), 4);
        if (i % 8 == 7 || i == m_jeu.questions().size() - 1) {
            valeurs << ligne;
            ligne.clear();
        }
    }
    m_valeurs->setText(valeurs.join(QLatin1Char('\n')));
    if (m_jeu.nombre_questions() == 0) {
        montre_questions(false);
        m_erreurs->setText(QStringLiteral("Aucun produit à travailler."));
        m_retour->show();
        return;
    }
    pose_la_question();
}

void Tperfect::pose_la_question()
{
    m_timerAffichage->stop();
    cache_correction();
    m_erreurs->clear();
    const Perfectionnement::Question q = m_jeu.pose_la_question(0);
    const int n = int(q.paires.size());
    m_quest1->setText(QString::number(q.valeur) + QLatin1Char('='));
    for (int k = 0; k < 6; ++k) {
        QLineEdit *c = m_champs[k];
        const int ligne = k / 2;
        const bool visible = ligne < n;
        const QSignalBlocker silence(c);
        c->clear();
        c->setReadOnly(false);
        c->setEnabled(true);
        colore(c, Qt::black);
        c->setVisible(visible);
        if (!visible)
            continue;
        const QString attendu = k % 2 == 0 ? q.paires[ligne].a : q.paires[ligne].b;
        c->setMaxLength(int(attendu.size()));
        c->setProperty("masque", attendu.size() == 1 ? QStringLiteral("9;0;?") : QStringLiteral("99;0;?"));
        if (q.donnes.value(ligne, -1) == k % 2) {
            c->setText(attendu);
            c->setReadOnly(true);
        }
    }
    for (int i = 0; i < m_signes.size(); ++i)
        m_signes[i]->setVisible(i == 0 || (i + 1) / 2 < n);
    m_ok->show();
    m_ok->setEnabled(true);
    if (m_niveau == 3) {
        m_timerChrono->setInterval(q.periodeMs);
        m_temps2->setText(QString::number(q.periodeMs / 1000) + QStringLiteral(" s"));
        m_timerChrono->start();
    }
    m_affichage = m_clock->monotonicMs();
    m_jeu.setAffichage(m_affichage);
    m_peinte->arme();
    champ(m_champs[0]->isReadOnly() ? 1 : 0)->setFocus();
    emit questionPosee();
}

void Tperfect::filtre_entree(int index)
{
    QLineEdit *c = champ(index);
    const QString texte = c->text();
    if (c->isReadOnly() || texte.isEmpty())
        return;
    const bool unChiffre = c->maxLength() == 1;
    if (unChiffre && texte == QStringLiteral("1")) {
        const QSignalBlocker silence(c);
        c->clear();
        affiche_message(QStringLiteral("1 interdit") + QStringLiteral(" !"), true);
        return;
    }
    if (texte.size() < c->maxLength())
        return;
    for (int k = index + 1; k < m_champs.size(); ++k) {
        QLineEdit *suivant = m_champs[k];
        if (suivant->isVisibleTo(m_fond) && !suivant->isReadOnly() && suivant->text().isEmpty()) {
            suivant->setFocus();
            return;
        }
    }
    m_ok->setFocus();
}

void Tperfect::affiche_message(const QString &texte, bool court)
{
    m_erreurs->setText(texte);
    // Only a short message is wiped: a later one stays as long as it is meant to.
    if (court)
        m_timerSimple->start();
    else
        m_timerSimple->stop();
}

void Tperfect::Button_OKClick()
{
    const qint64 reponse = m_clock->monotonicMs();
    m_timerChrono->stop();
    if (m_finDeNiveau || m_timerAffichage->isActive())
        return;
    if (m_correction) {
        pose_la_question();
        return;
    }
    for (QLineEdit *c : m_champs)
        if (c->isVisibleTo(m_fond) && c->text().isEmpty()) {
            Dialogs::information(this, QStringLiteral("Perfectionnement"),
                                 QStringLiteral("Réponse incomplète") + QStringLiteral("!"));
            // The clock goes on with what was left, the time of the message included.
            if (m_niveau == 3)
                reprend_chrono();
            return;
        }
    m_jeu.setReponse(reponse);
    evalue_la_reponse();
}

void Tperfect::evalue_la_reponse()
{
    QStringList champs;
    for (QLineEdit *c : m_champs)
        if (c->isVisibleTo(m_fond))
            champs << c->text();
    const Perfectionnement::Resultat r = m_jeu.evalue_la_reponse(champs, m_jeu.reponse());
    for (int k = 0; k < r.champsFaux.size(); ++k) {
        colore(m_champs[k], r.champsFaux[k] ? kRouge : QColor(Qt::black));
        m_champs[k]->setReadOnly(true);
    }
    m_score->affiche_score(r.finDeNiveau ? 100 : m_jeu.score());
    if (r.juste) {
        if (r.finDeNiveau) {
            fin_de_niveau();
            return;
        }
        affiche_message(QStringLiteral("oui").toUpper() + QStringLiteral("!"), false);
        m_timerAffichage->start();
        return;
    }
    if (r.erreurs == 0)
        affiche_message(QStringLiteral("non") + QStringLiteral("!"), false);
    else if (r.erreurs == 1)
        affiche_message(QStringLiteral("1 ") + QStringLiteral("erreur") + QStringLiteral(" !"), false);
    else
        affiche_message(QString::number(r.erreurs) + QLatin1Char(' ') + QStringLiteral("erreurs") + QStringLiteral(" !"),
                        false);
    affiche_correction(r);
    m_ok->setFocus();
}

void Tperfect::affiche_correction(const Perfectionnement::Resultat &r)
{
    m_correction = true;
    m_fallait->setVisible(r.autreFactorisation);
    m_reps[0]->setText(QString::number(m_jeu.question().valeur) + QLatin1Char('='));
    m_reps[0]->show();
    for (int ligne = 0; ligne < r.attendus.size(); ++ligne) {
        QLabel *a = m_reps[1 + 3 * ligne];
        QLabel *fois = m_reps[2 + 3 * ligne];
        QLabel *b = m_reps[3 + 3 * ligne];
        a->setText(r.attendus[ligne].a);
        fois->setText(QStringLiteral("×"));
        b->setText(r.attendus[ligne].b);
        colore(a, r.champsFaux.value(2 * ligne) ? kRouge : kBleu);
        colore(fois, kBleu);
        colore(b, r.champsFaux.value(2 * ligne + 1) ? kRouge : kBleu);
        for (QLabel *l : {a, fois, b})
            l->show();
        if (ligne > 0) {
            m_reps[9 + ligne]->setText(QStringLiteral("="));
            colore(m_reps[9 + ligne], kBleu);
            m_reps[9 + ligne]->show();
        }
    }
}

void Tperfect::cache_correction()
{
    m_correction = false;
    m_fallait->hide();
    for (QLabel *l : m_reps) {
        l->clear();
        l->hide();
    }
}

void Tperfect::reprend_chrono()
{
    const qint64 reste = m_affichage + m_jeu.question().periodeMs - m_clock->monotonicMs();
    m_timerChrono->start(int(std::clamp<qint64>(reste, 0, m_jeu.question().periodeMs)));
}

void Tperfect::Timer_chronoTimer()
{
    m_timerChrono->stop();
    if (m_correction || m_finDeNiveau)
        return;
    m_jeu.temps_depasse();
    m_score->affiche_score(m_jeu.score());
    for (QLineEdit *c : m_champs)
        c->setReadOnly(true);
    affiche_message(QStringLiteral("Trop long") + QStringLiteral("!"), false);
    m_timerAffichage->start();
}

void Tperfect::fin_de_niveau()
{
    m_finDeNiveau = true;
    m_timerChrono->stop();
    montre_questions(false);
    cache_correction();
    if (m_niveau < 3) {
        m_retour->show();
        m_suivante->show();
        m_suivante->setFocus();
        affiche_message(QStringLiteral("Bravo").toUpper() + QStringLiteral("!"), false);
    } else {
        m_retour->hide();
        m_suivante->hide();
        m_temps1->hide();
        m_temps2->hide();
        affiche_message(QStringLiteral("Félicitations") + QStringLiteral("!!!"), false);
    }
    m_jeu.fin_de_niveau();
    emit niveauTermine();
}
