#pragma once
// TForm1: the main window of the colour-squares game. It owns the play state, drives it
// with its two timers (set from the play state in one place), paints the field, takes the
// player's presses and keys, and runs the level choice at start-up and the end of a game.
// A running game pauses when the player leaves the program; on request (F3) each square
// carries a symbol of its colour, for players who cannot tell the colours apart. The game in
// progress is saved after its changes and comes back, paused, at the next start of its level.
// The arrow keys steer a cursor over the field, and Space removes the group under it.

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

#include "common/ProgramFolder.h"
#include "squares/FieldPicture.h"
#include "squares/engine/SquaresGame.h"

class QLabel;
class QPainter;

namespace vum {
class BevelLine;
class BevelPanel;
class ContactBlock;
class GameTimer;
class GlyphButton;
class PictureBox;
}  // namespace vum

class TForm1 : public QWidget {
    Q_OBJECT

public:
    // programFolder: where the program keeps its data folder "VumColor", ending in '/'.
    // The level dialog runs inside construction; see Terminated.
    explicit TForm1(const std::string& programFolder = vum::GameDataFolder("VumSquare"));
    ~TForm1() override;

    // True when the level dialog was cancelled: the program is to end without a game.
    bool Terminated() const { return terminated_; }

    // The field, its colours and the score, the speed clock, and the phase of the game.
    vum::SquaresGame Game;
    static constexpr std::int32_t CellSize = vum::SquaresField::CellSize;

    std::int32_t LevelIndex = 1;  // difficulty 0..2, key "VidUser"
    QString DataFolder;
    QString IniPath;
    QString BestScorePath;
    // The saved game of the chosen level (VumColor1.sav .. VumColor3.sav).
    QString SavedGamePath;
    // A symbol on each square, its shape telling its colour; key "Symbols" in "Game".
    bool ColourSymbols = false;

    void FormCreate();
    // Takes back a game in progress of the chosen level, paused, and shows it; false, with
    // nothing changed, for another level or a position that no game can reach.
    bool RestoreGame(const vum::SquaresPosition& position);
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
    // Virtual-key codes: Esc ends the program, F1 help, F3 the colour symbols on or off, F5
    // pause or go on, F10 the best scores, the arrows move the cursor, Space removes the group
    // under it.
    void FormKeyDown(int key);
    // Writes the game in progress to SavedGamePath at once; a game not begun or ended writes
    // nothing. While the game runs, its field ticks, removals and speed-ups are written every
    // five seconds of the speed clock, a new game at its first second; every stop of play (a
    // pause, a game dialog, leaving the program, closing it, the end of the session) at once.
    void SaveGame();
    void ToggleColourSymbols();
    // The program stopped being the one the player works with (another program's window took
    // the keyboard, the window was minimised or hidden, the session locked): a running game
    // pauses, as F5 would.
    void ApplicationStateChanged(Qt::ApplicationState state);
    void ShowBestScoreTable();
    void HelpButton1Click();
    void GameOver();
    QString MakeBestScorePath(std::int32_t level) const;
    void InternetLabel1Click();
    void EMailLabel1Click();

    vum::BevelPanel* GamePanel1;
    vum::PictureBox* Image1;
    vum::BevelPanel* Panel1;
    vum::GlyphButton* NewGameButton1;
    vum::GlyphButton* PauseButton1;
    vum::BevelPanel* ScorePanel1;
    vum::BevelPanel* LevelPanel1;
    vum::GlyphButton* SpeedButton1;  // holds the play sign
    vum::GlyphButton* SpeedButton2;  // holds the pause sign
    vum::BevelLine* Bevel1;
    vum::BevelLine* Bevel2;
    vum::GlyphButton* HelpButton1;
    vum::BevelLine* Bevel3;
    // Below Bevel3, while the cursor stands on a group: its size and the points it brings.
    QLabel* GroupLabel1;
    vum::ContactBlock* Contact = nullptr;  // built once the level is chosen
    vum::GameTimer* Timer1;               // field tick
    vum::GameTimer* Timer2;               // speed clock

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Sets both timers and the pause button's picture from the play state.
    void ApplyState();
    // Runs a game dialog over the game: the field and the clock stand still while it is open.
    template <typename Show>
    void Suspended(Show show);
    void BuildContactBlock();
    // A move of the cursor or a removal by Space, then what it changed shown.
    void CursorKey(int key);
    void ShowGroup(const vum::SquaresField::CellSet& group);
    // The player left a running game, which paused.
    void Left();
    // After a removal by press or by Space: the field, the score, the saved game.
    void Removed();

    vum::FieldPicture fieldPicture_;
    bool terminated_ = false;
    bool shown_ = false;
    // A change of the game not yet in SavedGamePath.
    bool saveDue_ = false;
    int secondsUnsaved_ = 0;
};
