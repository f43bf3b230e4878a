// The parser: TextBetween, the page kinds in their order, the fields, the row step with the
// filter, and the five log lines byte for byte.
#include "RecordingView.h"
#include "framework/base/Cp1251.h"
#include "scanner/FilePage.h"
#include "scanner/PageDecoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace scanner {
namespace {

using framework::Utf8ToCp1251;

TEST(TextBetween, Cases) {
    struct Case {
        const char* start;
        const char* text;
        const char* end;
        const char* expected;
    };
    const Case cases[] = {
        {"<b>", "x<b>name</b>y", "</b>", "name"},
        {"<b>", "x<b></b>", "</b>", ""},              // end marker right behind the start
        {"", "abc", "c", ""},                         // empty start marker
        {"a", "", "c", ""},                           // empty text
        {"a", "abc", "", ""},                         // empty end marker
        {"q", "abc", "c", ""},                        // start not found
        {"a", "abc", "q", ""},                        // end not found behind the start
        {"b", "cab", "c", ""},                        // end only before the start
        {"a", "a1ca2c", "c", "1"},                    // first occurrences
        {"aa", "aaa", "a", ""},                       // rest begins behind the whole start marker
        {"A", "aAbB", "B", "b"},                      // case-sensitive
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextBetween(c.start, c.text, c.end), c.expected)
            << "start '" << c.start << "' text '" << c.text << "' end '" << c.end << "'";
}

// The markers are looked for by their rarest byte or, where that byte is common, by two of
// their bytes 64 places at a time; either way the first occurrence, as a plain search finds it.
TEST(TextBetween, AgreesWithAPlainSearchOnRandomTexts) {
    const auto plain = [](std::string_view start, std::string_view text, std::string_view end) {
        if (start.empty() || text.empty() || end.empty())
            return std::string();
        const std::size_t at = text.find(start);
        if (at == std::string_view::npos)
            return std::string();
        const std::string_view rest = text.substr(at + start.size());
        const std::size_t stop = rest.find(end);
        return stop == std::string_view::npos ? std::string() : std::string(rest.substr(0, stop));
    };
    std::uint32_t seed = 777;
    auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    const std::string letters = "ab\"<a\xD4";
    const auto randomText = [&](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i)
            text += letters[next() % letters.size()];
        return text;
    };
    for (int round = 0; round < 4000; ++round) {
        const std::string text = randomText(next() % 400);
        // Markers cut from the text (found, often near its end) or made up (often missing).
        const auto marker = [&] {
            const std::size_t length = 1 + next() % 7;
            if (next() % 2 == 0 && text.size() >= length) {
                const std::size_t at = text.size() - length - (next() % 3 == 0 ? 0 : next() % (text.size() - length + 1));
                return text.substr(at, length);
            }
            return randomText(length);
        };
        const std::string start = marker(), end = marker();
        ASSERT_EQ(TextBetween(start, text, end), plain(start, text, end))
            << "start '" << start << "' end '" << end << "' text '" << text << "'";
    }
}

// A file page in the site's markup, as UTF-8.
std::string Page(const std::string& name, const std::string& size, const std::string& extra = "") {
    return "<title>x</title>" + extra + "<div data-share42-text=\"" + name + " (" + size +
           ")\" id=\"share42\"></div><p>Скачан 17 раз</p><time datetime=\"2023-04-05 12:00:00\">5</time>";
}

struct PageCase {
    const char* what;
    std::string utf8Page;
    std::string filter;
    int number;
    const char* expectedLine; // UTF-8, after "http://h/" + number
    std::vector<std::string> expectedRow; // UTF-8; empty: no row
};

TEST(FilePage, KindsFieldsRowsAndLines) {
    const std::string password = "<input type=\"password\" id=\"password\">";
    const PageCase cases[] = {
        {"normal page", Page("отчёт.pdf", "1.2 Мб"), "", 7, " - \"отчёт.pdf\" (1.2 Мб)",
         {"1", "отчёт.pdf", "no", "1.2 Мб", "7", "17", "2023-04-05"}},
        {"missing wins over the name marker", Page("a.b", "1") + "404 — page not found", "", 8, " - Файл не существует!", {}},
        {"an emoji costs one character, not the page", Page("Договор_аренды\xF0\x9F\x98\x80.v2.zip", "4.77 Гб"), "", 19,
         " - \"Договор_аренды?.v2.zip\" (4.77 Гб)", {"1", "Договор_аренды?.v2.zip", "no", "4.77 Гб", "19", "17", "2023-04-05"}},
        {"several dots: Name a, Extension b.c", Page("a.b.c", "3 Кб"), "", 9, " - \"a.b.c\" (3 Кб)",
         {"1", "a.b.c", "no", "3 Кб", "9", "17", "2023-04-05"}},
        {"deleted with its name: a row and no size in the line", Page("x.rar", "2") + "<h1>Файл удален</h1>", "", 10,
         " - \"x.rar\" (Файл удалён)", {"1", "x.rar", "no", "2", "10", "17", "2023-04-05"}},
        {"the deleted test wants е, not ё", Page("x.rar", "2") + "Файл удалён", "", 11, " - \"x.rar\" (2)",
         {"1", "x.rar", "no", "2", "11", "17", "2023-04-05"}},
        {"403 wins over the password marker; the row says yes",
         Page("s.zip", "5 Гб", password) + "403 — the action is not allowed", "", 12, " - \"s.zip\" (5 Гб) (Приватный файл)",
         {"1", "s.zip", "yes", "5 Гб", "12", "17", "2023-04-05"}},
        {"password page", Page("p.7z", "9", password), "", 13, " - \"p.7z\" (9) (Файл под паролем)",
         {"1", "p.7z", "yes", "9", "13", "17", "2023-04-05"}},
        {"filter is exact and case-sensitive", Page("big.RAR", "1"), "rar", 14, " - \"big.RAR\" (1)", {}},
        {"filter matches", Page("big.rar", "1"), "rar", 15, " - \"big.rar\" (1)",
         {"1", "big.rar", "no", "1", "15", "17", "2023-04-05"}},
        {"empty page: Normal line of ? and no row", "", "", 16, " - \"?.?\" (?)", {}},
        {"a name of ? gives no row; the other markers are built from it",
         "data-share42-text=\"?.ext (4)\" id", "", 17, " - \"?.ext\" (4)", {}},
        {"filter on an empty page adds nothing", "", "?", 18, " - \"?.?\" (?)", {}},
        {"an empty name is ?, and the extension comes from a later marker holding ?.",
         "data-share42-text=\".a (1)\" id data-share42-text=\"?.b (2)\" id", "", 20, " - \"?.b\" (2)", {}},
    };
    for (const PageCase& c : cases) {
        testing::RecordingView view;
        std::string page = DecodePage(c.utf8Page);
        ASSERT_TRUE(c.utf8Page.empty() || !page.empty()) << c.what;
        PageKind kind = PageKind::Missing;
        FileRecord record;
        if (!IsMissingPage(page)) {
            record = ExtractFileRecord(page, c.number);
            kind = DecideKind(page, record);
            AddRowIfWanted(view, record, Utf8ToCp1251(c.filter), kind);
        }
        EXPECT_EQ(LogLine("h", c.number, kind, record), Utf8ToCp1251("http://h/" + std::to_string(c.number) + c.expectedLine))
            << c.what;
        std::vector<std::vector<std::string>> expectedRows;
        if (!c.expectedRow.empty()) {
            expectedRows.emplace_back();
            for (const std::string& text : c.expectedRow)
                expectedRows.back().push_back(Utf8ToCp1251(text));
        }
        EXPECT_EQ(view.rows, expectedRows) << c.what;
    }
}

TEST(FilePage, MissingRecordGivesQuestionMarksAndDownloadsAndDate) {
    FileRecord r = ExtractFileRecord(Utf8ToCp1251("Скачан 3 раз <time datetime=\"2020-01-02\">"), 5);
    EXPECT_EQ(r.Name, "?");
    EXPECT_EQ(r.Extension, "?");
    EXPECT_EQ(r.SizeText, "?");
    EXPECT_EQ(r.DownloadsText, "3");
    EXPECT_EQ(r.UploadedText, "?"); // no space after the date: the end marker is missing
    EXPECT_EQ(r.NumberText, "5");
    EXPECT_EQ(r.PasswordFlag, "no");
}

} // namespace
} // namespace scanner
