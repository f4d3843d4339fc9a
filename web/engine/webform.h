#pragma once

#include "web/engine/streamform.h"

// The window as the browser gives it to the handlers. Figures and drawing state go to the page
// as the engine's figure stream, handed over at each wait, before a control changes and when the
// handler returns; what the controls hold is mirrored here, set from the page before each
// handler runs.
class WebForm : public StreamForm
{
public:
    explicit WebForm(Language language = Language::Czech) : StreamForm(language) {}

    // What a text box holds, as the page hands it in.
    void setControlText(std::string_view control, std::string_view text);
    // Hands the figures not yet handed over to the host.
    void flush();

    void setText(std::string_view control, std::string_view text) override;
    void setLeft(std::string_view control, double twips) override;
    void setTop(std::string_view control, double twips) override;
    void setVisible(std::string_view control, bool visible) override;
    void unload() override;
    void waitUntil(std::chrono::steady_clock::time_point deadline) override;
};
