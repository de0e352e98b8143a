// Stands in for libFuzzer where the compiler has none: feeds the fuzz target a bounded,
// repeatable stream of mutated inputs, or replays the files named on the command line.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

const std::vector<std::string> kSeeds = {
    "",
    "\xEF\xBB\xBF\r\n[Window]\r\nCalcState = 1\r\nOscillator = 4\r\n[P]\r\nReg1 = r\r\n",
    "[Window]\nTime=3  \n  ; note\n[A] x\nk\n=v\n[B\r\rLabel==$=\n",
    "\xEF\xBB\xBF[Loopsmith]\nCalculator = \xD0\x9A\n[Message]\nDelay=\xFF\xC0\x80\n",
};

std::string Mutate(std::string s, std::mt19937_64& random) {
    static const char kMeaningful[] = "[];= \t\r\n\0\xEF\xBB\xBF\xFF\xD0+-.eE0123456789";
    static const std::string kBytes(kMeaningful, sizeof kMeaningful - 1);  // NUL included
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = s.empty() ? 0 : random() % (s.size() + 1);
        const char c = (random() & 1) ? kBytes[random() % kBytes.size()] : char(random());
        switch (random() % 4) {
            case 0:
                s.insert(at, 1, c);
                break;
            case 1:
                if (at < s.size())
                    s.erase(at, 1 + random() % 4);
                break;
            case 2:
                if (at < s.size())
                    s[at] = c;
                break;
            default:
                if (!s.empty() && s.size() < 8192) {
                    const std::size_t from = random() % s.size();
                    s.insert(at, s.substr(from, 1 + random() % 32));
                }
        }
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]).find_first_not_of("0123456789") != std::string::npos) {
        for (int i = 1; i < argc; ++i) {
            std::ifstream in(argv[i], std::ios::binary);
            Run(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        }
        return 0;
    }
    const long runs = argc > 1 ? std::atol(argv[1]) : 20000;
    std::mt19937_64 random(1);
    std::vector<std::string> pool = kSeeds;
    for (long n = 0; n < runs; ++n) {
        std::string input = Mutate(pool[random() % pool.size()], random);
        Run(input);
        if (pool.size() < 256) {
            pool.push_back(std::move(input));
        } else {
            pool[random() % pool.size()] = std::move(input);
        }
    }
    return 0;
}
