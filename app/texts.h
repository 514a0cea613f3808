// Program texts. Literals are written in UTF-8 in the source; the program uses them in the ANSI
// code page, so on a Chinese Windows they are the GBK bytes users expect.
#pragma once

#include <string>

// The UTF-8 literal in the system's ANSI code page (empty when it cannot be converted).
std::string ansi(const char* utf8);

// The language words, the only texts the language labels ever show.
std::string chineseWord();
std::string englishWord();
