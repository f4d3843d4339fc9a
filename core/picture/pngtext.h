#pragma once

#include "core/picture/about.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>

// Text chunks for a PNG a front end has encoded: what the picture says of itself, put in as
// iTXt, so that words in any language keep their letters.
namespace picture {

using TextEntry = std::pair<std::string_view, std::string_view>; // keyword, UTF-8 words

// The PNG with the entries after its header chunk; the PNG unchanged where it is none.
std::string withText(std::string_view png, std::span<const TextEntry> entries);

// The PNG with what the picture says of itself: Title, Description, Software, Language and Pace.
std::string withAbout(std::string_view png, const About &about);

} // namespace picture
