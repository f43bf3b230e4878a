// Page generation of the demo site. Every value comes from a hash of (seed, number), so a
// seed always gives the same site.
#include "tools/demo-site/DemoPages.h"

#include <array>
#include <string_view>
#include <vector>

namespace scanner::demo {
namespace {

constexpr std::size_t kFillerParagraphs = 12; // with the tables and scripts, a file page is about 30 KB
constexpr int kRelatedRows = 36;
constexpr int kSidebarItems = 24;
constexpr int kRecentItems = 20;

std::uint64_t SplitMix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A small deterministic stream of numbers for one page.
class Dice {
public:
    Dice(std::uint64_t seed, std::uint64_t salt) : state_(SplitMix(seed * 0x100000001B3ull ^ SplitMix(salt))) {}
    std::uint64_t Next() { return state_ = SplitMix(state_); }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    template <class T, std::size_t N> const T& Pick(const std::array<T, N>& items) { return items[Below(N)]; }

private:
    std::uint64_t state_;
};

constexpr std::array<std::string_view, 16> kStems = {
    "отчёт", "Договор_аренды", "фото_лето", "setup", "music_mix", "Презентация", "backup", "книга",
    "video_2021", "Документ", "Курсовая", "ubuntu_iso", "сборник_песен", "scan0042", "Реферат", "photo",
};
constexpr std::array<std::string_view, 12> kExtensions = {
    "jpg", "mp3", "rar", "zip", "pdf", "docx", "avi", "exe", "txt", "JPG", "RAR", "7z",
};
constexpr std::array<std::string_view, 5> kMiddleParts = {"part1", "v2", "2023", "final", "tar"};
constexpr std::array<std::string_view, 24> kWords = {
    "файл", "загрузка", "сервер", "скорость", "бесплатно", "хранение", "ссылка", "архив",
    "пользователь", "папка", "доступ", "быстро", "надёжно", "документы", "музыка", "видео",
    "обмен", "размер", "лимит", "без", "регистрации", "облако", "копия", "история",
};

const char* kStyle =
    "body{margin:0;padding:0;font:13px/1.4 Tahoma,Arial,sans-serif;color:#222;background:#eef1f5}\n"
    "a{color:#1a5a96;text-decoration:none}a:hover{text-decoration:underline}\n"
    ".header{height:64px;background:linear-gradient(#3b6ea5,#2a5485);color:#fff;padding:0 24px}\n"
    ".header .logo{float:left;font-size:26px;line-height:64px;font-weight:bold;letter-spacing:1px}\n"
    ".menu{float:right;list-style:none;margin:0;padding:0}.menu li{display:inline-block;margin-left:18px}\n"
    ".menu a{color:#fff;line-height:64px}.wrap{width:980px;margin:0 auto;overflow:hidden}\n"
    ".sidebar{float:right;width:260px;background:#fff;border:1px solid #d5dbe3;margin:16px 0;padding:8px}\n"
    ".sidebar h3{margin:4px 0 8px;font-size:14px;color:#3b6ea5}.sidebar ul{margin:0;padding:0 0 0 16px}\n"
    ".sidebar li{margin:3px 0}.sidebar .size{color:#888;margin-left:6px}\n"
    ".content{margin:16px 290px 16px 0;background:#fff;border:1px solid #d5dbe3;padding:16px}\n"
    ".file-block{border:1px dashed #9fb5cc;padding:12px;margin:12px 0;background:#f8fbff}\n"
    ".file-block h1{font-size:18px;margin:0 0 8px;word-break:break-all}\n"
    ".share42init{height:24px;margin:8px 0}.downloads,.date{margin:4px 0;color:#555}\n"
    ".download{display:inline-block;padding:8px 22px;background:#4caf50;color:#fff;border-radius:3px}\n"
    ".password-form{margin:10px 0}.password-form input{padding:4px;border:1px solid #aaa}\n"
    ".comments{margin-top:18px}.comment{border-top:1px solid #e3e7ec;padding:8px 0}\n"
    ".comment .author{font-weight:bold;color:#3b6ea5}.comment .when{color:#999;font-size:11px}\n"
    ".footer{clear:both;background:#2a3440;color:#aab;padding:18px 24px;font-size:11px}\n"
    ".footer a{color:#cdd}.counter{float:right}.ad{margin:12px 0;padding:10px;background:#fffbe6}\n"
    ".pager{margin:10px 0}.pager a{display:inline-block;padding:2px 7px;border:1px solid #ccd}\n"
    ".notice{padding:10px;background:#fff0f0;border:1px solid #f0c0c0;color:#a33}\n"
    ".recent{list-style:none;margin:0;padding:0}.recent li{padding:4px 0;border-bottom:1px dotted #ccd}\n"
    ".stats{color:#666}.stats b{color:#222}.upload-box{padding:20px;border:2px dashed #9fb5cc;text-align:center}\n"
    "@media (max-width:1000px){.wrap{width:auto}.sidebar{float:none;width:auto}.content{margin-right:0}}\n"
    ".tags a{display:inline-block;margin:2px;padding:1px 6px;background:#e8eef5;border-radius:8px}\n"
    ".rating{color:#f5a623}.rating span{color:#ccc}.breadcrumbs{margin-bottom:8px;color:#888}\n"
    ".hidden{display:none}.clear{clear:both}.nowrap{white-space:nowrap}.right{text-align:right}\n"
    ".btn{display:inline-block;padding:4px 12px;border:1px solid #9fb5cc;border-radius:3px;background:#f3f6fa}\n"
    ".btn:hover{background:#e3ebf5}.small{font-size:11px}.muted{color:#999}.warn{color:#c60}\n"
    ".table{border-collapse:collapse;width:100%}.table td,.table th{border:1px solid #dde;padding:3px 6px}\n"
    ".table th{background:#f0f3f7;font-weight:normal;color:#556}.table tr:nth-child(even){background:#fafbfc}\n"
    ".progress{height:6px;background:#e3e7ec;border-radius:3px}.progress div{height:6px;background:#4caf50}\n"
    ".banner{height:90px;background:#dfe7f0;margin:10px 0;text-align:center;line-height:90px;color:#99a}\n"
    ".social a{display:inline-block;width:24px;height:24px;margin-right:4px;background:#ccd;border-radius:12px}\n"
    ".faq dt{font-weight:bold;margin-top:8px}.faq dd{margin:2px 0 6px 16px;color:#555}\n"
    ".lang{float:right;margin-left:12px}.lang a{color:#fff;opacity:.8}.lang a.active{opacity:1}\n";

const char* kScript =
    "<script>\n"
    "(function(){var d=document,w=window;function q(s){return d.querySelector(s)}\n"
    "function on(e,t,f){e&&e.addEventListener(t,f,false)}\n"
    "on(w,'load',function(){var b=q('.download');if(!b)return;var t=5,s=b.innerHTML;\n"
    "var i=setInterval(function(){if(--t<=0){clearInterval(i);b.innerHTML=s;return}b.innerHTML=s+' ('+t+')'},1000)});\n"
    "var c=d.cookie.match(/visits=(\\d+)/),n=c?parseInt(c[1],10)+1:1;d.cookie='visits='+n+';path=/;max-age=31536000';\n"
    "w.share42=function(){var e=d.getElementsByTagName('div');for(var k=0;k<e.length;k++){if(e[k].className!='share42init')continue;\n"
    "var u=e[k].getAttribute('data-share42-url')||location.href;e[k].setAttribute('data-ready','1')}};\n"
    "on(d,'DOMContentLoaded',w.share42)})();\n"
    "</script>\n";

std::string Num(long long v) { return std::to_string(v); }

std::string Pad2(int v) { return (v < 10 ? "0" : "") + Num(v); }

std::string Paragraph(Dice& dice, int words) {
    std::string text = "<p>";
    for (int i = 0; i < words; ++i) {
        std::string_view word = dice.Pick(kWords);
        if (i == 0) {
            text += word; // lower-case start is fine for filler
        } else {
            text += ' ';
            text += word;
        }
        if (dice.Below(9) == 0)
            text += ',';
    }
    return text + ".</p>\n";
}

std::string HeadPart(const std::string& title) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                      "<meta name=\"generator\" content=\"demo file host\">\n<style>\n";
    out += kStyle;
    out += "</style>\n<title>" + title + "</title>\n</head>\n<body>\n";
    out += "<div class=\"header\"><div class=\"logo\">DemoFiles</div>\n<ul class=\"menu\">"
           "<li><a href=\"/main\" title=\"Главная\">Главная</a></li>"
           "<li><a href=\"/upload\" title=\"Загрузить\">Загрузить</a></li>"
           "<li><a href=\"/faq\" title=\"Вопросы\">Вопросы</a></li>"
           "<li><a href=\"/rules\" title=\"Правила\">Правила</a></li></ul></div>\n<div class=\"wrap\">\n";
    return out;
}

std::string TailPart(Dice& dice) {
    std::string out = "</div>\n<div class=\"footer\"><span class=\"counter\">Файлов сегодня: " + Num(100 + dice.Below(900)) +
                      "</span>© DemoFiles, <a href=\"/rules\">правила</a>, <a href=\"/faq\">помощь</a></div>\n";
    out += kScript;
    return out + "</body>\n</html>\n";
}

std::string SidebarPart(const DemoSiteOptions& options, Dice& dice) {
    std::string out = "<div class=\"sidebar\"><h3>Популярное</h3>\n<ul>\n";
    for (int i = 0; i < kSidebarItems; ++i) {
        int other = 1 + dice.Below(options.newest > 0 ? options.newest : 1);
        std::string name = std::string(dice.Pick(kStems)) + "." + std::string(dice.Pick(kExtensions));
        out += "<li><a href=\"/" + Num(other) + "\" title=\"" + name + "\">" + name + "</a><span class=\"size\">" +
               Num(1 + dice.Below(700)) + " Мб</span></li>\n";
    }
    return out + "</ul></div>\n";
}

std::string FillerPart(Dice& dice, std::size_t paragraphs) {
    std::string out;
    for (std::size_t i = 0; i < paragraphs; ++i)
        out += Paragraph(dice, 30 + dice.Below(40));
    return out;
}

// The "similar files" table: mostly markup, as on the real site.
std::string RelatedPart(const DemoSiteOptions& options, Dice& dice) {
    std::string out = "<h3>Похожие файлы</h3>\n<table class=\"table related\">\n<thead><tr><th>Файл</th><th>Размер</th>"
                      "<th>Дата</th><th></th></tr></thead>\n<tbody>\n";
    for (int i = 0; i < kRelatedRows; ++i) {
        int other = 1 + dice.Below(options.newest > 0 ? options.newest : 1);
        std::string name = std::string(dice.Pick(kStems)) + "." + std::string(dice.Pick(kExtensions));
        out += "<tr class=\"row-" + Num(i % 2) + "\"><td class=\"name\"><a href=\"/" + Num(other) + "\" title=\"" + name +
               "\" data-id=\"" + Num(other) + "\" onclick=\"return track(this, 'related', " + Num(i) + ");\">" + name +
               "</a></td><td class=\"nowrap right\">" + Num(1 + dice.Below(900)) + " Мб</td><td class=\"nowrap muted small\">" +
               Num(2019 + dice.Below(6)) + "-" + Pad2(1 + dice.Below(12)) + "-" + Pad2(1 + dice.Below(28)) +
               "</td><td><a class=\"btn small\" rel=\"nofollow noopener\" href=\"/download/" + Num(other) +
               "?ref=related&amp;pos=" + Num(i) + "\">&darr;</a></td></tr>\n";
    }
    return out + "</tbody>\n</table>\n";
}

const char* kAnalytics =
    "<script>\n"
    "window.dataLayer=window.dataLayer||[];function gtag(){dataLayer.push(arguments)}gtag('js',new Date());\n"
    "gtag('config','DF-000000-1',{anonymize_ip:true,page_path:location.pathname,transport_type:'beacon'});\n"
    "function track(a,where,pos){try{navigator.sendBeacon&&navigator.sendBeacon('/t',JSON.stringify({w:where,p:pos,\n"
    "id:a.getAttribute('data-id'),t:Date.now()}))}catch(e){}return true}\n"
    "(function(m,e,t,r,i,k,a){m[i]=m[i]||function(){(m[i].a=m[i].a||[]).push(arguments)};m[i].l=1*new Date();\n"
    "k=e.createElement(t),a=e.getElementsByTagName(t)[0],k.async=1,k.src=r,a.parentNode.insertBefore(k,a)})\n"
    "(window,document,'script','/static/metrics.js','dm');dm(1000001,'init',{clickmap:true,trackLinks:true,accurateTrackBounce:true});\n"
    "var ads=[{slot:'top',size:[728,90],url:'/ads/top'},{slot:'side',size:[240,400],url:'/ads/side'},\n"
    "{slot:'bottom',size:[728,90],url:'/ads/bottom'}];ads.forEach(function(ad){var el=document.getElementById('ad-'+ad.slot);\n"
    "if(!el)return;var x=new XMLHttpRequest();x.open('GET',ad.url+'?w='+ad.size[0]+'&h='+ad.size[1],true);\n"
    "x.onreadystatechange=function(){if(x.readyState===4&&x.status===200){el.innerHTML=x.responseText}};x.send(null)});\n"
    "</script>\n"
    "<noscript><div><img src=\"/static/pixel.gif?id=1000001\" style=\"position:absolute;left:-9999px\" alt=\"\"></div></noscript>\n";

std::string CommentsPart(Dice& dice) {
    std::string out = "<div class=\"comments\"><h3>Комментарии</h3>\n";
    int count = 3 + dice.Below(6);
    for (int i = 0; i < count; ++i)
        out += "<div class=\"comment\"><span class=\"author\">гость" + Num(dice.Below(10000)) +
               "</span> <span class=\"when\">" + Num(1 + dice.Below(28)) + "." + Pad2(1 + dice.Below(12)) + "</span>\n" +
               Paragraph(dice, 8 + dice.Below(25)) + "</div>\n";
    return out + "</div>\n";
}

std::string ShareBlock(const DemoFile& file) {
    return "<div class=\"share42init\" data-share42-text=\"" + file.fileName + " (" + file.sizeText +
           ")\" id=\"share42\" data-share42-url=\"/" + Num(file.number) + "\"></div>\n";
}

std::string FileBlock(const DemoFile& file) {
    std::string out = "<div class=\"file-block\">\n";
    switch (file.kind) {
    case DemoKind::Deleted:
        out += "<h1>Файл удален</h1>\n<p class=\"notice\">Файл удален владельцем или по жалобе правообладателя.</p>\n";
        if (file.nameShown)
            out += ShareBlock(file);
        break;
    case DemoKind::Private:
        out += "<h1>" + file.fileName + "</h1>\n" + ShareBlock(file) +
               "<p class=\"notice\">403 — the action is not allowed. Владелец ограничил доступ к файлу.</p>\n";
        break;
    default:
        out += "<h1>" + file.fileName + "</h1>\n" + ShareBlock(file) + "<p class=\"downloads\">Скачан " + file.downloads +
               " раз</p>\n<p class=\"date\">Загружен: <time datetime=\"" + file.uploadedDate + " 12:" +
               Pad2(file.number % 60) + ":07\">" + file.uploadedDate + "</time></p>\n";
        break;
    }
    if (file.passwordForm)
        out += "<form class=\"password-form\" method=\"post\"><input type=\"password\" id=\"password\" name=\"password\">"
               " <button class=\"btn\">Открыть</button></form>\n";
    if (file.kind != DemoKind::Deleted)
        out += "<a class=\"download\" href=\"/download/" + Num(file.number) + "\">Скачать</a>\n";
    return out + "</div>\n";
}

// Assembles a file page; the file block lands after fillerBefore paragraphs of text.
std::string AssemblePage(const DemoSiteOptions& options, const DemoFile& file, std::size_t fillerBefore) {
    Dice dice(options.seed, 0x5000000ull + static_cast<std::uint64_t>(file.number));
    std::string page = HeadPart("Скачать " + file.fileName + " — DemoFiles");
    page += SidebarPart(options, dice);
    page += "<div class=\"content\">\n<div class=\"breadcrumbs\">Главная / файлы / " + Num(file.number) + "</div>\n";
    page += FillerPart(dice, fillerBefore);
    page += FileBlock(file);
    page += "<div class=\"banner\" id=\"ad-top\"></div>\n";
    page += FillerPart(dice, kFillerParagraphs / 2);
    page += RelatedPart(options, dice);
    page += CommentsPart(dice);
    page += "<div class=\"banner\" id=\"ad-bottom\"></div>\n</div>\n";
    page += kAnalytics;
    page += TailPart(dice);
    return page;
}

std::string StraddlingPage(const DemoSiteOptions& options, const DemoFile& file) {
    constexpr std::size_t kMarkerOffset = 2 * kReadSize - 10;
    std::string block = FileBlock(file);
    std::size_t markerInBlock = block.find("data-share42-text=");
    Dice dice(options.seed, 0x6000000ull + static_cast<std::uint64_t>(file.number));
    std::string page = HeadPart("Скачать " + file.fileName + " — DemoFiles") + "<div class=\"content\">\n";
    std::size_t padTo = kMarkerOffset - markerInBlock;
    std::string comment = "<!--";
    while (page.size() + comment.size() + 3 < padTo)
        comment += 'x';
    page += comment + "-->" + block + CommentsPart(dice) + "</div>\n" + TailPart(dice);
    return page;
}

} // namespace

DemoFile FileAt(const DemoSiteOptions& options, int number) {
    Dice dice(options.seed, static_cast<std::uint64_t>(number));
    DemoFile file;
    file.number = number;
    int roll = dice.Below(100);
    file.kind = roll < 10 ? DemoKind::Missing
              : roll < 20 ? DemoKind::Deleted
              : roll < 28 ? DemoKind::Private
              : roll < 38 ? DemoKind::Password
                          : DemoKind::Normal;
    bool special = number == kStraddlingPageNumber || number == kZeroBytePageNumber || number == kBadUtf8PageNumber ||
                   number == kFourBytePageNumber || number == kRedirectPageNumber;
    if (number > options.newest)
        file.kind = DemoKind::Missing;
    else if (special || number == options.newest)
        file.kind = DemoKind::Normal;
    file.nameShown = file.kind != DemoKind::Deleted || dice.Below(3) != 0;
    file.passwordForm = file.kind == DemoKind::Password || (file.kind == DemoKind::Private && dice.Below(2) == 0);
    std::string stem(dice.Pick(kStems));
    if (number == kFourBytePageNumber)
        stem += "\xF0\x9F\x98\x80"; // U+1F600
    std::string extension(dice.Pick(kExtensions));
    file.fileName = dice.Below(5) == 0 ? stem + "." + std::string(dice.Pick(kMiddleParts)) + "." + extension : stem + "." + extension;
    switch (dice.Below(3)) {
    case 0: file.sizeText = Num(1 + dice.Below(999)) + " Кб"; break;
    case 1: file.sizeText = Num(1 + dice.Below(999)) + "." + Num(dice.Below(10)) + " Мб"; break;
    default: file.sizeText = Num(1 + dice.Below(4)) + "." + Pad2(dice.Below(100)) + " Гб"; break;
    }
    file.downloads = Num(dice.Below(5000));
    file.uploadedDate = Num(2019 + dice.Below(6)) + "-" + Pad2(1 + dice.Below(12)) + "-" + Pad2(1 + dice.Below(28));
    return file;
}

std::string NotFoundBody() {
    return "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>DemoFiles</title>\n</head>\n"
           "<body>\n<div class=\"notice\"><h1>404 — page not found</h1>\n<p>Такой страницы нет. "
           "<a href=\"/main\">На главную</a></p></div>\n</body>\n</html>\n";
}

std::string FilePageBody(const DemoSiteOptions& options, int number) {
    DemoFile file = FileAt(options, number);
    if (file.kind == DemoKind::Missing)
        return NotFoundBody();
    if (number == kStraddlingPageNumber)
        return StraddlingPage(options, file);
    std::string page = AssemblePage(options, file, kFillerParagraphs / 2);
    if (number == kZeroBytePageNumber)
        page[kZeroByteOffset] = '\0';
    if (number == kBadUtf8PageNumber)
        page.insert(page.find("</h1>"), "\xD0(");
    return page;
}

// The name a listing shows: the emoji of the four-byte page stays on its own page, so that the
// main page reads by the decoder's rules alone.
std::string ListedName(const DemoSiteOptions& options, int number) {
    if (number == kFourBytePageNumber)
        return "file" + Num(number);
    return FileAt(options, number).fileName;
}

std::string MainPageBody(const DemoSiteOptions& options) {
    Dice dice(options.seed, 0x7000000ull);
    std::string page = HeadPart("DemoFiles — бесплатный файлообменник");
    page += "<div class=\"content\">\n<div class=\"upload-box\">Перетащите файл сюда или <a href=\"/upload\">выберите</a></div>\n";
    // A list item written with CR LF: the scanner must not take it for the newest upload.
    int popular = options.newest > 1 ? 1 + dice.Below(options.newest - 1) : 1;
    page += "<h3>Выбор редакции</h3>\n<ul class=\"recent\">\n<li>\r\n<a href=\"/" + Num(popular) + "\" title=\"" +
            ListedName(options, popular) + "\">" + ListedName(options, popular) + "</a></li>\n</ul>\n";
    page += "<h3>Последние загрузки</h3>\n<ul class=\"recent\">\n";
    for (int i = 0, number = options.newest; i < kRecentItems && number >= 1; ++i, --number) {
        page += "<li>\n<a href=\"/" + Num(number) + "\" title=\"" + ListedName(options, number) + "\">" +
                ListedName(options, number) + "</a> <span class=\"size\">" + FileAt(options, number).sizeText + "</span></li>\n";
    }
    page += "</ul>\n" + FillerPart(dice, 6) + "</div>\n";
    return page + TailPart(dice);
}

namespace {
constexpr std::string_view kRedirectedPrefix = "/files/";

bool IsRedirectedPath(std::string_view path) { return path.substr(0, kRedirectedPrefix.size()) == kRedirectedPrefix; }
} // namespace

long long FileNumberIn(const std::string& path) {
    std::string_view digits = path;
    digits.remove_prefix(IsRedirectedPath(path) ? kRedirectedPrefix.size() : std::min<std::size_t>(1, digits.size()));
    if (digits.empty() || digits.size() > 9)
        return -1;
    long long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

DemoResponse Respond(const DemoSiteOptions& options, const std::string& path) {
    if (path == "/main")
        return {200, MainPageBody(options), {}};
    const bool viaRedirect = IsRedirectedPath(path);
    const long long number = FileNumberIn(path);
    if (number < 1 || number > options.newest)
        return {404, NotFoundBody(), {}};
    if (number == kRedirectPageNumber && !viaRedirect)
        return {302, "<a href=\"/files/" + Num(number) + "\">moved</a>\n", "/files/" + Num(number)};
    DemoFile file = FileAt(options, static_cast<int>(number));
    return {file.kind == DemoKind::Missing ? 404 : 200, FilePageBody(options, static_cast<int>(number)), {}};
}

} // namespace scanner::demo
