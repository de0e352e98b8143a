// The message boxes' buttons speak the window's language, keep their roles, and switch with
// the language combo. Pictures of the delete question go to the build folder for a person.
#include <QAbstractButton>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <functional>

#include "app/startup.h"
#include "program_fixture.h"

using namespace gadget;
using ui::qt::FromQ;

namespace {

struct BoxButtons {
    std::string yes, no, ok;  // a button's caption, empty when the box has no such button
    std::string defaultButton;
};

std::string Caption(const QMessageBox& box, QMessageBox::StandardButton which) {
    const QAbstractButton* b = box.button(which);
    return b ? FromQ(b->text()) : "";
}

class MessageBoxButtons : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        guard.stop();  // this test answers the boxes itself
        StartUp(*app);
        ASSERT_EQ(gadgets->ItemText(kLanguageCombo, gadgets->State(kLanguageCombo)), "russian");
    }

    // Runs `open`; the message box it opens is noted, pictured into the build folder when
    // `picture` is named, then answered by `answer`.
    BoxButtons Answer(const std::function<void()>& open,
                      const std::function<void(QMessageBox&)>& answer,
                      const std::string& picture = "") {
        BoxButtons seen;
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            opened = true;
            seen = {Caption(*box, QMessageBox::Yes), Caption(*box, QMessageBox::No),
                    Caption(*box, QMessageBox::Ok),
                    box->defaultButton() ? FromQ(box->defaultButton()->text()) : ""};
            if (!picture.empty()) {
                const std::string file = std::string(LOOPSMITH_BUILD_DIR) + "/" + picture;
                EXPECT_TRUE(box->grab().save(QString::fromStdString(file), "PNG")) << file;
            }
            answer(*box);
        });
        open();
        Pump();
        EXPECT_TRUE(opened) << "no message box opened";
        return seen;
    }
    static std::function<void(QMessageBox&)> Key(Qt::Key key) {
        return [key](QMessageBox& box) { QTest::keyClick(&box, key); };
    }
    static std::function<void(QMessageBox&)> ClickButtonReading(const std::string& caption) {
        return [caption](QMessageBox& box) {
            for (QAbstractButton* b : box.buttons()) {
                if (FromQ(b->text()) == caption) {
                    QTest::mouseClick(b, Qt::LeftButton);
                    return;
                }
            }
            ADD_FAILURE() << "no button reads " << caption;
            box.reject();
        };
    }

    void ShowEditorPage() {
        QTabBar* bar = qobject_cast<QTabWidget*>(W(kPanel))->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(kPageEditor).center());
        Pump();
    }
    void AskToDeleteFirstProfile() {
        auto* list = qobject_cast<QListWidget*>(W(kProfileList));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QTest::mouseClick(W(kDeleteButton), Qt::LeftButton);
    }
    // The editor refuses a new profile without a name with a warning.
    void SaveNamelessProfile() {
        QTest::mouseClick(W(kNewButton), Qt::LeftButton);
        Pump();
        QTest::mouseClick(W(kOkButton), Qt::LeftButton);
    }
    void CancelEditing() {
        QTest::mouseClick(W(kCancelButton), Qt::LeftButton);
        Pump();
    }
    void PickLanguage(const std::string& name) {
        for (int i = 0; i < gadgets->ItemCount(kLanguageCombo); ++i) {
            if (gadgets->ItemText(kLanguageCombo, i) == name) {
                gadgets->SetState(kLanguageCombo, i);
                Dispatch(*app, ui::Event::OnGadget(kLanguageCombo, ui::kEventSelectionChange));
                return;
            }
        }
        FAIL() << "no language " << name;
    }
    int ProfileCount() const { return gadgets->ItemCount(kProfileList); }
};

TEST_F(MessageBoxButtons, ReadTheWindowsLanguageAndEnterAndEscapeAnswerNo) {
    ShowEditorPage();
    const int profiles = ProfileCount();
    ASSERT_GT(profiles, 1);

    const struct {
        const char* language;
        std::string yes, no, ok;
    } kLanguages[] = {{"russian", "Да", "Нет", "ОК"}, {"english", "Yes", "No", "OK"}};
    for (const auto& lang : kLanguages) {
        SCOPED_TRACE(lang.language);
        PickLanguage(lang.language);
        const std::string suffix = lang.language == std::string("russian") ? "ru" : "en";
        BoxButtons q = Answer([&] { AskToDeleteFirstProfile(); }, Key(Qt::Key_Return),
                              "message_box_question_" + suffix + ".png");
        EXPECT_EQ(q.yes, lang.yes);
        EXPECT_EQ(q.no, lang.no);
        EXPECT_EQ(q.ok, "");
        EXPECT_EQ(q.defaultButton, lang.no);
        EXPECT_EQ(ProfileCount(), profiles);

        Answer([&] { AskToDeleteFirstProfile(); }, Key(Qt::Key_Escape));
        EXPECT_EQ(ProfileCount(), profiles);

        const BoxButtons w = Answer([&] { SaveNamelessProfile(); }, Key(Qt::Key_Return),
                                    "message_box_warning_" + suffix + ".png");
        EXPECT_EQ(w.ok, lang.ok);
        EXPECT_EQ(w.yes + w.no, "");
        CancelEditing();
    }

    // The captions sit on the buttons of their own answers.
    Answer([&] { AskToDeleteFirstProfile(); }, ClickButtonReading("No"));
    EXPECT_EQ(ProfileCount(), profiles);
    Answer([&] { AskToDeleteFirstProfile(); }, ClickButtonReading("Yes"));
    EXPECT_EQ(ProfileCount(), profiles - 1);
    PickLanguage("russian");
    Answer([&] { AskToDeleteFirstProfile(); }, ClickButtonReading("Да"));
    EXPECT_EQ(ProfileCount(), profiles - 2);
}

}  // namespace
