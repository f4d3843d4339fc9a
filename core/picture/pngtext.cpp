#include "core/picture/pngtext.h"

#include <array>
#include <cstdint>

namespace picture {
namespace {

constexpr std::string_view signature("\x89PNG\r\n\x1a\n", 8);
constexpr std::size_t headerChunk = 8 + 4 + 4 + 13 + 4; // length, type, IHDR's data, CRC

constexpr std::array<std::uint32_t, 256> crcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xedb88320U ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

std::uint32_t crc(std::string_view bytes)
{
    static constexpr auto table = crcTable();
    std::uint32_t c = 0xffffffffU;
    for (const char b : bytes)
        c = table[(c ^ static_cast<unsigned char>(b)) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffU;
}

void putBigEndian(std::string &out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xff);
}

// An iTXt chunk: keyword, no compression, no language tag, no translated keyword, the words.
std::string chunk(const TextEntry &entry)
{
    std::string body = "iTXt";
    body += entry.first;
    body.append("\0\0\0\0\0", 5);
    body += entry.second;
    std::string out;
    putBigEndian(out, static_cast<std::uint32_t>(body.size() - 4));
    out += body;
    putBigEndian(out, crc(body));
    return out;
}

} // namespace

std::string withText(std::string_view png, std::span<const TextEntry> entries)
{
    if (!png.starts_with(signature) || png.size() < headerChunk || png.substr(12, 4) != "IHDR")
        return std::string(png);
    std::string out(png.substr(0, headerChunk));
    for (const TextEntry &entry : entries)
        out += chunk(entry);
    out += png.substr(headerChunk);
    return out;
}

std::string withAbout(std::string_view png, const About &about)
{
    const Said words = said(about);
    const TextEntry entries[] = {{"Title", words.title},
                                 {"Description", words.description},
                                 {"Software", words.software},
                                 {"Language", words.language},
                                 {"Pace", words.pace}};
    return withText(png, entries);
}

} // namespace picture
