// The labels, the framework's and the skinned one: their text stands on whatever lies behind
// them (they paint no box of their own), mnemonics follow ShowAccelChar, and a single-line label
// grows to a text wider than its designed width.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <functional>
#include <utility>

#include "TestControls.h"
#include "TestSkin.h"
#include "framework/widgets/StdCtrls.h"
#include "skin/controls/sLabel.h"
#include "tests/support/PixelTesting.h"

namespace skin::testing {
namespace {

using skin::test::Hex;

QFont Tahoma(bool bold = false) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

struct LabelKind {
    const char* Name;
    std::function<framework::TLabel*(QWidget*)> Make;
};

const LabelKind kKinds[] = {
    {"skinned label", [](QWidget* parent) -> framework::TLabel* { return new TsLabel(parent); }},
    {"framework label", [](QWidget* parent) { return new framework::TLabel(parent); }},
};

TEST(Labels, TextStandsOnTheContainersImageWithoutABoxOfItsOwn) {
    // A container whose section paints a colour of its own (blue), unlike the palette's button
    // face the labels inherit.
    QWidget window;
    window.resize(220, 60);
    auto* box = new TTestControl(&window, 51, "TESTGIVER");
    box->setGeometry(0, 0, 201, 45);
    ShowExposed(&window);
    const Pixel behind = box->grab().toImage().pixel(150, 30);
    ASSERT_EQ(Hex(behind), Hex(0xFF0000C8u));
    for (const LabelKind& kind : kKinds) {
        SCOPED_TRACE(kind.Name);
        framework::TLabel* label = kind.Make(box);
        label->setFont(Tahoma(true));
        label->setText(QStringLiteral("-"));
        label->setGeometry(99, 20, 5, 13);
        label->show();
        const QImage shown = box->grab().toImage();
        // The dash lies in the middle rows; above it the label's whole width shows the container.
        for (int y = 20; y < 24; ++y)
            for (int x = 99; x < 104; ++x)
                ASSERT_EQ(Hex(shown.pixel(x, y)), Hex(behind)) << x << "," << y;
        delete label;
    }
}

TEST(Labels, MnemonicsAreDrawnAsShowAccelCharSays) {
    for (const LabelKind& kind : kKinds) {
        SCOPED_TRACE(kind.Name);
        QWidget window;
        window.resize(120, 40);
        ShowExposed(&window);
        const auto shown = [&](const QString& text, bool accel) {
            framework::TLabel* label = kind.Make(&window);
            label->setFont(Tahoma());
            label->SetShowAccelChar(accel);
            label->setText(text);
            label->setGeometry(10, 10, 80, 13);
            label->show();
            const QImage image = window.grab(label->geometry()).toImage();
            delete label;
            return image;
        };
        // The columns between the first and the last one with ink.
        const auto inked = [](const QImage& image) {
            const QRgb background = image.pixel(image.width() - 1, 0);
            int first = image.width(), last = -1;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) != background) {
                        first = std::min(first, x);
                        last = std::max(last, x);
                    }
            return std::pair{first, last};
        };
        const QImage plain = shown(QStringLiteral("Ab"), false);
        // "&A" draws A underlined, no ampersand; "&&" draws one ampersand.
        const QImage mnemonic = shown(QStringLiteral("&Ab"), true);
        EXPECT_EQ(inked(mnemonic), inked(plain));
        EXPECT_NE(mnemonic, plain);
        EXPECT_EQ(shown(QStringLiteral("A&&b"), true), shown(QStringLiteral("A&b"), false));
        // Off: the text as it stands.
        EXPECT_GT(inked(shown(QStringLiteral("&Ab"), false)).second, inked(plain).second);
    }
}

TEST(Labels, ASingleLineLabelGrowsToItsTextAndAWrappedOneKeepsItsWidth) {
    QWidget window;
    const QString text = QStringLiteral("jpg, mp3, rar");
    struct Row {
        const char* Name;
        Qt::Alignment Alignment;
        bool WordWrap;
        int Left; // expected, for a label designed at 84 and 20 wide
        bool Grows;
    };
    const Row rows[] = {
        {"left-aligned grows to the right", Qt::AlignLeft, false, 84, true},
        {"right-aligned grows to the left", Qt::AlignRight, false, -1, true},
        {"wrapped keeps its width", Qt::AlignLeft, true, 84, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        TsLabel label(&window);
        label.setFont(Tahoma());
        label.setAlignment(row.Alignment | Qt::AlignVCenter);
        label.setWordWrap(row.WordWrap);
        label.setGeometry(84, 24, 20, 26);
        label.setText(text);
        const int needed = label.fontMetrics().size(label.TextFlags() & ~Qt::TextWordWrap, text).width();
        const int width = row.Grows ? needed : 20;
        EXPECT_EQ(label.geometry(), QRect(row.Left >= 0 ? row.Left : 104 - needed, 24, width, 26));
    }
    // A label wide enough keeps its designed width.
    TsLabel wide(&window);
    wide.setFont(Tahoma());
    wide.setGeometry(0, 0, 200, 13);
    wide.setText(text);
    EXPECT_EQ(wide.width(), 200);
}

} // namespace
} // namespace skin::testing
