#include "squares/Unit1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "common/IniParameters.h"
#include "common/WRandom.h"
#include "common/Wbestscorefile.h"
#include "common/Winifile.h"
#include "contact/ContactBlock.h"
#include "gui/Accessibility.h"
#include "gui/Dialogs.h"
#include "gui/FixedSizeWindow.h"
#include "gui/Fonts.h"
#include "gui/GameTimer.h"
#include "gui/GlyphButton.h"
#include "gui/Keys.h"
#include "gui/Panels.h"
#include "gui/PictureBox.h"
#include "gui/Seams.h"
#include "gui/Text.h"
#include "squares/Bestscoretabledialog.h"
#include "squares/Gameoverdialog.h"
#include "squares/Helpdialog.h"
#include "squares/Inputnamedialog.h"
#include "squares/Leveldialog.h"
#include "squares/SquareSymbols.h"
#include "squares/SquaresAccessibility.h"
#include "squares/SquaresLook.h"

using namespace vum;

namespace {

const QString AppTitle = QStringLiteral("ВУМ квадратики");

// Colours of the field picture.
constexpr std::uint32_t EmptyCell = 0x00FFFFFF;
constexpr std::uint32_t DangerBand = 0x00E4E4E4;
constexpr std::uint32_t DangerMark = 0x000080FF;
constexpr std::uint32_t CellMark = 0x00D2D2D2;
constexpr std::uint32_t SquareOutline = 0x00000000;

// The font the field picture writes its marks in: small enough that the word stays
// inside the cell, right of x + 4 and below y + 10.
QFont ImageDefaultFont() { return PixelFont(QStringLiteral("Arial"), 10); }

// The stored difficulty as the level dialog takes it: 0 and 1 stand, anything else is 2.
std::int32_t MapLevel(std::int32_t level) { return level == 0 || level == 1 ? level : 2; }

}  // namespace

TForm1::TForm1(const std::string& programFolder) : QWidget(nullptr) {
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(493, 605);
    KeepNormalState(*this);  // also where the window system offers to maximise it
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13));

    GamePanel1 = new BevelPanel(this, "GamePanel1", QRect(0, 0, 305, 604), system_colours::ButtonFace, Bevel::Raised,
                                Bevel::Lowered);
    Image1 = new PictureBox(GamePanel1, "Image1", QRect(2, 2, 301, 600));
    Image1->Picture = QImage(Image1->size(), QImage::Format_RGB32);
    Image1->Picture.fill(WinColour(EmptyCell));
    Image1->OnMouseDown = [this](QMouseEvent* event) {
        const QPoint at = event->position().toPoint();
        Image1MouseDown(at.x(), at.y());
    };

    Panel1 = new BevelPanel(this, "Panel1", QRect(305, 0, 188, 605), squares_colours::DarkBrownishRed);
    Panel1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 16));
    const QFont bold = PixelFont(QStringLiteral("MS Sans Serif"), 16, true);

    NewGameButton1 = new GlyphButton(Panel1, "NewGameButton1", QRect(8, 12, 133, 33));
    NewGameButton1->setFont(bold);
    NewGameButton1->setText(QStringLiteral("Новая игра"));
    connect(NewGameButton1, &QAbstractButton::clicked, this, &TForm1::NewGameButton1Click);

    SpeedButton1 = new GlyphButton(Panel1, "SpeedButton1", QRect(152, 56, 23, 22));
    SpeedButton1->SetGlyph(SquaresPicture(QStringLiteral("play")));
    SpeedButton1->hide();
    SpeedButton2 = new GlyphButton(Panel1, "SpeedButton2", QRect(152, 96, 23, 22));
    SpeedButton2->SetGlyph(SquaresPicture(QStringLiteral("pause")));
    SpeedButton2->hide();

    PauseButton1 = new GlyphButton(Panel1, "PauseButton1", QRect(148, 12, 33, 33));
    PauseButton1->SetGlyph(SpeedButton2->Glyph());
    connect(PauseButton1, &QAbstractButton::clicked, this, &TForm1::PauseButton1Click);

    ScorePanel1 = new BevelPanel(Panel1, "ScorePanel1", QRect(8, 52, 133, 33), squares_colours::LightRed,
                                 Bevel::Lowered);
    ScorePanel1->setFont(bold);
    ScorePanel1->SetAlignment(Qt::AlignLeft);
    LevelPanel1 = new BevelPanel(Panel1, "LevelPanel1", QRect(8, 92, 133, 33), squares_colours::LightRed,
                                 Bevel::Lowered);
    LevelPanel1->setFont(bold);
    LevelPanel1->SetAlignment(Qt::AlignLeft);

    Bevel1 = new BevelLine(Panel1, "Bevel1", QRect(0, 136, 187, 2));
    // The contact block between Bevel1 and Bevel2 is placed by BuildContactBlock.
    Bevel2 = new BevelLine(Panel1, "Bevel2", QRect(1, 422, 187, 2));

    HelpButton1 = new GlyphButton(Panel1, "HelpButton1", QRect(27, 436, 133, 33));
    HelpButton1->setFont(bold);
    HelpButton1->setText(QStringLiteral("Подсказка"));
    connect(HelpButton1, &QAbstractButton::clicked, this, &TForm1::HelpButton1Click);

    Bevel3 = new BevelLine(Panel1, "Bevel3", QRect(1, 478, 187, 2));

    // Screen readers' names of what shows no text (the pause button is named by ApplyState).
    Image1->setAccessibleName(QStringLiteral("Игровое поле"));

    Timer1 = new GameTimer(this, SquaresGame::InitialFieldInterval, false);
    connect(Timer1, &GameTimer::OnTimer, this, &TForm1::Timer1Timer);
    Timer2 = new GameTimer(this, 1000, false);
    connect(Timer2, &GameTimer::OnTimer, this, &TForm1::Timer2Timer);
    ApplyState();

    QApplication::setApplicationName(AppTitle);
    setWindowTitle(QApplication::applicationName());

    DataFolder = FromPath(programFolder) + QStringLiteral("VumColor");
    MakeFolders(ToPath(DataFolder));  // a folder that cannot be made only loses the files
    IniPath = DataFolder + QStringLiteral("/VumColor.ini");

    connect(qApp, &QGuiApplication::applicationStateChanged, this, &TForm1::ApplicationStateChanged);

    CentreOver(this, nullptr);
    PreviewInput(this, this);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // Qt paints every widget double-buffered, GamePanel1 included.
    ProgramRandom().SeedFromClock();

    WIniFile settings;
    ReadIniInteger(settings, ToPath(IniPath), "Game", "VidUser", LevelIndex);
    ReadIniBool(settings, ToPath(IniPath), "Game", "Symbols", ColourSymbols);

    TLevelDialog1 dialog(this);
    dialog.LevelIndex = MapLevel(LevelIndex);
    if (Seams::RunModal(dialog) != QDialog::Accepted) {
        // Nothing is written and no game starts; main() ends the program.
        terminated_ = true;
        return;
    }
    BuildContactBlock();
    LevelIndex = MapLevel(dialog.LevelIndex);
    WriteIniInteger(settings, ToPath(IniPath), "Game", "VidUser", LevelIndex);
    BestScorePath = MakeBestScorePath(LevelIndex);
    Game.Squares.ColourCount = 3 + LevelIndex;
    NewGame();
    RiseField();
}

QString TForm1::MakeBestScorePath(std::int32_t level) const {
    switch (level) {
        case 0:
            return DataFolder + QStringLiteral("/VumColor1.dat");
        case 1:
            return DataFolder + QStringLiteral("/VumColor2.dat");
        case 2:
            return DataFolder + QStringLiteral("/VumColor3.dat");
        default:
            return {};
    }
}

void TForm1::ApplyState() {
    Timer1->SetInterval(Game.FieldInterval);
    Timer1->SetEnabled(Game.FieldTimerRuns());
    Timer2->SetEnabled(Game.ClockTimerRuns());
    const bool paused = Game.CurrentPhase() == SquaresGame::Phase::Paused;
    PauseButton1->SetGlyph(paused ? SpeedButton1->Glyph() : SpeedButton2->Glyph());
    ShowPauseAccessibly(PauseButton1, paused);
}

template <typename Show>
void TForm1::Suspended(Show show) {
    Game.Suspend();
    ApplyState();
    show();
    Game.Resume();
    ApplyState();
}

void TForm1::Timer1Timer() { RiseField(); }

void TForm1::Timer2Timer() {
    if (!Game.ClockTick()) return;
    ApplyState();
    ShowLevel();
}

void TForm1::NewGame() {
    Game.NewGame();
    ApplyState();
    DrawField();
    ShowScore();
    ShowLevel();
}

void TForm1::NewGameButton1Click() { NewGame(); }

void TForm1::PauseButton1Click() {
    if (Game.TogglePause()) ApplyState();
}

void TForm1::ShowScore() {
    ScorePanel1->SetCaption(QStringLiteral(" Очки: ") + QString::number(Game.Squares.Score));
    SetAccessibleText(ScorePanel1, ScorePanel1->Caption(), Announcement::Spoken);
}

void TForm1::ShowLevel() {
    LevelPanel1->SetCaption(QStringLiteral(" Уровень: ") + QString::number(Game.Clock.SpeedLevel));
    SetAccessibleText(LevelPanel1, LevelPanel1->Caption(), Announcement::Spoken);
}

void TForm1::RiseField() {
    const bool over = Game.FieldTick(ProgramRandom());
    DrawField();
    if (!over) return;
    ApplyState();
    GameOver();
}

void TForm1::DrawField() {
    // Empty cells, the danger band and the marks come out the same under any field: every
    // square then covers its whole cell rectangle. So they are painted once and copied.
    if (emptyField_.isNull()) {
        emptyField_ = QImage(Image1->Picture.size(), QImage::Format_RGB32);
        QPainter painter(&emptyField_);
        const QColor white = WinColour(EmptyCell);
        for (int r = 0; r < SquaresField::Rows; ++r)
            for (int c = 0; c < SquaresField::Columns; ++c)
                WinRectangle(painter, white, white, c * CellSize, r * CellSize, (c + 1) * CellSize + 1,
                             (r + 1) * CellSize + 1);
        const QColor band = WinColour(DangerBand);
        WinRectangle(painter, band, band, 0, 0, emptyField_.width(), CellSize);
        DrawCellMarks(painter);
    }
    QImage& image = Image1->Picture;
    QPainter painter(&image);
    painter.drawImage(0, 0, emptyField_);
    const QColor outline = WinColour(SquareOutline);
    for (int i = 0; i < SquaresField::Cells; ++i) {
        const std::uint8_t code = Game.Squares.Field[static_cast<std::size_t>(i)];
        if (code == 0) continue;
        const int left = i % SquaresField::Columns * CellSize;
        const int top = i / SquaresField::Columns * CellSize;
        if (ColourSymbols) {
            QImage& square = symbolSquares_[code];
            if (square.isNull()) square = SymbolSquare(code, CellSize + 1, outline);
            painter.drawImage(left, top, square);
        } else {
            WinRectangle(painter, outline, WinColour(SquaresField::SquareColours[code]), left, top,
                         left + CellSize + 1, top + CellSize + 1);
        }
    }
    painter.end();
    Image1->update();
}

void TForm1::DrawCellMarks(QPainter& painter) {
    static const QFont font = ImageDefaultFont();
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    const QString word = QStringLiteral("ВУМ");
    // The text has no background: the cell shows through.
    painter.setBackgroundMode(Qt::TransparentMode);
    for (int r = 0; r < SquaresField::Rows; ++r) {
        painter.setPen(WinColour(r == 0 ? DangerMark : CellMark));
        for (int c = 0; c < SquaresField::Columns; ++c)
            painter.drawText(c * CellSize + 4, r * CellSize + CellSize / 3 + ascent, word);
    }
    painter.setBackgroundMode(Qt::OpaqueMode);
}

void TForm1::Image1MouseDown(int x, int y) {
    if (!Game.Press(x, y)) return;
    DrawField();
    ShowScore();
}

void TForm1::FormKeyDown(int key) {
    switch (key) {
        case virtual_keys::Escape:
            close();
            break;
        case virtual_keys::F1:
            HelpButton1Click();
            break;
        case virtual_keys::F3:
            ToggleColourSymbols();
            break;
        case virtual_keys::F5:
            PauseButton1Click();
            break;
        case virtual_keys::F10:
            ShowBestScoreTable();
            break;
        default:
            break;
    }
}

void TForm1::ToggleColourSymbols() {
    ColourSymbols = !ColourSymbols;
    DrawField();
    WriteIniBool(WIniFile(), ToPath(IniPath), "Game", "Symbols", ColourSymbols);
}

void TForm1::ApplicationStateChanged(Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive && Game.PauseOnLeave()) ApplyState();
}

void TForm1::changeEvent(QEvent* event) {
    // A window minimised while the program still has the keyboard is left as well.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && Game.PauseOnLeave()) ApplyState();
    QWidget::changeEvent(event);
}

void TForm1::ShowBestScoreTable() {
    Suspended([this] {
        TBestScoreTableDialog1 table(this);
        table.BestScorePath = BestScorePath;
        table.NewRecordRow = -1;
        table.LevelIndex = LevelIndex;
        Seams::RunModal(table);
    });
}

void TForm1::HelpButton1Click() {
    Suspended([this] {
        THelpDialog1 help(this);
        Seams::RunModal(help);
    });
}

void TForm1::GameOver() {
    {
        TGameOverDialog1 splash(this);
        Seams::RunModal(splash);
    }
    if (Game.Squares.Score <= 0) return;

    WBestScoreFile table(LevelIndex);
    table.FileName = ToPath(BestScorePath);
    std::int32_t row = -1;
    if (table.Qualifies(Game.Squares.Score)) {
        WIniFile settings;
        std::string name;
        ReadIniString(settings, ToPath(IniPath), "Name", "LastName", name);
        {
            TInputNameDialog1 box(this);
            box.NameEdit1->setText(FromCp1251(name));
            Seams::RunModal(box);
            // As typed: no trimming, an empty name is a name too.
            name = ToCp1251(box.NameEdit1->text());
            // Before the entry goes in: the name is kept even if the table cannot be written.
            WriteIniString(settings, ToPath(IniPath), "Name", "LastName", name);
        }
        row = table.AddScore(name, Game.Squares.Score);
    }

    TBestScoreTableDialog1 view(this);
    view.BestScorePath = BestScorePath;
    view.NewRecordRow = row;
    view.LevelIndex = LevelIndex;
    Seams::RunModal(view);
}

// Its pictures and fonts take a third of the start-up time; made after the level dialog,
// they keep that dialog quick to appear, and a cancelled start never makes them.
void TForm1::BuildContactBlock() {
    Contact = new ContactBlock(Panel1, ContactBlock::Placement::Squares);
    connect(Contact, &ContactBlock::webLinkClicked, this, &TForm1::InternetLabel1Click);
    connect(Contact, &ContactBlock::mailLinkClicked, this, &TForm1::EMailLabel1Click);
    PreviewInput(this, this);
}

void TForm1::InternetLabel1Click() { Contact->OpenWebAddress(); }

void TForm1::EMailLabel1Click() { Contact->OpenMailAddress(); }

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        namespace vk = virtual_keys;
        const int key = VirtualKeyCode(*static_cast<QKeyEvent*>(event));
        if (key == vk::Escape || key == vk::F1 || key == vk::F3 || key == vk::F5 || key == vk::F10) {
            FormKeyDown(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
