#pragma once
// The publisher's contact block: the logo, the company name, two telephone lines, the fax
// line, the web and e-mail addresses and their icons, built into the side panel of a main
// window. The block keeps no data: the web and e-mail labels hold the addresses, so a link
// opens whatever its label shows at the moment of the click.
//
// A main window places the block with its own placement table and binds its two handlers:
//     Contact = new ContactBlock(Panel2, ContactTable);
//     connect(Contact, &ContactBlock::webLinkClicked, this, &TForm1::InternetLabel1Click);
//     connect(Contact, &ContactBlock::mailLinkClicked, this, &TForm1::EMailLabel1Click);
//     void TForm1::InternetLabel1Click() { Contact->OpenWebAddress(); }
//     void TForm1::EMailLabel1Click() { Contact->OpenMailAddress(); }
// The block's widgets carry the component names of the table (InternetLabel1, Image9, ...) as
// object names, so panel->findChild<QLabel*>("InternetLabel1") finds them.

#include <QObject>
#include <QRect>
#include <QUrl>
#include <cstdint>
#include <optional>

class QEvent;
class QLabel;
class QWidget;

namespace vum {

// Where and how a main window shows the block in its side panel: the window's own table.
struct ContactPlacement {
    // A component of the block: its name in the window and its geometry in the side panel.
    struct Part {
        const char* Name = nullptr;
        QRect Geometry;
    };
    // A picture, drawn at the size of its geometry; a web link opens the web address.
    struct Picture {
        const char* Name = nullptr;
        QRect Geometry;
        bool WebLink = false;
    };

    Part LogoPanel;  // the bevelled frame of the logo
    Picture Logo;    // within LogoPanel; it shows the hand cursor
    Part CompanyName;
    // A black copy of the name, drawn under the white one as its shadow; none without.
    std::optional<Part> CompanyShadow;
    Picture PhoneIcon;
    Picture FaxIcon;
    Picture WebIcon;
    Picture MailIcon;
    Part Phone1;
    Part Phone2;
    Part Fax;
    Part Web;
    Part Mail;
    // The ground of the labels and of the shadow (0x00BBGGRR); none for transparent labels,
    // through which the side panel shows. The white name is always transparent.
    std::optional<std::uint32_t> LabelBackground;
};

class ContactBlock : public QObject {
    Q_OBJECT

public:
    // Builds the widgets as children of panel as the placement says (the table is not kept).
    // The block is a child of panel and goes with it.
    ContactBlock(QWidget* panel, const ContactPlacement& placement);

    // The targets of the two links, from the labels' current texts. A web text that names no
    // scheme ("www.vum.example") is a web page, as the shell takes it: "http://" goes in
    // front. An empty web text gives an empty URL, which opens nothing.
    QUrl WebAddress() const;
    QUrl MailAddress() const;

    // Hand the targets to the desktop's browser and mail program. Whether that works is not
    // looked at: a failure shows nothing and changes nothing.
    void OpenWebAddress() const;
    void OpenMailAddress() const;

signals:
    // A left click (press and release on the same element) on the web label or on a picture
    // that the placement makes a web link.
    void webLinkClicked();
    // A left click on the e-mail label.
    void mailLinkClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeLink(QWidget* element);

    QLabel* webLabel_ = nullptr;
    QLabel* mailLabel_ = nullptr;
    // The link element that took the last left press, until the release.
    QObject* pressed_ = nullptr;
};

}  // namespace vum
