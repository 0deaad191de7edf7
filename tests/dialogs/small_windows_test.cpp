// The score window and the peek window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPixmap>

#include "dialogs/dialogs.h"
#include "dialogs/templatedialog.h"

namespace fusefuda {
namespace {

TEST(ScoreWindow, ShowsTheScoreCentredAndWholeAtItsPlacedSize) {
    ScoreWindow window(nullptr);
    window.setScore(-30);
    QLabel *text = controlById<QLabel>(&window, 1009);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), QStringLiteral("-30"));
    window.setScore(4800);
    EXPECT_EQ(text->text(), QStringLiteral("4800"));
    EXPECT_EQ(text->alignment(), Qt::AlignCenter);
    EXPECT_NE(text->frameShadow(), QFrame::Plain);
    // The opener gives it 118 x 34 pixels; the text must still show whole.
    window.resize(118, 34);
    window.show();
    EXPECT_TRUE(window.rect().contains(text->geometry()));
    window.setScore(-99999);
    EXPECT_LE(text->fontMetrics().horizontalAdvance(text->text()), text->contentsRect().width());
    EXPECT_LE(text->fontMetrics().height(), text->contentsRect().height());
}

TEST(PeekWindow, ShowsThePictureItIsGiven) {
    PeekWindow window(nullptr);
    QImage picture(64, 102, QImage::Format_RGB32);
    for (int y = 0; y < 102; ++y)
        for (int x = 0; x < 64; ++x) picture.setPixel(x, y, 0xFF000000u | uint32_t(x * 4 << 8 | y * 2));
    window.setPicture(picture);
    window.show();
    QLabel *label = controlById<QLabel>(&window, 1017);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->size(), QSize(64, 102));
    ASSERT_TRUE(window.rect().contains(label->geometry()));
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(label->geometry()), picture);
    // A new picture replaces the old one.
    QImage other(64, 102, QImage::Format_RGB32);
    other.fill(0xFF336699u);
    window.setPicture(other);
    EXPECT_EQ(window.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(label->geometry()),
              other);
}

}  // namespace
}  // namespace fusefuda
