#include "app/widgetform.h"

#include "app/accessibility.h"
#include "app/errorreport.h"
#include "app/words.h"
#include "core/runtimeerror.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>

WidgetForm::WidgetForm(Language language, QWidget *parent)
    : QWidget(parent), language_(language), gate_(this)
{
    // Before any widget that a screen reader might ask about: Qt makes its view of one once.
    installAccessibility();
    registerForm(this);
    view_ = new CanvasView(this);
    view_->setAccessibleName(words(Text::SceneName, language_));
    view_->setGeometry(QRect(QPoint(0, 0), sceneSize));
    // No larger than all the screens together: a window manager keeps to that, and the
    // window's backing store, four bytes a pixel, grows with the window.
    setMaximumSize(screen()->availableVirtualSize());
}

void WidgetForm::addControl(QWidget *control, bool windowed)
{
    Q_ASSERT(control->parentWidget() == this);
    controls_[control->objectName().toStdString()] = control;
    if (windowed) {
        control->raise();
    } else {
        control->stackUnder(view_);
        registerWindowless(control);
        windowless_.push_back(control);
    }
}

QWidget *WidgetForm::control(std::string_view name) const
{
    const auto found = controls_.find(name);
    if (found == controls_.end())
        raiseRuntimeError(ErrorCodes::ObjectRequired);
    return found->second;
}

template <typename T> T *WidgetForm::controlOf(std::string_view name) const
{
    auto *typed = qobject_cast<T *>(control(name));
    if (!typed)
        raiseRuntimeError(ErrorCodes::NotSupported);
    return typed;
}

void WidgetForm::handle(Handler handler)
{
    run([this, handler](Form &form) { runHandler(handler, form, *this, language_); });
}

void WidgetForm::sceneCovers()
{
    view_->canvas().covered();
    paintedOver(view_, windowless_);
}

void WidgetForm::announce(std::string_view words)
{
    Announcer::say(this, fromUtf8(words));
}

void WidgetForm::describeScene(std::string_view description)
{
    view_->setAccessibleDescription(fromUtf8(description));
    // A screen reader's review of the window reads names: after a run the drawing's name says
    // what it shows, there to be read again when the announcement has gone.
    view_->setAccessibleName(fromUtf8(texts::fill(Text::SceneDescribed, language_, {description})));
}

void WidgetForm::run(const std::function<void(Form &)> &handler)
{
    if (ErrorReport::ended())
        return;
    if (!gate_.mayRun()) {
        gate_.defer([this, handler] { run(handler); });
        return;
    }
    gate_.begin();
    pacer_.start();
    const bool ok = ErrorReport::guard(this, language_, [&] {
        try {
            handler(*this);
        } catch (...) {
            view_->flush(); // the report shows over what was drawn up to the error
            throw;
        }
    });
    view_->flush();
    if (!ok)
        gate_.discard();
    gate_.end();
}

void WidgetForm::closeEvent(QCloseEvent *event)
{
    // A close request during a handler waits for it, in order with the held input.
    if (gate_.busy() && !unloading_) {
        event->ignore();
        gate_.defer([this] { close(); });
        return;
    }
    QWidget::closeEvent(event);
}

void WidgetForm::resizeEvent(QResizeEvent *event)
{
    // Without a window manager the window system may force any size on the window.
    if (const QSize bounded = size().boundedTo(maximumSize()); bounded != size()) {
        resize(bounded);
        return;
    }
    view_->resize(view_->size().expandedTo(size()));
    QWidget::resizeEvent(event);
}

void WidgetForm::setScaleMode(ScaleMode) {}

void WidgetForm::setDrawWidth(int pixels)
{
    view_->canvas().setDrawWidth(pixels);
}

void WidgetForm::setDrawStyle(DrawStyle style)
{
    view_->canvas().setDrawStyle(style);
}

void WidgetForm::setFillStyle(FillStyle style)
{
    view_->canvas().setFillStyle(style);
}

void WidgetForm::setFillColor(Colour colour)
{
    view_->canvas().setFillColor(colour);
}

void WidgetForm::Line(float x1, float y1, float x2, float y2)
{
    view_->canvas().line(x1, y1, x2, y2);
    view_->drawn();
}

void WidgetForm::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    view_->canvas().line(x1, y1, x2, y2, colour);
    view_->drawn();
}

void WidgetForm::Circle(float x, float y, float radius)
{
    view_->canvas().circle(x, y, radius);
    view_->drawn();
}

std::string WidgetForm::text(std::string_view control) const
{
    return controlOf<QLineEdit>(control)->text().toStdString();
}

void WidgetForm::setText(std::string_view control, std::string_view text)
{
    controlOf<QLineEdit>(control)->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void WidgetForm::setLeft(std::string_view control, double twips)
{
    QWidget *widget = this->control(control);
    widget->move(twipsToPixels(twips), widget->y());
}

void WidgetForm::setTop(std::string_view control, double twips)
{
    QWidget *widget = this->control(control);
    widget->move(widget->x(), twipsToPixels(twips));
}

void WidgetForm::setVisible(std::string_view control, bool visible)
{
    this->control(control)->setVisible(visible);
}

int WidgetForm::value(std::string_view control) const
{
    return controlOf<QScrollBar>(control)->value();
}

std::string WidgetForm::decimalPoint() const
{
    // The user's own locale, whatever language the window speaks.
    return QLocale::system().decimalPoint().toStdString();
}

void WidgetForm::unload()
{
    unloading_ = true;
    close();
}

void WidgetForm::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    pacer_.waitUntil(deadline, *view_);
}
