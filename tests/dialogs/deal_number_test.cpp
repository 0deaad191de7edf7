// New Game by Number: which texts are a deal's number, and when OK may deal it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "app/language.h"
#include "dialog_driving.h"
#include "dialogs/builders.h"
#include "dialogs/dialogs.h"
#include "dialogs/dialogunits.h"
#include "platform/codepage.h"
#include "support/table.h"


TEST(DealNumber, TakesDecimalNumbersThatSeedTheGenerator) {
    struct Case {
        const char *text;
        bool taken;
        uint32_t number;
    } cases[] = {{"0", true, 0},          {"4294967295", true, 4294967295u},
                 {"4294967296", false, 0}, {"", false, 0},
                 {"+7", false, 0},         {"12a", false, 0},
                 {"-1", false, 0},         {" 7 ", true, 7}};
    for (const Case &c : cases) {
        uint32_t number = 0;
        EXPECT_EQ(fusefuda::dealNumberFromText(QString::fromLatin1(c.text), number), c.taken)
            << c.text;
        EXPECT_EQ(number, c.number) << c.text;
    }
}

// What is typed stays as typed, and OK takes only a number in range.
TEST(DealNumber, TheDialogConfirmsOnlyAWholeNumberInRange) {
    const struct {
        const char *typed;
        bool confirmed;
        uint32_t number;
    } rows[] = {{"-1", false, 0}, {"4294967295", true, 4294967295u}, {"4294967296", false, 0},
                {"1.5", false, 0}, {"", false, 0}, {"12", true, 12}, {"0", true, 0}};
    for (const auto &row : rows) {
        fusefuda::DealChoice choice{fusefuda::kBeginner, 99};
        std::unique_ptr<QDialog> dialog(fusefuda::createDealNumberDialog(choice, nullptr));
        auto *number = dialog->findChild<QLineEdit *>("number");
        number->clear();
        QTest::keyClicks(number, QString::fromLatin1(row.typed));
        QPushButton *ok = nullptr;
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            if (b->isDefault()) ok = b;
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->isEnabled(), row.confirmed) << row.typed;
        ok->click();
        EXPECT_EQ(dialog->result() == QDialog::Accepted, row.confirmed) << row.typed;
        EXPECT_EQ(choice.number, row.confirmed ? row.number : 99u) << row.typed;
    }
}
