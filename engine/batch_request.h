// One line of a batch of requests in, one line of JSON out: the plan, or the text of the
// message the window would show.
#pragma once

#include <string>
#include <string_view>

#include "engine/loop_variant.h"
#include "i18n/message_texts.h"
#include "i18n/ui_text_table.h"

struct BatchContext {
    Variant variant = Variant::Plain;
    MessageTexts texts = DefaultMessageTexts();
    std::string timeCaption = UiDefault("Time");  // quoted by the empty-field message
    std::string frequencyCaption = UiDefault("Frequency");
    std::string_view lineEnd = "\r\n";
};

// The line holds a cycle count (read as the cycle field reads it) or four words: time, time
// unit (us ms s min h d), frequency, frequency unit (MHz kHz Hz). Appends one JSON line.
void AnswerBatchLine(std::string_view line, const BatchContext& context, std::string& out);

// Unit words of the command line and of batch lines, any letter case; -1 when unknown.
int TimeUnitIndex(std::string_view word);
int FrequencyUnitIndex(std::string_view word);
// The word of a unit index as written ("ms", "kHz"); "" for none.
std::string_view TimeUnitWord(int index);
std::string_view FrequencyUnitWord(int index);
