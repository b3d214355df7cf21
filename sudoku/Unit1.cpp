#include "sudoku/Unit1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <memory>
#include <optional>

#include "common/IniParameters.h"
#include "common/WRandom.h"
#include "common/Wbestscorefile.h"
#include "common/Winifile.h"
#include "contact/ContactBlock.h"
#include "gui/Dialogs.h"
#include "gui/FixedSizeWindow.h"
#include "gui/Fonts.h"
#include "gui/GlyphButton.h"
#include "gui/Keys.h"
#include "gui/Panels.h"
#include "gui/Seams.h"
#include "gui/WinLook.h"
#include "sudoku/Inputdigitaldialog.h"
#include "sudoku/SudokuBoardGrid.h"
#include "sudoku/SudokuLook.h"
#include "sudoku/Waitdialog.h"
#include "sudoku/engine/SudokuSave.h"

using namespace vum;

namespace {

constexpr const char* IniSection = "Difficult_Level";
constexpr const char* IniKey = "Number";
// The level of a first start, and of a stored level that names no item.
constexpr std::int32_t DefaultLevel = 1;

const QString SansSerif = QStringLiteral("MS Sans Serif");

// A cell's text read as a number: blanks trimmed, anything but a decimal number gives 0.
int CellNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

QString CellText(std::int32_t value) { return value < 0 ? QString() : QString::number(value); }

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

TForm1::TForm1(const std::string& dataFolder)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    // The window as designed.
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ВУМ Судоку"));
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
    connect(NewFameButton1, &GlyphButton::clicked, this, &TForm1::NewFameButton1Click);
    connect(CancelButton1, &GlyphButton::clicked, this, &TForm1::CancelButton1Click);
    connect(RestartGameButton1, &GlyphButton::clicked, this, &TForm1::RestartGameButton1Click);
    connect(SolutionGameButton1, &GlyphButton::clicked, this, &TForm1::SolutionGameButton1Click);

    Panel2 = new BevelPanel(this, "Panel2", {546, 0, 198, 338}, sudoku_colours::SidePanel, Bevel::Lowered);
    Contact = new ContactBlock(Panel2, ContactBlock::Placement::Sudoku);
    connect(Contact, &ContactBlock::webLinkClicked, this, &TForm1::InternetLabel1Click);
    connect(Contact, &ContactBlock::mailLinkClicked, this, &TForm1::EMailLabel1Click);

    CentreOver(this, nullptr);

    // The window previews every key before its controls.
    qApp->installEventFilter(this);

    AppTitle = QStringLiteral("ВУМ Судоку 1.0");
    QApplication::setApplicationName(AppTitle);
    ProgramRandom().SeedFromClock();
    BestScorePath = dataFolder + "VumSudoku.dat";
    IniPath = dataFolder + "VumSudoku.ini";
    SavedGamePath = dataFolder + SavedGameName;
    UpdateCancelButton();
}

TForm1::~TForm1() { WriteSavedGameNow(); }

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
    ShowSolvedCount();
    if (!ResumeSavedGame(level)) ComboBox1Change();
}

bool TForm1::ResumeSavedGame(std::int32_t level) {
    std::optional<SudokuGame> saved = ReadSavedGame(SavedGamePath);
    // A solved puzzle was followed by the next one, which is then the one saved.
    if (!saved || saved->Level() != level || saved->Solved()) return false;
    Game = std::move(*saved);
    ShowPuzzle();
    return true;
}

void TForm1::SaveGame() {
    if (savePending_) return;
    savePending_ = true;
    QMetaObject::invokeMethod(this, &TForm1::WriteSavedGameNow, Qt::QueuedConnection);
}

void TForm1::WriteSavedGameNow() {
    if (!savePending_) return;
    savePending_ = false;
    WriteSavedGame(SavedGamePath, Game);
}

void TForm1::FormClose() {
    WriteSavedGameNow();
    WriteIniInteger(WIniFile(), IniPath, IniSection, IniKey, ComboBox1->currentIndex());
}

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    if (key == virtual_keys::Return) {
        close();
        return true;
    }
    if (key == 'Z' && shift.testFlag(Qt::ControlModifier)) {
        if (CancelButton1->isEnabled()) CancelButton1Click();
        return true;
    }
    return false;
}

// ---- the flow -----------------------------------------------------------------------------

bool TForm1::Confirm(const QString& question) {
    return Seams::Ask(this, AppTitle, question) == QMessageBox::Yes;
}

void TForm1::ComboBox1Change() {
    Game.SetLevel(ComboBox1->currentIndex());
    NewGame();
    ShowSolvedCount();
}

void TForm1::NewGame() {
    const auto notice = std::make_unique<TWaitDialog1>(this);
    notice->Panel1->SetCaption(QStringLiteral("Создание нового Судоку. Ждите..."));
    notice->ShowNow();
    Game.NewPuzzle(ProgramRandom());
    ShowGame();
}

void TForm1::ShowCell(int column, int row) { StringGrid1->SetCell(column, row, CellText(Game.Shown(column, row))); }

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
    const SudokuGrid& solution = Game.Sudoku.SolutionGrid;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) StringGrid4->SetCell(c, r, CellText(solution[c][r]));
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
    LevelCountPanel1->repaint();
}

void TForm1::UpdateCancelButton() { CancelButton1->setEnabled(Game.CanUndo()); }

void TForm1::LevelPassed() {
    {
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
    if (!Game.Undo()) return;
    ShowBoard();
    UpdateCancelButton();
    SaveGame();
}

void TForm1::InternetLabel1Click() { Contact->OpenWebAddress(); }

void TForm1::EMailLabel1Click() { Contact->OpenMailAddress(); }

// ---- the board ----------------------------------------------------------------------------

QColor TForm1::BlockColour(int column, int row) {
    const auto outer = [](int x) { return (x >= 0 && x <= 2) || (x >= 6 && x <= 8); };
    const auto centre = [](int x) { return x >= 3 && x <= 5; };
    const bool a = (outer(column) && outer(row)) || (centre(column) && centre(row));
    return WinColour(a ? sudoku_colours::BlockA : sudoku_colours::BlockB);
}

void TForm1::StringGrid1DrawCell(SudokuBoardGrid& grid, int column, int row, const QRect& rect, bool selected) {
    DrawCell(grid, column, row, rect, selected, 0);
}

void TForm1::DrawCell(SudokuBoardGrid& grid, int column, int row, const QRect& rect, bool selected, int emphasised) {
    const QString text = grid.Cell(column, row);
    const int x = rect.left() + rect.width() / 2 - grid.TextWidth(text) / 2;
    const int y = rect.top() + rect.height() / 2 - grid.TextHeight(text) / 2;
    const QColor brush = selected ? WinColour(sudoku_colours::SelectedCell) : BlockColour(column, row);
    grid.FillRect(rect, brush);
    grid.TextOut(x, y, text,
                 WinColour(Game.IsGiven(column, row) ? sudoku_colours::GivenDigit : sudoku_colours::EnteredDigit));
    if (&grid == StringGrid1 && text.isEmpty()) DrawMarks(grid, column, row, rect, emphasised);
}

void TForm1::DrawMarks(SudokuBoardGrid& grid, int column, int row, const QRect& rect, int emphasised) {
    const std::uint16_t marks = Game.MarksOf(column, row);
    if (marks == 0) return;
    static const QFont font = PixelFont(QStringLiteral("Arial"), 10);
    static const QFont bold = PixelFont(QStringLiteral("Arial"), 10, true);
    // Three by three places of 11 pixels inside the 35-pixel cell, one pixel from its edges.
    constexpr int Place = 11;
    for (int digit = 1; digit <= 9; ++digit) {
        if ((marks & (1u << (digit - 1))) == 0) continue;
        const QRect place(rect.left() + 1 + (digit - 1) % 3 * Place, rect.top() + 1 + (digit - 1) / 3 * Place, Place,
                          Place);
        const bool strong = digit == emphasised;
        grid.TextIn(place, QString::number(digit),
                    WinColour(strong ? sudoku_colours::EmphasisedMark : sudoku_colours::Mark), strong ? bold : font);
    }
}

void TForm1::DrawBoard(int selectedColumn, int selectedRow) {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            StringGrid1DrawCell(*StringGrid1, c, r, StringGrid1->CellRect(c, r), c == selectedColumn && r == selectedRow);
}

void TForm1::HighlightSameDigits(int column, int row) {
    const int value = CellNumber(StringGrid1->Cell(column, row));
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            if (c == column && r == row) continue;
            const QString text = StringGrid1->Cell(c, r);
            const QRect rect = StringGrid1->CellRect(c, r);
            if (value >= 1 && value <= 9 && CellNumber(text) == value) {
                StringGrid1->FillRect(rect, BlockColour(c, r));
                StringGrid1->TextOut(rect.left() + rect.width() / 2 - StringGrid1->TextWidth(text) / 2,
                                     rect.top() + rect.height() / 2 - StringGrid1->TextHeight(text) / 2, text,
                                     WinColour(sudoku_colours::HighlightedDigit));
            } else {
                DrawCell(*StringGrid1, c, r, rect, false, value >= 1 && value <= 9 ? value : 0);
            }
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
        const auto picker = std::make_unique<TInputDigitalDialog1>(
            this, PickerWindowSystem == WindowSystem::X11 ? TInputDigitalDialog1::Kind::ToolWindow
                                                          : TInputDigitalDialog1::Kind::Popup);
        picker->OnMark = [this, column, row](std::int32_t digit) { ToggleMark(column, row, digit); };
        picker->OnClearMarks = [this, column, row] { ClearMarks(column, row); };
        PlacePicker(*picker, column, row);
        HighlightSameDigits(column, row);
        if (Seams::RunModal(*picker) == QDialog::Accepted) {
            const std::int32_t value = picker->DigitValue;
            if (value < 1 || value > 9) {
                Game.Clear(column, row);
                ShowCell(column, row);
                SaveGame();
            } else {
                const bool solved = Game.Enter(column, row, value);
                UpdateCancelButton();
                ShowCell(column, row);
                SaveGame();
                if (solved) LevelPassed();
            }
        } else if (picker->MoveKey != 0) {
            MoveAfterPicker(picker->MoveKey);
        }
    }
    HighlightSameDigits(column, row);
}

void TForm1::PlacePicker(TInputDigitalDialog1& picker, int column, int row) {
    // A screen without a bottom, where the screen is unknown.
    constexpr QRect Unbounded(0, 0, 1 << 20, 1 << 20);
    const QRect cell = StringGrid1->CellRect(column, row);
    QRect cellOnScreen(StringGrid1->mapToGlobal(cell.topLeft()), cell.size());
    const QScreen* screen = this->screen();
    QRect screenArea = screen != nullptr ? screen->geometry() : Unbounded;
    int frameHeight = 0;
    switch (PickerWindowSystem) {
    case WindowSystem::X11:
        // The picker's frame is not known before it is shown; the main window's is near it.
        frameHeight = frameGeometry().height() - geometry().height();
        break;
    case WindowSystem::XWayland:
        if (const std::optional<QPoint> origin = WindowOrigin ? WindowOrigin(*this) : std::nullopt)
            cellOnScreen.moveTopLeft(*origin + StringGrid1->mapTo(this, cell.topLeft()));
        break;
    case WindowSystem::Wayland:
        screenArea = Unbounded;
        break;
    }
    picker.PlaceBeside(cellOnScreen, screenArea, frameHeight);
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
