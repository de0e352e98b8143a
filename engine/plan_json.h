// One line of JSON for a plan, or for a request that drew a message instead.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/actual_time.h"
#include "engine/delay_form.h"
#include "engine/loop_plan.h"

// {"delayCycles":N,"registerCount":L,"loopCounts":[c1,...,cL],"tailNops":T,"extraNop":E,
// "clearWatchdog":W}, counts as stored (0 = 256 passes). No line end.
void AppendPlanJson(std::string& out, const LoopPlan& plan);

// The plan line of one request: the plan as above, then "form":"block", "subroutine" or
// "w-times", and for the W-times form "unitCycles":U and "overheadCycles":C.
// With `actual` (a rounded calculator count) then "actualTime", "timeUnit" (its unit's word) and
// "errorPercent", the numbers as the code's header states them.
void AppendFormPlanJson(std::string& out, const LoopPlan& plan, DelayForm form,
                        const ActualTime* actual = nullptr);

// {"delayCycles":N,"error":"..."} when a count was read, else {"error":"..."}.
void AppendErrorJson(std::string& out, const std::int64_t* delayCycles, std::string_view error);

// A JSON string literal, quotes included.
void AppendJsonString(std::string& out, std::string_view text);
