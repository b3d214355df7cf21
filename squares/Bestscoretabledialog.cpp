#include "squares/Bestscoretabledialog.h"

#include <QEvent>
#include <QPainter>
#include <vector>

#include "common/Wbestscorefile.h"
#include "gui/Accessibility.h"
#include "gui/Dialogs.h"
#include "gui/Fonts.h"
#include "gui/Panels.h"
#include "gui/PictureBox.h"
#include "gui/Text.h"
#include "squares/DecorativeFrame.h"
#include "squares/SquaresLook.h"

using namespace vum;

namespace {

constexpr int RowTop = 138;
constexpr int RowHeight = 38;

BevelPanel* TextPanel(QWidget* parent, const char* name, const QRect& geometry, std::uint32_t colour, Bevel bevel,
                      int pixelSize, bool boldItalic, std::uint32_t fontColour, Qt::Alignment alignment) {
    auto* panel = new BevelPanel(parent, name, geometry, colour, bevel);
    panel->setFont(PixelFont(QStringLiteral("Arial"), pixelSize, boldItalic, boldItalic));
    panel->SetFontColour(WinColour(fontColour));
    panel->SetAlignment(alignment);
    return panel;
}

QString RowPrefix(int row) {
    return row < 9 ? QStringLiteral(" %1. ").arg(row + 1) : QStringLiteral("%1. ").arg(row + 1);
}

// A row as a screen reader reads it: "1. Иван, очки: 500", the new entry marked; a row
// without a name reads "2. очки: 0".
QString AccessibleRow(int row, const QString& name, std::int32_t score, bool newEntry) {
    QString text = QString::number(row + 1) + u'.';
    if (!name.trimmed().isEmpty()) text += u' ' + name.trimmed() + u',';
    text += QStringLiteral(" очки: ") + QString::number(score);
    if (newEntry) text += QStringLiteral(", новый рекорд");
    return text;
}

}  // namespace

TBestScoreTableDialog1::TBestScoreTableDialog1(QWidget* owner) : QDialog(owner) {
    MakeBorderlessDialog(this, owner, QSize(672, 672), QStringLiteral("Десять лучших сметчиков"));
    AddDecorativeFrame(this);

    using namespace squares_colours;
    using system_colours::White;
    Panel1 = new BevelPanel(this, "Panel1", QRect(FrameEdge, FrameEdge, 624, 624), DarkBrownishRed);
    HeadingPanel1 = TextPanel(Panel1, "HeadingPanel1", QRect(1, 1, 622, 35), DarkBrownishRed, Bevel::None, 20,
                              true, White, Qt::AlignHCenter);
    HeadingPanel1->SetCaption(QStringLiteral("Десять лучших сметчиков"));
    CategoryPanel1 = TextPanel(Panel1, "CategoryPanel1", QRect(1, 36, 622, 31), DarkBrownishRed, Bevel::None,
                               20, true, White, Qt::AlignHCenter);

    StripImage1 = new PictureBox(Panel1, "StripImage1", QRect(1, 67, 622, 24));
    StripImage1->Picture = QImage(StripImage1->size(), QImage::Format_RGB32);
    StripImage1->Picture.fill(WinColour(StripGround));
    {
        QPainter painter(&StripImage1->Picture);
        painter.drawImage(0, 0, SquaresPicture(QStringLiteral("frame_strip_h")));
    }

    TitlePanel3 = new BevelPanel(Panel1, "TitlePanel3", QRect(1, 91, 622, 47), LightRed);
    TitlePanel1 = TextPanel(TitlePanel3, "TitlePanel1", QRect(1, 1, 448, 45), LightRed, Bevel::Lowered, 20,
                            false, Yellow, Qt::AlignHCenter);
    TitlePanel1->SetCaption(QStringLiteral("ФИО"));
    TitlePanel2 = TextPanel(TitlePanel3, "TitlePanel2", QRect(449, 1, 172, 45), LightRed, Bevel::Lowered, 20,
                            false, Yellow, Qt::AlignHCenter);
    TitlePanel2->SetCaption(QStringLiteral("Очки"));
    for (BevelPanel* panel : {HeadingPanel1, TitlePanel1, TitlePanel2}) SetAccessibleText(panel, panel->Caption());

    for (int i = 0; i < Rows; ++i) {
        const QByteArray nameName = "NamePanel" + QByteArray::number(i + 1);
        const QByteArray scoreName = "ScorePanel" + QByteArray::number(i + 1);
        NamePanels[static_cast<std::size_t>(i)] =
            TextPanel(Panel1, nameName.constData(), QRect(1, RowTop + i * RowHeight, 622, RowHeight),
                      DarkBrownishRed, Bevel::Raised, 21, false, White, Qt::AlignLeft);
        ScorePanels[static_cast<std::size_t>(i)] =
            TextPanel(NamePanels[static_cast<std::size_t>(i)], scoreName.constData(), QRect(448, 7, 170, 25),
                      LightRed, Bevel::Lowered, 19, false, White, Qt::AlignHCenter);
    }

    ApprovalImage1 = new PictureBox(Panel1, "ApprovalImage1", QRect(1, RowTop + Rows * RowHeight, 622, 105));
    ApprovalImage1->Picture = SquaresPicture(QStringLiteral("approval"));

    new CloseOnInput(this, CloseOnInput::Click::AnyPress, [this] { FormKeyDown(); }, [this] { FormMouseDown(); });
    CallOnActivation(this, [this] { FormActivate(); });
}

void TBestScoreTableDialog1::FormActivate() {
    switch (LevelIndex) {
        case 0:
            CategoryPanel1->SetCaption(QStringLiteral("в категории \"Новичок\""));
            break;
        case 1:
            CategoryPanel1->SetCaption(QStringLiteral("в категории \"Любитель\""));
            break;
        default:
            CategoryPanel1->SetCaption(QStringLiteral("в категории \"Профессионал\""));
            break;
    }

    WBestScoreFile table(LevelIndex);
    table.FileName = ToPath(BestScorePath);
    // A file that can be neither read nor created shows as a table of blank entries.
    std::vector<ScoreEntry> entries;
    if (table.ReadTable(table.FileName)) entries = table.Entries;
    entries.resize(Rows);

    // Screen readers read the level line and the rows, one after another, as the table opens.
    QStringList content{CategoryPanel1->Caption()};
    SetAccessibleText(CategoryPanel1, CategoryPanel1->Caption());
    for (int i = 0; i < Rows; ++i) {
        const ScoreEntry& entry = entries[static_cast<std::size_t>(i)];
        BevelPanel* name = NamePanels[static_cast<std::size_t>(i)];
        BevelPanel* score = ScorePanels[static_cast<std::size_t>(i)];
        name->SetCaption(RowPrefix(i) + FromCp1251(entry.Name));
        name->SetFontColour(WinColour(NewRecordRow == i ? squares_colours::Yellow : system_colours::White));
        score->SetCaption(QString::number(entry.Score));
        const QString row = AccessibleRow(i, FromCp1251(entry.Name), entry.Score, NewRecordRow == i);
        SetAccessibleText(name, row);
        SetAccessibleText(score, score->Caption());
        content << row;
    }
    SetAccessibleContent(this, content);
}

void TBestScoreTableDialog1::FormKeyDown() { accept(); }

void TBestScoreTableDialog1::FormMouseDown() { accept(); }
