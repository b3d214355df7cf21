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

void PrintTo(ContactBlock::Placement placement, std::ostream* os) {
    *os << (placement == ContactBlock::Placement::Sudoku ? "Sudoku" : "Squares");
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

using Placement = ContactBlock::Placement;

struct Element {
    const char* name;
    QRect rect;
};

// The two placement tables, positions within the side panel.
std::vector<Element> PlacementTable(Placement placement) {
    if (placement == Placement::Sudoku) {
        return {
            {"Panel1", {25, 12, 147, 61}},       {"Label2", {32, 108, 153, 25}},
            {"Label4", {30, 106, 155, 25}},      {"Image7", {12, 137, 32, 32}},
            {"PhoneLabel1", {51, 132, 134, 21}}, {"Label3", {51, 156, 138, 21}},
            {"Image8", {12, 177, 32, 32}},       {"FaxLabel1", {54, 184, 138, 21}},
            {"Image9", {12, 217, 32, 32}},       {"InternetLabel1", {54, 224, 139, 21}},
            {"Image10", {12, 254, 32, 32}},      {"EMailLabel1", {56, 259, 115, 21}},
        };
    }
    return {
        {"VumPanel1", {21, 150, 147, 61}},   {"Label1", {20, 222, 155, 25}},
        {"Image7", {8, 263, 32, 32}},        {"PhoneLabel1", {45, 258, 134, 21}},
        {"Label3", {45, 282, 134, 21}},      {"Image8", {8, 303, 32, 32}},
        {"FaxLabel1", {45, 310, 138, 21}},   {"Image9", {8, 343, 32, 32}},
        {"InternetLabel1", {45, 350, 139, 21}}, {"Image10", {8, 383, 32, 32}},
        {"EMailLabel1", {45, 388, 115, 21}},
    };
}

struct TextLook {
    const char* name;
    QString text;
    int pixelSize;
    bool boldItalic;
    QColor colour;
    bool hand;
};

std::vector<TextLook> TextLooks(Placement placement) {
    const QString company = contact_details::CompanyName.toString();
    std::vector<TextLook> looks = {
        {"PhoneLabel1", "Тел.: " + contact_details::Phone1.toString(), 13, false, Qt::white, false},
        {"Label3", "Тел.: " + contact_details::Phone2.toString(), 13, false, Qt::white, false},
        {"FaxLabel1", "Факс: " + contact_details::Fax.toString(), 13, false, Qt::white, false},
        {"InternetLabel1", contact_details::WebAddress.toString(), 13, false, Qt::white, true},
        {"EMailLabel1", contact_details::MailAddress.toString(), 13, false, Qt::white, true},
    };
    if (placement == Placement::Sudoku) {
        looks.push_back({"Label2", company, 20, true, Qt::black, false});
        looks.push_back({"Label4", company, 20, true, Qt::white, false});
    } else {
        looks.push_back({"Label1", company, 20, true, Qt::white, false});
    }
    return looks;
}

// A colour no element uses, so that a transparent label shows it through.
const QColor PanelColour(0x00, 0xC0, 0x00);

class ContactBlockTest : public ::testing::TestWithParam<Placement> {
protected:
    void SetUp() override {
        sudoku = GetParam() == Placement::Sudoku;
        panel.setFixedSize(sudoku ? QSize(198, 338) : QSize(188, 605));
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, PanelColour);
        panel.setPalette(palette);
        panel.setAutoFillBackground(true);
        block = new ContactBlock(&panel, GetParam());
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

    const char* LogoPicture() const { return sudoku ? "Image2" : "ImageVum1"; }

    QStringList ClickAndCollect(const char* name) {
        recorder.requests.clear();
        if (QWidget* widget = Find(name)) {
            QTest::mouseClick(widget, Qt::LeftButton);
        }
        return recorder.requests;
    }

    bool sudoku = false;
    QWidget panel;
    ContactBlock* block = nullptr;
    UrlRecorder recorder;
};

TEST_P(ContactBlockTest, ElementsStandWhereThePlacementTablePutsThem) {
    std::set<QString> expectedNames = {LogoPicture()};
    for (const Element& element : PlacementTable(GetParam())) {
        expectedNames.insert(element.name);
        QWidget* widget = Find(element.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), &panel) << element.name;
        EXPECT_EQ(widget->geometry(), element.rect) << element.name;
        // Fixed size: nothing may stretch or shrink an element.
        EXPECT_EQ(widget->minimumSize(), element.rect.size()) << element.name;
        EXPECT_EQ(widget->maximumSize(), element.rect.size()) << element.name;
    }
    // The logo picture fills its panel inside the two-pixel bevel.
    auto* logoPanel = qobject_cast<QFrame*>(Find(sudoku ? "Panel1" : "VumPanel1"));
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
    for (const TextLook& look : TextLooks(GetParam())) {
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
        // Sudoku: everything but the white name on opaque panel orange; Squares: transparent.
        const bool opaque = sudoku && std::string(look.name) != "Label4";
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
    for (const TextLook& look : TextLooks(GetParam())) {
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
    for (const char* name :
         {"PhoneLabel1", "Label3", "FaxLabel1", "InternetLabel1", "EMailLabel1"}) {
        const QRect rect = Find(name)->geometry();
        EXPECT_EQ(image.pixelColor(rect.bottomRight() * image.devicePixelRatio()),
                  sudoku ? QColor(0xFF, 0x80, 0x00) : PanelColour)
            << name;
    }
    // The white name with, in the Sudoku placement only, its black shadow.
    const QRect name = Find(sudoku ? "Label4" : "Label1")->geometry();
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
    if (sudoku) {
        EXPECT_GT(black, 50);
        EXPECT_EQ(panel.childAt(name.center()), Find("Label4"));
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
    for (const Picture& picture : {Picture{"Image7", {32, 32}}, Picture{"Image8", {32, 32}},
                                   Picture{"Image9", {32, 32}}, Picture{"Image10", {32, 32}},
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
    if (!sudoku) {
        links.push_back("Image9");
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
    std::vector<const char*> inert = {"PhoneLabel1", "Label3", "FaxLabel1", "Image7", "Image8",
                                      "Image10"};
    if (sudoku) {
        inert.insert(inert.end(), {"Label2", "Label4", "Image9"});
    } else {
        inert.push_back("Label1");
    }
    for (const char* name : inert) {
        EXPECT_EQ(ClickAndCollect(name), QStringList()) << name;
    }
    // The logo panel's bevel around the picture is no link either.
    QTest::mouseClick(Find(sudoku ? "Panel1" : "VumPanel1"), Qt::LeftButton, {}, QPoint(0, 0));
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

INSTANTIATE_TEST_SUITE_P(Placements, ContactBlockTest,
                         ::testing::Values(Placement::Sudoku, Placement::Squares),
                         [](const ::testing::TestParamInfo<Placement>& param) {
                             return param.param == Placement::Sudoku ? "Sudoku" : "Squares";
                         });

}  // namespace

#include "test_contact.moc"
