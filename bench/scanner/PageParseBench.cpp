// Decoding plus parsing of realistic ~30 KB file pages of the demo site: what one number of a
// scan costs besides the network and the pause.
#include "scanner/FilePage.h"
#include "scanner/PageDecoder.h"
#include "tools/demo-site/DemoPages.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A handful of pages of every kind except the small 404 page. A scan decodes a page right
// after receiving it, so the set is kept small enough to stay in the cache as a fresh page is.
constexpr std::size_t kSamplePages = 8;

std::vector<std::string> SamplePages() {
    scanner::demo::DemoSiteOptions options{2000, 1};
    std::vector<std::string> pages;
    for (int n = 100; pages.size() < kSamplePages; ++n)
        if (scanner::demo::FileAt(options, n).kind != scanner::demo::DemoKind::Missing)
            pages.push_back(scanner::demo::FilePageBody(options, n));
    return pages;
}

void OnePage(const std::string& body, int number) {
    std::string page = scanner::DecodePage(body);
    scanner::PageKind kind = scanner::PageKind::Missing;
    scanner::FileRecord record;
    if (!scanner::IsMissingPage(page)) {
        record = scanner::ExtractFileRecord(page, number);
        kind = scanner::DecideKind(page, record);
    }
    std::string line = scanner::LogLine("127.0.0.1:8080", number, kind, record);
    benchmark::DoNotOptimize(line);
}

void BM_DecodeAndParse(benchmark::State& state) {
    const std::vector<std::string> pages = SamplePages();
    std::size_t bytes = 0, i = 0;
    for (auto _ : state) {
        const std::string& body = pages[i++ % pages.size()];
        OnePage(body, static_cast<int>(i));
        bytes += body.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["page_bytes"] = static_cast<double>(bytes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DecodeAndParse)->Unit(benchmark::kMicrosecond);

void BM_DecodeOnly(benchmark::State& state) {
    const std::vector<std::string> pages = SamplePages();
    std::size_t bytes = 0, i = 0;
    for (auto _ : state) {
        const std::string& body = pages[i++ % pages.size()];
        benchmark::DoNotOptimize(scanner::DecodePage(body));
        bytes += body.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMicrosecond);

// The same pages with an emoji in the file name: the rules cannot read them through, so each is
// decoded a second time, one sequence at a time, with the emoji as one '?'.
void BM_DecodeMendedPage(benchmark::State& state) {
    std::vector<std::string> pages = SamplePages();
    for (std::string& page : pages)
        page.insert(page.find("data-share42-text=\"") + 19, "\xF0\x9F\x98\x80");
    std::size_t bytes = 0, i = 0;
    for (auto _ : state) {
        const std::string& body = pages[i++ % pages.size()];
        benchmark::DoNotOptimize(scanner::DecodePage(body));
        bytes += body.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_DecodeMendedPage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
