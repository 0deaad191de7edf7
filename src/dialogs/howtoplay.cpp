#include <QCoreApplication>
#include <QDialog>
#include <QPainter>
#include <iterator>
#include <memory>

#include "assets/catalogue.h"
#include "dialogs/builders.h"
#include "dialogs/dialogs.h"

namespace fusefuda {

namespace {

constexpr const char *kContext = "HowToPlay";

constexpr HelpLine kLines[] = {
    {QT_TRANSLATE_NOOP("HowToPlay", "目的"),
     QT_TRANSLATE_NOOP("HowToPlay",
                       "伏せて散らばったカードを、完成図（横にAからKまで、縦にスペード・クラブ・"
                       "ハート・ダイヤ）どおりにつなげます。すべてのカードが4枚の7につながれば"
                       "クリアです。")},
    {QT_TRANSLATE_NOOP("HowToPlay", "運ぶ"),
     QT_TRANSLATE_NOOP("HowToPlay",
                       "左ボタンでカードをグループごと持ち上げて運び、離して置きます。")},
    {QT_TRANSLATE_NOOP("HowToPlay", "つなげる"),
     QT_TRANSLATE_NOOP("HowToPlay",
                       "隣に来るカードが正しい位置にあるところに置くと、ぴたりとつながり、"
                       "それからはいっしょに動きます。")},
    {QT_TRANSLATE_NOOP("HowToPlay", "覗き見"),
     QT_TRANSLATE_NOOP("HowToPlay", "カードの上で右ボタンを押している間、表が見えます。")},
    {QT_TRANSLATE_NOOP("HowToPlay", "コスト"),
     QT_TRANSLATE_NOOP("HowToPlay",
                       "覗き見と持ち上げは1回のタッチです。1枚のカードの1回目は50点、2回目は"
                       "30点、3回目は20点かかります。")},
    {QT_TRANSLATE_NOOP("HowToPlay", "得点"),
     QT_TRANSLATE_NOOP("HowToPlay",
                       "クリアすると、触れていないカードは1枚100点、1回触れたカードは50点、"
                       "2回触れたカードは20点です。")},
};

constexpr const char *kTitle = QT_TRANSLATE_NOOP("HowToPlay", "遊び方");

// The sheets hold the cards one row a suit, ace to king.
constexpr int kHearts = 2;
constexpr int kSix = 5;
constexpr int kSeven = 6;
constexpr int kSparkle = 30;      // a frame of the sparkle sheet
constexpr int kFullSparkle = 3;   // its largest frame
constexpr int kMargin = 8;
constexpr int kArrow = 44;        // the room between the two halves

QImage cardOf(const QImage &sheet, int column, int row) {
    return sheet.copy(column * kPitchX, row * kPitchY, kCardWidth, kCardHeight);
}

}  // namespace

// On the board's own background: the six of hearts carried up to the seven
// (face up and settled, as the sevens start), then beside it, joined, with
// the sparkle over the seam as the board shows it.
QImage joinPicture() {
    const QImage faces = loadPicture(kFacesPicture);
    const QImage settled = loadPicture(kSettledFacesPicture);
    const QImage background = loadPicture(kBackground1Picture);
    const QImage sparkle = loadPicture(kSparkleImagePicture);
    const QImage mask = loadPicture(kSparkleMaskPicture);
    if (faces.isNull() || settled.isNull() || background.isNull() || sparkle.isNull() ||
        mask.isNull())
        return {};
    const QImage six = cardOf(faces, kSix, kHearts), seven = cardOf(settled, kSeven, kHearts);

    const int apart = kCardWidth + kMargin * 3;  // the six's left edge from the seven's
    const int joinedLeft = kMargin + apart + kCardWidth + kArrow;
    QImage picture(joinedLeft + kPitchX + kCardWidth + kMargin, kCardHeight + kMargin * 4,
                   QImage::Format_RGB32);
    QPainter p(&picture);
    p.fillRect(picture.rect(), QBrush(background));
    // Before: the six on its way, a little lower than where it belongs.
    p.drawImage(kMargin + apart, kMargin, seven);
    p.drawImage(kMargin, kMargin * 3, six);
    // The arrow between the two halves.
    const int arrowY = kMargin * 2 + kCardHeight / 2;
    const int arrowLeft = kMargin + apart + kCardWidth + kMargin;
    const int arrowRight = joinedLeft - kMargin;
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(arrowLeft, arrowY, arrowRight, arrowY);
    p.drawLine(arrowRight, arrowY, arrowRight - 8, arrowY - 7);
    p.drawLine(arrowRight, arrowY, arrowRight - 8, arrowY + 7);
    // After: side by side at the cell's pitch, the sparkle on the seam.
    p.drawImage(joinedLeft + kPitchX, kMargin * 2, seven);
    p.drawImage(joinedLeft, kMargin * 2, six);
    const QRect frame(0, kFullSparkle * kSparkle, kSparkle, kSparkle);
    const QPoint seam(joinedLeft + kPitchX - kSparkle / 2, kMargin * 2 + (kCardHeight - kSparkle) / 2);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(seam, sparkle, frame);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(seam, mask, frame);
    return picture;
}

QDialog *createHowToPlay(QWidget *owner) {
    return createHelpBox(owner, QCoreApplication::translate(kContext, kTitle),
                         helpTable(kContext, kLines, int(std::size(kLines))), joinPicture());
}

void runHowToPlay(QWidget *owner) {
    std::unique_ptr<QDialog> box(createHowToPlay(owner));
    box->exec();
}

}  // namespace fusefuda
