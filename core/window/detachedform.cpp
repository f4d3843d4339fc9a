#include "core/window/detachedform.h"

#include "core/errors.h"

DetachedForm::DetachedForm(Language language)
{
    for (const layout::Control &row : layout::controls) {
        placed_.emplace(row.name, Placed{double(row.left), double(row.top), row.shown});
        if (row.kind == layout::Kind::TextBox)
            texts_.emplace(row.name, texts::words(row.text, language));
        else if (row.kind == layout::Kind::ScrollBar)
            values_.emplace(row.name, layout::scrollMinimum);
    }
}

const layout::Control &DetachedForm::control(std::string_view name)
{
    const layout::Control *row = layout::controlNamed(name);
    if (!row)
        raiseRuntimeError(ErrorCodes::ObjectRequired);
    return *row;
}

const layout::Control &DetachedForm::control(std::string_view name, layout::Kind kind)
{
    const layout::Control &row = control(name);
    if (row.kind != kind)
        raiseRuntimeError(ErrorCodes::NotSupported);
    return row;
}

void DetachedForm::setValue(std::string_view name, int value)
{
    values_[control(name, layout::Kind::ScrollBar).name] = value;
}

std::string DetachedForm::text(std::string_view name) const
{
    return texts_.find(control(name, layout::Kind::TextBox).name)->second;
}

void DetachedForm::setText(std::string_view name, std::string_view text)
{
    texts_[control(name, layout::Kind::TextBox).name] = text;
}

void DetachedForm::setLeft(std::string_view name, double twips)
{
    placed_.find(control(name).name)->second.left = twips;
}

void DetachedForm::setTop(std::string_view name, double twips)
{
    placed_.find(control(name).name)->second.top = twips;
}

void DetachedForm::setVisible(std::string_view name, bool visible)
{
    placed_.find(control(name).name)->second.visible = visible;
}

double DetachedForm::left(std::string_view name) const
{
    return placed_.find(control(name).name)->second.left;
}

double DetachedForm::top(std::string_view name) const
{
    return placed_.find(control(name).name)->second.top;
}

bool DetachedForm::visible(std::string_view name) const
{
    return placed_.find(control(name).name)->second.visible;
}

int DetachedForm::value(std::string_view name) const
{
    return values_.find(control(name, layout::Kind::ScrollBar).name)->second;
}
