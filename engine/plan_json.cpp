#include "engine/plan_json.h"

#include <charconv>

#include "engine/time_unit.h"
#include "engine/w_times_routine.h"

namespace {

void AppendInt(std::string& out, std::int64_t v) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, end);
}

}  // namespace

void AppendPlanJson(std::string& out, const LoopPlan& plan) {
    out += "{\"delayCycles\":";
    AppendInt(out, plan.delayCycles);
    out += ",\"registerCount\":";
    AppendInt(out, plan.registerCount);
    out += ",\"loopCounts\":[";
    for (int k = 1; k <= plan.registerCount; ++k) {
        if (k > 1)
            out += ',';
        AppendInt(out, plan.counts[k]);
    }
    out += "],\"tailNops\":";
    AppendInt(out, plan.tailNops);
    out += ",\"extraNop\":";
    AppendInt(out, plan.extraNop ? 1 : 0);
    out += ",\"clearWatchdog\":";
    AppendInt(out, plan.clearWatchdog ? 1 : 0);
    out += '}';
}

void AppendFormPlanJson(std::string& out, const LoopPlan& plan, DelayForm form,
                        const ActualTime* actual) {
    AppendPlanJson(out, plan);
    out.pop_back();
    out += ",\"form\":";
    AppendJsonString(out, DelayFormName(form));
    if (form == DelayForm::WTimes) {
        out += ",\"unitCycles\":";
        AppendInt(out, plan.delayCycles + kWTimesPassCycles);
        out += ",\"overheadCycles\":";
        AppendInt(out, kWTimesOverhead);
    }
    if (actual != nullptr) {
        out += ",\"actualTime\":";
        out += actual->time;
        out += ",\"timeUnit\":";
        AppendJsonString(out, TimeUnitWord(actual->unit));
        out += ",\"errorPercent\":";
        // JSON numbers take a minus sign only.
        out +=
            actual->errorPercent[0] == '+' ? actual->errorPercent.substr(1) : actual->errorPercent;
    }
    out += '}';
}

void AppendErrorJson(std::string& out, const std::int64_t* delayCycles, std::string_view error) {
    out += '{';
    if (delayCycles != nullptr) {
        out += "\"delayCycles\":";
        AppendInt(out, *delayCycles);
        out += ',';
    }
    out += "\"error\":";
    AppendJsonString(out, error);
    out += '}';
}

void AppendJsonString(std::string& out, std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20) {
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;  // UTF-8 passes through
        }
    }
    out += '"';
}
