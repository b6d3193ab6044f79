// Load, sort and save of large lists, against a plain read of the same file.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "data/categories.h"
#include "data/csv_table.h"
#include "platform/files.h"
#include "data/item_table.h"
#include "data/list_change.h"
#include "data/list_file.h"

using namespace pantrium;

namespace {

// The benchmark's own folder under /tmp, current for the whole run (a save
// writes grocery.ini there). It is removed with the files the run made.
const std::string& BenchDir() {
    static const std::string dir = [] {
        char name[] = "/tmp/pantrium-bench-XXXXXX";
        if (!mkdtemp(name) || chdir(name) != 0) std::perror("benchmark folder");
        return std::string(name);
    }();
    return dir;
}

std::vector<std::string> madeFiles = {"saved.ptm", "copied.ptm", "grocery.ini"};

void BuildTable(int n) {
    ClearTable();
    std::mt19937 rng(static_cast<unsigned>(n));
    for (int c = 0; c < 20; ++c) AppendCategory("category " + std::to_string(c));
    itemTable.itemCount = n;
    itemTable.records.assign(static_cast<std::size_t>(n) + 1, ItemRecord{});
    itemTable.rowOrder.assign(static_cast<std::size_t>(n) + 1, 0);
    static const char* words[] = {"Milk", "Bread", "Apples", "eggs", "Rice", "Tea", "Soap", "Jam"};
    for (int k = 1; k <= n; ++k) {
        ItemRecord& rec = itemTable.records[k];
        rec.catg = static_cast<std::uint8_t>(rng() % 21);
        StoreTextField(rec.itemName, std::string(words[rng() % 8]) + " " + std::to_string(rng() % 100000));
        StoreTextField(rec.unitDescr, "each");
        rec.pricePerUnit = static_cast<float>(rng() % 1000) / 100;
        for (int i = 0; i < 3; ++i) {
            rec.buyDate[i] = static_cast<PackedDate>(1 + i + (1 << 5) + (24 << 9));
            rec.buyUnits[i] = 1;
        }
        itemTable.rowOrder[k] = k;
    }
    std::shuffle(itemTable.rowOrder.begin() + 1, itemTable.rowOrder.end(), rng);
}

std::uint64_t SizeOf(const std::string& path) {
    std::uint64_t size = 0;
    files::FileSize(path, size);
    return size;
}

// One saved list per size, made once.
std::string ListFor(int n) {
    static std::map<int, std::string> made;
    auto it = made.find(n);
    if (it != made.end()) return it->second;
    BenchDir();
    BuildTable(n);
    itemTable.listPath = "bench-" + std::to_string(n) + ".ptm";
    SaveList();
    madeFiles.push_back(itemTable.listPath);
    return made[n] = itemTable.listPath;
}

// The file's bytes read into memory, and nothing else: the yardstick.
void PlainRead(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        files::FileContent data;
        files::ReadWholeFile(path, data);
        benchmark::DoNotOptimize(data.bytes.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(SizeOf(path)));
}

void BM_PlainRead(benchmark::State& state) { PlainRead(state, ListFor(static_cast<int>(state.range(0)))); }

// The least any save of the list costs: its bytes, already in memory,
// written the safe way (a new file flushed to disk, then renamed over the old).
void BM_PlainSave(benchmark::State& state) {
    const std::string path = ListFor(static_cast<int>(state.range(0)));
    files::FileContent data;
    files::ReadWholeFile(path, data);
    for (auto _ : state) files::SaveFile("copied.ptm", data.bytes.get(), data.size);
}

void BM_Load(benchmark::State& state) {
    itemTable.listPath = ListFor(static_cast<int>(state.range(0)));
    for (auto _ : state) LoadList();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(SizeOf(itemTable.listPath)));
}

void BM_Sort(benchmark::State& state) {
    itemTable.listPath = ListFor(static_cast<int>(state.range(0)));
    LoadList();
    const std::vector<std::int32_t> stored = itemTable.rowOrder;
    for (auto _ : state) {
        state.PauseTiming();
        itemTable.rowOrder = stored;  // the shuffled order of the file
        state.ResumeTiming();
        SortRows(0);
    }
}

void BM_Save(benchmark::State& state) {
    itemTable.listPath = ListFor(static_cast<int>(state.range(0)));
    LoadList();
    itemTable.listPath = "saved.ptm";
    for (auto _ : state) SaveList();
}

void BM_LoadSortSave(benchmark::State& state) {
    const std::string path = ListFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        itemTable.listPath = path;
        LoadList();
        SortRows(0);
        itemTable.listPath = "saved.ptm";
        SaveList();
    }
}

// The main window's check when it becomes active again and nothing changed:
// the stamp of the loaded list matches, so the file is not read.
void BM_ActivationCheck(benchmark::State& state) {
    itemTable.listPath = ListFor(static_cast<int>(state.range(0)));
    LoadList();
    for (auto _ : state) {
        const DiskCheck check = CheckListFile();
        if (check.change != DiskChange::None || !check.bytes.empty()) state.SkipWithError("the unchanged list was read");
    }
}

// ---- CSV import ----

constexpr int kCsvRows = 100000;

// The table of ListFor(kCsvRows) exported once as CSV.
const std::string& CsvFile100k() {
    static const std::string path = [] {
        itemTable.listPath = ListFor(kCsvRows);
        LoadList();
        const std::string csv = TableToCsv(itemTable, {files::AnsiToPath, files::PathToAnsi});
        files::WriteWholeFile("bench.csv", csv.data(), csv.size());
        madeFiles.push_back("bench.csv");
        return std::string("bench.csv");
    }();
    return path;
}

void BM_CsvPlainRead(benchmark::State& state) { PlainRead(state, CsvFile100k()); }

// The least any CSV reader does beyond the plain read: look at every byte
// once and find where each field ends (separators and line ends outside
// quotes), nothing checked or kept.
void BM_CsvSplit(benchmark::State& state) {
    const std::string& path = CsvFile100k();
    for (auto _ : state) {
        files::FileContent data;
        files::ReadWholeFile(path, data);
        std::size_t fields = 0;
        bool quoted = false;
        for (std::size_t i = 0; i < data.size; ++i) {
            const std::uint8_t c = data.bytes[i];
            quoted ^= c == '"';
            fields += !quoted && (c == ',' || c == '\n');
        }
        if (fields < static_cast<std::size_t>(kCsvRows) * kCsvColumns) state.SkipWithError("fields were missed");
        benchmark::DoNotOptimize(fields);
    }
}

// Only the numbers of the file (7 a row) read with std::from_chars, from
// views made beforehand: what checking the numbers alone costs.
void BM_CsvNumbersOnly(benchmark::State& state) {
    const std::string& path = CsvFile100k();
    files::FileContent data;
    files::ReadWholeFile(path, data);
    const std::string_view text(reinterpret_cast<const char*>(data.bytes.get()), data.size);
    std::vector<std::string_view> numbers;
    std::size_t start = text.find('\n') + 1, column = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] != ',' && text[i] != '\r') continue;
        // price, units to buy and the purchases' units (the odd columns from 9 on)
        if (column == 3 || column == 4 || (column >= 9 && column % 2 == 1)) numbers.push_back(text.substr(start, i - start));
        column = text[i] == '\r' ? 0 : column + 1;
        if (text[i] == '\r') ++i;
        start = i + 1;
    }
    for (auto _ : state) {
        float sum = 0;
        for (std::string_view n : numbers) {
            float v = 0;
            std::from_chars(n.data(), n.data() + n.size(), v);
            sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["numbers"] = static_cast<double>(numbers.size());
}

// The whole import as the File menu runs it, without the questions: read,
// parse, match against the table and merge. empty: into an empty list (every
// row a new item); else over the list it came from (every row matched).
void CsvImport(benchmark::State& state, bool empty) {
    const std::string& path = CsvFile100k();
    const CsvTextCoding coding{files::AnsiToPath, files::PathToAnsi};
    itemTable.listPath = ListFor(kCsvRows);
    for (auto _ : state) {
        state.PauseTiming();
        if (empty) ClearTable();
        else LoadList();
        state.ResumeTiming();
        files::FileContent data;
        files::ReadWholeFile(path, data);
        const CsvFile file = ParseCsv(std::string_view(reinterpret_cast<const char*>(data.bytes.get()), data.size),
                                      coding);
        const CsvImportCounts counts = ApplyCsvImport(itemTable, file);
        if (counts.added + counts.changed + counts.unchanged != kCsvRows) state.SkipWithError("rows were lost");
    }
}
void BM_CsvImport(benchmark::State& state) { CsvImport(state, true); }
void BM_CsvImportOver(benchmark::State& state) { CsvImport(state, false); }

BENCHMARK(BM_CsvPlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvNumbersOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportOver)->Unit(benchmark::kMillisecond);

#define SIZES ->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_PlainRead) SIZES;
BENCHMARK(BM_PlainSave) SIZES;
BENCHMARK(BM_Load) SIZES;
BENCHMARK(BM_Sort) SIZES;
BENCHMARK(BM_Save) SIZES;
BENCHMARK(BM_LoadSortSave) SIZES;
BENCHMARK(BM_ActivationCheck)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRead)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

// Prints the usual table and keeps each benchmark's time (the median when
// the run has repetitions) for the ratios to the plain read.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> ms;  // "BM_Load/1000000" -> milliseconds

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            if (!median && ms.count(name) && seenMedian.count(name)) continue;
            ms[name] = run.GetAdjustedRealTime() * Scale(run.time_unit);
            if (median) seenMedian.insert(name);
        }
    }

    void PrintRatios() const {
        for (int n : {1000, 100000, 1000000}) {
            auto at = [&](const char* bm) {
                std::string name = bm;
                name += '/';
                name += std::to_string(n);
                auto it = ms.find(name);
                return it == ms.end() ? -1.0 : it->second;
            };
            const double read = at("BM_PlainRead");
            if (read <= 0) continue;
            std::printf("%7d items: plain read %.1f ms; plain save %.2fx, load %.2fx, sort %.2fx, save %.2fx, "
                        "load+sort+save %.2fx of the plain read\n",
                        n, read, at("BM_PlainSave") / read, at("BM_Load") / read, at("BM_Sort") / read,
                        at("BM_Save") / read, at("BM_LoadSortSave") / read);
        }
        const auto csv = [&](const char* bm) {
            auto it = ms.find(std::string(bm) + "/");
            return it == ms.end() ? -1.0 : it->second;
        };
        const double csvRead = csv("BM_CsvPlainRead"), csvImport = csv("BM_CsvImport"),
                     csvOver = csv("BM_CsvImportOver"), csvSplit = csv("BM_CsvSplit"),
                     csvNumbers = csv("BM_CsvNumbersOnly");
        if (csvRead > 0 && csvImport > 0 && csvOver > 0) {
            std::printf(" 100000-row CSV: plain read %.1f ms; import into an empty list %.1f ms (%.2fx), "
                        "over the same list %.1f ms (%.2fx) of the plain read\n",
                        csvRead, csvImport, csvImport / csvRead, csvOver, csvOver / csvRead);
            if (csvSplit > 0 && csvNumbers > 0)
                std::printf("                 the least a reader does: a byte loop finding the fields %.1f ms "
                            "(%.2fx), the numbers alone %.1f ms (%.2fx); the import is %.2fx of that loop\n",
                            csvSplit, csvSplit / csvRead, csvNumbers, csvNumbers / csvRead, csvImport / csvSplit);
        }
        const auto check = ms.find("BM_ActivationCheck/10000"), read = ms.find("BM_PlainRead/10000");
        if (check != ms.end() && read != ms.end())
            std::printf("  10000 items: activation check %.4f ms (one status call), %.3fx of the plain read\n",
                        check->second, check->second / read->second);
    }

private:
    std::set<std::string> seenMedian;
    static double Scale(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kNanosecond: return 1e-6;
        case benchmark::kMicrosecond: return 1e-3;
        case benchmark::kSecond: return 1e3;
        default: return 1;
        }
    }
};

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    for (const std::string& name : madeFiles) std::remove((BenchDir() + "/" + name).c_str());
    if (chdir("/tmp") != 0 || rmdir(BenchDir().c_str()) != 0) std::perror("benchmark folder");
    return 0;
}
