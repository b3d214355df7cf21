#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "contact/ContactBlock.h"
#include "contact/ContactDetails.h"

using namespace vum;

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QRect& rect, std::ostream* os) {
    *os << '(' << rect.x() << ", " << rect.y() << ", " << rect.width() << " x " << rect.height()
        << ')';
}

void PrintTo(const QSize& size, std::ostream* os) {
    *os << size.width() << " x " << size.height();
}

namespace {

// One application object for the whole run, on the offscreen platform unless told otherwise.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[13] = "test_contact";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};

[[maybe_unused]] ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Stands in for the browser and the mail program: notes every address it is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QStringList requests;

public slots:
    void Open(const QUrl& url) { requests.append(url.toString()); }
};

// Two placements as a main window hands them in: the name with a shadow on labels of an
// opaque ground, the globe no link; and the name alone on transparent labels, the globe a link.
struct Case {
    const char* name;
    QSize panel;
    ContactPlacement placement;
};

const Case Shadowed{"Shadowed", {198, 338}, {
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
    .LabelBackground = 0x000080FF,
}};

const Case Transparent{"Transparent", {188, 605}, {
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
}};

void PrintTo(const Case* test, std::ostream* os) { *os << test->name; }

// The components the block places directly on the side panel, as the table names them.
std::vector<ContactPlacement::Part> PanelParts(const ContactPlacement& p) {
    std::vector<ContactPlacement::Part> parts = {p.LogoPanel, p.CompanyName};
    if (p.CompanyShadow) parts.push_back(*p.CompanyShadow);
    for (const auto& picture : {p.PhoneIcon, p.FaxIcon, p.WebIcon, p.MailIcon})
        parts.push_back({picture.Name, picture.Geometry});
    for (const auto& line : {p.Phone1, p.Phone2, p.Fax, p.Web, p.Mail}) parts.push_back(line);
    return parts;
}

struct TextLook {
    const char* name;
    QString text;
    int pixelSize;
    bool boldItalic;
    QColor colour;
    bool hand;
};

std::vector<TextLook> TextLooks(const ContactPlacement& p) {
    const QString company = contact_details::CompanyName.toString();
    std::vector<TextLook> looks = {
        {p.Phone1.Name, "Тел.: " + contact_details::Phone1.toString(), 13, false, Qt::white, false},
        {p.Phone2.Name, "Тел.: " + contact_details::Phone2.toString(), 13, false, Qt::white, false},
        {p.Fax.Name, "Факс: " + contact_details::Fax.toString(), 13, false, Qt::white, false},
        {p.Web.Name, contact_details::WebAddress.toString(), 13, false, Qt::white, true},
        {p.Mail.Name, contact_details::MailAddress.toString(), 13, false, Qt::white, true},
        {p.CompanyName.Name, company, 20, true, Qt::white, false},
    };
    if (p.CompanyShadow) looks.push_back({p.CompanyShadow->Name, company, 20, true, Qt::black, false});
    return looks;
}

// A colour no element uses, so that a transparent label shows it through.
const QColor PanelColour(0x00, 0xC0, 0x00);

class ContactBlockTest : public ::testing::TestWithParam<const Case*> {
protected:
    void SetUp() override {
        const Case& test = *GetParam();
        shadowed = test.placement.CompanyShadow.has_value();
        panel.setFixedSize(test.panel);
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, PanelColour);
        panel.setPalette(palette);
        panel.setAutoFillBackground(true);
        block = new ContactBlock(&panel, test.placement);
        // Wired as the main windows wire their two handlers.
        QObject::connect(block, &ContactBlock::webLinkClicked, block,
                         [this] { block->OpenWebAddress(); });
        QObject::connect(block, &ContactBlock::mailLinkClicked, block,
                         [this] { block->OpenMailAddress(); });
        for (const char* scheme : {"http", "https", "mailto"}) {
            QDesktopServices::setUrlHandler(scheme, &recorder, "Open");
        }
        panel.show();
    }

    void TearDown() override {
        for (const char* scheme : {"http", "https", "mailto"}) {
            QDesktopServices::unsetUrlHandler(scheme);
        }
    }

    QWidget* Find(const char* name) {
        auto* widget = panel.findChild<QWidget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QLabel* FindLabel(const char* name) {
        auto* label = panel.findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name;
        return label;
    }

    const ContactPlacement& Table() const { return GetParam()->placement; }
    const char* LogoPicture() const { return Table().Logo.Name; }

    QStringList ClickAndCollect(const char* name) {
        recorder.requests.clear();
        if (QWidget* widget = Find(name)) {
            QTest::mouseClick(widget, Qt::LeftButton);
        }
        return recorder.requests;
    }

    bool shadowed = false;
    QWidget panel;
    ContactBlock* block = nullptr;
    UrlRecorder recorder;
};

TEST_P(ContactBlockTest, ElementsStandWhereThePlacementTablePutsThem) {
    std::set<QString> expectedNames = {LogoPicture()};
    for (const ContactPlacement::Part& part : PanelParts(Table())) {
        expectedNames.insert(part.Name);
        QWidget* widget = Find(part.Name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), &panel) << part.Name;
        EXPECT_EQ(widget->geometry(), part.Geometry) << part.Name;
        // Fixed size: nothing may stretch or shrink an element.
        EXPECT_EQ(widget->minimumSize(), part.Geometry.size()) << part.Name;
        EXPECT_EQ(widget->maximumSize(), part.Geometry.size()) << part.Name;
    }
    // The logo picture fills its panel inside the two-pixel bevel.
    auto* logoPanel = qobject_cast<QFrame*>(Find(Table().LogoPanel.Name));
    ASSERT_NE(logoPanel, nullptr);
    EXPECT_EQ(logoPanel->frameWidth(), 2);
    QWidget* logo = Find(LogoPicture());
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->parentWidget(), logoPanel);
    EXPECT_EQ(logo->geometry(), QRect(2, 2, 143, 57));
    EXPECT_EQ(logoPanel->contentsRect(), logo->geometry());

    std::set<QString> names;
    for (const QWidget* widget : panel.findChildren<QWidget*>()) {
        names.insert(widget->objectName());
    }
    EXPECT_EQ(names, expectedNames);
}

TEST_P(ContactBlockTest, LabelsHaveTheirTextsFontsColoursAndCursors) {
    for (const TextLook& look : TextLooks(Table())) {
        QLabel* label = FindLabel(look.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), look.text) << look.name;
        EXPECT_EQ(label->font().family(), "Arial") << look.name;
        EXPECT_EQ(label->font().pixelSize(), look.pixelSize) << look.name;
        EXPECT_EQ(label->font().bold(), look.boldItalic) << look.name;
        EXPECT_EQ(label->font().italic(), look.boldItalic) << look.name;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), look.colour) << look.name;
        EXPECT_EQ(label->cursor().shape(), look.hand ? Qt::PointingHandCursor : Qt::ArrowCursor)
            << look.name;
        EXPECT_FALSE(label->wordWrap()) << look.name;
        // Everything but the white name on the table's ground, when it gives one.
        const bool opaque = Table().LabelBackground && std::string(look.name) != Table().CompanyName.Name;
        EXPECT_EQ(label->autoFillBackground(), opaque) << look.name;
        if (opaque) {
            EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0xFF, 0x80, 0x00))
                << look.name;
        }
    }
    EXPECT_EQ(Find(LogoPicture())->cursor().shape(), Qt::PointingHandCursor);
    for (const char* icon : {"Image7", "Image8", "Image9", "Image10"}) {
        EXPECT_EQ(Find(icon)->cursor().shape(), Qt::ArrowCursor) << icon;
    }
}

TEST_P(ContactBlockTest, EveryTextFitsItsLabel) {
    for (const TextLook& look : TextLooks(Table())) {
        const QLabel* label = FindLabel(look.name);
        ASSERT_NE(label, nullptr);
        const QFontMetrics metrics(label->font());
        const QRect ink = metrics.boundingRect(label->text());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width()) << look.name;
        EXPECT_LT(ink.right(), label->width()) << look.name;
        EXPECT_LE(metrics.height(), label->height()) << look.name;
    }
}

TEST_P(ContactBlockTest, LabelBackgroundsAndTheNameShadowShowOnScreen) {
    const QImage image = panel.grab().toImage();
    // An empty corner of each line's label shows the label's own background.
    const ContactPlacement& table = Table();
    for (const char* name : {table.Phone1.Name, table.Phone2.Name, table.Fax.Name, table.Web.Name, table.Mail.Name}) {
        const QRect rect = Find(name)->geometry();
        EXPECT_EQ(image.pixelColor(rect.bottomRight() * image.devicePixelRatio()),
                  table.LabelBackground ? QColor(0xFF, 0x80, 0x00) : PanelColour)
            << name;
    }
    // The white name with, where the table gives one, its black shadow.
    const QRect name = Find(table.CompanyName.Name)->geometry();
    int white = 0;
    int black = 0;
    for (int y = name.top(); y <= name.bottom(); ++y) {
        for (int x = name.left(); x <= name.right(); ++x) {
            const QColor colour = image.pixelColor(QPoint(x, y) * image.devicePixelRatio());
            white += colour == Qt::white;
            black += colour == Qt::black;
        }
    }
    EXPECT_GT(white, 50);
    if (shadowed) {
        EXPECT_GT(black, 50);
        EXPECT_EQ(panel.childAt(name.center()), Find(table.CompanyName.Name));
    } else {
        EXPECT_EQ(black, 0);
    }
}

TEST_P(ContactBlockTest, PicturesRenderAtTheirNaturalSize) {
    struct Picture {
        const char* name;
        QSize size;
    };
    std::vector<QImage> seen;
    const ContactPlacement& table = Table();
    for (const Picture& picture : {Picture{table.PhoneIcon.Name, {32, 32}}, Picture{table.FaxIcon.Name, {32, 32}},
                                   Picture{table.WebIcon.Name, {32, 32}}, Picture{table.MailIcon.Name, {32, 32}},
                                   Picture{LogoPicture(), {143, 57}}}) {
        const QLabel* label = FindLabel(picture.name);
        ASSERT_NE(label, nullptr);
        const QPixmap pixmap = label->pixmap();
        ASSERT_FALSE(pixmap.isNull()) << picture.name;
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(picture.size)) << picture.name;
        const QImage image = pixmap.toImage();
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                drawn += image.pixelColor(x, y).alpha() > 0;
            }
        }
        EXPECT_GT(drawn, image.width() * image.height() / 4) << picture.name;
        for (const QImage& other : seen) {
            EXPECT_NE(image, other) << picture.name << " repeats another picture";
        }
        seen.push_back(image);
    }
}

TEST_P(ContactBlockTest, WebLinksOpenTheTextShownOnInternetLabel1) {
    std::vector<const char*> links = {"InternetLabel1", LogoPicture()};
    if (Table().WebIcon.WebLink) {
        links.push_back(Table().WebIcon.Name);
    }
    QLabel* web = FindLabel("InternetLabel1");
    ASSERT_NE(web, nullptr);
    // A bare host name is a web page; a text with a scheme goes out as it stands.
    for (const auto& [shown, opened] :
         {std::pair{contact_details::WebAddress.toString(),
                    "http://" + contact_details::WebAddress.toString()},
          std::pair{QString("https://igry.vum.example/sudoku"),
                    QString("https://igry.vum.example/sudoku")},
          std::pair{QString("vum.example/igry?id=7"), QString("http://vum.example/igry?id=7")}}) {
        web->setText(shown);
        EXPECT_EQ(block->WebAddress().toString(), opened);
        for (const char* link : links) {
            EXPECT_EQ(ClickAndCollect(link), QStringList{opened})
                << link << " with " << shown.toStdString();
        }
    }
    web->setText(QString());
    for (const char* link : links) {
        EXPECT_EQ(ClickAndCollect(link), QStringList()) << link << " with no address";
    }
}

TEST_P(ContactBlockTest, MailLinkWritesToTheTextShownOnEMailLabel1) {
    QLabel* mail = FindLabel("EMailLabel1");
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(ClickAndCollect("EMailLabel1"),
              QStringList{"mailto:" + contact_details::MailAddress.toString()});
    mail->setText("help@vum.example");
    EXPECT_EQ(ClickAndCollect("EMailLabel1"), QStringList{"mailto:help@vum.example"});
    // An empty address still opens a new message, to nobody yet.
    mail->setText(QString());
    EXPECT_EQ(ClickAndCollect("EMailLabel1"), QStringList{"mailto:"});
}

TEST_P(ContactBlockTest, OtherElementsOpenNothing) {
    QSignalSpy web(block, &ContactBlock::webLinkClicked);
    QSignalSpy mail(block, &ContactBlock::mailLinkClicked);
    const ContactPlacement& table = Table();
    std::vector<const char*> inert = {table.Phone1.Name, table.Phone2.Name, table.Fax.Name, table.PhoneIcon.Name,
                                      table.FaxIcon.Name, table.MailIcon.Name, table.CompanyName.Name};
    if (table.CompanyShadow) inert.push_back(table.CompanyShadow->Name);
    if (!table.WebIcon.WebLink) inert.push_back(table.WebIcon.Name);
    for (const char* name : inert) {
        EXPECT_EQ(ClickAndCollect(name), QStringList()) << name;
    }
    // The logo panel's bevel around the picture is no link either.
    QTest::mouseClick(Find(table.LogoPanel.Name), Qt::LeftButton, {}, QPoint(0, 0));
    EXPECT_EQ(recorder.requests, QStringList());
    EXPECT_EQ(web.count(), 0);
    EXPECT_EQ(mail.count(), 0);
}

TEST_P(ContactBlockTest, OnlyAWholeLeftClickOnALinkCounts) {
    QSignalSpy web(block, &ContactBlock::webLinkClicked);
    QSignalSpy mail(block, &ContactBlock::mailLinkClicked);
    QWidget* label = Find("InternetLabel1");
    ASSERT_NE(label, nullptr);

    QTest::mouseClick(label, Qt::RightButton);
    QTest::mouseClick(label, Qt::MiddleButton);
    // Pressed on the link, released beside it: the player changed their mind.
    QTest::mousePress(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 5, 5));
    // A press alone opens nothing yet.
    QTest::mousePress(label, Qt::LeftButton);
    EXPECT_EQ(web.count(), 0);
    EXPECT_EQ(recorder.requests, QStringList());

    QTest::mouseRelease(label, Qt::LeftButton);
    EXPECT_EQ(web.count(), 1);
    EXPECT_EQ(mail.count(), 0);
    EXPECT_EQ(recorder.requests.size(), 1);

    QTest::mouseClick(Find("EMailLabel1"), Qt::LeftButton);
    EXPECT_EQ(web.count(), 1);
    EXPECT_EQ(mail.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Placements, ContactBlockTest, ::testing::Values(&Shadowed, &Transparent),
                         [](const ::testing::TestParamInfo<const Case*>& param) { return std::string(param.param->name); });

}  // namespace

#include "test_contact.moc"
