#include "engine/count_block_cycles.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int kUnknown = -1;

// A landing on the target of a jump, to be compared with the next landing there. It holds no
// copy of the registers: the journal of register events since `events` tells what changed,
// so that a step costs the same however many registers a block names.
struct Snapshot {
    bool valid = false;
    int w = kUnknown;
    std::int64_t cycles = 0;
    std::uint64_t events = 0;  // register events before the landing
    std::uint64_t hash = 0;    // of every register's value, a quick filter before the journal
};

// One register's value as a term of the running hash: the sum of one term per register.
std::uint64_t Mix(int reg, int value) {
    std::uint64_t z = (static_cast<std::uint64_t>(reg) << 32) ^ static_cast<std::uint32_t>(value) ^
                      0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// The register an event touched and its value before; the last kJournalSize events are kept.
struct JournalEntry {
    int reg;
    int before;
};
constexpr std::size_t kJournalSize = 1u << 20;

class Machine {
  public:
    Machine(const AsmBlock& b, const CountOptions& o)
        : b_(b),
          options_(o),
          regs_(b.registers.size(), kUnknown),
          lastEvent_(b.registers.size(), 0),
          previousEvent_(b.registers.size(), 0),
          lastWasDecrement_(b.registers.size(), false),
          seen_(b.registers.size(), 0),
          snaps_(b.code.size()) {
        if (o.enteringW >= 0 && o.enteringW <= 255)
            w_ = o.enteringW;
        for (std::size_t r = 0; r < regs_.size(); ++r)
            hash_ += Mix(static_cast<int>(r), kUnknown);
    }

    BlockCycles Run() {
        const int end = static_cast<int>(b_.code.size());
        std::int64_t steps = 0;
        while (pc_ < end) {
            if (++steps > options_.stepLimit)
                return Fail("too many steps to count");
            const Instruction& in = b_.code[pc_];
            switch (in.op) {
                case Op::Movlw:
                    w_ = in.value;
                    Advance(1);
                    break;
                case Op::Movwf:
                    if (w_ == kUnknown)
                        return Fail("W is stored before it is loaded");
                    Event(in.reg, w_, false);
                    Advance(1);
                    break;
                case Op::Nop:
                case Op::Clrwdt:
                    Advance(1);
                    break;
                case Op::Decfsz: {
                    const int v = regs_[in.reg];
                    if (v == kUnknown) {
                        return Fail("register " + b_.registers[in.reg] +
                                    " is read before it is loaded");
                    }
                    const int result = (v + 255) & 0xFF;
                    if (in.toW) {
                        w_ = result;
                        Event(in.reg, v, false);  // a read: the register is no pure counter
                    } else {
                        Event(in.reg, result, true);
                    }
                    if (result != 0) {
                        Advance(1);
                    } else {
                        const int skipped = pc_ + 1 < end ? b_.code[pc_ + 1].words : 1;
                        if (!AddCycles(1 + skipped))
                            return Fail("more cycles than 64 bits hold");
                        pc_ += 2;
                    }
                    break;
                }
                case Op::Return:
                    // The caller's next instruction is outside the block: counting ends here.
                    if (!AddCycles(2))
                        return Fail("more cycles than 64 bits hold");
                    returned_ = true;
                    pc_ = end;
                    break;
                case Op::Jump: {
                    if (!AddCycles(2))
                        return Fail("more cycles than 64 bits hold");
                    if (options_.skipPasses && !Landed(pc_))
                        return Fail(error_);
                    pc_ = in.target;
                    break;
                }
            }
            if (!error_.empty())
                return Fail(error_);
        }
        BlockCycles r;
        r.ok = true;
        r.cycles = cycles_;
        r.returned = returned_;
        return r;
    }

  private:
    void Advance(int cycles) {
        if (!AddCycles(cycles)) {
            error_ = "more cycles than 64 bits hold";
            return;
        }
        ++pc_;
    }

    bool AddCycles(std::int64_t n) { return !__builtin_add_overflow(cycles_, n, &cycles_); }

    BlockCycles Fail(const std::string& what) {
        BlockCycles r;
        r.errorLine =
            b_.code[pc_ < static_cast<int>(b_.code.size()) ? pc_ : b_.code.size() - 1].line;
        r.error = what;
        return r;
    }

    // A register event: a store, a decrement, or a read into W (the value stays).
    void Event(int reg, int value, bool decrement) {
        const JournalEntry entry{reg, regs_[reg]};
        ++events_;
        if (journal_.size() < kJournalSize)
            journal_.push_back(entry);
        else
            journal_[(events_ - 1) % kJournalSize] = entry;
        hash_ += Mix(reg, value) - Mix(reg, regs_[reg]);
        regs_[reg] = value;
        previousEvent_[reg] = lastEvent_[reg];
        lastEvent_[reg] = events_;
        lastWasDecrement_[reg] = decrement;
        if (decrement) {
            // Most recent first, each register once.
            auto last = std::find(recent_.begin(), recent_.end() - 1, reg);
            std::move_backward(recent_.begin(), last, last + 1);
            recent_.front() = reg;
        }
    }

    // Whether every register but `changed` holds the value it held after `since` register
    // events, by the journal; false as well when the journal no longer reaches back so far.
    bool OthersUnchangedSince(std::uint64_t since, int changed) {
        if (events_ - since > journal_.size())
            return false;
        ++walk_;
        for (std::uint64_t e = since + 1; e <= events_; ++e) {
            const JournalEntry& entry = journal_[(e - 1) % kJournalSize];
            if (seen_[entry.reg] == walk_)
                continue;
            seen_[entry.reg] = walk_;
            if (entry.reg != changed && regs_[entry.reg] != entry.before)
                return false;
        }
        return true;
    }

    // At the jump `from`, about to land on its target: compare with its previous landing and
    // skip the passes that must repeat. Between two landings exactly one register X was
    // decremented once and touched no other way, and nothing else differs: X is read nowhere
    // else in the pass, so each further pass runs the same instructions as long as its
    // decrement does not reach 0. X's only event since the previous landing is its decrement.
    bool Landed(int from) {
        Snapshot& s = snaps_[from];
        if (s.valid && s.w == w_) {
            if (hash_ == s.hash && OthersUnchangedSince(s.events, -1)) {
                error_ = "the block never ends";
                return false;
            }
            for (const int x : recent_) {
                if (x < 0 || !lastWasDecrement_[x] || lastEvent_[x] <= s.events ||
                    previousEvent_[x] > s.events || regs_[x] == 0 ||
                    hash_ - Mix(x, regs_[x]) + Mix(x, (regs_[x] + 1) & 0xFF) != s.hash ||
                    !OthersUnchangedSince(s.events, x)) {
                    continue;
                }
                const std::int64_t passes = regs_[x] - 1;
                const std::int64_t perPass = cycles_ - s.cycles;
                std::int64_t added;
                if (__builtin_mul_overflow(passes, perPass, &added) || !AddCycles(added)) {
                    error_ = "more cycles than 64 bits hold";
                    return false;
                }
                Event(x, 1, false);
                s.valid = false;
                return true;
            }
        }
        s = Snapshot{true, w_, cycles_, events_, hash_};
        return true;
    }

    const AsmBlock& b_;
    CountOptions options_;
    std::vector<int> regs_;
    int w_ = kUnknown;
    std::uint64_t events_ = 0;
    std::uint64_t hash_ = 0;
    std::vector<std::uint64_t> lastEvent_, previousEvent_;  // numbers of register events
    std::vector<bool> lastWasDecrement_;
    // The registers decremented last, most recent first: X is among them unless more than
    // seven others were decremented after it in the pass (then the passes are stepped).
    std::array<int, 8> recent_ = {-1, -1, -1, -1, -1, -1, -1, -1};
    std::vector<JournalEntry> journal_;
    std::vector<std::uint64_t> seen_;  // the walk that last met each register
    std::uint64_t walk_ = 0;
    std::vector<Snapshot> snaps_;
    std::int64_t cycles_ = 0;
    int pc_ = 0;
    bool returned_ = false;
    std::string error_;
};

}  // namespace

BlockCycles CountBlockCycles(const AsmBlock& block, const CountOptions& options) {
    if (block.code.empty()) {
        BlockCycles r;
        r.error = "no instruction found";
        return r;
    }
    return Machine(block, options).Run();
}

BlockCycles CountTextCycles(const std::string& text, const CountOptions& options) {
    AsmBlockResult parsed = ParseAsmBlock(text, options.radix);
    if (!parsed.ok) {
        BlockCycles r;
        r.errorLine = parsed.errorLine;
        r.error = parsed.error;
        return r;
    }
    return CountBlockCycles(parsed.block, options);
}
