// Frame text for people to read.
#pragma once

#include <string>

// CR LF becomes LF, and the Windows-1252 bytes of the frame become UTF-8.
std::string to_utf8(const std::string& text);
