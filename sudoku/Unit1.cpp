#include "sudoku/Unit1.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>

#include "common/IniParameters.h"
#include "common/WRandom.h"
#include "common/Wbestscorefile.h"
#include "common/Winifile.h"
#include "contact/ContactBlock.h"
#include "gui/Accessibility.h"
#include "gui/Dialogs.h"
#include "gui/FixedSizeWindow.h"
#include "gui/Fonts.h"
#include "gui/GlyphButton.h"
#include "gui/Keys.h"
#include "gui/Panels.h"
#include "gui/Seams.h"
#include "gui/WinLook.h"
#include "sudoku/Inputdigitaldialog.h"
#include "sudoku/Statisticsdialog.h"
#include "sudoku/SudokuBoardGrid.h"
#include "sudoku/SudokuCellText.h"
#include "sudoku/SudokuHintNotice.h"
#include "sudoku/SudokuHintText.h"
#include "sudoku/SudokuLook.h"
#include "sudoku/Waitdialog.h"
#include "sudoku/engine/SudokuPuzzleText.h"
#include "sudoku/engine/SudokuSave.h"

using namespace vum;

namespace {

constexpr const char* IniSection = "Difficult_Level";
constexpr const char* IniKey = "Number";
constexpr const char* ClockSection = "View";
constexpr const char* ClockKey = "Clock";
const QString Title = QStringLiteral("ВУМ Судоку");
// How often the time of a running puzzle goes to the saved game, and how often the clock in
// the title moves.
constexpr int TimeSaveMilliseconds = 10000;
constexpr int ClockMilliseconds = 1000;

std::int64_t SteadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
// The level of a first start, and of a stored level that names no item.
constexpr std::int32_t DefaultLevel = 1;

const QString SansSerif = QStringLiteral("MS Sans Serif");

// The contact block on Panel2: the name with its shadow, labels on the panel's orange, and
// the globe no link.
constexpr ContactPlacement ContactTable{
    .LogoPanel = {"Panel1", {25, 12, 147, 61}},
    .Logo = {"Image2", {2, 2, 143, 57}, true},
    .CompanyName = {"Label4", {30, 106, 155, 25}},
    .CompanyShadow = ContactPlacement::Part{"Label2", {32, 108, 153, 25}},
    .PhoneIcon = {"Image7", {12, 137, 32, 32}},
    .FaxIcon = {"Image8", {12, 177, 32, 32}},
    .WebIcon = {"Image9", {12, 217, 32, 32}},
    .MailIcon = {"Image10", {12, 254, 32, 32}},
    .Phone1 = {"PhoneLabel1", {51, 132, 134, 21}},
    .Phone2 = {"Label3", {51, 156, 138, 21}},
    .Fax = {"FaxLabel1", {54, 184, 138, 21}},
    .Web = {"InternetLabel1", {54, 224, 139, 21}},
    .Mail = {"EMailLabel1", {56, 259, 115, 21}},
    .LabelBackground = sudoku_colours::SidePanel,
};

// A digit of the board, 0 for an empty cell.
int DigitOrZero(std::int32_t digit) { return digit >= 1 && digit <= 9 ? digit : 0; }

GlyphButton* MakeButton(QWidget* parent, const char* name, int top, const QString& caption, const QString& picture,
                        const QString& disabledPicture = QString()) {
    auto* button = new GlyphButton(parent, name, {344, top, 193, 45});
    button->setText(caption);
    button->setFont(PixelFont(SansSerif, 19));
    button->SetGlyph(SudokuPicture(picture),
                     disabledPicture.isEmpty() ? QImage() : SudokuPicture(disabledPicture));
    return button;
}

}  // namespace

// The clock stops while a question, a notice or a dialog stands over the game.
class TForm1::Interruption {
public:
    explicit Interruption(TForm1& form) : form_(form) {
        ++form_.interruptions_;
        form_.UpdateClock();
    }
    ~Interruption() {
        --form_.interruptions_;
        form_.UpdateClock();
    }
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

private:
    TForm1& form_;
};

// A step taken with no picker open: what it changed is told to screen readers once it is done
// (the picker closing makes them read its cell anyway).
class TForm1::ChangesReadOut {
public:
    explicit ChangesReadOut(TForm1& form)
        : form_(form), shown_(form.Game.ShownGrid()), marks_(form.Game.Position().Marks) {}
    ~ChangesReadOut() {
        // A step changes a cell's digit, or else marks: an entry also takes its digit out of
        // the marks around it, which is not read. A board that changed all over (the next
        // puzzle) is read cell by cell as the player moves.
        constexpr int MostCellsRead = 3;
        const SudokuGame& game = form_.Game;
        QStringList digits, marks;
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 9; ++c) {
                const auto column = static_cast<std::size_t>(c), row = static_cast<std::size_t>(r);
                if (shown_[column][row] != game.ShownGrid()[column][row]) digits << CellName(game, c, r);
                if (marks_[column][row] != game.Position().Marks[column][row]) marks << CellName(game, c, r);
            }
        const QStringList& changed = digits.isEmpty() ? marks : digits;
        if (!changed.isEmpty() && changed.size() <= MostCellsRead) Announce(&form_, changed.join(QStringLiteral(". ")));
    }
    ChangesReadOut(const ChangesReadOut&) = delete;
    ChangesReadOut& operator=(const ChangesReadOut&) = delete;

private:
    TForm1& form_;
    const SudokuGrid shown_;
    const SudokuMarks marks_;
};

TForm1::TForm1(const std::string& dataFolder)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      Now(SteadyMilliseconds),
      PlayClock([this] { return Now(); }) {
    // The window as designed.
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Title);
    setFixedSize(ClientWidth, ClientHeight);
    KeepNormalState(*this);  // also where the window system offers to maximise it
    // The background is painted by paintEvent, so the controls keep the system's palette.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(PixelFont(SansSerif, 13));

    StringGrid1 = new SudokuBoardGrid(this, "StringGrid1", {8, 4, 328, 328});
    StringGrid1->setFont(PixelFont(SansSerif, 24));
    StringGrid1->setCursor(Qt::PointingHandCursor);
    StringGrid1->setFocusPolicy(Qt::ClickFocus);
    StringGrid4 = new SudokuBoardGrid(this, "StringGrid4", {-8, 44, 329, 329});
    StringGrid4->setFont(PixelFont(SansSerif, 24));
    StringGrid4->setFocusPolicy(Qt::NoFocus);
    StringGrid4->setVisible(false);
    const auto drawCell = [this](SudokuBoardGrid& grid, int column, int row, const QRect& rect, bool selected) {
        StringGrid1DrawCell(grid, column, row, rect, selected);
    };
    StringGrid1->OnDrawCell = drawCell;
    StringGrid4->OnDrawCell = drawCell;
    StringGrid1->OnMouseDown = [this](Qt::MouseButton button, int x, int y) { StringGrid1MouseDown(button, x, y); };
    StringGrid1->OnCellAccess = [this](int column, int row) {
        return SudokuBoardGrid::CellAccess{CellName(Game, column, row), Game.IsGiven(column, row)};
    };
    StringGrid1->setAccessibleName(QStringLiteral("Игровое поле"));
    StringGrid1->setAccessibleDescription(QStringLiteral(
        "Стрелки выбирают клетку, пробел открывает выбор цифры, цифры вписывают, Delete стирает, H — подсказка."));
    AttachStringGrid1SelectCell();

    Label1 = new QLabel(QStringLiteral("Уровень сложности"), this);
    PlaceComponent(Label1, "Label1", {344, 6, 193, 25});
    Label1->setFont(PixelFont(SansSerif, 19));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette labelColours = Label1->palette();
    labelColours.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(labelColours);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setFont(PixelFont(SansSerif, 19));
    ComboBox1->addItems({QStringLiteral("Простой"), QStringLiteral("Средний"), QStringLiteral("Сложный")});
    ComboBox1->setCurrentIndex(1);
    ComboBox1->setGeometry(344, 32, 193, ComboBox1->sizeHint().height());
    ComboBox1->setFixedSize(ComboBox1->size());
    // A wheel turned over the list while it has no keyboard focus changes nothing (see
    // eventFilter): the level, and with it the puzzle, changes only on purpose.
    ComboBox1->setFocusPolicy(Qt::StrongFocus);
    // Screen readers name the list after its label (on Linux a list's own name is its item).
    Label1->setBuddy(ComboBox1);
    AttachComboBox1Change();

    LevelCountPanel1 = new BevelPanel(this, "LevelCountPanel1", {344, 72, 193, 45}, sudoku_colours::CounterPanel,
                                      Bevel::Lowered);
    LevelCountPanel1->setFont(PixelFont(SansSerif, 19));
    LevelCountPanel1->SetCaption(QStringLiteral("Решено:"));

    NewFameButton1 = MakeButton(this, "NewFameButton1", 126, QStringLiteral("Новая игра"), QStringLiteral("new_game"));
    CancelButton1 = MakeButton(this, "CancelButton1", 180, QStringLiteral("Отменить"), QStringLiteral("undo"),
                               QStringLiteral("undo_disabled"));
    RestartGameButton1 =
        MakeButton(this, "RestartGameButton1", 234, QStringLiteral("Начать заново"), QStringLiteral("restart"));
    SolutionGameButton1 =
        MakeButton(this, "SolutionGameButton1", 288, QStringLiteral("Решение"), QStringLiteral("solution"));
    MakeCommands();

    Panel2 = new BevelPanel(this, "Panel2", {546, 0, 198, 338}, sudoku_colours::SidePanel, Bevel::Lowered);
    Contact = new ContactBlock(Panel2, ContactTable);
    connect(Contact, &ContactBlock::webLinkClicked, this, &TForm1::InternetLabel1Click);
    connect(Contact, &ContactBlock::mailLinkClicked, this, &TForm1::EMailLabel1Click);
    HintNotice1 = new SudokuHintNotice(this);

    CentreOver(this, nullptr);

    // The window previews every key before its controls.
    qApp->installEventFilter(this);

    AppTitle = QStringLiteral("ВУМ Судоку 1.0");
    QApplication::setApplicationName(AppTitle);
    ProgramRandom().SeedFromClock();
    BestScorePath = dataFolder + "VumSudoku.dat";
    IniPath = dataFolder + "VumSudoku.ini";
    SavedGamePath = dataFolder + SavedGameName;
    StatisticsPath = dataFolder + StatisticsName;
    UpdateCancelButton();

    // While the clock runs, its time goes to the saved game now and then, so that a program
    // that ends without closing loses little of it.
    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(ClockMilliseconds);
    connect(clockTimer_, &QTimer::timeout, this, [this, ticks = 0]() mutable {
        ShowTitle();
        if (++ticks % (TimeSaveMilliseconds / ClockMilliseconds) == 0 && PlayClock.Counting()) SaveGame();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { UpdateClock(); });
}

TForm1::~TForm1() { WriteSavedGameNow(); }

void TForm1::MakeCommands() {
    namespace vk = virtual_keys;
    constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
    const auto always = [] { return true; };
    Commands.Add({{{'N', Ctrl}}, NewFameButton1, always, [this] { NewFameButton1Click(); }});
    Commands.Add({{{vk::F5, {}}}, RestartGameButton1, always, [this] { RestartGameButton1Click(); }});
    Commands.Add({{{'Z', Ctrl}}, CancelButton1, always, [this] { CancelButton1Click(); }});
    Commands.Add({{{'Z', Ctrl | Qt::ShiftModifier}, {'Y', Ctrl}}, nullptr, [this] { return Game.CanRedo(); },
                  [this] { Redo(); }});
    Commands.Add({{{vk::F9, {}}}, SolutionGameButton1, always, [this] { SolutionGameButton1Click(); }});
    for (int level = 0; level < ComboBox1->count(); ++level)
        Commands.Add({{{vk::Digit0 + 1 + level, Qt::AltModifier}}, nullptr, always,
                      [this, level] { ComboBox1->setCurrentIndex(level); }});
    Commands.Add({{{'C', Ctrl}}, nullptr, always, [this] { CopyPuzzle(); }});
    Commands.Add({{{'V', Ctrl}}, nullptr, always, [this] { PastePuzzle(); }});
    Commands.Add({{{'T', Ctrl}}, nullptr, always, [this] { ToggleClock(); }});
    Commands.Add({{{vk::F10, {}}}, nullptr, always, [this] { ShowStatistics(); }});
    Commands.Add({{{'H', {}}}, nullptr, [this] { return Game.HasPuzzle(); }, [this] { ShowHint(); }});
}

// ---- attach and detach -------------------------------------------------------------------

void TForm1::AttachComboBox1Change() {
    comboBox1Change_ = connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm1::ComboBox1Change);
}

void TForm1::DetachComboBox1Change() { disconnect(comboBox1Change_); }

void TForm1::AttachStringGrid1SelectCell() {
    StringGrid1->OnSelectCell = [this](int column, int row, bool& canSelect) {
        StringGrid1SelectCell(column, row, canSelect);
    };
}

void TForm1::DetachStringGrid1SelectCell() { StringGrid1->OnSelectCell = nullptr; }

// ---- window events ------------------------------------------------------------------------

void TForm1::PostFormActivate() {
    QMetaObject::invokeMethod(this, [this] { FormActivate(); }, Qt::QueuedConnection);
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) PostFormActivate();
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange) UpdateClock();
    QWidget::changeEvent(event);
}

void TForm1::paintEvent(QPaintEvent* event) {
    // Without a window manager nothing activates the window: its first paint stands in for
    // the first activation.
    if (!activatePosted_) {
        activatePosted_ = true;
        PostFormActivate();
    }
    QPainter painter(this);
    painter.fillRect(event->rect(), WinColour(sudoku_colours::Window));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ComboBox1 && event->type() == QEvent::Wheel && !ComboBox1->hasFocus()) return true;
    // A click anywhere in the window closes a hint and does nothing else.
    if (HintShown() && event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        CloseHint();
        return true;
    }
    // A click on the board hides the keyboard cursor before it selects.
    if (watched == StringGrid1 && event->type() == QEvent::MouseButtonPress) ShowCursor(false);
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    if (static_cast<QWidget*>(watched)->window() != this) return false;
    // A key the window uses goes no further; any other goes on to the control.
    const auto* key = static_cast<QKeyEvent*>(event);
    return FormKeyDown(VirtualKeyCode(*key), key->modifiers());
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TForm1::FormActivate() {
    if (Activated) return;
    Activated = true;
    repaint();
    std::int32_t level = DefaultLevel;
    ReadIniInteger(WIniFile(), IniPath, IniSection, IniKey, level);
    if (level < 0 || level >= ComboBox1->count()) level = DefaultLevel;
    DetachComboBox1Change();
    ComboBox1->setCurrentIndex(level);
    AttachComboBox1Change();
    std::int32_t clock = 0;
    ReadIniInteger(WIniFile(), IniPath, ClockSection, ClockKey, clock);
    ClockInTitle = clock == 1;
    Statistics = SudokuStatistics::Read(StatisticsPath);
    ShowSolvedCount();
    if (!ResumeSavedGame(level)) ComboBox1Change();
    UpdateClock();
}

bool TForm1::ResumeSavedGame(std::int32_t level) {
    std::optional<SudokuSavedGames> saved = ReadSavedGames(SavedGamePath);
    if (!saved) return false;
    // Every unfinished game comes back, the one of the stored level on the board. (A solved
    // puzzle was followed by the next one, which is then the one saved.)
    KeptGames = std::move(saved->Kept);
    KeptGames.Keep(saved->Playing);
    if (!KeptGames.SwitchLevel(Game, level)) return false;
    ShowPuzzle();
    return true;
}

void TForm1::SaveGame() {
    UpdateClock();
    if (savePending_) return;
    savePending_ = true;
    QMetaObject::invokeMethod(this, &TForm1::WriteSavedGameNow, Qt::QueuedConnection);
}

void TForm1::WriteSavedGameNow() {
    if (!savePending_) return;
    savePending_ = false;
    WriteSavedGames(SavedGamePath, Game, KeptGames);
}

void TForm1::FormClose() {
    // The time up to the last moment goes with the game.
    UpdateClock();
    if (Game.HasPuzzle()) savePending_ = true;
    WriteSavedGameNow();
    WriteLevel();
}

void TForm1::WriteLevel() { WriteIniInteger(WIniFile(), IniPath, IniSection, IniKey, ComboBox1->currentIndex()); }

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    if (HintShown()) {
        // The second H takes the hint; any other key only closes it.
        if (key == 'H' && (shift & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) == 0)
            ApplyHint();
        else
            CloseHint();
        return true;
    }
    if (key == virtual_keys::Return) {
        close();
        return true;
    }
    if (Commands.RunKey(key, shift)) return true;
    // The level list keeps its own keys while it has the focus.
    return focusWidget() != ComboBox1 && BoardKeyDown(key, shift);
}

bool TForm1::BoardKeyDown(int key, Qt::KeyboardModifiers shift) {
    namespace vk = virtual_keys;
    const int column = StringGrid1->Col(), row = StringGrid1->Row();
    if (key == vk::Left || key == vk::Up || key == vk::Right || key == vk::Down) {
        ShowCursor(true);
        return false;  // the grid moves its current cell
    }
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    if (key == vk::Space && !ctrl) {
        ShowCursor(true);
        bool canSelect = true;
        StringGrid1SelectCell(column, row, canSelect);
        return true;
    }
    const int digit = TInputDigitalDialog1::DigitOfKey(key);
    if (digit < 0 || Game.IsGiven(column, row)) return false;
    ShowCursor(true);
    const ChangesReadOut readOut(*this);
    if (ctrl && digit > 0)
        ToggleMark(column, row, digit);
    else if (ctrl)
        ClearMarks(column, row);
    else
        EnterDigit(column, row, digit > 0 ? digit : -1);
    HighlightSameDigits(column, row);
    return true;
}

void TForm1::ShowCursor(bool shown) {
    if (BoardView.CursorShown == shown) return;
    BoardView.CursorShown = shown;
    ShowCell(StringGrid1->Col(), StringGrid1->Row());
}

// ---- the flow -----------------------------------------------------------------------------

bool TForm1::Confirm(const QString& question) {
    const Interruption asking(*this);
    return Seams::Ask(this, AppTitle, question) == QMessageBox::Yes;
}

void TForm1::UpdateClock() {
    PlayClock.SetActive(QGuiApplication::applicationState() == Qt::ApplicationActive && !isMinimized());
    PlayClock.SetInterrupted(interruptions_ > 0);
    PlayClock.Update(Game);
    if (ClockInTitle != clockTimer_->isActive()) ClockInTitle ? clockTimer_->start() : clockTimer_->stop();
    ShowTitle();
}

void TForm1::ShowTitle() {
    const QString title = ClockInTitle ? Title + QStringLiteral(" — ") + PlayTimeText(PlayClock.Elapsed(Game)) : Title;
    if (windowTitle() != title) setWindowTitle(title);
}

bool TForm1::HintShown() const { return HintNotice1->isVisible(); }

void TForm1::ShowHint() {
    hint_ = FindHint(Game.Solution(), Game.Givens(), Game.Position().Board);
    if (hint_.What == SudokuHint::Kind::Solved) return;
    using Hint = SudokuBoardView::HintCell;
    for (const SudokuStep& step : hint_.Steps)
        for (const std::int32_t cell : step.Cells) BoardView.Hint[static_cast<std::size_t>(cell)] = Hint::Reason;
    const bool mistake = hint_.What == SudokuHint::Kind::Mistake;
    BoardView.Hint[static_cast<std::size_t>(hint_.Column * 9 + hint_.Row)] = mistake ? Hint::Mistake : Hint::Target;
    ShowBoard();
    HintNotice1->ShowHint(HintText(hint_), mistake);
    Announce(HintNotice1, HintNotice1->TextLabel->text() + u' ' + HintNotice1->KeysLabel->text());
    Statistics.HintUsed(Game);
    WriteStatistics();
}

void TForm1::CloseHint() {
    BoardView.Hint.fill(SudokuBoardView::HintCell::None);
    HintNotice1->hide();
    ShowBoard();
}

void TForm1::ApplyHint() {
    CloseHint();
    // A mistake is corrected with the solution's digit; a step enters its own.
    const std::int32_t digit =
        hint_.What == SudokuHint::Kind::Mistake ? Game.Solution()[hint_.Column][hint_.Row] : hint_.Digit;
    const ChangesReadOut readOut(*this);
    EnterDigit(hint_.Column, hint_.Row, digit);
    HighlightSameDigits(hint_.Column, hint_.Row);
}

void TForm1::ToggleClock() {
    ClockInTitle = !ClockInTitle;
    WriteIniInteger(WIniFile(), IniPath, ClockSection, ClockKey, ClockInTitle ? 1 : 0);
    UpdateClock();
}

void TForm1::WriteStatistics() { Statistics.Write(StatisticsPath); }

void TForm1::ShowStatistics() {
    const Interruption looking(*this);
    std::array<std::int32_t, TStatisticsDialog1::Levels> solved{};
    const WBestScoreFile counters;
    for (std::int32_t level = 0; level < TStatisticsDialog1::Levels; ++level)
        solved[static_cast<std::size_t>(level)] = counters.ReadCounter(BestScorePath, level);
    TStatisticsDialog1 dialog(this, Statistics, solved);
    Seams::RunModal(dialog);
    Statistics.Shown();
    WriteStatistics();
}

void TForm1::ComboBox1Change() {
    // The time so far belongs to the game being left.
    UpdateClock();
    // The level is kept at once, as the games are: a program that does not close cleanly
    // comes back to the game that was being played.
    WriteLevel();
    // The game of the level left is kept; the level chosen resumes its own, or gets a new one.
    if (KeptGames.SwitchLevel(Game, ComboBox1->currentIndex())) {
        ShowPuzzle();
        SaveGame();
    } else {
        NewGame();
    }
    ShowSolvedCount();
}

void TForm1::NewGame() {
    const Interruption waiting(*this);
    const auto notice = std::make_unique<TWaitDialog1>(this);
    notice->Panel1->SetCaption(QStringLiteral("Создание нового Судоку. Ждите..."));
    notice->ShowNow();
    // The new puzzle starts from its givens.
    Game.NewPuzzle(ProgramRandom());
    Statistics.PuzzleStarted(Game);
    WriteStatistics();
    ShowPuzzle();
    SaveGame();
}

void TForm1::ShowCell(int column, int row) { StringGrid1->InvalidateCell(column, row); }

void TForm1::ShowBoard() {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) ShowCell(c, r);
}

void TForm1::ShowGame() {
    Game.Restart();
    ShowPuzzle();
    SaveGame();
}

void TForm1::ShowPuzzle() {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) StringGrid4->InvalidateCell(c, r);
    ShowBoard();
    StringGrid1->setFocus();
    StringGrid1->Repaint();
    DrawBoard(-1, -1);
    UpdateCancelButton();
}

void TForm1::ShowSolvedCount() {
    const WBestScoreFile counters;
    const std::int32_t solved = counters.ReadCounter(BestScorePath, ComboBox1->currentIndex());
    LevelCountPanel1->SetCaption(QStringLiteral("Решено: ") + QString::number(solved));
    SetAccessibleText(LevelCountPanel1, LevelCountPanel1->Caption());
    LevelCountPanel1->repaint();
}

void TForm1::UpdateCancelButton() { CancelButton1->setEnabled(Game.CanUndo()); }

void TForm1::LevelPassed() {
    UpdateClock();
    Statistics.PuzzleSolved(Game, Game.PlayedMilliseconds());
    WriteStatistics();
    const Interruption passed(*this);
    // The counter counts the game's own puzzles of the level, not those the player brought.
    if (!Game.Imported()) {
        const WBestScoreFile counters;
        counters.IncrementCounter(BestScorePath, ComboBox1->currentIndex());
    }
    ShowSolvedCount();
    StringGrid1->Repaint();
    {
        const auto notice = std::make_unique<TWaitDialog1>(this);
        notice->Panel1->SetCaption(QStringLiteral("Уровень пройден."));
        notice->ShowNow();
        Seams::Wait(NoticeMilliseconds);
    }
    NewGame();
}

void TForm1::NewFameButton1Click() {
    if (!Game.Solved() && !Confirm(QStringLiteral("Начать новую игру?"))) return;
    NewGame();
}

void TForm1::RestartGameButton1Click() {
    if (!Confirm(QStringLiteral("Начать игру заново?"))) return;
    ShowGame();
}

void TForm1::SolutionGameButton1Click() {
    if (!Confirm(QStringLiteral("Показать решение?"))) return;
    Game.ShowSolution();
    ShowBoard();
    SaveGame();
}

void TForm1::CancelButton1Click() {
    const ChangesReadOut readOut(*this);
    if (!Game.Undo()) return;
    ShowBoard();
    UpdateCancelButton();
    SaveGame();
}

void TForm1::Redo() {
    const ChangesReadOut readOut(*this);
    if (!Game.Redo()) return;
    ShowBoard();
    UpdateCancelButton();
    SaveGame();
}

void TForm1::CopyPuzzle() {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(PuzzleLine(Game) + '\n' + BoardLine(Game) + '\n'));
}

void TForm1::PastePuzzle() {
    const PuzzleText puzzle = ReadPuzzleText(QGuiApplication::clipboard()->text().toStdString());
    switch (puzzle.Read) {
        case PuzzleText::Verdict::Puzzle:
            if (!Game.Solved() && !Confirm(QStringLiteral("Начать новую игру?"))) return;
            Game.Import(puzzle.Givens, puzzle.Solution);
            ShowPuzzle();
            SaveGame();
            return;
        case PuzzleText::Verdict::NotAPuzzle:
            Seams::Tell(this, AppTitle,
                        QStringLiteral("В буфере обмена нет судоку. Нужна строка из 81 клетки: цифры заданных "
                                       "клеток и точки (или нули) на месте пустых."));
            return;
        case PuzzleText::Verdict::NoSolution:
            Seams::Tell(this, AppTitle, QStringLiteral("У этого судоку нет решения."));
            return;
        case PuzzleText::Verdict::SeveralSolutions:
            Seams::Tell(this, AppTitle, QStringLiteral("У этого судоку больше одного решения."));
            return;
    }
}

void TForm1::InternetLabel1Click() { Contact->OpenWebAddress(); }

void TForm1::EMailLabel1Click() { Contact->OpenMailAddress(); }

// ---- the board ----------------------------------------------------------------------------

void TForm1::StringGrid1DrawCell(SudokuBoardGrid& grid, int column, int row, const QRect& rect, bool selected) {
    if (&grid == StringGrid4)
        painter_.PaintSolutionCell(grid, column, row, rect, selected);
    else
        painter_.PaintCell(grid, column, row, rect, {.Selected = selected});
}

void TForm1::DrawBoard(int selectedColumn, int selectedRow) {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            StringGrid1DrawCell(*StringGrid1, c, r, StringGrid1->CellRect(c, r), c == selectedColumn && r == selectedRow);
}

void TForm1::HighlightSameDigits(int column, int row) {
    const int digit = DigitOrZero(Game.Shown(column, row));
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            if (c == column && r == row) continue;
            const bool same = digit != 0 && Game.Shown(c, r) == digit;
            painter_.PaintCell(*StringGrid1, c, r, StringGrid1->CellRect(c, r),
                               {.SameDigit = same, .EmphasisedMark = same ? 0 : digit});
        }
}

void TForm1::StringGrid1SelectCell(int column, int row, bool& canSelect) {
    DetachStringGrid1SelectCell();
    StringGrid1->SetRow(row);
    StringGrid1->SetCol(column);
    AttachStringGrid1SelectCell();

    if (!Game.IsGiven(column, row)) {
        canSelect = true;
        DrawBoard(column, row);
        const auto picker =
            std::make_unique<TInputDigitalDialog1>(this, TInputDigitalDialog1::KindFor(PickerWindowSystem));
        TInputDigitalDialog1& open = *picker;
        const auto showMarks = [this, &open, column, row] {
            open.ShowMarks(Game.MarksOf(column, row));
            open.setAccessibleDescription(CellContent(Game, column, row));
        };
        picker->OnMark = [this, showMarks, column, row](std::int32_t digit) {
            ToggleMark(column, row, digit);
            showMarks();
        };
        picker->OnClearMarks = [this, showMarks, column, row] {
            ClearMarks(column, row);
            showMarks();
        };
        picker->IsWindowCommand = [this](int key, Qt::KeyboardModifiers shift) { return Commands.HasKey(key, shift); };
        picker->setAccessibleName(CellPlace(column, row));
        showMarks();
        picker->PlaceBesideCell(*StringGrid1, column, row, PickerWindowSystem, WindowOrigin);
        HighlightSameDigits(column, row);
        const int result = Seams::RunModal(*picker);
        // Without a window manager nothing gives the keyboard back to the window once the
        // picker has closed.
        if (!isActiveWindow()) activateWindow();
        if (result == QDialog::Accepted)
            EnterDigit(column, row, picker->DigitValue);
        else if (picker->MoveKey != 0)
            MoveAfterPicker(picker->MoveKey);
        else if (picker->CommandKey.Key != 0)
            RunAfterPicker(picker->CommandKey);
    }
    HighlightSameDigits(column, row);
}

void TForm1::EnterDigit(int column, int row, std::int32_t value) {
    if (value < 1 || value > 9) {
        Game.Clear(column, row);
        ShowCell(column, row);
        SaveGame();
        return;
    }
    const bool solved = Game.Enter(column, row, value);
    UpdateCancelButton();
    ShowCell(column, row);
    SaveGame();
    if (solved) LevelPassed();
}

void TForm1::ToggleMark(int column, int row, int digit) {
    if (Game.ToggleMark(column, row, digit)) MarksChanged(column, row);
}

void TForm1::ClearMarks(int column, int row) {
    if (Game.ClearMarks(column, row)) MarksChanged(column, row);
}

void TForm1::MarksChanged(int column, int row) {
    UpdateCancelButton();
    StringGrid1DrawCell(*StringGrid1, column, row, StringGrid1->CellRect(column, row), true);
    SaveGame();
}

void TForm1::MoveAfterPicker(int arrowKey) {
    namespace vk = virtual_keys;
    const int columns = arrowKey == vk::Left ? -1 : arrowKey == vk::Right ? 1 : 0;
    const int rows = arrowKey == vk::Up ? -1 : arrowKey == vk::Down ? 1 : 0;
    // Once this selection has ended: the move runs the select handler for the next cell.
    QMetaObject::invokeMethod(this, [this, columns, rows] { StringGrid1->MoveBy(columns, rows); },
                              Qt::QueuedConnection);
}

void TForm1::RunAfterPicker(const KeyChord& key) {
    QMetaObject::invokeMethod(this, [this, key] { Commands.RunKey(key.Key, key.Modifiers); }, Qt::QueuedConnection);
}

void TForm1::StringGrid1MouseDown(Qt::MouseButton button, int x, int y) {
    if (button != Qt::RightButton) return;
    int column = 0, row = 0;
    if (!StringGrid1->MouseToCell(x, y, column, row)) return;
    DetachStringGrid1SelectCell();
    StringGrid1->SetCol(column);
    StringGrid1->SetRow(row);
    AttachStringGrid1SelectCell();
    bool canSelect = true;
    StringGrid1SelectCell(column, row, canSelect);
}
