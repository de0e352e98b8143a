// What several engine tests share: the built-in message texts, and lines joined as written.
#pragma once

#include <initializer_list>
#include <string>

#include "i18n/message_texts.h"

inline const MessageTexts kTexts = DefaultMessageTexts();

// Each line ended by CR LF, as the generated text ends them.
inline std::string Lines(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines)
        out += std::string(l) + "\r\n";
    return out;
}
