#include "widgets/DesignScaler.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QChildEvent>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

const char *const kScalerProperty = "tabulon_design_scaler";

// Widgets whose children Qt builds and places itself.
bool keepsItsChildren(const QWidget *widget)
{
    return qobject_cast<const QAbstractScrollArea *>(widget) || qobject_cast<const QComboBox *>(widget)
           || qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QTabWidget *>(widget)
           || qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QMenuBar *>(widget);
}

// The content a scroll area shows, when widget is one.
const QScrollArea *scrollAreaShowing(const QWidget *widget)
{
    const QWidget *viewport = widget->parentWidget();
    const auto *area = viewport ? qobject_cast<const QScrollArea *>(viewport->parentWidget()) : nullptr;
    return area && area->widget() == widget ? area : nullptr;
}

bool layoutHolds(const QLayout *layout, const QWidget *widget)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == widget)
            return true;
        if (const QLayout *inner = item->layout(); inner && layoutHolds(inner, widget))
            return true;
    }
    return false;
}

void collectLayouts(QLayout *layout, QList<QLayout *> &into)
{
    if (!layout)
        return;
    into.append(layout);
    for (int i = 0; i < layout->count(); ++i)
        collectLayouts(layout->itemAt(i)->layout(), into);
}

QSize scaledSize(const QSize &design, double scale)
{
    const auto one = [scale](int v) {
        return v >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : std::min(QWIDGETSIZE_MAX, DesignScaler::scaled(v, scale));
    };
    return QSize(one(design.width()), one(design.height()));
}

QFont scaledFont(QFont font, double scale)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, DesignScaler::scaled(font.pixelSize(), scale)));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * scale));
    return font;
}

// Lengths in a style sheet ("10pt", "1px") grow with the rest.
QString scaledStyleSheet(const QString &sheet, double scale)
{
    if (scale == 1.0 || sheet.isEmpty())
        return sheet;
    static const QRegularExpression longueur(QStringLiteral("(\\d+(?:\\.\\d+)?)(px|pt)\\b"));
    QString result;
    qsizetype from = 0;
    for (auto it = longueur.globalMatch(sheet); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        result += sheet.mid(from, m.capturedStart() - from);
        const double value = m.captured(1).toDouble() * scale;
        const bool points = m.captured(2) == QLatin1String("pt");
        result += (points ? QString::number(value, 'f', 1) : QString::number(std::max(1L, std::lround(value))))
                  + m.captured(2);
        from = m.capturedEnd();
    }
    return result + sheet.mid(from);
}

} // namespace

DesignScaler::DesignScaler(QWidget *root)
    : QObject(root)
    , m_root(root)
{
    setObjectName(QStringLiteral("design_scaler"));
    root->setProperty(kScalerProperty, QVariant::fromValue(static_cast<QObject *>(this)));
    watch(root);
    learn(root);
}

DesignScaler::~DesignScaler() = default;

int DesignScaler::scaled(int design, double scale)
{
    return int(std::lround(design * scale));
}

QRect DesignScaler::scaled(const QRect &design, double scale)
{
    // Edges are scaled, not sizes, so that controls that touched still touch.
    const int left = scaled(design.x(), scale);
    const int top = scaled(design.y(), scale);
    return QRect(left, top, scaled(design.x() + design.width(), scale) - left,
                 scaled(design.y() + design.height(), scale) - top);
}

DesignScaler *DesignScaler::of(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (auto *scaler = qobject_cast<DesignScaler *>(w->property(kScalerProperty).value<QObject *>()))
            return scaler->isOurs(widget) ? scaler : nullptr;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

double DesignScaler::scaleOf(const QWidget *widget)
{
    const DesignScaler *scaler = of(widget);
    return scaler ? scaler->m_scale : 1.0;
}

qreal DesignScaler::pictureDensity(const QWidget *widget)
{
    return scaleOf(widget) * widget->devicePixelRatioF();
}

QImage DesignScaler::picture(const QSize &design, qreal density, QImage::Format format)
{
    QImage image((QSizeF(design) * density).toSize(), format);
    image.setDevicePixelRatio(density);
    image.fill(Qt::transparent);
    return image;
}

double DesignScaler::scaleOfWindow(const QWidget *widget)
{
    if (!widget)
        return 1.0;
    if (const DesignScaler *scaler = of(widget))
        return scaler->m_scale;
    const QWidget *fenetre = widget->window();
    for (const DesignScaler *scaler : fenetre->findChildren<DesignScaler *>())
        if (scaler->m_root->window() == fenetre)
            return scaler->m_scale;
    return 1.0;
}

QRect DesignScaler::designGeometry(const QWidget *widget)
{
    DesignScaler *scaler = of(widget);
    if (!scaler)
        return widget->geometry();
    // A hidden control hears of its new geometry only when shown: take it now.
    scaler->sync(const_cast<QWidget *>(widget));
    const auto it = scaler->m_designs.constFind(widget);
    // A control the scaler has not touched yet stands where the window put it.
    return it != scaler->m_designs.cend() && it->hasRect ? it->rect : widget->geometry();
}

QSize DesignScaler::designSizeHint(const QWidget *widget)
{
    const double s = scaleOf(widget);
    const QSize hint = widget->sizeHint();
    return s == 1.0 ? hint : QSize(int(std::ceil(hint.width() / s)), int(std::ceil(hint.height() / s)));
}

QFont DesignScaler::designFont(const QWidget *widget)
{
    const DesignScaler *scaler = of(widget);
    if (!scaler || scaler->m_scale == 1.0)
        return widget->font();
    if (const auto it = scaler->m_designs.constFind(widget);
        widget->testAttribute(Qt::WA_SetFont) && (it == scaler->m_designs.cend() || !it->known))
        return widget->font();
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const auto it = scaler->m_designs.constFind(w);
        if (it != scaler->m_designs.cend() && it->hasFont) {
            QFont font = widget->font();
            if (it->font.pixelSize() > 0)
                font.setPixelSize(it->font.pixelSize());
            else
                font.setPointSizeF(it->font.pointSizeF());
            return font;
        }
        if (w == scaler->m_root)
            break;
    }
    return scaledFont(widget->font(), 1.0 / scaler->m_scale);
}

QSize DesignScaler::designSize()
{
    // A hidden root hears of its new size only when shown: read it now.
    learn(m_root);
    sync(m_root);
    return m_designs[m_root].rect.size();
}

void DesignScaler::setScale(double scale)
{
    if (scale <= 0 || scale == m_scale)
        return;
    // Everything not yet seen is learnt at the scale it was built for.
    if (m_scale == 1.0)
        for (QWidget *w : m_root->findChildren<QWidget *>())
            if (isOurs(w))
                learn(w);
    learn(m_root);
    m_scale = scale;
    applyAll();
    emit scaleChanged(scale);
}

bool DesignScaler::isOurs(const QWidget *widget) const
{
    const QWidget *child = widget;
    while (child != m_root) {
        if (!child || child->isWindow())
            return false;
        if (const QScrollArea *area = scrollAreaShowing(child)) {
            child = area;
            continue;
        }
        const QWidget *parent = child->parentWidget();
        if (!parent || child->objectName().startsWith(QLatin1String("qt_")) || keepsItsChildren(parent))
            return false;
        child = parent;
    }
    return true;
}

// True when the control's place is not the window's to give: the root's (its
// owner places it), a scroll area's content, or a control in a layout.
bool DesignScaler::placesItself(const QWidget *widget) const
{
    if (widget == m_root || scrollAreaShowing(widget))
        return true;
    const QWidget *parent = widget->parentWidget();
    return parent && parent->layout() && layoutHolds(parent->layout(), widget);
}

void DesignScaler::watch(QObject *object)
{
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    connect(object, &QObject::destroyed, this, &DesignScaler::forget, Qt::UniqueConnection);
    for (QObject *child : object->children())
        watch(child);
}

void DesignScaler::forget(QObject *gone)
{
    m_designs.remove(static_cast<QWidget *>(gone));
}

DesignScaler::Design &DesignScaler::learn(QWidget *widget)
{
    Design &d = m_designs[widget];
    if (d.known)
        return d;
    d.known = true;
    d.min = d.shownMin = widget->minimumSize();
    d.max = d.shownMax = widget->maximumSize();
    const bool sizedByLayout = widget != m_root && placesItself(widget) && !scrollAreaShowing(widget);
    d.hasRect = !sizedByLayout;
    d.rect = d.shownRect = widget->geometry();
    // The root's font is learnt too, so that every control that does not set
    // its own grows with it.
    d.hasFont = widget == m_root || widget->testAttribute(Qt::WA_SetFont);
    d.font = d.shownFont = widget->font();
    d.styleSheet = d.shownStyleSheet = widget->styleSheet();
    if (const auto *button = qobject_cast<QAbstractButton *>(widget))
        d.iconSize = d.shownIconSize = button->iconSize();
    return d;
}

void DesignScaler::noteChange(QWidget *widget)
{
    Design &d = m_designs[widget];
    if (widget->minimumSize() != d.shownMin)
        d.min = widget->minimumSize();
    if (widget->maximumSize() != d.shownMax)
        d.max = widget->maximumSize();
    const QRect now = widget->geometry();
    if (d.hasRect) {
        if (widget != m_root && !placesItself(widget) && now.topLeft() != d.shownRect.topLeft())
            d.rect.moveTo(now.topLeft());
        if (d.min == d.max && d.min == now.size()) {
            d.rect.setSize(d.min); // a fixed size, given in design pixels
        } else if (now.size() != d.shownRect.size()) {
            // A control fitted to its text (adjustSize()) was fitted at the shown scale.
            const bool fitted = m_scale != 1.0 && now.size() == widget->sizeHint();
            d.rect.setSize(fitted ? designSizeHint(widget) : now.size());
        }
    }
    if (widget->testAttribute(Qt::WA_SetFont) && widget->font() != d.shownFont) {
        d.hasFont = true;
        d.font = widget->font();
    }
    if (widget->styleSheet() != d.shownStyleSheet)
        d.styleSheet = widget->styleSheet();
    if (const auto *button = qobject_cast<QAbstractButton *>(widget); button && button->iconSize() != d.shownIconSize)
        d.iconSize = button->iconSize();
}

void DesignScaler::sync(QWidget *widget)
{
    const auto it = m_designs.find(widget);
    if (m_applying || it == m_designs.end() || !it->known)
        return;
    if (widget->geometry() != it->shownRect || widget->minimumSize() != it->shownMin
        || widget->maximumSize() != it->shownMax || widget->styleSheet() != it->shownStyleSheet
        || (widget->testAttribute(Qt::WA_SetFont) && widget->font() != it->shownFont)) {
        noteChange(widget);
        apply(widget, *it);
    }
}

void DesignScaler::apply(QWidget *widget, Design &d)
{
    const bool wasApplying = m_applying;
    m_applying = true;
    const double s = m_scale;

    if (d.min != d.shownMin || d.max != d.shownMax || s != 1.0) {
        const QSize min = scaledSize(d.min, s);
        const QSize max = scaledSize(d.max, s);
        if (widget->minimumSize() != min || widget->maximumSize() != max) {
            widget->setMinimumSize(0, 0);
            widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            widget->setMinimumSize(min);
            widget->setMaximumSize(max);
        }
    }
    d.shownMin = widget->minimumSize();
    d.shownMax = widget->maximumSize();

    if (d.hasFont) {
        const QFont font = scaledFont(d.font, s);
        if (widget->font() != font)
            widget->setFont(font);
        d.shownFont = widget->font();
    }

    const QString sheet = scaledStyleSheet(d.styleSheet, s);
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
    d.shownStyleSheet = sheet;

    if (auto *button = qobject_cast<QAbstractButton *>(widget); button && d.iconSize.isValid()) {
        button->setIconSize(scaledSize(d.iconSize, s));
        d.shownIconSize = button->iconSize();
    }

    QList<QLayout *> layouts;
    collectLayouts(widget->layout(), layouts);
    for (QLayout *layout : layouts) {
        auto it = d.layouts.find(layout);
        if (it == d.layouts.end())
            it = d.layouts.insert(layout, {layout->contentsMargins(), layout->spacing()});
        const QMargins m = it->first;
        layout->setContentsMargins(scaled(m.left(), s), scaled(m.top(), s), scaled(m.right(), s), scaled(m.bottom(), s));
        if (it->second >= 0)
            layout->setSpacing(scaled(it->second, s));
    }

    const bool inLayout = widget != m_root && placesItself(widget) && !scrollAreaShowing(widget);
    if (d.hasRect && !inLayout) {
        QRect shown = scaled(d.rect, s);
        if (widget == m_root || scrollAreaShowing(widget))
            widget->resize(shown.size());
        else
            widget->setGeometry(shown);
        d.shownRect = widget->geometry();
        // A picture that is the whole label grows with it.
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            const QPixmap picture = label->pixmap();
            if (!picture.isNull() && picture.deviceIndependentSize().toSize() == d.rect.size())
                label->setScaledContents(s != 1.0);
        }
    }
    m_applying = wasApplying;
}

void DesignScaler::applyAll()
{
    apply(m_root, learn(m_root));
    for (QWidget *w : m_root->findChildren<QWidget *>())
        if (isOurs(w))
            apply(w, learn(w));
}

bool DesignScaler::eventFilter(QObject *object, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        watch(static_cast<QChildEvent *>(event)->child());
        break;
    case QEvent::Show:
        if (object == m_root && m_followsParentWindow && !event->spontaneous()) {
            const QSize before = m_root->size();
            setScale(scaleOfWindow(m_root->parentWidget()));
            // Placed over its window for the size it had: placed again.
            if (const QWidget *parent = m_root->parentWidget(); parent && m_root->size() != before)
                m_root->move(parent->window()->geometry().center() - m_root->rect().center());
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::Polish: {
        if (m_applying)
            break;
        auto *widget = qobject_cast<QWidget *>(object);
        if (!widget || !isOurs(widget))
            break;
        const auto it = m_designs.constFind(widget);
        const bool known = it != m_designs.cend() && it->known;
        // At the design scale nothing needs doing: what is seen is the design,
        // learnt when the scale first changes.
        if (!known && m_scale == 1.0)
            break;
        const QSize rootBefore = m_designs[m_root].rect.size();
        Design &d = learn(widget);
        if (known)
            noteChange(widget);
        apply(widget, d);
        if (widget == m_root && m_designs[m_root].rect.size() != rootBefore)
            emit designSizeChanged();
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(object, event);
}
