// The number fields' reader with the real edit control and message box.
#include "EditNumber.h"
#include "Edit.h"
#include "Form.h"
#include "MessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(EditNumber, ARefusedNumberWarnsWithOkAndExclamationAndSelectsTheField) {
    struct Shown {
        std::string text, title;
        unsigned flags;
    };
    std::vector<Shown> shown;
    const TMessageBoxHook old =
        SetMessageBoxHook([&](const std::string& t, const std::string& ti, unsigned f) {
            shown.push_back({t, ti, f});
            return IDOK;
        });
    TForm form;
    TEdit edit(&form);
    edit.SetText("1x5");
    double out = 42;
    EXPECT_EQ(ReadEditNumber(out, edit), 1);
    EXPECT_EQ(out, 42);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Invalid number in the evidenced field");
    EXPECT_EQ(shown[0].title, "Error in the data entered");
    EXPECT_EQ(shown[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(edit.SelStart(), 0);
    EXPECT_EQ(edit.SelLength(), 3);

    edit.SetText("2.5");
    EXPECT_EQ(ReadEditNumber(out, edit), 0);
    EXPECT_EQ(out, 2.5);
    EXPECT_EQ(shown.size(), 1u);
    SetMessageBoxHook(old);
}
