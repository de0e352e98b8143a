#include "engine/asm_block.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "base/ascii.h"
#include "base/number_text.h"

namespace {

using base::IsBlank;

std::string Lower(std::string_view s) {
    return base::FoldedAscii(s);
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::optional<std::int64_t> Digits(std::string_view s, int base) {
    if (s.empty() || s.size() > 18)
        return std::nullopt;
    std::int64_t v = 0;
    for (char c : s) {
        const int d = DigitValue(c, base);
        if (d < 0)
            return std::nullopt;
        v = v * base + d;
    }
    return v;
}

// A radix letter after the digits ("0FBh", "251d"): the current assembler's forms. Only read
// in decimal radix, where they cannot be mistaken for hexadecimal digits.
std::optional<std::int64_t> SuffixedNumber(std::string_view s) {
    if (s.size() < 2 || s[0] < '0' || s[0] > '9')
        return std::nullopt;
    const std::string_view digits = s.substr(0, s.size() - 1);
    switch (base::FoldAscii(s.back())) {
        case 'h':
            return Digits(digits, 16);
        case 'd':
            return Digits(digits, 10);
        case 'b':
            return Digits(digits, 2);
        case 'o':
        case 'q':
            return Digits(digits, 8);
        default:
            return std::nullopt;
    }
}

std::optional<std::int64_t> Number(std::string_view s, int radix) {
    if (s.size() >= 2 && s[0] == '.')
        return Digits(s.substr(1), 10);
    if (s.size() >= 3 && s[1] == '\'' && s.back() == '\'') {
        const std::string_view inner = s.substr(2, s.size() - 3);
        switch (base::FoldAscii(s[0])) {
            case 'd':
                return Digits(inner, 10);
            case 'h':
                return Digits(inner, 16);
            case 'b':
                return Digits(inner, 2);
            case 'o':
                return Digits(inner, 8);
            default:
                return std::nullopt;
        }
    }
    if (s.size() >= 3 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        return Digits(s.substr(2), 16);
    if (radix == 10) {
        if (const auto v = SuffixedNumber(s))
            return v;
    }
    return Digits(s, radix);
}

std::vector<std::string> SplitOperands(std::string_view s) {
    std::vector<std::string> out;
    if (Trim(s).empty())
        return out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = s.find(',', start);
        std::string part;
        for (char c : s.substr(start, comma == std::string_view::npos ? s.npos : comma - start)) {
            if (!IsBlank(c) && c != '\r')
                part += c;
        }
        out.push_back(part);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return out;
}

// A jump operand before addresses are known.
struct PendingJump {
    std::size_t index;
    std::string label;    // empty: relative to the jump's own address
    std::int64_t offset;  // relative: target = own address + offset
};

class Parser {
  public:
    explicit Parser(int radix) : radix_(radix) {}

    AsmBlockResult Run(const std::string& text) {
        std::size_t pos = 0;
        int line = 0;
        while (pos <= text.size() && ok_) {
            // A line ends in "\r\n", "\n" or a bare "\r" (old Mac files).
            const std::size_t nl = text.find_first_of("\r\n", pos);
            const std::string_view raw(text.data() + pos,
                                       (nl == std::string::npos ? text.size() : nl) - pos);
            ++line;
            ParseLine(raw, line);
            if (nl == std::string::npos)
                break;
            pos = nl + (text.compare(nl, 2, "\r\n") == 0 ? 2 : 1);
        }
        if (ok_)
            Resolve();
        result_.ok = ok_;
        return std::move(result_);
    }

  private:
    void Fail(int line, std::string what) {
        if (!ok_)
            return;
        ok_ = false;
        result_.errorLine = line;
        result_.error = std::move(what);
    }

    // By name through an index: a block may name tens of thousands of registers.
    int Register(const std::string& name) {
        auto& regs = result_.block.registers;
        const auto [it, added] = registerIndex_.try_emplace(name, static_cast<int>(regs.size()));
        if (added)
            regs.push_back(name);
        return it->second;
    }

    static bool IsMnemonic(const std::string& m) {
        return m == "movlw" || m == "movwf" || m == "decfsz" || m == "goto" || m == "bra" ||
               m == "nop" || m == "clrwdt" || m == "return" || m == "radix";
    }

    // Register declarations take no cycles and no program word: a cblock's names up to its
    // endc, the data sections and the way back to code, and each reservation (res, DS).
    bool IsDeclaration(std::string_view raw) {
        std::string words[2];
        std::string_view rest = Trim(raw);
        for (std::string& w : words) {
            std::size_t n = 0;
            while (n < rest.size() && !IsBlank(rest[n]))
                ++n;
            w = Lower(rest.substr(0, n));
            rest = Trim(rest.substr(n));
        }
        if (inCblock_) {
            inCblock_ = words[0] != "endc";
            return true;
        }
        if (words[0] == "cblock") {
            inCblock_ = true;
            return true;
        }
        for (const char* directive : {"udata_shr", "udata_acs", "udata", "code", "psect"}) {
            if (words[0] == directive || words[1] == directive)
                return true;
        }
        return words[1] == "res" || words[1] == "ds";
    }

    void ParseLine(std::string_view raw, int line) {
        const std::size_t semi = raw.find(';');
        if (semi != std::string_view::npos)
            raw = raw.substr(0, semi);
        if (Trim(raw).empty() || IsDeclaration(raw))
            return;

        std::string_view rest = raw;
        if (!IsBlank(rest.front())) {
            std::size_t n = 0;
            while (n < rest.size() && !IsBlank(rest[n]) && rest[n] != '\r')
                ++n;
            std::string label(rest.substr(0, n));
            if (!IsMnemonic(Lower(label))) {
                if (!label.empty() && label.back() == ':')
                    label.pop_back();
                if (label.empty() || labels_.count(label)) {
                    Fail(line, label.empty() ? "empty label" : "label defined twice: " + label);
                    return;
                }
                labels_[label] = result_.block.code.size();
                rest = rest.substr(n);
            }
        }
        rest = Trim(rest);
        if (rest.empty())
            return;  // a label on its own line marks the next instruction
        std::size_t n = 0;
        while (n < rest.size() && !IsBlank(rest[n]))
            ++n;
        const std::string mnemonic = Lower(rest.substr(0, n));
        const std::vector<std::string> ops = SplitOperands(rest.substr(n));

        if (mnemonic == "radix") {
            const std::string r = ops.size() == 1 ? Lower(ops[0]) : "";
            if (r != "dec" && r != "hex" && r != "oct")
                return Fail(line, "radix needs dec, hex or oct");
            radix_ = r == "dec" ? 10 : r == "hex" ? 16 : 8;
            return;
        }

        Instruction in;
        in.line = line;
        if (mnemonic == "nop" || mnemonic == "clrwdt" || mnemonic == "return") {
            if (!ops.empty())
                return Fail(line, mnemonic + " takes no operand");
            in.op = mnemonic == "nop" ? Op::Nop : mnemonic == "clrwdt" ? Op::Clrwdt : Op::Return;
        } else if (mnemonic == "movlw") {
            const auto v = ops.size() == 1 ? Number(ops[0], radix_) : std::nullopt;
            if (!v || *v > 255)
                return Fail(line, "movlw needs a literal from 0 to 255");
            in.op = Op::Movlw;
            in.value = static_cast<int>(*v);
        } else if (mnemonic == "movwf") {
            if (ops.empty() || ops.size() > 2 || ops[0].empty() ||
                (ops.size() == 2 && !AccessBit(ops[1]))) {
                return Fail(line, "movwf needs a register and an optional access bit");
            }
            if (ops.size() == 2)
                result_.block.pic18 = true;
            in.op = Op::Movwf;
            in.reg = Register(ops[0]);
        } else if (mnemonic == "decfsz") {
            if (!DecrementOperands(ops, in)) {
                return Fail(line,
                            "decfsz needs a register, an optional destination and access bit");
            }
        } else if (mnemonic == "goto" || mnemonic == "bra") {
            if (mnemonic == "bra")
                result_.block.pic18 = true;
            if (ops.size() != 1 || ops[0].empty())
                return Fail(line, mnemonic + " needs one target");
            if (!JumpOperand(ops[0], line))
                return;
            in.op = Op::Jump;
            isGoto_.push_back(mnemonic == "goto");
        } else {
            return Fail(line, "unknown instruction: " + std::string(rest.substr(0, n)));
        }
        if (in.op != Op::Jump)
            isGoto_.push_back(false);
        result_.block.code.push_back(in);
    }

    static bool AccessBit(const std::string& s) {
        const std::string a = Lower(s);
        return a == "0" || a == "1" || a == "access" || a == "banked" || a == "a" || a == "b" ||
               a == "c";
    }

    bool DecrementOperands(const std::vector<std::string>& ops, Instruction& in) {
        if (ops.empty() || ops.size() > 3 || ops[0].empty())
            return false;
        if (ops.size() >= 2) {
            const std::string d = Lower(ops[1]);
            if (d == "w" || d == "0") {
                in.toW = true;
            } else if (d != "f" && d != "1") {
                return false;
            }
        }
        if (ops.size() == 3) {
            if (!AccessBit(ops[2]))
                return false;
            result_.block.pic18 = true;
        }
        in.op = Op::Decfsz;
        in.reg = Register(ops[0]);
        return true;
    }

    bool JumpOperand(const std::string& op, int line) {
        PendingJump j{result_.block.code.size(), "", 0};
        if (op[0] == '$') {
            if (op.size() > 1) {
                const auto n = op.size() > 2 ? Number(op.substr(2), radix_) : std::nullopt;
                if ((op[1] != '-' && op[1] != '+') || !n) {
                    Fail(line, "jump target not understood: " + op);
                    return false;
                }
                j.offset = op[1] == '-' ? -*n : *n;
            }
        } else {
            j.label = op;
        }
        jumps_.push_back(j);
        return true;
    }

    void Resolve() {
        AsmBlock& b = result_.block;
        const int unit = b.pic18 ? 2 : 1;
        std::vector<std::int64_t> address(b.code.size() + 1, 0);
        for (std::size_t i = 0; i < b.code.size(); ++i) {
            b.code[i].words = b.pic18 && isGoto_[i] ? 2 : 1;
            address[i + 1] = address[i] + static_cast<std::int64_t>(b.code[i].words) * unit;
        }
        for (const PendingJump& j : jumps_) {
            Instruction& in = b.code[j.index];
            if (!j.label.empty()) {
                const auto it = labels_.find(j.label);
                if (it == labels_.end())
                    return Fail(in.line, "unknown label: " + j.label);
                in.target = static_cast<int>(it->second);
                continue;
            }
            const std::int64_t want = address[j.index] + j.offset;
            const auto it = std::lower_bound(address.begin(), address.end(), want);
            if (it == address.end() || *it != want) {
                return Fail(in.line, "jump target is not an instruction of the block");
            }
            in.target = static_cast<int>(it - address.begin());
        }
    }

    int radix_;
    bool inCblock_ = false;
    AsmBlockResult result_;
    bool ok_ = true;
    std::map<std::string, std::size_t> labels_;
    std::unordered_map<std::string, int> registerIndex_;
    std::vector<PendingJump> jumps_;
    std::vector<bool> isGoto_;
};

}  // namespace

AsmBlockResult ParseAsmBlock(const std::string& text, int radix) {
    return Parser(radix).Run(text);
}
