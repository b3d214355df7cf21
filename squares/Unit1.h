#pragma once
// TForm1: the main window of the colour-squares game. It owns the field and the speed
// clock, drives them with its two timers, paints the field, takes the player's presses
// and keys, and runs the level choice at start-up and the end of a game.

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

#include "common/ProgramFolder.h"
#include "squares/engine/SpeedClock.h"
#include "squares/engine/SquaresField.h"

class BevelLine;
class BevelPanel;
class ContactBlock;
class FlatButton;
class GameTimer;
class PictureBox;
class QPainter;

class TForm1 : public QWidget {
    Q_OBJECT

public:
    // programFolder: where the program keeps its data folder "VumColor", ending in '/'.
    // The level dialog runs inside construction; see Terminated.
    explicit TForm1(const std::string& programFolder = vum::GameDataFolder("VumSquare"));
    ~TForm1() override;

    // True when the level dialog was cancelled: the program is to end without a game.
    bool Terminated() const { return terminated; }

    // The field, its colours and the score; the speed clock and the speed level.
    vum::SquaresField Squares;
    vum::SpeedClock Clock;
    static constexpr std::int32_t CellSize = vum::SquaresField::CellSize;
    static constexpr std::int32_t StartInterval = vum::SpeedClock::StartInterval;
    static constexpr std::int32_t MinInterval = vum::SpeedClock::MinInterval;
    static constexpr std::int32_t IntervalStep = vum::SpeedClock::IntervalStep;

    std::int32_t LevelIndex = 1;  // difficulty 0..2, key "VidUser"
    QString DataFolder;
    QString IniPath;
    QString BestScorePath;

    void FormCreate();
    void Timer1Timer();
    void Timer2Timer();
    void NewGame();
    void NewGameButton1Click();
    void PauseButton1Click();
    void ShowScore();
    void ShowLevel();
    void RiseField();
    void DrawField();
    void DrawCellMarks(QPainter& painter);
    void Image1MouseDown(int x, int y);
    void FormKeyDown(int key);
    void ShowBestScoreTable();
    void HelpButton1Click();
    void GameOver();
    QString MakeBestScorePath(std::int32_t level) const;
    void InternetLabel1Click();
    void EMailLabel1Click();

    BevelPanel* GamePanel1;
    PictureBox* Image1;
    BevelPanel* Panel1;
    FlatButton* NewGameButton1;
    FlatButton* PauseButton1;
    BevelPanel* ScorePanel1;
    BevelPanel* LevelPanel1;
    FlatButton* SpeedButton1;  // holds the play sign
    FlatButton* SpeedButton2;  // holds the pause sign
    BevelLine* Bevel1;
    BevelLine* Bevel2;
    FlatButton* HelpButton1;
    BevelLine* Bevel3;
    ContactBlock* contact = nullptr;  // built once the level is chosen
    GameTimer* Timer1;  // field tick
    GameTimer* Timer2;  // speed clock

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildContactBlock();

    // The field picture without squares: empty cells, danger band, marks.
    QImage emptyField;
    bool terminated = false;
    // From the end of a game until the next NewGame: pause and F5 must not start the clock
    // again, which would end the same game once more and record its score twice.
    bool gameEnded = false;
};
