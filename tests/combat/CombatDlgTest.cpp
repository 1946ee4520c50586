// The combat dialog, driven as a player would: odds, modifier, one roll of the bone, the
// comment, and every refusal on the way to closing it.
#include "CombatDlg.h"
#include "DialogDriver.h"
#include "HookedTest.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int Bone = 1, Close = 2, Comment = 9519, Digit = 9511, Odds1to5 = 9402, Odds2to1 = 9406;

class CombatDlgTest : public HookedTest {
protected:
    // Runs the dialog with the driver; the record it filled is in Data.
    int Run(ModalHooks::Driver driver) {
        Hooks.DriveDialog(CombatDlg::TemplateId, std::move(driver));
        CombatDlg dialog(nullptr, &Data);
        return dialog.Execute();
    }
    CombatStruct Data;
};

TEST_F(CombatDlgTest, closingBeforeTheRollIsRefusedAndTheCommentIsKeptInWindows1252) {
    Hooks.AnswerMessageBox(IDOK);
    const int result = Run([](DialogDriver& d) {
        d.Click(Close);
        EXPECT_TRUE(d.IsOpen());
        EXPECT_EQ(d.Text(Digit), "");
        // Now finish properly, with a comment of at most sixty-one characters.
        d.Click(Odds2to1);
        d.Click(Bone);
        d.Type(Comment, std::string(70, 'a'));
        EXPECT_EQ(d.Text(Comment).size(), 61u);
        d.ClearText(Comment);
        d.Type(Comment, "Défense €");
        d.Click(Close);
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(Hooks.MessageBoxes().size(), 1u);
    const auto& box = Hooks.MessageBoxes()[0];
    EXPECT_EQ(box.Caption, "Combat not Completed");
    EXPECT_EQ(box.Text, "A bone must be Cast. \nType 'opps' in the comments if anything");
    EXPECT_EQ(box.Buttons, std::vector<int>{IDOK});
    EXPECT_EQ(Data.Odds, "2:1");
    EXPECT_EQ(Data.Comments, "D\xE9"
                             "fense \x80");
}

// Closing at 1:5 asks whether it really is 1:6: cancelled, the dialog stays, with its roll;
// accepted, a missing comment is asked for, and the question comes again at the next close.
TEST_F(CombatDlgTest, theOneToSixQuestionAndAMissingCommentKeepTheDialogOpen) {
    Hooks.AnswerMessageBox(IDCANCEL);
    for (int box = 0; box < 5; ++box)
        Hooks.AnswerMessageBox(IDOK);
    Run([](DialogDriver& d) {
        d.Click(Bone);
        const std::string rolled = d.Text(Digit);
        d.Click(Close); // cancelled
        EXPECT_TRUE(d.IsOpen());
        EXPECT_EQ(d.Text(Digit), rolled);
        d.Click(Close); // accepted, but there is no comment
        EXPECT_TRUE(d.IsOpen());
        EXPECT_EQ(d.FocusId(), Comment);
        d.Type(Comment, "x"); // one character is not enough
        d.Click(Close);
        EXPECT_TRUE(d.IsOpen());
        d.Type(Comment, "y");
        d.Click(Close);
    });
    const std::string sure = "Is it really a 1:6 attack?", more = "Need Coments To Continue";
    std::vector<std::string> captions;
    for (const auto& shown : Hooks.MessageBoxes())
        captions.push_back(shown.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{sure, sure, more, sure, more, sure}));
    const auto& box = Hooks.MessageBoxes()[0];
    EXPECT_EQ(box.Text, "Either combat odds are 1:5,6 or you forgot to select the correct odds.\n"
                        "If combat is at 1:5,6, click 'OK' to continue.\n"
                        "If you forgot combat odds, click 'Cancel', and select the correct "
                        "odds.\n\nContinue?");
    EXPECT_EQ(box.Buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(Hooks.MessageBoxes()[2].Text, "No comments? None? Need somthing here....");
    // Never touched the odds group: the placeholder stands, with its trailing blank.
    EXPECT_EQ(Data.Odds, "Combat odds : ");
    EXPECT_EQ(Data.Comments, "xy");
}

TEST_F(CombatDlgTest, oddsStoredByTheirTextsAlsoAfterTheRoll) {
    struct Case {
        std::vector<int> clicks;
        const char* stored;
    };
    // Clicking "1:5" itself stores its text; the 1:6 question is then asked and accepted.
    const std::vector<Case> cases = {{{9406, 9405}, "1:1"},      {{9410}, "7:1+"}, {{9411}, "AV"},
                                     {{9403}, "1:3,4"},          {{9404}, "1:2"},  {{9409}, "5:1"},
                                     {{9403, Odds1to5}, "1:5,6"}};
    for (const Case& c : cases) {
        Data = CombatStruct();
        if (c.clicks.back() == Odds1to5)
            Hooks.AnswerMessageBox(IDOK);
        Run([&](DialogDriver& d) {
            d.Click(Bone);
            for (int id : c.clicks)
                d.Click(id); // after the roll: still recorded
            d.Type(Comment, "ok");
            d.Click(Close);
        });
        EXPECT_EQ(Data.Odds, c.stored);
    }
}

TEST_F(CombatDlgTest, theRollDisablesTheModifierAndHidesTheBone) {
    Run([](DialogDriver& d) {
        EXPECT_TRUE(d.IsChecked(Odds1to5));
        EXPECT_TRUE(d.IsChecked(9513));
        d.Click(Odds2to1);
        d.PressEnter(); // Enter rolls
        for (int id = 9513; id <= 9518; ++id)
            EXPECT_FALSE(d.IsEnabled(id)) << id;
        EXPECT_FALSE(d.IsVisible(Bone));
        EXPECT_EQ(d.FocusId(), Comment);
        const std::string rolled = d.Text(Digit);
        d.PressEnter(); // a second Enter rolls nothing
        EXPECT_EQ(d.Text(Digit), rolled);
        EXPECT_EQ(rolled.size(), 1u);
        d.PressClose(); // the close box does nothing
        EXPECT_TRUE(d.IsOpen());
        d.Type(Comment, "ok");
        d.PressEscape(); // Escape runs the close checks, which pass
        EXPECT_FALSE(d.IsOpen());
    });
}

// The fifth draw of the generator gives the raw face; the modifier turns it round from 6 to 1.
TEST_F(CombatDlgTest, theModifierTurnsTheDieFace) {
    std::srand(1234u);
    for (int i = 0; i < 4; ++i)
        (void)std::rand();
    const int raw = std::rand() % 6 + 1;
    for (int modifier = 0; modifier <= 5; ++modifier) {
        std::srand(1234u);
        Data = CombatStruct();
        Run([&](DialogDriver& d) {
            d.Click(9513 + modifier);
            d.Click(Odds2to1);
            d.Click(Bone);
            d.Type(Comment, "ok");
            d.Click(Close);
        });
        EXPECT_EQ(Data.DieRoll, std::string(1, char('0' + (raw - 1 + modifier) % 6 + 1)))
            << modifier;
    }
}

} // namespace
