#include "web/engine/webform.h"

#include "core/twips.h"
#include "web/engine/host.h"

void WebForm::setControlText(std::string_view control, std::string_view text)
{
    DetachedForm::setText(control, text);
}

void WebForm::flush()
{
    const auto records = figures().pending();
    if (records.empty())
        return;
    host::figures(records.data()->data(), records.size() * figures::recordSize);
    figures().handedOver();
}

// Control changes travel after the figures drawn before them, so the page keeps their order.
void WebForm::setText(std::string_view name, std::string_view text)
{
    DetachedForm::setText(name, text);
    flush();
    host::setText(name.data(), name.size(), text.data(), text.size());
}

void WebForm::setLeft(std::string_view name, double twips)
{
    DetachedForm::setLeft(name, twips);
    flush();
    host::setLeft(name.data(), name.size(), twipsToPixels(twips));
}

void WebForm::setTop(std::string_view name, double twips)
{
    DetachedForm::setTop(name, twips);
    flush();
    host::setTop(name.data(), name.size(), twipsToPixels(twips));
}

void WebForm::setVisible(std::string_view name, bool visible)
{
    DetachedForm::setVisible(name, visible);
    flush();
    host::setVisible(name.data(), name.size(), visible);
}

void WebForm::unload()
{
    flush();
    host::unload();
}

void WebForm::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    flush();
    host::waitUntil(static_cast<double>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count()));
}
