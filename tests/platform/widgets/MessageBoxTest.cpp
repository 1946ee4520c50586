// Message boxes under the test hooks: answers come from the queue as clicks on the box's own
// buttons, each box is recorded as shown, and a box nobody expected never blocks.
#include "HookedTest.h"
#include "TApplication.h"
#include "TextChecks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MessageBox, offersTheButtonsOfItsFlagsAndAnswersFromTheQueue) {
    const struct {
        unsigned Flags;
        std::vector<int> Buttons;
        int Answer;
    } cases[] = {
        {MB_OK, {IDOK}, IDOK},
        {MB_OK | MB_ICONINFORMATION, {IDOK}, IDOK},
        {MB_OKCANCEL | MB_ICONEXCLAMATION, {IDOK, IDCANCEL}, IDCANCEL},
        {MB_YESNOCANCEL | MB_ICONQUESTION, {IDYES, IDNO, IDCANCEL}, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, {IDYES, IDNO, IDCANCEL}, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, IDYES},
    };
    CheckedHooks hooks;
    for (const auto& c : cases) {
        hooks.AnswerMessageBox(c.Answer);
        EXPECT_EQ(TApplication::MessageBox(nullptr, "Text", "Caption", c.Flags), c.Answer);
        ASSERT_FALSE(hooks.MessageBoxes().empty());
        const auto& shown = hooks.MessageBoxes().back();
        EXPECT_EQ(shown.Buttons, c.Buttons) << c.Flags;
        EXPECT_EQ(shown.Flags, c.Flags);
        EXPECT_EQ(shown.Answer, c.Answer);
        EXPECT_FALSE(shown.Unexpected);
    }
}

// Boxes show the program's texts with the file names in them, which are in the system's
// encoding (UTF-8 here), not in the game's code page.
TEST(MessageBox, showsFileNamesInTheSystemEncodingWithLineBreaks) {
    CheckedHooks hooks;
    hooks.AnswerMessageBox(IDOK);
    hooks.AnswerMessageBox(IDOK);
    TApplication::MessageBox(nullptr, "The turn file\r\n/home/p/zug_\xc3\xa4.kvk",
                             "Kurvask  :  zug_\xc3\xa4", MB_OK);
    TApplication::MessageBox(nullptr, "No caption", nullptr, MB_OK);
    ASSERT_EQ(hooks.MessageBoxes().size(), 2u);
    EXPECT_EQ(hooks.MessageBoxes()[0].Text, "The turn file\n/home/p/zug_\u00e4.kvk");
    EXPECT_EQ(hooks.MessageBoxes()[0].Caption, "Kurvask  :  zug_\u00e4");
    EXPECT_EQ(hooks.MessageBoxes()[1].Caption, "Error");
}

TEST(MessageBox, anUnexpectedOrWronglyAnsweredBoxIsReportedAndDoesNotBlock) {
    ModalHooks hooks;
    EXPECT_EQ(TApplication::MessageBox(nullptr, "Surprise", "Kurvask", MB_YESNO), IDCANCEL);
    ASSERT_EQ(hooks.MessageBoxes().size(), 1u);
    EXPECT_TRUE(hooks.MessageBoxes()[0].Unexpected);
    EXPECT_EQ(hooks.MessageBoxes()[0].Text, "Surprise");

    hooks.AnswerMessageBox(IDYES);
    TApplication::MessageBox(nullptr, "Only OK here", "Kurvask", MB_OK);
    ASSERT_EQ(hooks.Failures().size(), 2u);
    EXPECT_TRUE(Holds(hooks.Failures()[0], "Surprise"));
    EXPECT_TRUE(Holds(hooks.Failures()[1], "Only OK here"));

    // Answers left over show in the report as well.
    hooks.AnswerMessageBox(IDOK);
    EXPECT_TRUE(Holds(hooks.Report(), "1 queued message box answer"));
    EXPECT_FALSE(hooks.Clean());
}

TEST(MessageBox, nestedHooksTakeOverAndHandBack) {
    ModalHooks outer;
    outer.AnswerMessageBox(IDNO);
    {
        ModalHooks inner;
        EXPECT_EQ(ModalHooks::Active(), &inner);
        inner.AnswerMessageBox(IDYES);
        EXPECT_EQ(TApplication::MessageBox(nullptr, "a", "b", MB_YESNO), IDYES);
    }
    EXPECT_EQ(ModalHooks::Active(), &outer);
    EXPECT_EQ(TApplication::MessageBox(nullptr, "a", "b", MB_YESNO), IDNO);
    EXPECT_TRUE(outer.Clean()) << outer.Report();
}

} // namespace
