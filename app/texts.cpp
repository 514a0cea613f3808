#include "app/texts.h"

#include "platform/os.h"

std::string ansi(const char* utf8) {
    std::u16string wide;
    std::string text;
    if (os().MultiByteToWideChar(win::kCodePageUtf8, utf8, wide) == 0 && *utf8 != '\0') return text;
    os().WideCharToMultiByte(win::kCodePageAnsi, wide, text);
    return text;
}

std::string chineseWord() { return ansi("中文"); }
std::string englishWord() { return ansi("英文"); }
