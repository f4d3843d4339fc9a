#include "core/window/detachedform.h"

#include "core/errors.h"

DetachedForm::DetachedForm(Language language)
{
    for (const layout::Control &row : layout::controls) {
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

void DetachedForm::setLeft(std::string_view name, double)
{
    control(name);
}

void DetachedForm::setTop(std::string_view name, double)
{
    control(name);
}

void DetachedForm::setVisible(std::string_view name, bool)
{
    control(name);
}

int DetachedForm::value(std::string_view name) const
{
    return values_.find(control(name, layout::Kind::ScrollBar).name)->second;
}
