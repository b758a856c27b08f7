// UTF-8 and the wide strings of the Windows API, and the system's words for
// an error code. Used only by the Windows files of this folder.
#pragma once

#include <string>
#include <string_view>

namespace vorelka::services {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// The system's message for GetLastError()'s `code`, without its line end.
std::string SystemMessage(unsigned long code);

}  // namespace vorelka::services
