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

// The line holds a cycle count (wholly a number as the cycle field reads it) or four words:
// time, time unit (us ms s min h d), frequency, frequency unit (MHz kHz Hz), the two numbers
// digits with one decimal point or comma. Appends one JSON line.
void AnswerBatchLine(std::string_view line, const BatchContext& context, std::string& out);

// Frequency unit words of the command line and of batch lines, any letter case; -1 when
// unknown. The time unit's words are in engine/time_unit.h.
int FrequencyUnitIndex(std::string_view word);
// The word of a frequency unit index as written ("kHz"); "" for none.
std::string_view FrequencyUnitWord(int index);
