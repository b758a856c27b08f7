// What a console program prints is UTF-8, byte for byte as written, on
// every platform: redirected to a file it gives the same text as on Linux,
// and a console shows it as UTF-8.
#pragma once

namespace vorelka::services {

// Call once, before the first output.
void UseUtf8Console();

}  // namespace vorelka::services
