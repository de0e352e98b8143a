// One long session on real widgets, driven by keys and clicks only: delays typed and
// calculated, the calculator with every unit, the profile editor with its refusals, both
// languages, the About page, the close. After each step the message boxes, the settings file
// and the output box are recorded; with LOOPSMITH_SESSION_OUT naming a folder the record and
// pictures of the three pages are written there, so that two builds can be compared byte for
// byte (scripts/compare-builds.sh).
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>

#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "app/startup.h"
#include "program_fixture.h"

using namespace gadget;

namespace {

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << file;
}

std::string IconName(QMessageBox::Icon icon) {
    switch (icon) {
        case QMessageBox::Information:
            return "information";
        case QMessageBox::Warning:
            return "warning";
        case QMessageBox::Critical:
            return "critical";
        case QMessageBox::Question:
            return "question";
        case QMessageBox::NoIcon:
            break;
    }
    return "none";
}

std::string Describe(const QMessageBox& box) {
    std::string s = "title: " + box.windowTitle().toStdString() +
                    "\ntext: " + box.text().toStdString() + "\nicon: " + IconName(box.icon()) +
                    "\nbuttons:";
    const std::pair<QMessageBox::StandardButton, const char*> kNames[] = {
        {QMessageBox::Ok, "Ok"}, {QMessageBox::Yes, "Yes"}, {QMessageBox::No, "No"}};
    for (const auto& [button, name] : kNames) {
        if (box.standardButtons() & button)
            s += std::string(" ") + name + " \"" + box.button(button)->text().toStdString() + "\"";
    }
    if (QPushButton* d = box.defaultButton())
        s += std::string(" (default ") + (d == box.button(QMessageBox::No) ? "No" : "other") + ")";
    return s + "\n";
}

class WindowSession : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        QApplication::setCursorFlashTime(0);  // a blinking caret would make pictures differ
        guard.stop();                         // this test answers the boxes itself
        QObject::connect(&answerer, &QTimer::timeout, [this] { AnswerOpenBox(); });
        answerer.start(20);
        if (const char* out = std::getenv("LOOPSMITH_SESSION_OUT"))
            outDir = out;
    }
    void TearDown() override {
        answerer.stop();
        ProgramFixture::TearDown();
    }

    // A scripted reply clicks Yes or No; any other box is closed with its OK button.
    void AnswerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        boxes += Describe(*box);
        ++boxCount;
        QMessageBox::StandardButton reply = QMessageBox::Ok;
        if (!replies.empty()) {
            reply = replies.front();
            replies.pop_front();
        }
        QAbstractButton* button = box->button(reply);
        if (!button)
            button = box->button(QMessageBox::No);
        if (button)
            QTest::mouseClick(button, Qt::LeftButton);
        else
            box->reject();
    }

    // Runs one step and records what it left behind; `boxesExpected` message boxes.
    void Step(const std::string& name, int boxesExpected, const std::function<void()>& act) {
        boxes.clear();
        boxCount = 0;
        act();
        Pump();
        EXPECT_EQ(boxCount, boxesExpected) << name << "\n" << boxes;
        EXPECT_TRUE(replies.empty()) << name;
        replies.clear();
        if (outDir.empty())
            return;
        char number[8];
        std::snprintf(number, sizeof number, "step-%02d", stepNumber);
        const fs::path base = outDir / number;
        WriteBytes(base.string() + "-messages.txt", "# " + name + "\n" + boxes);
        WriteBytes(base.string() + "-output.txt", gadgets->Text(kOutputBox));
        if (fs::exists(SettingsFile()))
            WriteBytes(base.string() + "-settings.ini", Bytes(SettingsFile()));
        ++stepNumber;
    }

    fs::path SettingsFile() const { return folder / "Loopsmith.ini"; }

    void Click(int gadgetNumber) {
        QTest::mouseClick(W(gadgetNumber), Qt::LeftButton);
        Pump();
    }
    void ClickPage(int page) {
        QTabBar* bar = qobject_cast<QTabWidget*>(W(kPanel))->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
        Pump();
    }
    // Replaces a field's text as a user would: select all, erase, type. Every character goes
    // as a key's text, so Cyrillic arrives as typed too.
    void Type(int field, const QString& text) {
        QWidget* w = W(field);
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_Backspace);
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        Pump();
    }
    void Enter(int field) {
        QTest::keyClick(W(field), Qt::Key_Return);
        Pump();
    }
    void Cycles(const QString& text) {
        Type(kCyclesField, text);
        Enter(kCyclesField);
    }
    // Steps a combo box with the arrow keys to the item of that text.
    void Pick(int combo, const std::string& item) {
        W(combo)->setFocus();
        QTest::keyClick(W(combo), Qt::Key_Home);
        Pump();
        for (int i = 0; i < gadgets->ItemCount(combo) &&
                        gadgets->ItemText(combo, gadgets->State(combo)) != item;
             ++i) {
            QTest::keyClick(W(combo), Qt::Key_Down);
            Pump();
        }
        ASSERT_EQ(gadgets->ItemText(combo, gadgets->State(combo)), item);
    }
    void PickUnits(int timeUnit, int frequencyUnit) {
        for (auto [combo, index] :
             {std::pair{kTimeUnitCombo, timeUnit}, {kFrequencyUnitCombo, frequencyUnit}}) {
            W(combo)->setFocus();
            QTest::keyClick(W(combo), Qt::Key_Home);
            for (int i = 0; i < index; ++i)
                QTest::keyClick(W(combo), Qt::Key_Down);
            Pump();
        }
    }
    void Calculator(const QString& time, int timeUnit, const QString& frequency,
                    int frequencyUnit) {
        PickUnits(timeUnit, frequencyUnit);
        Type(kTimeField, time);
        Type(kFrequencyField, frequency);
        Enter(kFrequencyField);
    }
    void PickListItem(int index) {
        auto* list = qobject_cast<QListWidget*>(W(kProfileList));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(index)).center());
        Pump();
    }
    void FillForm(const QString& name, const QString& label) {
        Type(kProfileNameField, name);
        for (int k = 0; k < 8; ++k)
            Type(kFirstRegisterField + k, QString("r%1").arg(k + 1));
        Type(kLabelField, label);
    }

    void SavePages() {
        for (int page : {kPageCalculator, kPageEditor, kPageAbout}) {
            ClickPage(page);
            QApplication::processEvents();
            const QPixmap shot = gadgets->Window()->grab();
            ASSERT_FALSE(shot.isNull());
            if (!outDir.empty()) {
                const fs::path file = outDir / ("page-" + std::to_string(page) + ".png");
                ASSERT_TRUE(shot.save(QString::fromStdString(file.string()), "PNG")) << file;
            }
        }
    }

    QTimer answerer;
    std::deque<QMessageBox::StandardButton> replies;
    std::string boxes;
    int boxCount = 0;
    int stepNumber = 0;
    fs::path outDir;
};

TEST_F(WindowSession, TypedDelaysCalculatorEditorLanguagesAndClose) {
    Step("start", 0, [&] { StartUp(*app); });
    Step("calculator off", 0, [&] { ClickCalculatorCheck(); });
    ASSERT_FALSE(gadgets->IsReadOnly(kCyclesField));

    Step("cycles 1000", 0, [&] { Cycles("1000"); });
    Step("cycles 4, the smallest", 0, [&] { Cycles("4"); });
    Step("cycles 3, below the range", 1, [&] { Cycles("3"); });
    Step("cycles empty", 1, [&] { Cycles(""); });
    Step("cycles 12x3: the letter is not typed", 0, [&] { Cycles("12x3"); });
    Step("cycles 9223372036854775800, the largest", 0, [&] { Cycles("9223372036854775800"); });
    Step("cycles 9223372036854775801", 1, [&] { Cycles("9223372036854775801"); });
    Step("cycles of 20 digits, cut to 19", 1, [&] { Cycles("99999999999999999999"); });
    Step("cycles 65536 by the Calculate button", 0, [&] {
        Type(kCyclesField, "65536");
        Click(kCalculateButton);
    });
    Step("watchdog on, cycles 4", 1, [&] {
        Click(kWatchdogCheck);
        Cycles("4");
    });
    Step("watchdog, cycles 5", 0, [&] { Cycles("5"); });
    Step("watchdog, cycles 123456789", 0, [&] { Cycles("123456789"); });
    Step("watchdog off, PIC18 profile, cycles 70000", 0, [&] {
        Click(kWatchdogCheck);
        Pick(kProfileCombo, "Default PIC18");
        Cycles("70000");
    });
    Step("first profile again, cycles 1548", 0, [&] {
        Pick(kProfileCombo, "Default PIC10, PIC12, PIC16");
        Cycles("1548");
    });

    Step("calculator on", 0, [&] { ClickCalculatorCheck(); });
    Step("10 ms at 4 MHz", 0, [&] { Calculator("10", 1, "4", 0); });
    Step("1 s at 32.768 kHz", 0, [&] { Calculator("1", 2, "32.768", 1); });
    Step("1 s at 32768 Hz", 0, [&] { Calculator("1", 2, "32768", 2); });
    Step("1 min at 3.579545 MHz", 0, [&] { Calculator("1", 3, "3.579545", 0); });
    Step("2 h at 20 MHz", 0, [&] { Calculator("2", 4, "20", 0); });
    Step("1 d at 4 MHz", 0, [&] { Calculator("1", 5, "4", 0); });
    Step("3.5 us at 4 MHz", 0, [&] { Calculator("3.5", 0, "4", 0); });
    Step("2.5 us at 4 MHz: below the solver's range", 1, [&] { Calculator("2.5", 0, "4", 0); });
    Step("0.1 us at 4 MHz: below one cycle", 1, [&] { Calculator("0.1", 0, "4", 0); });
    Step("0 us at 4 MHz", 1, [&] { Calculator("0", 0, "4", 0); });
    Step("no time", 1, [&] { Calculator("", 0, "4", 0); });
    Step("no frequency", 1, [&] { Calculator("5", 0, "", 0); });
    Step("too large", 1, [&] { Calculator("999999999999999999", 5, "999999999999999999", 0); });
    Step("malformed time .5x.5 is typed as .55", 0, [&] { Calculator(".5x.5", 1, "8", 0); });
    Step("watchdog, 1 ms at 4 MHz", 0, [&] {
        Click(kWatchdogCheck);
        Calculator("1", 1, "4", 0);
        Click(kWatchdogCheck);
    });

    Step("editor page", 0, [&] { ClickPage(kPageEditor); });
    Step("edit the first profile, cancel", 0, [&] {
        Click(kEditButton);
        Click(kCancelButton);
    });
    Step("new, no name", 1, [&] {
        Click(kNewButton);
        Click(kOkButton);
    });
    Step("forbidden name", 1, [&] {
        Type(kProfileNameField, "wInDoW");
        Click(kOkButton);
    });
    Step("a field left empty", 1, [&] {
        Type(kProfileNameField, "Мотор");
        Click(kOkButton);
    });
    Step("the name of another profile", 1, [&] {
        FillForm("Default PIC18", "lp");
        W(kFamilyCombo)->setFocus();
        QTest::keyClick(W(kFamilyCombo), Qt::Key_Down);
        W(kFirstAccessCombo + 2)->setFocus();
        QTest::keyClick(W(kFirstAccessCombo + 2), Qt::Key_Down);
        Click(kOkButton);
    });
    Step("a PIC 18 profile with a BANKED register accepted", 0, [&] {
        Type(kProfileNameField, "Мотор");
        Click(kOkButton);
    });
    Step("the new profile's code", 0, [&] {
        ClickPage(kPageCalculator);
        Calculator("1", 1, "4", 0);
        ClickPage(kPageEditor);
    });
    Step("edit: label $", 0, [&] {
        Click(kEditButton);
        Type(kLabelField, "$");
        Click(kOkButton);
    });
    Step("edit: renamed to an existing name, cancel", 1, [&] {
        Click(kEditButton);
        Type(kProfileNameField, "Default PIC18");
        Click(kOkButton);
        Click(kCancelButton);
    });
    Step("delete answered No", 1, [&] {
        replies = {QMessageBox::No};
        Click(kDeleteButton);
    });
    Step("delete answered Yes", 1, [&] {
        replies = {QMessageBox::Yes};
        Click(kDeleteButton);
    });
    Step("delete the first profile", 1, [&] {
        PickListItem(0);
        replies = {QMessageBox::Yes};
        Click(kDeleteButton);
    });
    Step("code with no profile selected", 1, [&] {
        ClickPage(kPageCalculator);
        Calculator("1", 1, "4", 0);
        ClickPage(kPageEditor);
    });
    Step("edit with nothing selected", 1, [&] { Click(kEditButton); });
    Step("delete with nothing selected", 1, [&] { Click(kDeleteButton); });
    Step("new profile Fast", 0, [&] {
        Click(kNewButton);
        FillForm("Fast", "fl");
        Click(kOkButton);
    });

    Step("english", 0, [&] { Pick(kLanguageCombo, "english"); });
    Step("english: code", 0, [&] {
        ClickPage(kPageCalculator);
        Calculator("250", 0, "4", 0);
    });
    Step("english: no time", 1, [&] { Calculator("", 0, "4", 0); });
    Step("english: range", 1, [&] {
        ClickCalculatorCheck();
        Cycles("2");
        ClickCalculatorCheck();
    });
    Step("english: editor refusal", 1, [&] {
        ClickPage(kPageEditor);
        Click(kNewButton);
        Click(kOkButton);
        Click(kCancelButton);
    });
    Step("russian again", 0, [&] { Pick(kLanguageCombo, "russian"); });

    Step("about page", 0, [&] {
        ClickPage(kPageAbout);
        QTest::mouseMove(W(kBanner));
        QTest::mouseMove(W(kAboutText));
    });
    SavePages();
    Step("close", 0, [&] {
        gadgets->Window()->close();
        RunEventLoop(*app);
        ShutDown(*app);
    });
    const std::string settings = Bytes(SettingsFile());
    EXPECT_NE(settings.find("[Fast]"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("[Default PIC10, PIC12, PIC16]"), std::string::npos) << settings;
}

}  // namespace
