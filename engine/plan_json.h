// One line of JSON for a plan, or for a request that drew a message instead.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/loop_plan.h"

// {"delayCycles":N,"registerCount":L,"loopCounts":[c1,...,cL],"tailNops":T,"extraNop":E,
// "clearWatchdog":W}, counts as stored (0 = 256 passes). No line end.
void AppendPlanJson(std::string& out, const LoopPlan& plan);

// {"delayCycles":N,"error":"..."} when a count was read, else {"error":"..."}.
void AppendErrorJson(std::string& out, const std::int64_t* delayCycles, std::string_view error);

// A JSON string literal, quotes included.
void AppendJsonString(std::string& out, std::string_view text);
