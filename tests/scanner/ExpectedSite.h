// What a scan of the demo site must show, worked out from the site's own records rather than
// from the parser: the log line and the table row of every number.
#pragma once

#include "framework/base/Cp1251.h"
#include "tools/demo-site/DemoPages.h"

#include <optional>
#include <string>
#include <vector>

namespace scanner::testing {

struct ExpectedPage {
    std::string line;                        // Windows-1251
    std::optional<std::vector<std::string>> row; // six texts, Windows-1251
    std::string kind;                        // the page kind's word in the exports
};

inline std::string KindWord(demo::DemoKind kind) {
    switch (kind) {
    case demo::DemoKind::Missing: return "missing";
    case demo::DemoKind::Deleted: return "deleted";
    case demo::DemoKind::Private: return "private";
    case demo::DemoKind::Password: return "password";
    case demo::DemoKind::Normal: break;
    }
    return "normal";
}

inline ExpectedPage Expect(const demo::DemoSiteOptions& options, const std::string& host, int number) {
    using framework::Utf8ToCp1251;
    demo::DemoFile file = demo::FileAt(options, number);
    std::string address = "http://" + host + "/" + std::to_string(number);
    if (file.kind == demo::DemoKind::Missing)
        return {Utf8ToCp1251(address + " - Файл не существует!"), std::nullopt, "missing"};
    // The emoji of the four-byte page and the broken sequence of the bad one are one '?' each,
    // as Utf8ToCp1251 gives them.
    bool named = file.nameShown;
    std::string name = named ? file.fileName : "?.?";
    std::string size = named ? file.sizeText : "?";
    bool counted = file.kind != demo::DemoKind::Deleted && file.kind != demo::DemoKind::Private;
    std::string suffix;
    switch (file.kind) {
    case demo::DemoKind::Deleted: suffix = " (Файл удалён)"; break;
    case demo::DemoKind::Private: suffix = " (" + size + ") (Приватный файл)"; break;
    case demo::DemoKind::Password: suffix = " (" + size + ") (Файл под паролем)"; break;
    default: suffix = " (" + size + ")"; break;
    }
    ExpectedPage page{Utf8ToCp1251(address + " - \"" + name + "\"" + suffix), std::nullopt, KindWord(file.kind)};
    if (named)
        page.row = std::vector<std::string>{Utf8ToCp1251(file.fileName), file.passwordForm ? "yes" : "no",
                                            Utf8ToCp1251(file.sizeText), std::to_string(number),
                                            counted ? file.downloads : "?", counted ? file.uploadedDate : "?"};
    return page;
}

inline std::string Extension(const std::string& fileName) { return fileName.substr(fileName.find('.') + 1); }

} // namespace scanner::testing
