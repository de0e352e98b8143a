// The profile editor on real widgets: a profile created, edited and deleted with mouse clicks
// and typed keys, the delete question answered in its own message box, and the settings file
// checked byte for byte after every step.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <deque>
#include <fstream>
#include <iterator>

#include "app/startup.h"
#include "program_fixture.h"
#include "store/profile.h"

using namespace gadget;
using ui::qt::FromQ;
using Names = std::vector<std::string>;

namespace {

enum class Reply { ClickYes, ClickNo, PressEnter, PressEscape };

struct SeenBox {
    std::string title, text;
    QMessageBox::Icon icon;
    bool noIsDefault;
};

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Group(const Profile& p) {
    std::string s = "[" + p.Name + "]\r\n";
    for (int k = 0; k < 8; ++k)
        s += "Reg" + std::to_string(k + 1) + " = " + p.Reg[k] + "\r\n";
    s += "Label = " + p.Label + "\r\nTypePIC = " + std::to_string(p.TypePIC) + "\r\n";
    for (int k = 0; k < 8; ++k)
        s += "RegType" + std::to_string(k + 1) + " = " + std::to_string(p.RegType[k]) + "\r\n";
    return s;
}

class EditorRoundTrip : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        guard.stop();  // this test answers the boxes itself
        QObject::connect(&answerer, &QTimer::timeout, [this] { AnswerOpenBox(); });
        answerer.start(20);
        StartUp(*app);
        QTabBar* bar = qobject_cast<QTabWidget*>(W(kPanel))->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(kPageEditor).center());
        Pump();
        ASSERT_EQ(app->currentPage, kPageEditor);
    }
    void TearDown() override {
        answerer.stop();
        ProgramFixture::TearDown();
    }

    // Anything not scripted is an unexpected message: note it and close it.
    void AnswerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen.push_back(
            {FromQ(box->windowTitle()), FromQ(box->text()), box->icon(),
             box->defaultButton() && box->defaultButton() == box->button(QMessageBox::No)});
        if (replies.empty()) {
            box->reject();
            return;
        }
        const Reply reply = replies.front();
        replies.pop_front();
        QWidget* focused = box->focusWidget() ? box->focusWidget() : box;
        switch (reply) {
            case Reply::ClickYes:
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
                break;
            case Reply::ClickNo:
                QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
                break;
            case Reply::PressEnter:
                QTest::keyClick(focused, Qt::Key_Return);
                break;
            case Reply::PressEscape:
                QTest::keyClick(focused, Qt::Key_Escape);
                break;
        }
    }

    void Click(int button) {
        QTest::mouseClick(W(button), Qt::LeftButton);
        Pump();
    }
    void PickListItem(int index) {
        auto* list = qobject_cast<QListWidget*>(W(kProfileList));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(index)).center());
        Pump();
    }
    // QTest::keyClicks spells only Latin-1; this carries any character as the key's text.
    void TypeInto(int field, const QString& text) {
        QWidget* w = W(field);
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::keyClick(w, Qt::Key_End);
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        Pump();
    }
    void StepCombo(int combo, Qt::Key key) {
        W(combo)->setFocus();
        QTest::keyClick(W(combo), key);
        Pump();
    }

    // Picking in the list does not move the combo's choice; the editor's changes move both.
    void ExpectProfiles(const Names& names, int selected, int comboSelected = -2) {
        if (comboSelected == -2)
            comboSelected = selected;
        for (int g : {kProfileList, kProfileCombo}) {
            Names items;
            for (int i = 0; i < gadgets->ItemCount(g); ++i)
                items.push_back(gadgets->ItemText(g, i));
            EXPECT_EQ(items, names) << "gadget " << g;
            EXPECT_EQ(gadgets->State(g), g == kProfileList ? selected : comboSelected)
                << "gadget " << g;
        }
    }
    // A fresh start: calculator on, microseconds, megahertz, 4, no clrwdt, Russian selected.
    std::string ExpectedFile(const ProfileList& list, int selected) const {
        std::string s =
            "\xEF\xBB\xBF\r\n[Window]\r\nCalcState = 1\r\nTime = 0\r\n"
            "OscillatorType = 0\r\nOscillator = 4\r\nWdtState = 0\r\n";
        s += "NumberProf = " + std::to_string(selected) + "\r\n";
        s += "Language = " + std::to_string(russian) + "\r\nLanguageFile = russian.lng\r\n";
        for (const Profile& p : list)
            s += Group(p);
        return s;
    }
    std::string File() const { return Bytes(app->SettingsPath()); }

    QTimer answerer;
    std::deque<Reply> replies;
    std::vector<SeenBox> seen;
    int russian = -1;
};

const Profile kPic16 = MakeProfile("Default PIC10, PIC12, PIC16", "$", kFamilyPic16);
const Profile kPic18 = MakeProfile("Default PIC18", "$", kFamilyPic18);
const std::string kQuestion = "Вы действительно хотите удалить профиль \"Мотор\"?";

TEST_F(EditorRoundTrip, CreateEditAndDeleteReachTheGadgetsAndTheFile) {
    for (int i = 0; i < gadgets->ItemCount(kLanguageCombo); ++i) {
        if (gadgets->ItemText(kLanguageCombo, i) == "russian")
            russian = i;
    }
    ASSERT_GE(russian, 0);
    ExpectProfiles({kPic16.Name, kPic18.Name}, 0);
    EXPECT_EQ(File(), "");  // the first start leaves an empty file

    // Create after the selected first profile: a PIC 18 profile with one BANKED register.
    Click(kNewButton);
    ASSERT_TRUE(gadgets->IsEnabled(kOkButton));
    EXPECT_FALSE(W(kFirstAccessCombo)->isVisible());
    TypeInto(kProfileNameField, "Мотор");
    for (int k = 0; k < 8; ++k)
        TypeInto(kFirstRegisterField + k, QString("m%1").arg(k + 1));
    TypeInto(kLabelField, "lp");
    StepCombo(kFamilyCombo, Qt::Key_Down);
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(W(kFirstAccessCombo + k)->isVisible()) << k;
    StepCombo(kFirstAccessCombo + 2, Qt::Key_Down);
    Click(kOkButton);
    Profile motor = MakeProfile("Мотор", "lp", kFamilyPic18);
    for (int k = 0; k < 8; ++k)
        motor.Reg[k] = "m" + std::to_string(k + 1);
    motor.RegType[2] = kBanked;
    ExpectProfiles({kPic16.Name, motor.Name, kPic18.Name}, 1);
    EXPECT_EQ(app->editorMode, EditorMode::Idle);
    EXPECT_FALSE(gadgets->IsEnabled(kOkButton));
    EXPECT_EQ(File(), ExpectedFile({kPic16, motor, kPic18}, 1));

    // Edit: the form shows what was stored; back to PIC10/12/16, longer label. The hidden
    // access modes are kept.
    Click(kEditButton);
    EXPECT_EQ(gadgets->Text(kProfileNameField), "Мотор");
    EXPECT_EQ(gadgets->Text(kFirstRegisterField + 7), "m8");
    EXPECT_EQ(gadgets->Text(kLabelField), "lp");
    EXPECT_EQ(gadgets->State(kFamilyCombo), kFamilyPic18);
    EXPECT_TRUE(W(kFirstAccessCombo + 2)->isVisible());
    EXPECT_EQ(gadgets->State(kFirstAccessCombo + 2), kBanked);
    TypeInto(kLabelField, "2");
    StepCombo(kFamilyCombo, Qt::Key_Up);
    EXPECT_FALSE(W(kFirstAccessCombo + 2)->isVisible());
    Click(kOkButton);
    motor.Label = "lp2";
    motor.TypePIC = kFamilyPic16;
    ExpectProfiles({kPic16.Name, motor.Name, kPic18.Name}, 1);
    EXPECT_EQ(File(), ExpectedFile({kPic16, motor, kPic18}, 1));

    // Delete, answered Yes in the question box: the previous profile becomes the selection.
    replies = {Reply::ClickYes};
    Click(kDeleteButton);
    ExpectProfiles({kPic16.Name, kPic18.Name}, 0);
    EXPECT_EQ(File(), ExpectedFile({kPic16, kPic18}, 0));

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, app->editorTitle);
    EXPECT_EQ(seen[0].text, kQuestion);
    EXPECT_EQ(seen[0].icon, QMessageBox::Question);
    EXPECT_TRUE(seen[0].noIsDefault);
}

class DeclinedDelete : public EditorRoundTrip, public ::testing::WithParamInterface<Reply> {};

// Enter takes the default button, which must be No; Escape and No decline as well.
TEST_P(DeclinedDelete, KeepsTheProfileAndLeavesTheFileAlone) {
    PickListItem(1);
    replies = {GetParam()};
    Click(kDeleteButton);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Вы действительно хотите удалить профиль \"Default PIC18\"?");
    EXPECT_TRUE(replies.empty());  // the box was answered, not closed by the fallback
    ExpectProfiles({kPic16.Name, kPic18.Name}, 1, 0);
    EXPECT_EQ(File(), "");
    EXPECT_TRUE(gadgets->IsEnabled(kDeleteButton));
}

std::string ReplyName(const ::testing::TestParamInfo<Reply>& info) {
    switch (info.param) {
        case Reply::PressEnter:
            return "Enter";
        case Reply::PressEscape:
            return "Escape";
        case Reply::ClickNo:
            return "ClickNo";
        case Reply::ClickYes:
            break;
    }
    return "ClickYes";
}

INSTANTIATE_TEST_SUITE_P(EditorRoundTrip, DeclinedDelete,
                         ::testing::Values(Reply::PressEnter, Reply::PressEscape, Reply::ClickNo),
                         ReplyName);

}  // namespace
