// The main window as laid out: the window's own properties, every control's name, class,
// parent, geometry and text, the report columns, the status panels, limits and tab order;
// and what FormCreate makes of the site's newest number, or of an unreachable site.
#include "framework/widgets/Application.h"
#include "framework/widgets/ControlClasses.h"
#include "framework/widgets/StdCtrls.h"
#include "resources/TovrinResources.h"
#include "tests/support/ModalAnswerer.h"
#include "tests/mainform/MainFormFixture.h"
#include "skin/window/sSkinProvider.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::DemoSiteProcess;
using testing_support::Newest;
using testing_support::MakeWindow;
using testing_support::ModalAnswerer;

namespace {

constexpr int kNewest = 40;

QString TextOf(const QWidget* widget) {
    if (auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->title();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* sheet = qobject_cast<const framework::TTabSheet*>(widget))
        return sheet->Caption();
    return QString();
}

class WindowLayoutTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::filesystem::path LogPath() const { return folder.filePath(QStringLiteral("logs.txt")).toStdString(); }
};

} // namespace

TEST_F(WindowLayoutTest, WindowProperties) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    EXPECT_EQ(form->Caption().toStdString(), site.Host() + " Parser");
    EXPECT_EQ(framework::ClassName(form.get()), QStringLiteral("TForm1"));
    EXPECT_EQ(form->client()->size(), QSize(455, 296));
    EXPECT_EQ(form->BorderStyle(), framework::bsSingle);
    EXPECT_EQ(form->BorderIcons(), framework::TBorderIcons(framework::biSystemMenu));
    // The skin's frame stands in for the window manager's: Close is its only caption button.
    EXPECT_TRUE(form->FrameTakenOver());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    const skin::TsSkinProvider* frame = skin::ProviderOf(form.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->CaptionButton(skin::HTCLOSE)->Shown());
    EXPECT_FALSE(frame->CaptionButton(skin::HTMINBUTTON)->Shown());
    EXPECT_FALSE(frame->CaptionButton(skin::HTMAXBUTTON)->Shown());
    EXPECT_EQ(form->Position(), framework::poDesktopCenter);
    EXPECT_EQ(form->Color(), framework::clBtnFace);
    EXPECT_EQ(form->client()->palette().color(QPalette::Window), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(form->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(form->font().pixelSize(), 11);
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(form->windowIcon().availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
    // The icon the skin generator drew.
    const auto drawn = skin::ProgramIcon32Png();
    const QImage expected = QImage::fromData(drawn.data(), int(drawn.size()), "PNG");
    ASSERT_FALSE(expected.isNull());
    // (compared premultiplied, as pixmaps hold it)
    constexpr QImage::Format kPixmapFormat = QImage::Format_ARGB32_Premultiplied;
    EXPECT_EQ(form->windowIcon().pixmap(QSize(32, 32)).toImage().convertToFormat(kPixmapFormat),
              expected.convertToFormat(kPixmapFormat));
}

TEST_F(WindowLayoutTest, ControlsAsLaidOut) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    struct Row {
        const char* name;
        const char* className;
        const char* parent; // "client" is the window's client area
        QRect bounds;
        const char* text;
    };
    const Row rows[] = {
        {"sGroupBox1", "TsGroupBox", "client", {46, 0, 201, 45}, "Диапазон"},
        {"sSpinEdit1", "TsSpinEdit", "sGroupBox1", {13, 16, 80, 21}, "1"},
        {"sLabel3", "TsLabel", "sGroupBox1", {99, 20, 5, 13}, "-"},
        {"sSpinEdit2", "TsSpinEdit", "sGroupBox1", {109, 16, 80, 21}, "40"},
        {"sGroupBox2", "TsGroupBox", "client", {250, 0, 160, 45}, "Фильтр"},
        {"sEdit1", "TsEdit", "sGroupBox2", {14, 16, 65, 21}, ""},
        {"sLabel4", "TsLabel", "sGroupBox2", {92, 12, 41, 13}, "Пример:"},
        {"sLabel5", "TsLabel", "sGroupBox2", {84, 24, 63, 13}, "jpg, mp3, rar"},
        {"sPageControl1", "TsPageControl", "client", {-4, 48, 454, 193}, ""},
        {"sTabSheet1", "TsTabSheet", "sPageControl1", {4, 24, 446, 165}, "Таблица"},
        {"ListView1", "TListView", "sTabSheet1", {0, 0, 445, 165}, ""},
        {"sTabSheet2", "TsTabSheet", "sPageControl1", {4, 24, 446, 165}, "Текст"},
        {"sMemo1", "TsMemo", "sTabSheet2", {0, 0, 445, 165}, ""},
        {"sButton3", "TsButton", "client", {236, 244, 61, 29}, "Очистить"},
        {"sButton1", "TsButton", "client", {324, 244, 61, 29}, "Старт"},
        {"sButton2", "TsButton", "client", {388, 244, 61, 29}, "Стоп"},
        {"sGauge1", "TsGauge", "client", {0, 250, 205, 17}, ""},
        {"sStatusBar1", "TsStatusBar", "client", {0, 277, 455, 19}, ""},
        {"sWebLabel1", "TsWebLabel", "sStatusBar1", {348, 2, 103, 15}, app::TForm1::kWebAddress},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* widget = form->findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(framework::ClassName(widget), QString::fromLatin1(row.className));
        EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(row.parent));
        QRect expected = row.bounds;
        // A label whose text runs wider in the faces at hand than the design measured grows to
        // the right to fit it.
        if (const auto* label = qobject_cast<const framework::TLabel*>(widget))
            expected.setWidth(std::max(expected.width(), label->fontMetrics().size(label->TextFlags(), label->text()).width()));
        EXPECT_EQ(widget->geometry(), expected);
        EXPECT_EQ(TextOf(widget), QString::fromUtf8(row.text));
    }
    EXPECT_TRUE(form->sLabel3->font().bold());
    EXPECT_EQ(form->sSpinEdit1->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(form->sMemo1->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(form->sPageControl1->ActivePage(), form->sTabSheet1);
    EXPECT_TRUE(form->sButton1->isEnabled());
    EXPECT_TRUE(form->sButton2->isEnabled());
    EXPECT_EQ(form->sGauge1->Progress(), 0);
    EXPECT_EQ(form->sGauge1->Text(), QStringLiteral("0%"));
    EXPECT_EQ(form->sGauge1->ForeColor(), framework::clBlack);
    EXPECT_EQ(form->sWebLabel1->URL(), QString::fromLatin1(app::TForm1::kWebAddress));
    EXPECT_TRUE(form->sWebLabel1->IsOpenableAddress(form->sWebLabel1->URL()));
    EXPECT_FALSE(form->sStatusBar1->SizeGrip());
}

TEST_F(WindowLayoutTest, ReportColumnsStatusPanelsAndTabOrder) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    struct Column {
        const char* caption;
        int width;
        framework::TAlignment alignment;
    };
    const Column columns[] = {
        {"№", 30, framework::taLeftJustify}, {"Название", 105, framework::taCenter}, {"PwD", 35, framework::taCenter},
        {"Размер", 61, framework::taCenter}, {"ID", 65, framework::taCenter},        {"Загрузок", 58, framework::taCenter},
        {"Загружен", 70, framework::taCenter},
    };
    framework::TListView* table = form->ListView1;
    ASSERT_EQ(table->ColumnCount(), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table->headerItem()->text(i), QString::fromUtf8(columns[i].caption));
        EXPECT_EQ(table->ColumnWidth(i), columns[i].width);
        EXPECT_EQ(table->ColumnAlignment(i), columns[i].alignment);
        EXPECT_EQ(table->header()->sectionResizeMode(i), QHeaderView::Fixed);
    }
    EXPECT_FALSE(table->header()->sectionsClickable());
    EXPECT_TRUE(table->GridLines());
    EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);

    struct Panel {
        const char* text;
        int width;
    };
    const Panel panels[] = {{"Парсим:", 57}, {"0", 90}, {"Осталось:", 65}, {"40", 135}, {"", 50}};
    ASSERT_EQ(form->sStatusBar1->PanelCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form->sStatusBar1->PanelText(i), QString::fromUtf8(panels[i].text)) << i;
        EXPECT_EQ(form->sStatusBar1->PanelWidth(i), panels[i].width) << i;
    }

    const QWidget* expected[] = {form->sSpinEdit1, form->sSpinEdit2, form->sEdit1, form->sPageControl1->TabBar(),
                                 form->ListView1, form->sMemo1, form->sButton3, form->sButton1, form->sButton2};
    // The focus chain also passes through widgets that take no focus (the spinners, the
    // scroll bars); the order of the controls within it is what counts.
    std::vector<const QWidget*> order;
    const QWidget* widget = expected[0];
    do {
        if (std::find(std::begin(expected), std::end(expected), widget) != std::end(expected))
            order.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != expected[0] && order.size() < std::size(expected));
    EXPECT_EQ(order, std::vector<const QWidget*>(std::begin(expected), std::end(expected)));
}

// A row must be as tall as the window's font needs with the grid line below it: the grid line
// used to cover the underscores of names such as "video_2021".
TEST_F(WindowLayoutTest, TableRowsLeaveRoomForUnderscoresAboveTheGridLine) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    framework::TListView* table = form->ListView1;
    form->AddFileRow({"______", "no", "1 Kb", "1", "0", "2021-01-01"});
    const QRect row = table->visualItemRect(table->topLevelItem(0));
    EXPECT_GE(row.height(), QFontMetrics(table->font()).height() + 1); // the text, then the grid line

    // The name is nothing but underscores: the dark pixels of its cell above the grid line are they.
    const QImage shown = table->viewport()->grab().toImage();
    const int nameLeft = table->columnViewportPosition(1);
    int darkAboveGridLine = 0;
    for (int y = row.top(); y < row.bottom(); ++y)
        for (int x = nameLeft; x < nameLeft + table->columnWidth(1) - 1; ++x)
            darkAboveGridLine += qGray(shown.pixel(x, y)) < 128;
    EXPECT_GT(darkAboveGridLine, 0) << "row " << row.top() << ".." << row.bottom();
}

TEST_F(WindowLayoutTest, FormCreateSetsTheRangeLimitsAndTheRemainingCount) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    EXPECT_EQ(scanner::NewestNumber, "40");
    EXPECT_EQ(form->sSpinEdit1->MinValue(), 1);
    EXPECT_EQ(form->sSpinEdit1->MaxValue(), kNewest - 1);
    EXPECT_EQ(form->sSpinEdit1->text(), QStringLiteral("1")); // not brought within the new limit
    EXPECT_EQ(form->sSpinEdit2->MaxValue(), kNewest);
    EXPECT_EQ(form->sSpinEdit2->text(), QStringLiteral("40"));
    EXPECT_EQ(form->sStatusBar1->PanelText(3), QStringLiteral("40"));
    EXPECT_TRUE(form->LogLines().empty());
    // Editing the range start recomputes panel 3 from panel 1, not from the edit.
    form->sSpinEdit1->setText(QStringLiteral("7"));
    EXPECT_EQ(form->sStatusBar1->PanelText(3), QStringLiteral("40"));
}

TEST_F(WindowLayoutTest, UnreachableSiteGivesOneLogLineTheErrorDialogAndTheDesignValues) {
    ModalAnswerer answerer;
    auto form = MakeWindow(testing_support::UnreachableHost(), LogPath());
    ASSERT_EQ(answerer.Answered().size(), 1u);
    EXPECT_EQ(answerer.Answered()[0].text, QStringLiteral("'' is not a valid integer value."));
    EXPECT_EQ(answerer.Answered()[0].caption, framework::Application()->Title());
    EXPECT_TRUE(answerer.Answered()[0].hasIcon);
    EXPECT_EQ(form->LogLines().size(), 1u);
    EXPECT_EQ(form->sSpinEdit1->MaxValue(), 0);
    EXPECT_EQ(form->sSpinEdit2->MaxValue(), 0);
    EXPECT_EQ(form->sSpinEdit1->text(), QStringLiteral("1"));
    EXPECT_EQ(form->sSpinEdit2->text(), QStringLiteral("0"));
    EXPECT_EQ(form->sStatusBar1->PanelText(3), QStringLiteral("0"));
    EXPECT_TRUE(form->isVisible());

    // In that state every change of the range start shows the same failure.
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    QCoreApplication::sendEvent(form->sSpinEdit1, &typed);
    ASSERT_EQ(answerer.Answered().size(), 2u);
    EXPECT_EQ(answerer.Answered()[1].text, QStringLiteral("'' is not a valid integer value."));
}

TEST_F(WindowLayoutTest, EditsKeepTheirLengthLimits) {
    DemoSiteProcess site(Newest(kNewest));
    auto form = MakeWindow(site.Host(), LogPath());
    struct Case {
        QLineEdit* edit;
        QString typed;
        QString kept;
    };
    const Case cases[] = {
        {form->sEdit1, QStringLiteral("jpegs"), QStringLiteral("jpeg")},
        {form->sSpinEdit1, QStringLiteral("1234567890"), QStringLiteral("12345678")},
        {form->sSpinEdit2, QStringLiteral("9876543210"), QStringLiteral("98765432")},
    };
    for (const Case& c : cases) {
        c.edit->clear();
        for (QChar ch : c.typed) {
            const int key = ch.isDigit() ? Qt::Key_0 + ch.digitValue() : Qt::Key_A + (ch.unicode() - u'a');
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(c.edit, &press);
        }
        EXPECT_EQ(c.edit->text(), c.kept) << c.edit->objectName().toStdString();
    }
}

TEST_F(WindowLayoutTest, ScreenshotModeRendersTheWindow) {
    DemoSiteProcess site(Newest(kNewest));
    const QString picture = folder.filePath(QStringLiteral("window.png"));
    QProcess program;
    program.start(QStringLiteral(TOVRIN_WINDOW),
                  {QStringLiteral("--host"), QString::fromStdString(site.Host()), QStringLiteral("--screenshot"), picture});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);
    const QImage image(picture);
    // The whole skinned frame: the title, edges and the shadow margin around them.
    EXPECT_EQ(image.size(), QSize(499, 363));
    EXPECT_LT(qAlpha(image.pixel(0, 0)), 0x20) << "the shadow's corner";
    EXPECT_EQ(qAlpha(image.pixel(250, 30)), 0xFF) << "the title strip";
}
