#pragma once
// TForm1: the main window of the Sudoku game. It owns the play state and shows it: the
// first puzzle at the first activation (or the unfinished one the last run left), a new
// puzzle, restart, undo and redo, the solution, the level choice with its solved counter (the
// unfinished game of each level kept while another is played), the level-passed sequence,
// puzzles copied and pasted as text, and the board with its digit picker and keyboard cursor.
// The rules of play live in the play state; the window turns clicks and keys into its moves
// (every command through one table, Commands, for its button and its keys alike), draws what
// it says, and keeps the games in the saved-game file after every change.

#include <QMetaObject>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/ProgramFolder.h"
#include "gui/Commands.h"
#include "gui/WindowSystem.h"
#include "sudoku/Inputdigitaldialog.h"
#include "sudoku/SudokuBoardPainter.h"
#include "sudoku/engine/SudokuGame.h"
#include "sudoku/engine/SudokuHint.h"
#include "sudoku/engine/SudokuKeptGames.h"
#include "sudoku/engine/SudokuPlayClock.h"
#include "sudoku/engine/SudokuStatistics.h"

class QComboBox;
class QLabel;
class QTimer;
class SudokuBoardGrid;

namespace vum {
class BevelPanel;
class ContactBlock;
class GlyphButton;
class SudokuHintNotice;
}  // namespace vum

class TForm1 : public QWidget {
    Q_OBJECT

public:
    // dataFolder: where VumSudoku.ini, VumSudoku.dat and the saved game live, ending in '/'.
    explicit TForm1(const std::string& dataFolder = vum::GameDataFolder("VumSudoku"));
    ~TForm1() override;

    static constexpr int ClientWidth = 744;
    static constexpr int ClientHeight = 338;
    static constexpr int NoticeMilliseconds = 3000;

    bool Activated = false;
    QString AppTitle;
    std::string BestScorePath;
    std::string IniPath;
    std::string SavedGamePath;
    // The puzzle, the player's entries, the undo history and what the board shows; the
    // unfinished games of the other levels.
    vum::SudokuGame Game;
    vum::SudokuKeptGames KeptGames;
    // The window's commands (new game, restart, undo, redo, solution, the levels, copy and
    // paste), run by their buttons and their keys.
    vum::CommandTable Commands;
    vum::SudokuBoardView BoardView;
    // The statistics of the levels, kept in StatisticsPath.
    std::string StatisticsPath;
    vum::SudokuStatistics Statistics;
    // Milliseconds on a clock that never goes back (tests put their own), and the clock of the
    // puzzle's time that runs on it; its time shows in the title when ClockInTitle is on.
    std::function<std::int64_t()> Now;
    vum::SudokuPlayClock PlayClock;
    bool ClockInTitle = false;
    // The window system the digit picker is made and placed for, and where the window system
    // says this window's client area stands on the screen (see the picker's PlaceBesideCell).
    vum::WindowSystem PickerWindowSystem = vum::CurrentWindowSystem();
    TInputDigitalDialog1::WindowOriginQuery WindowOrigin = vum::XServerOrigin;

    // Handlers of the window and its components.
    void FormActivate();
    void FormClose();
    // Virtual-key codes: Enter closes the window; a command's key runs it (Commands); on the
    // board, an arrow shows the cursor (and the grid moves it), Space opens the picker of the
    // current cell, and with no picker open the picker's keys act on the current cell (a digit,
    // a clearing key, Ctrl with either for the marks). True when the key was used.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift = {});
    void NewFameButton1Click();
    void CancelButton1Click();
    void RestartGameButton1Click();
    void SolutionGameButton1Click();
    void Redo();
    // The puzzle and the player's board to the clipboard as text; a puzzle from there, after
    // the new-game question, or a message that says why not.
    void CopyPuzzle();
    void PastePuzzle();
    // A hint (H): a mistake of the player's first, else the next step that ends in a digit,
    // the cells lit and the reasoning in a notice; a second H enters the digit (or corrects
    // the mistake), any other key or a click closes the notice and changes nothing.
    void ShowHint();
    void ApplyHint();
    void CloseHint();
    bool HintShown() const;
    // The clock in the title, on or off, kept in the settings.
    void ToggleClock();
    void ShowStatistics();
    void ComboBox1Change();
    void StringGrid1DrawCell(SudokuBoardGrid& grid, int column, int row, const QRect& rect, bool selected);
    // Pencil marks of the cell, set or taken away from its picker.
    void ToggleMark(int column, int row, int digit);
    void ClearMarks(int column, int row);
    void StringGrid1SelectCell(int column, int row, bool& canSelect);
    void StringGrid1MouseDown(Qt::MouseButton button, int x, int y);
    void InternetLabel1Click();
    void EMailLabel1Click();

    // The flow.
    void NewGame();
    void ShowGame();
    void ShowSolvedCount();
    void UpdateCancelButton();
    void LevelPassed();
    void HighlightSameDigits(int column, int row);
    // The title, with the puzzle's time when the clock is on; changes nothing else.
    void ShowTitle();
    // Tells the puzzle's clock what changed: the game, the window's activity, a question or a
    // notice over the game.
    void UpdateClock();

    SudokuBoardGrid* StringGrid1;
    SudokuBoardGrid* StringGrid4;  // hidden: the solution's texts
    QLabel* Label1;
    QComboBox* ComboBox1;
    vum::BevelPanel* LevelCountPanel1;
    vum::GlyphButton* NewFameButton1;
    vum::GlyphButton* CancelButton1;
    vum::GlyphButton* RestartGameButton1;
    vum::GlyphButton* SolutionGameButton1;
    vum::BevelPanel* Panel2;
    vum::ContactBlock* Contact;
    vum::SudokuHintNotice* HintNotice1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The level item's change handler, attached and detached.
    void AttachComboBox1Change();
    void DetachComboBox1Change();
    void AttachStringGrid1SelectCell();
    void DetachStringGrid1SelectCell();
    // FormActivate, after the event that asked for it has been handled.
    void PostFormActivate();
    // What the play state shows changed: in one cell, or anywhere on the board.
    void ShowCell(int column, int row);
    void ShowBoard();
    // Shows the play state's puzzle as it stands, on a board with no cell selected.
    void ShowPuzzle();
    // Takes the unfinished puzzle of level that the last run saved; false when there is none.
    bool ResumeSavedGame(std::int32_t level);
    // Writes the play state to the saved-game file as soon as the change is on the screen
    // (the write waits for the disk), once for all changes made until then; a failure only
    // loses the file. WriteSavedGameNow does it at once, if a write is due.
    void SaveGame();
    void WriteSavedGameNow();
    // After a picker cancelled by an arrow key: the board moves on one cell that way.
    void MoveAfterPicker(int arrowKey);
    // After a picker cancelled by a command's key: the command runs.
    void RunAfterPicker(const vum::KeyChord& key);
    // A digit picked or typed for a cell (1..9), or its clearing (-1): the entry, the board,
    // the undo button, the file, and the level-passed sequence when it solves the puzzle.
    void EnterDigit(int column, int row, std::int32_t value);
    // The keys of the board without a picker; true when the key was one.
    bool BoardKeyDown(int key, Qt::KeyboardModifiers shift);
    void ShowCursor(bool shown);
    void MakeCommands();
    // Redraws every cell of the board through StringGrid1DrawCell, the one at (column, row)
    // selected (none for -1).
    void DrawBoard(int selectedColumn, int selectedRow);
    // After a change of a cell's marks: the cell redrawn (selected), the undo button, the file.
    void MarksChanged(int column, int row);
    // Keeps the level in the settings.
    void WriteLevel();
    // A question, a notice or a dialog stands over the game while one lives: the clock stops.
    class Interruption;
    // Tells screen readers what a step taken with no picker open changed, once it is done.
    class ChangesReadOut;
    int interruptions_ = 0;
    void WriteStatistics();
    // Asks a question of the flow; true for Yes.
    bool Confirm(const QString& question);

    vum::SudokuBoardPainter painter_{Game, BoardView};
    QTimer* clockTimer_ = nullptr;
    vum::SudokuHint hint_;
    QMetaObject::Connection comboBox1Change_;
    bool activatePosted_ = false;
    bool savePending_ = false;
};
