// The modal dialogs and the two small modeless windows. Every modal dialog is
// owned by the main window and closes only through its OK button.
#pragma once

#include <QDialog>
#include <QImage>

#include "dialogs/dialogunits.h"
#include "game/GameState.h"

namespace fusefuda {

// installDialogFont (dialogs/dialogunits.h) is called once at start, before
// the first menu or dialog is built.

// About box (template 103).
void runAboutBox(QWidget *owner);
// The board's keys and the menu's, and what each does.
void runKeysHelp(QWidget *owner);
// A few lines on how to play, with a picture of a join.
void runHowToPlay(QWidget *owner);
// High-score table (template 118); changes nothing.
void runHighScoreTable(const GameState &g, QWidget *owner);
// Score summary (template 108): computes finalScore and, on OK, offers the
// score to the high-score table (name entry, template 119).
void runScoreSummary(GameState &g, QWidget *owner);

// A level and a deal's number, as the number dialog asks for them.
struct DealChoice {
    Level level = kBeginner;
    uint32_t number = 0;
};
// The number dialog, filled with choice; on OK, choice holds what the player
// chose and the result is true.
QDialog *createDealNumberDialog(DealChoice &choice, QWidget *owner);
bool runDealNumberDialog(DealChoice &choice, QWidget *owner);
// Decimal digits of a number from 0 to 4294967295, blanks around them
// allowed; false for anything else.
bool dealNumberFromText(const QString &text, uint32_t &number);

// The statistics window: the three levels side by side and a reset that
// asks first. True when the player reset the record.
QDialog *createStatisticsWindow(Statistics &statistics, bool &reset, QWidget *owner);
bool runStatisticsWindow(Statistics &statistics, QWidget *owner);

// Score window (template 122): the running score.
class ScoreWindow : public QDialog {
    Q_OBJECT
public:
    explicit ScoreWindow(QWidget *owner);
    void setScore(int32_t score);

protected:
    void resizeEvent(QResizeEvent *event) override;
};

// Peek window (template 132): one card picture.
class PeekWindow : public QDialog {
    Q_OBJECT
public:
    explicit PeekWindow(QWidget *owner);
    void setPicture(const QImage &picture);

protected:
    void resizeEvent(QResizeEvent *event) override;
};

}  // namespace fusefuda
