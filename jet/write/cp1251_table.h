// Code page 1251 (Windows Cyrillic), strictly: the one byte that stands for
// a character, or none. Byte 0x98 is unassigned in this code page.
#pragma once

#include <cstdint>
#include <optional>

namespace vorelka::jet::writer {

std::optional<uint8_t> Cp1251ByteOf(char32_t code_point);

// The character a byte stands for; nullopt for the unassigned 0x98.
std::optional<char32_t> Cp1251CharOf(uint8_t byte);

}  // namespace vorelka::jet::writer
