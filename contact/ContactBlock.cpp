#include "contact/ContactBlock.h"

#include <QColor>
#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include "contact/ContactDetails.h"
#include "gui/Fonts.h"
#include "gui/Pictures.h"
#include "gui/WinLook.h"

// At namespace scope, as Q_INIT_RESOURCE needs. The pictures are compiled into this static
// library, and a linker keeps no resource initialiser that nothing calls: calling it from the
// block's constructor puts them into every program that places the block.
static void InitContactResources() {
    Q_INIT_RESOURCE(contact);
}

namespace vum {

namespace {

// The Sudoku side panel's orange.
constexpr std::uint32_t SudokuPanelColour = 0x000080FF;

constexpr int TextPixelSize = 13;
constexpr int NamePixelSize = 20;
constexpr QSize IconSize{32, 32};
constexpr QSize LogoPanelSize{147, 61};
constexpr QSize LogoSize{143, 57};
// Raised outer plus lowered inner bevel, one pixel each.
constexpr int LogoBevel = 2;

// Positions within the side panel. Icons and the logo panel have the fixed sizes above.
struct Layout {
    QPoint logo;
    QRect name;        // Label4 (Sudoku) or Label1 (Squares)
    QRect nameShadow;  // Label2, Sudoku only
    QPoint phoneIcon;
    QRect phone1;
    QRect phone2;
    QPoint faxIcon;
    QRect fax;
    QPoint webIcon;
    QRect web;
    QPoint mailIcon;
    QRect mail;
};

constexpr Layout SudokuLayout{
    {25, 12},
    {30, 106, 155, 25}, {32, 108, 153, 25},
    {12, 137}, {51, 132, 134, 21}, {51, 156, 138, 21},
    {12, 177}, {54, 184, 138, 21},
    {12, 217}, {54, 224, 139, 21},
    {12, 254}, {56, 259, 115, 21},
};

constexpr Layout SquaresLayout{
    {21, 150},
    {20, 222, 155, 25}, {},
    {8, 263}, {45, 258, 134, 21}, {45, 282, 134, 21},
    {8, 303}, {45, 310, 138, 21},
    {8, 343}, {45, 350, 139, 21},
    {8, 383}, {45, 388, 115, 21},
};

// A fixed-size label of plain text; background is the colour behind the text, or an invalid
// colour for a transparent label.
QLabel* MakeLabel(QWidget* panel, const char* name, const QRect& rect, const QString& text,
                  const QFont& font, QColor colour, QColor background) {
    auto* label = new QLabel(panel);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(text);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
    }
    label->setPalette(palette);
    label->setAutoFillBackground(background.isValid());
    label->setCursor(Qt::ArrowCursor);
    label->setGeometry(rect);
    label->setFixedSize(rect.size());
    return label;
}

QLabel* MakePicture(QWidget* parent, const char* name, QPoint at, QSize size, const char* file) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setPixmap(SvgPixmap(QStringLiteral(":/contact/") + QLatin1String(file), size, parent->devicePixelRatioF()));
    picture->setCursor(Qt::ArrowCursor);
    picture->setGeometry(QRect(at, size));
    picture->setFixedSize(size);
    return picture;
}

}  // namespace

ContactBlock::ContactBlock(QWidget* panel, Placement placement) : QObject(panel) {
    InitContactResources();
    const bool sudoku = placement == Placement::Sudoku;
    const Layout& layout = sudoku ? SudokuLayout : SquaresLayout;
    const QColor background = sudoku ? WinColour(SudokuPanelColour) : QColor();

    auto* logoPanel = new QFrame(panel);
    logoPanel->setObjectName(sudoku ? QStringLiteral("Panel1") : QStringLiteral("VumPanel1"));
    logoPanel->setFrameStyle(QFrame::Box | QFrame::Raised);
    logoPanel->setLineWidth(1);
    logoPanel->setMidLineWidth(0);
    QPalette bevel = logoPanel->palette();
    bevel.setColor(QPalette::Light, WinColour(system_colours::ButtonHighlight));
    bevel.setColor(QPalette::Dark, WinColour(system_colours::ButtonShadow));
    logoPanel->setPalette(bevel);
    logoPanel->setGeometry(QRect(layout.logo, LogoPanelSize));
    logoPanel->setFixedSize(LogoPanelSize);
    QLabel* logo = MakePicture(logoPanel, sudoku ? "Image2" : "ImageVum1",
                               {LogoBevel, LogoBevel}, LogoSize, "logo.svg");
    logo->setCursor(Qt::PointingHandCursor);
    MakeLink(logo);

    const QString company = contact_details::CompanyName.toString();
    const QFont nameFont = PixelFont(QStringLiteral("Arial"), NamePixelSize, true, true);
    if (sudoku) {
        // The shadow first, so that the white name lies above it.
        MakeLabel(panel, "Label2", layout.nameShadow, company, nameFont, Qt::black, background);
        MakeLabel(panel, "Label4", layout.name, company, nameFont, Qt::white, QColor());
    } else {
        MakeLabel(panel, "Label1", layout.name, company, nameFont, Qt::white, QColor());
    }

    MakePicture(panel, "Image7", layout.phoneIcon, IconSize, "phone.svg");
    MakePicture(panel, "Image8", layout.faxIcon, IconSize, "fax.svg");
    QLabel* globe = MakePicture(panel, "Image9", layout.webIcon, IconSize, "globe.svg");
    MakePicture(panel, "Image10", layout.mailIcon, IconSize, "envelope.svg");
    if (!sudoku) {
        MakeLink(globe);
    }

    const QFont textFont = PixelFont(QStringLiteral("Arial"), TextPixelSize);
    const QString phone = QStringLiteral("Тел.: ");
    MakeLabel(panel, "PhoneLabel1", layout.phone1, phone + contact_details::Phone1.toString(),
              textFont, Qt::white, background);
    MakeLabel(panel, "Label3", layout.phone2, phone + contact_details::Phone2.toString(), textFont,
              Qt::white, background);
    MakeLabel(panel, "FaxLabel1", layout.fax,
              QStringLiteral("Факс: ") + contact_details::Fax.toString(), textFont, Qt::white,
              background);
    webLabel_ = MakeLabel(panel, "InternetLabel1", layout.web,
                               contact_details::WebAddress.toString(), textFont, Qt::white,
                               background);
    webLabel_->setCursor(Qt::PointingHandCursor);
    MakeLink(webLabel_);
    mailLabel_ = MakeLabel(panel, "EMailLabel1", layout.mail,
                            contact_details::MailAddress.toString(), textFont, Qt::white,
                            background);
    mailLabel_->setCursor(Qt::PointingHandCursor);
    MakeLink(mailLabel_);
}

QUrl ContactBlock::WebAddress() const {
    const QString text = webLabel_->text();
    if (text.isEmpty()) {
        return {};
    }
    return QUrl(text.contains(QStringLiteral("://")) ? text : QStringLiteral("http://") + text);
}

QUrl ContactBlock::MailAddress() const {
    return QUrl(QStringLiteral("mailto:") + mailLabel_->text());
}

void ContactBlock::OpenWebAddress() const {
    const QUrl url = WebAddress();
    if (!url.isEmpty()) {
        QDesktopServices::openUrl(url);
    }
}

void ContactBlock::OpenMailAddress() const {
    QDesktopServices::openUrl(MailAddress());
}

void ContactBlock::MakeLink(QWidget* element) {
    element->installEventFilter(this);
}

bool ContactBlock::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return QObject::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    if (type == QEvent::MouseButtonRelease) {
        const auto* element = static_cast<QWidget*>(watched);
        const bool click =
            watched == pressed_ && element->rect().contains(mouse->position().toPoint());
        pressed_ = nullptr;
        if (click) {
            if (watched == mailLabel_) {
                emit mailLinkClicked();
            } else {
                emit webLinkClicked();
            }
        }
    } else {
        // The second press of a double click makes no second click.
        pressed_ = type == QEvent::MouseButtonPress ? watched : nullptr;
    }
    return true;
}

}  // namespace vum
