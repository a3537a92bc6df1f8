#include "app/Tident.h"

#include "core/PupilKey.h"
#include "core/SessionState.h"
#include "platform/LockKeys.h"
#include "widgets/ActivityWindowFrame.h"
#include "widgets/DesignScaler.h"
#include "widgets/Dialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

// Designed for 800 x 600 like every window of the program.
constexpr int kLargeur = 800;
constexpr int kHauteur = 600;
constexpr int kMarge = 20;
constexpr int kHautZone = 64;
constexpr int kHauteurZoneMax = 400;
// Rows of the lists are 18 pixels high: the list heights are 18 x rows + 4.
constexpr int kHauteurLigne = 18;
constexpr int kPixelsPoliceListe = 14;
// The form of the registration and code steps.
constexpr int kXForm = 200;

} // namespace

Tident::Tident(SessionState &state, const Environment &env, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_ident(state)
{
    // Nothing of the identification needs the clock or the system yet; the
    // parameter keeps the constructor in line with the other windows.
    Q_UNUSED(env);
    setObjectName(QStringLiteral("Tident"));
    setWindowTitle(QStringLiteral("Identification"));
    resize(kLargeur, kHauteur);
    auto *cadre = new ActivityWindowFrame(this, QStringLiteral("fond"), QStringLiteral("Identification"));
    m_fond = cadre->contenu();
    connect(cadre->scaler(), &DesignScaler::scaleChanged, this, &Tident::metHauteursLignes);

    label_classe = label(QStringLiteral("label_classe"), QStringLiteral("Clique sur ta classe:"), 14);
    label_classe->setGeometry(kMarge, 20, 400, 30);
    PanelClasse = label(QStringLiteral("PanelClasse"), QString(), 12);
    PanelClasse->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelClasse->setAlignment(Qt::AlignCenter);
    PanelClasse->setGeometry(430, 16, 180, 34);
    ButtonChangerClasse = bouton(QStringLiteral("ButtonChangerClasse"), QStringLiteral("Changer  classe"));
    ButtonChangerClasse->setGeometry(620, 16, 160, 34);

    m_zone = new QScrollArea(m_fond);
    m_zone->setObjectName(QStringLiteral("zone_listes"));
    m_zone->setAccessibleName(QStringLiteral("Listes"));
    m_zone->setFrameShape(QFrame::NoFrame);
    m_zone->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_zone->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_contenu = new QWidget;
    m_contenu->setObjectName(QStringLiteral("contenu_listes"));
    m_zone->setWidget(m_contenu);
    m_zone->setWidgetResizable(false);
    // Let the window's background show around the lists.
    m_zone->viewport()->setAutoFillBackground(false);
    m_contenu->setAutoFillBackground(false);
    // The lists of classes or names come when a step shows them (liste):
    // a first start at home shows the registration form and none of them.
    ListBox_autre = new QListWidget(m_contenu);
    ListBox_autre->setObjectName(QStringLiteral("ListBox_autre"));
    ListBox_autre->setAccessibleName(QStringLiteral("aucune"));
    ListBox_autre->addItem(Identification::kAucune);
    connect(ListBox_autre, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { ListBoxClick(ListBox_autre, ListBox_autre->row(item)); });
    ListBox_autre->installEventFilter(this);

    label_inscription = label(QStringLiteral("label_inscription"), QString(), 12);
    button_inscription = bouton(QStringLiteral("button_inscription"), QStringLiteral("Inscription"));
    Button_oui = bouton(QStringLiteral("Button_oui"), QStringLiteral("Oui"));
    Button_non = bouton(QStringLiteral("Button_non"), QStringLiteral("Non"));

    Label_nom = label(QStringLiteral("Label_nom"), QStringLiteral("Nom de famille:"), 14);
    Label_nom->setGeometry(kXForm, 120, 400, 30);
    Edit_nom = new QLineEdit(m_fond);
    Edit_nom->setObjectName(QStringLiteral("Edit_nom"));
    Edit_nom->setAccessibleName(QStringLiteral("Nom de famille"));
    Edit_nom->setGeometry(kXForm, 152, 400, 38);
    label_prenom = label(QStringLiteral("label_prenom"), QStringLiteral("Prénom:"), 14);
    label_prenom->setGeometry(kXForm, 204, 400, 30);
    Edit_prenom = new QLineEdit(m_fond);
    Edit_prenom->setObjectName(QStringLiteral("Edit_prenom"));
    Edit_prenom->setAccessibleName(QStringLiteral("Prénom"));
    Edit_prenom->setGeometry(kXForm, 236, 400, 38);
    Button_id = bouton(QStringLiteral("Button_id"), QStringLiteral("OK"));
    Button_id->setGeometry(kXForm, 290, 100, 36);
    Button_retour = bouton(QStringLiteral("Button_retour"), QStringLiteral("Retour à la liste"));
    Button_retour->setGeometry(kXForm + 120, 290, 190, 36);

    label_tape_code = label(QStringLiteral("label_tape_code"), QStringLiteral("Tape ton code:"), 14);
    label_tape_code->setGeometry(kXForm, 120, 400, 30);
    Edit_code = new QLineEdit(m_fond);
    Edit_code->setObjectName(QStringLiteral("Edit_code"));
    Edit_code->setAccessibleName(QStringLiteral("Code"));
    Edit_code->setGeometry(kXForm, 152, 110, 44);
    label_code_inconnu = label(QStringLiteral("label_code_inconnu"), QStringLiteral("code inconnu"), 14);
    QPalette rouge = label_code_inconnu->palette();
    rouge.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
    label_code_inconnu->setPalette(rouge);
    label_code_inconnu->setGeometry(kXForm + 130, 158, 200, 30);
    Button_code_inconnu = bouton(QStringLiteral("Button_code_inconnu"), QStringLiteral("OK"));
    Button_code_inconnu->setGeometry(kXForm + 340, 156, 80, 36);

    label_code = label(QStringLiteral("label_code"), QStringLiteral("Ton code est:"), 14);
    label_code->setGeometry(kXForm, 350, 400, 30);
    Panel_code = label(QStringLiteral("Panel_code"), QString(), 28);
    Panel_code->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel_code->setAlignment(Qt::AlignCenter);
    Panel_code->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Panel_code->setGeometry(kXForm, 384, 160, 60);
    label_cahier = label(QStringLiteral("label_cahier"), QStringLiteral("Note-le sur ton cahier"), 14);
    label_cahier->setGeometry(kXForm + 180, 398, 300, 30);
    Button_code = bouton(QStringLiteral("Button_code"), QStringLiteral("OK"));
    Button_code->setGeometry(kXForm, 460, 100, 36);

    connect(ButtonChangerClasse, &QPushButton::clicked, this, &Tident::ButtonChangerClasseClick);
    connect(button_inscription, &QPushButton::clicked, this, &Tident::button_inscriptionClick);
    connect(Button_non, &QPushButton::clicked, this, &Tident::button_inscriptionClick);
    connect(Button_oui, &QPushButton::clicked, this, &Tident::Button_ouiClick);
    connect(Button_id, &QPushButton::clicked, this, &Tident::Button_idClick);
    connect(Button_retour, &QPushButton::clicked, this, &Tident::Button_retourClick);
    connect(Button_code, &QPushButton::clicked, this, &Tident::Button_codeClick);
    connect(Button_code_inconnu, &QPushButton::clicked, this, &Tident::Button_code_inconnuClick);
    connect(Edit_nom, &QLineEdit::textChanged, this, &Tident::Edit_nom_prenomChange);
    connect(Edit_prenom, &QLineEdit::textChanged, this, &Tident::Edit_nom_prenomChange);
    connect(Edit_code, &QLineEdit::textChanged, this, &Tident::Edit_codeChange);
    Edit_nom->installEventFilter(this);
    Edit_prenom->installEventFilter(this);
    Edit_code->installEventFilter(this);

    cacheTout();
}

QLabel *Tident::label(const QString &nom, const QString &texte, int taillePoints)
{
    auto *l = new QLabel(texte, m_fond);
    l->setObjectName(nom);
    QFont f = l->font();
    f.setPointSize(taillePoints);
    f.setBold(true);
    l->setFont(f);
    return l;
}

// The entry fields' large fonts come when a step shows the field: a font is
// loaded when text is first measured in it, and a start whose step shows no
// field, or not this one, need not pay for it.
void Tident::grandePolice(QLineEdit *champ, int taillePoints)
{
    QFont f = font();
    f.setPointSize(taillePoints);
    champ->setFont(f);
}

QPushButton *Tident::bouton(const QString &nom, const QString &texte)
{
    auto *b = new QPushButton(texte, m_fond);
    b->setObjectName(nom);
    QFont f = b->font();
    f.setPointSize(12);
    b->setFont(f);
    b->resize(120, 34);
    return b;
}

QListWidget *Tident::liste(int numero)
{
    while (m_listes.size() < numero) {
        auto *l = new QListWidget(m_contenu);
        l->setObjectName(QStringLiteral("ListBox%1").arg(m_listes.size() + 1));
        l->setAccessibleName(l->objectName());
        l->hide();
        connect(l, &QListWidget::itemClicked, this, [this, l](QListWidgetItem *item) { ListBoxClick(l, l->row(item)); });
        l->installEventFilter(this);
        m_listes.append(l);
    }
    return m_listes[numero - 1];
}

int Tident::numeroListe(const QListWidget *l) const
{
    return int(m_listes.indexOf(const_cast<QListWidget *>(l))) + 1;
}

void Tident::showEvent(QShowEvent *event)
{
    // In the middle of the screen, where a child looks first.
    if (const QScreen *ecran = screen())
        move(ecran->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
    initialisation();
}

// The same soft sky-to-sand background as the main window behind it, painted
// rather than set by a style sheet: the first window of every start must not
// pay for styling each of its controls.
void Tident::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    QLinearGradient degrade(0, 0, 0, height());
    degrade.setColorAt(0, QColor(0xbf, 0xe3, 0xff));
    degrade.setColorAt(1, QColor(0xff, 0xf6, 0xd6));
    painter.fillRect(rect(), degrade);
    QDialog::paintEvent(event);
}

void Tident::keyPressEvent(QKeyEvent *event)
{
    // Escape would close the window with nobody identified; in the
    // registration form it goes back to the list, as "Retour à la liste".
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        Button_retourClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tident::initialisation()
{
    setWindowTitle(QStringLiteral("Identification"));
    LockKeys::fixe_verrouillages(m_state.verrouillage_num_depart, m_state.verrouillage_maj_depart);
    m_ident.initialisation();
    afficheEtape();
}

void Tident::cacheTout()
{
    const QList<QWidget *> tous{label_classe, PanelClasse, ButtonChangerClasse, m_zone,
                                label_inscription, button_inscription, Button_oui, Button_non,
                                Label_nom, Edit_nom, label_prenom, Edit_prenom, Button_id, Button_retour,
                                label_tape_code, Edit_code, label_code_inconnu, Button_code_inconnu,
                                label_code, Panel_code, label_cahier, Button_code};
    for (QWidget *w : tous)
        w->hide();
    for (QListWidget *l : std::as_const(m_listes))
        l->hide();
    ListBox_autre->hide();
}

void Tident::afficheEtape()
{
    using Etape = Identification::Etape;
    if (m_ident.etape() == Etape::Terminee) {
        accept();
        return;
    }
    cacheTout();
    if (m_state.mode_ecole && m_ident.etape() != Etape::ChoixClasse) {
        PanelClasse->setText(m_ident.textePanelClasse());
        PanelClasse->show();
        ButtonChangerClasse->show();
    }
    switch (m_ident.etape()) {
    case Etape::ChoixClasse: afficheClasses(); break;
    case Etape::ChoixNom: demande_nom(); break;
    case Etape::SaisieCode: demande_code(); break;
    case Etape::CodeInconnu: code_inconnu(); break;
    case Etape::Inscription: Inscription(); break;
    case Etape::AffichageCode: afficheCode(); break;
    case Etape::Terminee: break;
    }
}

void Tident::placeListes(const QList<QStringList> &colonnes, int largeurCaractere, int marge, bool avecAutre)
{
    QFont police = font();
    police.setPixelSize(kPixelsPoliceListe);
    int x = 0;
    int hauteur = 0;
    for (int k = 0; k < colonnes.size(); ++k) {
        QListWidget *l = liste(k + 1);
        l->clear();
        l->setFont(police);
        l->setUniformItemSizes(true);
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        qsizetype plusLong = 0;
        for (const QString &texte : colonnes[k]) {
            auto *item = new QListWidgetItem(texte, l);
            item->setSizeHint(QSize(0, hauteurLigne()));
            plusLong = std::max(plusLong, texte.size());
        }
        const int largeur = largeurCaractere * int(plusLong) + marge;
        const int h = kHauteurLigne * int(colonnes[k].size()) + 4;
        l->setGeometry(x, 0, largeur, h);
        l->setCurrentRow(-1);
        l->show();
        x += largeur + 10;
        hauteur = std::max(hauteur, h);
    }
    for (int k = int(colonnes.size()); k < m_listes.size(); ++k) {
        m_listes[k]->clear();
        m_listes[k]->hide();
    }
    if (avecAutre) {
        ListBox_autre->setFont(police);
        ListBox_autre->item(0)->setSizeHint(QSize(0, hauteurLigne()));
        ListBox_autre->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ListBox_autre->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // 30 pixels right of the last list, instead of the usual 10.
        const int largeur = largeurCaractere * int(Identification::kAucune.size()) + marge;
        ListBox_autre->setGeometry(x + 20, 0, largeur, kHauteurLigne + 4);
        ListBox_autre->setCurrentRow(-1);
        ListBox_autre->show();
        x += 20 + largeur + 10;
        hauteur = std::max(hauteur, kHauteurLigne + 4);
    }
    m_contenu->resize(std::max(x - 10, 1), std::max(hauteur, 1));

    const int largeurZone = kLargeur - 2 * kMarge;
    const bool defile = m_contenu->width() > largeurZone;
    const int barre = defile ? m_zone->horizontalScrollBar()->sizeHint().height() : 0;
    m_zone->setGeometry(kMarge, kHautZone, largeurZone, std::min(hauteur + barre + 2, kHauteurZoneMax));
    m_zone->horizontalScrollBar()->setValue(0);
    m_zone->show();
}

// The rows grow with the lists' font when the window is shown larger.
int Tident::hauteurLigne() const
{
    return DesignScaler::scaled(kHauteurLigne, DesignScaler::scaleOf(m_fond));
}

void Tident::metHauteursLignes()
{
    QList<QListWidget *> listes = m_listes;
    listes.append(ListBox_autre);
    for (QListWidget *l : std::as_const(listes))
        for (int i = 0; i < l->count(); ++i)
            l->item(i)->setSizeHint(QSize(0, hauteurLigne()));
}

void Tident::placeSousListes()
{
    const int y = enDessin(m_zone).bottom() + 16;
    label_inscription->setGeometry(kMarge, y, 380, 30);
    button_inscription->setGeometry(kMarge + 390, y - 2, 140, 34);
    Button_oui->setGeometry(kMarge + 390, y - 2, 90, 34);
    Button_non->setGeometry(kMarge + 490, y - 2, 90, 34);
}

void Tident::afficheClasses()
{
    label_classe->setText(QStringLiteral("Clique sur ta classe:"));
    label_classe->show();
    QList<QStringList> colonnes;
    for (const Niveau &n : m_state.niveaux)
        colonnes.append(n.classes);
    placeListes(colonnes, 11, 14, true);
    for (int k = 0; k < colonnes.size(); ++k)
        m_listes[k]->setAccessibleName(QStringLiteral("Classes de %1").arg(m_state.niveaux[k].nom));
    QListWidget *premiere = colonnes.isEmpty() ? ListBox_autre : m_listes.first();
    premiere->setFocus();
}

void Tident::demande_nom()
{
    const QStringList noms = m_ident.nomsAffiches();
    const QList<QStringList> colonnes = Identification::colonnes(noms);
    placeListes(colonnes, 12, 10, false);
    for (int k = 0; k < colonnes.size(); ++k)
        m_listes[k]->setAccessibleName(QStringLiteral("Noms, colonne %1").arg(k + 1));
    placeSousListes();
    if (noms.size() > 1) {
        label_classe->setText(QStringLiteral("Clique sur ton nom:"));
        label_classe->show();
        label_inscription->setText(QStringLiteral("Pas dans la liste? Clique ici:"));
        label_inscription->show();
        button_inscription->show();
        m_listes.first()->setFocus();
    } else {
        label_inscription->setText(QStringLiteral("Est-ce ton nom?"));
        label_inscription->show();
        Button_oui->show();
        Button_non->show();
        Button_oui->setFocus();
    }
}

void Tident::demande_code()
{
    label_tape_code->show();
    m_filtrage = true;
    Edit_code->clear();
    m_filtrage = false;
    grandePolice(Edit_code, 20);
    Edit_code->setEnabled(true);
    Edit_code->show();
    label_inscription->setText(QStringLiteral("Si tu ne sais pas ton code, clique ici:"));
    label_inscription->setGeometry(kXForm, 230, 380, 30);
    button_inscription->setGeometry(kXForm + 390, 228, 140, 34);
    label_inscription->show();
    button_inscription->show();
    Edit_code->setFocus();
}

void Tident::code_inconnu()
{
    grandePolice(Edit_code, 20);
    Edit_code->show();
    Edit_code->setEnabled(false);
    label_code_inconnu->show();
    Button_code_inconnu->show();
    Button_code_inconnu->setFocus();
}

void Tident::Inscription()
{
    m_filtrage = true;
    Edit_nom->clear();
    Edit_prenom->clear();
    m_filtrage = false;
    Edit_nom->setReadOnly(false);
    Edit_prenom->setReadOnly(false);
    grandePolice(Edit_nom, 16);
    grandePolice(Edit_prenom, 16);
    Label_nom->show();
    Edit_nom->show();
    label_prenom->show();
    Edit_prenom->show();
    Button_id->setEnabled(false);
    Button_id->show();
    Button_retour->setVisible(!m_ident.listeEleves().isEmpty());
    Edit_nom->setFocus();
}

void Tident::afficheCode()
{
    grandePolice(Edit_nom, 16);
    grandePolice(Edit_prenom, 16);
    Label_nom->show();
    Edit_nom->show();
    label_prenom->show();
    Edit_prenom->show();
    Edit_nom->setReadOnly(true);
    Edit_prenom->setReadOnly(true);
    Panel_code->setText(m_state.eleve.code_eleve);
    label_code->show();
    Panel_code->show();
    label_cahier->show();
    Button_code->show();
    Button_code->setFocus();
}

void Tident::ListBoxClick(QListWidget *l, int ligne)
{
    if (ligne < 0)
        return;
    using Etape = Identification::Etape;
    if (m_ident.etape() == Etape::ChoixClasse) {
        if (l == ListBox_autre) {
            m_ident.choisit_aucune();
        } else {
            const int n = numeroListe(l);
            if (n < 1 || n > m_state.niveaux.size() || ligne >= m_state.niveaux[n - 1].classes.size())
                return;
            m_ident.choisit_classe(m_state.niveaux[n - 1].classes[ligne]);
        }
    } else if (m_ident.etape() == Etape::ChoixNom) {
        const int n = numeroListe(l);
        if (n < 1)
            return;
        m_ident.choisit_eleve((n - 1) * Identification::kNomsParColonne + ligne);
    } else {
        return;
    }
    afficheEtape();
}

void Tident::ButtonChangerClasseClick()
{
    initialisation();
}

void Tident::button_inscriptionClick()
{
    m_ident.demande_inscription();
    afficheEtape();
}

void Tident::Button_ouiClick()
{
    if (m_ident.choisit_eleve(0))
        afficheEtape();
}

void Tident::Button_idClick()
{
    if (!Button_id->isEnabled())
        return;
    QString erreur;
    const auto question = [this](const QString &titre, const QString &texte) {
        return Dialogs::question(this, titre, texte);
    };
    if (!m_ident.inscription(Edit_nom->text(), Edit_prenom->text(), question, &erreur)) {
        Dialogs::warning(this, QStringLiteral("Inscription"), erreur);
        Edit_nom->setFocus();
        return;
    }
    afficheEtape();
}

void Tident::Button_retourClick()
{
    if (m_ident.retour_liste())
        afficheEtape();
}

void Tident::Button_codeClick()
{
    m_ident.fin_affichage_code();
    afficheEtape();
}

void Tident::Button_code_inconnuClick()
{
    m_ident.demande_code();
    afficheEtape();
}

void Tident::Edit_nom_prenomChange()
{
    if (m_filtrage)
        return;
    m_filtrage = true;
    for (QLineEdit *e : {Edit_nom, Edit_prenom}) {
        const QString propre = PupilKey::filterName(e->text());
        if (propre != e->text()) {
            e->setText(propre);
            e->setCursorPosition(int(propre.size()));
        }
    }
    m_filtrage = false;
    Button_id->setEnabled(Identification::champSuffisant(Edit_nom->text())
                          && Identification::champSuffisant(Edit_prenom->text()));
}

void Tident::Edit_codeChange()
{
    if (m_filtrage)
        return;
    const QString propre = PupilKey::filterCode(Edit_code->text());
    if (propre != Edit_code->text()) {
        m_filtrage = true;
        Edit_code->setText(propre);
        Edit_code->setCursorPosition(int(propre.size()));
        m_filtrage = false;
    }
    if (propre.size() == 4 && m_ident.etape() == Identification::Etape::SaisieCode) {
        m_ident.verifie_code(propre);
        afficheEtape();
    }
}

bool Tident::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int touche = static_cast<QKeyEvent *>(event)->key();
    const bool entree = touche == Qt::Key_Return || touche == Qt::Key_Enter;

    if (auto *l = qobject_cast<QListWidget *>(watched)) {
        if (entree || touche == Qt::Key_Space) {
            ListBoxClick(l, l->currentRow());
            return true;
        }
        return false;
    }
    if (watched == Edit_nom && (entree || touche == Qt::Key_Down || touche == Qt::Key_Tab)) {
        Edit_prenom->setFocus();
        return true;
    }
    if (watched == Edit_prenom) {
        if (touche == Qt::Key_Up || touche == Qt::Key_Tab) {
            Edit_nom->setFocus();
            return true;
        }
        if (entree) {
            if (Button_id->isEnabled() && Button_id->isVisible())
                Button_idClick();
            return true;
        }
    }
    // Enter in the code field must not reach a default button of the window.
    if (watched == Edit_code && entree)
        return true;
    return QDialog::eventFilter(watched, event);
}
