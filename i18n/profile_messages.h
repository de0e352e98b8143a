// The profile editor's composed message texts.
#pragma once

#include <string>

#include "i18n/message_texts.h"
#include "store/profile_editor_rules.h"

std::string DeleteQuestionText(const MessageTexts& texts, const std::string& name);
// A register name or label that the current assembler cannot take, quoted, then the rule.
std::string ForbiddenAsmNameText(const MessageTexts& texts, const std::string& name);
// Empty for a verdict that has no message of its own (Accepted).
std::string VerdictText(FormVerdict verdict, const MessageTexts& texts, const std::string& name);
