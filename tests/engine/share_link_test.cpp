#include "engine/share_link.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace {

TEST(ShareLink, SpellsTheRequestReadably) {
    ShareRequest r;
    r.cyclesText = "10000";
    r.profile = "Default PIC10, PIC12, PIC16";
    EXPECT_EQ(MakeShareLink(r),
              "#cycles=10000&wdt=0&profile=Default%20PIC10%2C%20PIC12%2C%20PIC16&form=block");
    r.calculator = CalculatorLines{"2.5", 1, "4", 0};
    r.watchdog = true;
    r.profile = "Мой";
    r.routine = {DelayForm::WTimes, "Wait_1"};
    EXPECT_EQ(MakeShareLink(r),
              "#time=2.5&time-unit=ms&freq=4&freq-unit=MHz&wdt=1&profile=%D0%9C%D0%BE%D0%B9"
              "&form=w-times&name=Wait_1");
}

// Every request comes back from its link as it was, whatever bytes its texts hold.
TEST(ShareLink, EveryLinkReadsBackAsItsRequest) {
    std::mt19937 random(5);
    const std::string pieces[] = {"1", "$F", "%1", "+", "&", "=", "#", "%", " ", "Я", "€", "a_"};
    auto text = [&] {
        std::string t;
        for (int n = static_cast<int>(random() % 4); n >= 0; --n)
            t += pieces[random() % std::size(pieces)];
        return t;
    };
    for (int i = 0; i < 2000; ++i) {
        ShareRequest r;
        if (random() % 2)
            r.calculator = CalculatorLines{text(), static_cast<int>(random() % 6), text(),
                                           static_cast<int>(random() % 3)};
        else
            r.cyclesText = text();
        r.watchdog = random() % 2;
        r.profile = random() % 3 ? text() : "";
        r.routine.form = static_cast<DelayForm>(random() % 3);
        if (r.routine.form != DelayForm::Block)
            r.routine.name = "N" + text();
        const ShareLinkRead back = ReadShareLink(MakeShareLink(r));
        ASSERT_TRUE(back.request) << MakeShareLink(r);
        ASSERT_EQ(*back.request, r) << MakeShareLink(r);
    }
}

TEST(ShareLink, ABadLinkSaysWhatIsWrong) {
    using F = LinkFault;
    const std::tuple<std::string, LinkFault, std::optional<std::string>> cases[] = {
        {"", F::CyclesOrTime, {}},
        {"#cycles=5&time=1&freq=1", F::CyclesOrTime, {}},
        {"#time=1", F::TimeWithoutFreq, {}},
        {"#cycles=5&colour=red", F::UnknownKey, "colour"},
        {"#&cycles=5", F::UnknownKey, ""},
        {"#cycles", F::NoValue, "cycles"},
        {"#cycles=5&cycles=6", F::GivenTwice, "cycles"},
        {"#cycles=5%2", F::NotUtf8, "cycles"},
        {"#cycles=%FF", F::NotUtf8, "cycles"},
        {"#time=1&freq=1&time-unit=week", F::TimeUnit, "week"},
        {"#time=1&freq=1&freq-unit=GHz", F::FrequencyUnit, "GHz"},
        {"#cycles=5&wdt=yes", F::Watchdog, "yes"},
        {"#cycles=5&form=macro", F::Form, "macro"},
        {"#cycles=5&form=subroutine", F::NoName, {}},
        {"#cycles=" + std::string(kMaxShareLinkSize, '1'), F::TooLong, {}},
    };
    for (const auto& [link, fault, what] : cases) {
        const ShareLinkRead read = ReadShareLink(link);
        EXPECT_FALSE(read.request) << link;
        EXPECT_EQ(read.fault, fault) << link;
        EXPECT_EQ(read.what, what) << link;
    }
    const ShareLinkRead lenient = ReadShareLink("form=block&freq-unit=khz&freq=4&time=1+1");
    ASSERT_TRUE(lenient.request);
    EXPECT_EQ(lenient.request->calculator, (CalculatorLines{"1+1", 0, "4", 1}));
}

}  // namespace
