#include "app/accessibility.h"

#include "app/announcer.h"
#include "app/canvasview.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

constexpr const char *coveredProperty = "halmiraCovered";
constexpr const char *formProperty = "halmiraForm";

// Whether a windowless control is painted over, as paintedOver marks it.
bool isCovered(const QWidget *control)
{
    return control->property(coveredProperty).toBool();
}

// The window: a point finds the topmost child that shows there.
class FormAccessible : public QAccessibleWidget
{
public:
    explicit FormAccessible(QWidget *form) : QAccessibleWidget(form, QAccessible::Client) {}

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
        // Children are in stacking order, the topmost last.
        const QObjectList &children = widget()->children();
        for (qsizetype i = children.size() - 1; i >= 0; --i) {
            auto *control = qobject_cast<QWidget *>(children.at(i));
            if (!control || control->isWindow() || !control->isVisible() ||
                !control->geometry().contains(at))
                continue;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
            if (face && !face->state().invisible && face->role() != QAccessible::Notification)
                return face;
        }
        return nullptr;
    }
};

// The canvas: a picture, which shows once something is drawn on it.
class CanvasAccessible : public QAccessibleWidget
{
public:
    explicit CanvasAccessible(CanvasView *view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (static_cast<CanvasView *>(widget())->canvas().isBlank())
            state.invisible = true;
        return state;
    }
};

// A windowless control, which the scene paints over.
class WindowlessAccessible : public QAccessibleWidget
{
public:
    WindowlessAccessible(QLabel *label)
        : QAccessibleWidget(label, label->pixmap().isNull() ? QAccessible::StaticText
                                                            : QAccessible::Graphic)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (isCovered(widget()))
            state.invisible = true;
        return state;
    }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->property(formProperty).toBool())
        return new FormAccessible(widget);
    if (auto *view = dynamic_cast<CanvasView *>(object))
        return new CanvasAccessible(view);
    if (auto *announcer = dynamic_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    auto *label = qobject_cast<QLabel *>(object);
    if (label && label->property(coveredProperty).isValid())
        return new WindowlessAccessible(label);
    return nullptr;
}

void announceShowing(QWidget *widget, bool showing)
{
    QAccessibleEvent event(widget, showing ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void registerForm(QWidget *form)
{
    form->setProperty(formProperty, true);
}

void registerWindowless(QWidget *control)
{
    control->setProperty(coveredProperty, false);
}

void paintedOver(QWidget *canvas, const QList<QWidget *> &windowless)
{
    announceShowing(canvas, true);
    for (QWidget *control : windowless) {
        if (isCovered(control))
            continue;
        control->setProperty(coveredProperty, true);
        announceShowing(control, false);
    }
}
