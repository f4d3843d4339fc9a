#pragma once

#include "app/announcer.h"
#include "app/canvasview.h"
#include "app/inputgate.h"
#include "app/pacer.h"
#include "core/animation/scene.h"
#include "core/form.h"
#include "core/window/wiring.h"

#include <QWidget>

#include <functional>
#include <map>
#include <string>

// The window as the runtime gives it to the program: a widget whose controls are reached by
// name, with a canvas above the windowless controls and below the windowed ones, and a way to
// run handlers one at a time behind the input gate and the error report. What a run covers and
// announces comes from the engine's rules.
class WidgetForm : public QWidget, public Form, private RunListener
{
public:
    static constexpr QSize sceneSize{scene::pixelWidth, scene::pixelHeight};
    static constexpr QSize largestCanvas{scene::largestPixelWidth, scene::largestPixelHeight};

    explicit WidgetForm(Language language = Language::Czech, QWidget *parent = nullptr);

    Language language() const { return language_; }

    // Registers a control, a child of this form, under its object name. Windowed controls stay
    // above the canvas, the others go under it.
    void addControl(QWidget *control, bool windowed);
    QWidget *control(std::string_view name) const;

    // Runs one of the window's handlers.
    void handle(Handler handler);
    // Runs a handler through the gate and the guard, never inside another one.
    void run(const std::function<void(Form &)> &handler);
    bool running() const { return gate_.busy(); }

    CanvasView &canvasView() { return *view_; }
    InputGate &inputGate() { return gate_; }
    Pacer &pacer() { return pacer_; }

    void setScaleMode(ScaleMode mode) override;
    void setDrawWidth(int pixels) override;
    void setDrawStyle(DrawStyle style) override;
    void setFillStyle(FillStyle style) override;
    void setFillColor(Colour colour) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;
    void Circle(float x, float y, float radius) override;
    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    void setLeft(std::string_view control, double twips) override;
    void setTop(std::string_view control, double twips) override;
    void setVisible(std::string_view control, bool visible) override;
    // The form's own visibility stays reachable beside the controls'.
    using QWidget::setVisible;
    int value(std::string_view control) const override;
    std::string decimalPoint() const override;
    void unload() override;
    void waitUntil(std::chrono::steady_clock::time_point deadline) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    template <typename T> T *controlOf(std::string_view name) const;

    void sceneCovers() override;
    void announce(std::string_view words) override;
    void describeScene(std::string_view description) override;

    Language language_;
    InputGate gate_;
    Pacer pacer_;
    CanvasView *view_ = nullptr;
    QList<QWidget *> windowless_;
    std::map<std::string, QWidget *, std::less<>> controls_;
    bool unloading_ = false;
};
