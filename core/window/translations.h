#pragma once

#include <cstddef>
#include <span>

// The word table's other columns, made by the build from the translators' PO files under po/
// (tools/translations.py): for each language, its words by the id they are for (the entry's
// context) and the Czech words they translate.
namespace translations {

struct Entry {
    const char *id;
    const char *czech;
    const char *words;
};

struct Column {
    const char *code;
    std::span<const Entry> entries;
};

// In the order of their codes.
extern const std::span<const Column> columns;

} // namespace translations
