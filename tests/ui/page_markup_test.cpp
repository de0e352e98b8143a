#include "ui/web/page_markup.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "app/main_window_layout.h"

namespace {

// Every caption, item and tooltip made hostile: the page's markup must carry them as text,
// and still hold each gadget once.
TEST(PageMarkup, CarriesAnyTextAsTextAndEveryGadgetOnce) {
    const std::string hostile = "<img src=x onerror=alert(1)>&amp;\"'\u202E";
    ui::WindowLayout layout = MainWindowLayout();
    std::map<int, ui::ControlState> want;
    for (ui::GadgetLayout& g : layout.gadgets) {
        g.caption = g.toolTip = hostile;
        for (std::string& item : g.items)
            item = hostile;
        want[g.number] = ui::ControlState::From(g);
    }
    const std::string markup =
        ui::web::WindowMarkup(layout, [&](int n) -> const ui::ControlState& { return want[n]; });
    EXPECT_EQ(markup.find("<img src=x"), std::string::npos);
    EXPECT_EQ(markup.find("&amp;\""), std::string::npos);
    EXPECT_NE(markup.find(ui::web::HtmlEscaped(hostile)), std::string::npos);
    // An item's direction control stays inside it.
    EXPECT_NE(markup.find("<option>\u2068" + ui::web::HtmlEscaped(hostile) + "\u2069</option>"),
              std::string::npos);
    for (const ui::GadgetLayout& g : layout.gadgets) {
        const std::regex once("data-gadget=\"" + std::to_string(g.number) + "\"");
        EXPECT_EQ(std::distance(std::sregex_iterator(markup.begin(), markup.end(), once),
                                std::sregex_iterator()),
                  1)
            << g.number;
    }
}

}  // namespace
