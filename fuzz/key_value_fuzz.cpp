// Fuzz target for the key-value reader: any bytes must parse, read back the same from the
// normalised form, and survive lookups and writes. Built for libFuzzer with clang, or with
// the bounded random driver beside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/utf8.h"
#include "store/key_value_document.h"
#include "store/key_value_text.h"

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

bool ValidText(const std::string& s) {
    return base::SanitizeUtf8(s) == s && s.find('\0') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kv::ParsedText parsed = kv::ParseKeyValueText(bytes);
    const std::string written = kv::RenderKeyValueText(parsed.entries, parsed.utf8);
    Require(kv::ParseKeyValueText(written).entries == parsed.entries);

    kv::KeyValueDocument doc(parsed);
    doc.FirstGroup();
    int groups = 0;
    while (doc.NextGroup() && groups < 64) {
        ++groups;
        const std::string name = doc.CurrentGroupName();
        Require(ValidText(doc.ReadText("Reg1", "")));
        doc.ReadInteger("Time", 0);
        doc.ReadDouble("Oscillator", 0.0);
        if (name.empty())
            continue;
        doc.WriteInteger("Time", groups);
        Require(doc.ReadInteger("Time", -1) == groups);
    }
    for (std::size_t i = 0; i + 1 < size && i < 64; i += 8) {
        const std::string_view value = bytes.substr(i, 16);
        kv::ParseIntegerValue(value);
        kv::ParseDoubleValue(value);
        Require(ValidText(base::SanitizeUtf8(value)));
    }
    doc.SelectGroup("Window");
    doc.WriteDouble("Oscillator", kv::ParseDoubleValue(bytes.substr(0, 24)));
    kv::KeyValueDocument reread(kv::ParseKeyValueText(doc.Render()));
    reread.SelectGroup("Window");
    const double a = doc.ReadDouble("Oscillator", 0), b = reread.ReadDouble("Oscillator", 1);
    Require(a == b || a - a != 0);  // every finite number reads back exactly
    return 0;
}
