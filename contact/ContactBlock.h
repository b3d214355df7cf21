#pragma once
// The publisher's contact block: the logo, the company name, two telephone lines, the fax
// line, the web and e-mail addresses and their icons, built into the side panel of a main
// window. The block keeps no data: the web and e-mail labels hold the addresses, so a link
// opens whatever its label shows at the moment of the click.
//
// A main window places the block and binds its two handlers:
//     Contact = new ContactBlock(Panel2, ContactBlock::Placement::Sudoku);
//     connect(Contact, &ContactBlock::webLinkClicked, this, &TForm1::InternetLabel1Click);
//     connect(Contact, &ContactBlock::mailLinkClicked, this, &TForm1::EMailLabel1Click);
//     void TForm1::InternetLabel1Click() { Contact->OpenWebAddress(); }
//     void TForm1::EMailLabel1Click() { Contact->OpenMailAddress(); }
// The block's widgets carry their component names (InternetLabel1, Image9, ...) as object
// names, so panel->findChild<QLabel*>("InternetLabel1") finds them.

#include <QObject>
#include <QUrl>

class QEvent;
class QLabel;
class QWidget;

namespace vum {

class ContactBlock : public QObject {
    Q_OBJECT

public:
    // Sudoku: logo Panel1/Image2, the name with a shadow (Label2 under Label4), labels on
    // opaque orange; the globe is no link. Squares: logo VumPanel1/ImageVum1, the name once
    // (Label1), transparent labels; the globe is a link.
    enum class Placement { Sudoku, Squares };

    // Builds the widgets as children of panel at the placement's positions. The block is a
    // child of panel and goes with it.
    ContactBlock(QWidget* panel, Placement placement);

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
    // A left click (press and release on the same element) on the web label, the logo
    // picture or, in the Squares placement, the globe.
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
