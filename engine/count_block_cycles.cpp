#include "engine/count_block_cycles.h"

#include <vector>

namespace {

constexpr int kUnknown = -1;

// The machine state as it lands on the target of a jump, with the running number of
// decrements and stores of every register, so that two landings can be compared.
struct Snapshot {
    bool valid = false;
    std::vector<int> regs;
    int w = kUnknown;
    std::int64_t cycles = 0;
    std::vector<std::uint64_t> reads, decrements, stores;
};

class Machine {
  public:
    Machine(const AsmBlock& b, const CountOptions& o)
        : b_(b),
          options_(o),
          regs_(b.registers.size(), kUnknown),
          reads_(b.registers.size(), 0),
          decrements_(b.registers.size(), 0),
          stores_(b.registers.size(), 0),
          snaps_(b.code.size()) {
        if (o.enteringW >= 0 && o.enteringW <= 255)
            w_ = o.enteringW;
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
                    regs_[in.reg] = w_;
                    ++stores_[in.reg];
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
                    ++reads_[in.reg];
                    if (in.toW) {
                        w_ = result;
                    } else {
                        regs_[in.reg] = result;
                        ++decrements_[in.reg];
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

    // At the jump `from`, about to land on `to`: compare with its previous landing and skip the
    // passes that must repeat. Between two landings exactly one register X was decremented once and
    // not stored, and nothing else differs: X is read nowhere else in the pass, so each further
    // pass runs the same instructions as long as its decrement does not reach 0.
    bool Landed(int from) {
        Snapshot& s = snaps_[from];
        if (s.valid && s.w == w_) {
            int changed = -1;
            bool same = true;
            for (std::size_t r = 0; r < regs_.size() && same; ++r) {
                if (regs_[r] == s.regs[r])
                    continue;
                if (changed >= 0 || reads_[r] - s.reads[r] != 1 ||
                    decrements_[r] - s.decrements[r] != 1 || stores_[r] != s.stores[r]) {
                    same = false;
                }
                changed = static_cast<int>(r);
            }
            if (same && changed < 0) {
                error_ = "the block never ends";
                return false;
            }
            if (same && regs_[changed] != 0) {
                const std::int64_t passes = regs_[changed] - 1;
                const std::int64_t perPass = cycles_ - s.cycles;
                std::int64_t added;
                if (__builtin_mul_overflow(passes, perPass, &added) || !AddCycles(added)) {
                    error_ = "more cycles than 64 bits hold";
                    return false;
                }
                for (std::size_t r = 0; r < regs_.size(); ++r) {
                    reads_[r] += static_cast<std::uint64_t>(passes) * (reads_[r] - s.reads[r]);
                    decrements_[r] +=
                        static_cast<std::uint64_t>(passes) * (decrements_[r] - s.decrements[r]);
                    stores_[r] += static_cast<std::uint64_t>(passes) * (stores_[r] - s.stores[r]);
                }
                regs_[changed] = 1;
                s.valid = false;
                return true;
            }
        }
        s.valid = true;
        s.regs = regs_;
        s.w = w_;
        s.cycles = cycles_;
        s.reads = reads_;
        s.decrements = decrements_;
        s.stores = stores_;
        return true;
    }

    const AsmBlock& b_;
    CountOptions options_;
    std::vector<int> regs_;
    int w_ = kUnknown;
    std::vector<std::uint64_t> reads_, decrements_, stores_;
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
