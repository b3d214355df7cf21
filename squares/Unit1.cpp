#include "squares/Unit1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>

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
#include "squares/FieldPicture.h"
#include "squares/Gameoverdialog.h"
#include "squares/Helpdialog.h"
#include "squares/Inputnamedialog.h"
#include "squares/Leveldialog.h"
#include "squares/SquaresAccessibility.h"
#include "squares/SquaresLook.h"
#include "squares/engine/SquaresSave.h"

using namespace vum;

namespace {

const QString AppTitle = QStringLiteral("ВУМ квадратики");

// The contact block in the side column, between Bevel1 and Bevel2: the name without a shadow,
// transparent labels on the column's red, and the globe a link like the logo.
constexpr ContactPlacement ContactTable{
    .LogoPanel = {"VumPanel1", {21, 150, 147, 61}},
    .Logo = {"ImageVum1", {2, 2, 143, 57}, true},
    .CompanyName = {"Label1", {20, 222, 155, 25}},
    .CompanyShadow = std::nullopt,
    .PhoneIcon = {"Image7", {8, 263, 32, 32}},
    .FaxIcon = {"Image8", {8, 303, 32, 32}},
    .WebIcon = {"Image9", {8, 343, 32, 32}, true},
    .MailIcon = {"Image10", {8, 383, 32, 32}},
    .Phone1 = {"PhoneLabel1", {45, 258, 134, 21}},
    .Phone2 = {"Label3", {45, 282, 134, 21}},
    .Fax = {"FaxLabel1", {45, 310, 138, 21}},
    .Web = {"InternetLabel1", {45, 350, 139, 21}},
    .Mail = {"EMailLabel1", {45, 388, 115, 21}},
    .LabelBackground = std::nullopt,
};

// While the game runs, its changes are written every this many seconds of the speed clock; a
// stop of play writes them at once.
constexpr int SaveEverySeconds = 5;

// The text under Bevel3 while the cursor stands on a group: a group's points end in 0, so
// "очков" is the word for every one of them.
QString GroupText(std::size_t squares) {
    return QStringLiteral("Выделено: %1\n(%2 очков)").arg(squares).arg(squares * SquaresField::PointsPerSquare);
}

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
    Image1->Picture = FieldPicture::MakeImage(Image1->devicePixelRatioF());
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

    GroupLabel1 = new QLabel(Panel1);
    PlaceComponent(GroupLabel1, "GroupLabel1", QRect(8, 488, 172, 50));
    GroupLabel1->setFont(bold);
    GroupLabel1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette groupColours = GroupLabel1->palette();
    groupColours.setColor(QPalette::WindowText, WinColour(system_colours::White));
    GroupLabel1->setPalette(groupColours);
    GroupLabel1->hide();

    // Screen readers' names of what shows no text (the pause button is named by ApplyState).
    Image1->setAccessibleName(QStringLiteral("Игровое поле"));

    Timer1 = new GameTimer(this, Game.FieldInterval(), false);
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
    // A session that ends asks first: the clock's count of the moment goes into the saved game.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TForm1::SaveGame);

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
    SavedGamePath = DataFolder + QStringLiteral("/") + QString::fromStdString(SavedRunName(LevelIndex));
    Game.ChooseLevel(LevelIndex);
    // The game this level left comes back paused; a damaged file, or one of a game no play
    // can reach, is passed over and replaced by the new game's.
    if (const auto saved = ReadSavedRun(ToPath(SavedGamePath)); saved && RestoreGame(*saved)) return;
    NewGame();
    RiseField();
}

void TForm1::SaveGame() {
    saveDue_ = false;
    secondsUnsaved_ = 0;
    const auto phase = Game.CurrentPhase();
    if (phase != SquaresGame::Phase::Running && phase != SquaresGame::Phase::Paused) return;
    // A save that fails (a full disk, a folder that cannot be written) leaves the old one.
    WriteSavedRun(ToPath(SavedGamePath), Game.Position());
}

bool TForm1::RestoreGame(const SquaresPosition& position) {
    // The best-score table and the settings belong to the level chosen at start.
    if (position.Level != LevelIndex || !Game.Restore(position)) return false;
    ApplyState();
    DrawField();
    ShowScore();
    ShowLevel();
    return true;
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
    Timer1->SetInterval(Game.FieldInterval());
    Timer1->SetEnabled(Game.FieldTimerRuns());
    Timer2->SetEnabled(Game.ClockTimerRuns());
    const bool paused = Game.CurrentPhase() == SquaresGame::Phase::Paused;
    const QImage& sign = paused ? SpeedButton1->Glyph() : SpeedButton2->Glyph();
    if (PauseButton1->Glyph() != sign) PauseButton1->SetGlyph(sign);
    ShowPauseAccessibly(PauseButton1, paused);
}

template <typename Show>
void TForm1::Suspended(Show show) {
    // The clock stands still while the dialog is open: what it has not written yet goes now.
    if (saveDue_) SaveGame();
    Game.Suspend();
    ApplyState();
    show();
    Game.Resume();
    ApplyState();
}

void TForm1::Timer1Timer() { RiseField(); }

void TForm1::Timer2Timer() {
    if (Game.ClockTick()) {
        ApplyState();
        ShowLevel();
        saveDue_ = true;
    }
    // The changes of the last seconds go to the disk in one write: the field ticks and the
    // removals of the top speed come many a second, and a write, with its flushes to the
    // disk, costs more than all of them.
    if (saveDue_ && ++secondsUnsaved_ >= SaveEverySeconds) SaveGame();
}

void TForm1::NewGame() {
    Game.NewGame();
    ApplyState();
    DrawField();
    ShowScore();
    ShowLevel();
    // Written at the next tick of the speed clock, with the first row of a first game: not
    // before the window first shows.
    saveDue_ = true;
    secondsUnsaved_ = SaveEverySeconds - 1;
}

void TForm1::NewGameButton1Click() { NewGame(); }

void TForm1::PauseButton1Click() {
    if (!Game.TogglePause()) return;
    ApplyState();
    SaveGame();
}

void TForm1::ShowScore() {
    ScorePanel1->SetCaption(QStringLiteral(" Очки: ") + QString::number(Game.Score()));
    SetAccessibleText(ScorePanel1, ScorePanel1->Caption(), Announcement::Spoken);
}

void TForm1::ShowLevel() {
    LevelPanel1->SetCaption(QStringLiteral(" Уровень: ") + QString::number(Game.SpeedLevel()));
    SetAccessibleText(LevelPanel1, LevelPanel1->Caption(), Announcement::Spoken);
}

void TForm1::RiseField() {
    const bool over = Game.FieldTick(ProgramRandom());
    DrawField();
    if (!over) {
        saveDue_ = true;
        return;
    }
    ApplyState();
    // Gone before the table sees the score: an ended game never comes back.
    RemoveSavedRun(ToPath(SavedGamePath));
    GameOver();
}

void TForm1::DrawField() {
    // At the screen's pixel ratio, so that the field is as sharp as the rest of the window.
    const qreal ratio = Image1->devicePixelRatioF();
    if (Image1->Picture.devicePixelRatio() != ratio) Image1->Picture = FieldPicture::MakeImage(ratio);
    const FieldScene scene{Game.Field(), ColourSymbols, Game.CursorShown() ? Game.CursorCell() : -1,
                           Game.CursorGroup()};
    // Only what changed goes to the screen.
    const QRect changed = fieldPicture_.Paint(Image1->Picture, scene);
    if (!changed.isEmpty()) Image1->update(changed);
    ShowGroup(scene.Group);
}

void TForm1::ShowGroup(const SquaresField::CellSet& group) {
    if (group.none()) {
        GroupLabel1->hide();
        return;
    }
    GroupLabel1->setText(GroupText(group.count()));
    GroupLabel1->show();
}

void TForm1::DrawCellMarks(QPainter& painter) { FieldPicture::PaintCellMarks(painter); }

void TForm1::Image1MouseDown(int x, int y) {
    const bool cursorShown = Game.CursorShown();
    Game.HideCursor();
    if (Game.Press(x, y)) {
        Removed();
    } else if (cursorShown) {
        DrawField();
    }
}

void TForm1::Removed() {
    DrawField();
    ShowScore();
    saveDue_ = true;
}

void TForm1::CursorKey(int key) {
    namespace vk = virtual_keys;
    if (key == vk::Space) {
        if (Game.PressCursor()) Removed();
        return;
    }
    Game.MoveCursor(key == vk::Up ? -1 : key == vk::Down ? 1 : 0, key == vk::Left ? -1 : key == vk::Right ? 1 : 0);
    DrawField();
    if (Game.CursorShown())
        Announce(Image1, CursorSquareText(Game.Field()[static_cast<std::size_t>(Game.CursorCell())],
                                          Game.CursorGroup().count()));
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
        case virtual_keys::Left:
        case virtual_keys::Up:
        case virtual_keys::Right:
        case virtual_keys::Down:
        case virtual_keys::Space:
            CursorKey(key);
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
    if (state != Qt::ApplicationActive && Game.PauseOnLeave()) Left();
}

void TForm1::changeEvent(QEvent* event) {
    // A window minimised while the program still has the keyboard is left as well.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && Game.PauseOnLeave()) Left();
    QWidget::changeEvent(event);
}

void TForm1::Left() {
    ApplyState();
    // Leaving is often the last the program sees before a logout ends it.
    SaveGame();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown after the level dialog: the window asks for the keyboard itself, for where no
    // window manager gives it (the window system sets the focus once the window is mapped).
    if (shown_) return;
    shown_ = true;
    activateWindow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    SaveGame();
    QWidget::closeEvent(event);
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
    if (Game.Score() <= 0) return;

    WBestScoreFile table(LevelIndex);
    table.FileName = ToPath(BestScorePath);
    std::int32_t row = -1;
    if (table.Qualifies(Game.Score())) {
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
        row = table.AddScore(name, Game.Score());
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
    Contact = new ContactBlock(Panel1, ContactTable);
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
        if (key == vk::Escape || key == vk::F1 || key == vk::F3 || key == vk::F5 || key == vk::F10 ||
            key == vk::Left || key == vk::Up || key == vk::Right || key == vk::Down || key == vk::Space) {
            FormKeyDown(key);
            return true;
        }
    }
    // Another screen, perhaps of another pixel ratio: the field is painted for it.
    if (watched == Image1 && event->type() == QEvent::ScreenChangeInternal) DrawField();
    return QWidget::eventFilter(watched, event);
}
