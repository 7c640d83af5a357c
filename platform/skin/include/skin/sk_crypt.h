// Enciphering of short texts kept in files (an archive's password lock). The key is
// built into the engine: the text cannot be read in the file or changed there unnoticed,
// but this is no protection against someone who holds the program.
#pragma once
#include <string>
#include <string_view>

// The enciphered form of the text (binary; each call gives different bytes).
std::string SKENCRYPT(std::string_view text);
// The text back from SKENCRYPT's bytes: 0, or 13 (the data is invalid) when the bytes
// were not made by SKENCRYPT or were changed; text is "" then.
int SKDECRYPT(std::string_view data, std::string& text);
