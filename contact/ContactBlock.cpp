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

constexpr int TextPixelSize = 13;
constexpr int NamePixelSize = 20;

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

QLabel* MakePicture(QWidget* parent, const ContactPlacement::Picture& picture, const char* file) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(picture.Name));
    const QRect& rect = picture.Geometry;
    label->setPixmap(SvgPixmap(QStringLiteral(":/contact/") + QLatin1String(file), rect.size(), parent->devicePixelRatioF()));
    label->setCursor(Qt::ArrowCursor);
    label->setGeometry(rect);
    label->setFixedSize(rect.size());
    return label;
}

}  // namespace

ContactBlock::ContactBlock(QWidget* panel, const ContactPlacement& placement) : QObject(panel) {
    InitContactResources();
    const QColor background = placement.LabelBackground ? WinColour(*placement.LabelBackground) : QColor();

    auto* logoPanel = new QFrame(panel);
    logoPanel->setObjectName(QLatin1String(placement.LogoPanel.Name));
    // Raised outer plus lowered inner bevel, one pixel each.
    logoPanel->setFrameStyle(QFrame::Box | QFrame::Raised);
    logoPanel->setLineWidth(1);
    logoPanel->setMidLineWidth(0);
    QPalette bevel = logoPanel->palette();
    bevel.setColor(QPalette::Light, WinColour(system_colours::ButtonHighlight));
    bevel.setColor(QPalette::Dark, WinColour(system_colours::ButtonShadow));
    logoPanel->setPalette(bevel);
    logoPanel->setGeometry(placement.LogoPanel.Geometry);
    logoPanel->setFixedSize(placement.LogoPanel.Geometry.size());
    QLabel* logo = MakePicture(logoPanel, placement.Logo, "logo.svg");
    logo->setCursor(Qt::PointingHandCursor);

    const QString company = contact_details::CompanyName.toString();
    const QFont nameFont = PixelFont(QStringLiteral("Arial"), NamePixelSize, true, true);
    // The shadow first, so that the white name lies above it.
    if (const auto& shadow = placement.CompanyShadow)
        MakeLabel(panel, shadow->Name, shadow->Geometry, company, nameFont, Qt::black, background);
    MakeLabel(panel, placement.CompanyName.Name, placement.CompanyName.Geometry, company, nameFont, Qt::white,
              QColor());

    const ContactPlacement::Picture* pictures[] = {&placement.Logo, &placement.PhoneIcon, &placement.FaxIcon,
                                                   &placement.WebIcon, &placement.MailIcon};
    QLabel* shown[] = {logo, MakePicture(panel, placement.PhoneIcon, "phone.svg"),
                       MakePicture(panel, placement.FaxIcon, "fax.svg"),
                       MakePicture(panel, placement.WebIcon, "globe.svg"),
                       MakePicture(panel, placement.MailIcon, "envelope.svg")};
    for (std::size_t i = 0; i < std::size(pictures); ++i)
        if (pictures[i]->WebLink) MakeLink(shown[i]);

    const QFont textFont = PixelFont(QStringLiteral("Arial"), TextPixelSize);
    const auto line = [&](const ContactPlacement::Part& part, const QString& text) {
        return MakeLabel(panel, part.Name, part.Geometry, text, textFont, Qt::white, background);
    };
    const QString phone = QStringLiteral("Тел.: ");
    line(placement.Phone1, phone + contact_details::Phone1.toString());
    line(placement.Phone2, phone + contact_details::Phone2.toString());
    line(placement.Fax, QStringLiteral("Факс: ") + contact_details::Fax.toString());
    webLabel_ = line(placement.Web, contact_details::WebAddress.toString());
    webLabel_->setCursor(Qt::PointingHandCursor);
    MakeLink(webLabel_);
    mailLabel_ = line(placement.Mail, contact_details::MailAddress.toString());
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
