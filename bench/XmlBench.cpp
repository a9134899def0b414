// xml_bench: the XML reader side by side with pugixml and expat in one run, on generated skin-shaped
// inputs written to a temporary folder (removed at the end), plus two hostile nestings.
//   xml_bench [INPUT_SUBSTRING]    the whole report, or only the inputs whose name holds the substring
//   xml_bench --write-inputs DIR   writes the generated inputs to DIR (for callgrind.sh)
//   xml_bench --one MODE FILE      one operation on FILE inside BenchMeasuredOperation, for callgrind;
//                                  MODE: parse copy-parse load text pugixml pugixml-load expat expat-load
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchInputs.h"
#include "bench/HeapCounter.h"
#include "bench/Peers.h"
#include "bench/Timing.h"
#include "xml/XmlDocument.h"

namespace fs = std::filesystem;

namespace {

volatile int64_t g_sink = 0;  // keeps results alive so no measured work is optimised away

struct LoadedText {
    WString text;
    uint32_t flags = 0;
};

struct SkinInputSpec {
    const char* name;
    size_t bytes;
    BenchEncoding encoding;
};

const SkinInputSpec kSkinInputs[] = {
    {"utf8-2KB", 2 << 10, BenchEncoding::kUtf8},     {"utf8-1MB", 1 << 20, BenchEncoding::kUtf8},
    {"utf8-20MB", 20 << 20, BenchEncoding::kUtf8},   {"utf16-2KB", 2 << 10, BenchEncoding::kUtf16Le},
    {"utf16-1MB", 1 << 20, BenchEncoding::kUtf16Le}, {"utf16-20MB", 20 << 20, BenchEncoding::kUtf16Le},
};

constexpr int kHostileCount = 100000;

std::vector<BenchInput> MakeAllInputs() {
    std::vector<BenchInput> inputs;
    for (const SkinInputSpec& shape : kSkinInputs) {
        inputs.push_back(MakeSkinInput(shape.name, shape.bytes, shape.encoding));
    }
    inputs.push_back(MakeUnclosedNesting("hostile-unclosed", kHostileCount));
    inputs.push_back(MakeStrayEndTags("hostile-stray-end", kHostileCount));
    return inputs;
}

std::string WriteInput(const fs::path& dir, const BenchInput& input) {
    const fs::path path = dir / (input.name + ".xml");
    std::ofstream(path, std::ios::binary)
        .write(input.bytes.data(), static_cast<std::streamsize>(input.bytes.size()));
    return path.string();
}

LoadedText LoadText(const std::string& path) {
    LoadedText loaded;
    CXmlDocument::LoadTextFromFile(FromUtf8(path), loaded.text, nullptr, &loaded.flags);
    return loaded;
}

// ParseDocument on text already in memory: the text moves into a fresh document and back out, so
// neither move copies it and the time is the parse and the fresh index it grows.
void ParseOurs(LoadedText& loaded) {
    CXmlDocument doc;
    doc.SetText(std::move(loaded.text), loaded.flags);
    g_sink = g_sink + doc.ParseDocument();
    loaded.text = std::move(const_cast<WString&>(doc.Text()));  // the document is not const
}

// The same with the text copied in first, as a caller that keeps its own text would do.
void CopyAndParseOurs(const LoadedText& loaded) {
    CXmlDocument doc;
    doc.SetText(loaded.text, loaded.flags);
    g_sink = g_sink + doc.ParseDocument();
}

void LoadOurs(const std::string& path) {
    CXmlDocument doc;
    g_sink = g_sink + doc.LoadFromFile(FromUtf8(path));
}

int64_t ReadAllText(const CXmlDocument& doc) {
    int64_t total = 0;
    for (int32_t i = 1; i < doc.NextFree(); ++i) {
        total += static_cast<int64_t>(doc.GetElementText(i).size());
    }
    return total;
}

void ParsePugi(const std::string& bytes) {
    pugi::xml_document doc;
    g_sink = g_sink + PugiParse(doc, bytes);
}

void LoadPugi(const std::string& path) {
    pugi::xml_document doc;
    g_sink = g_sink + PugiLoad(doc, path);
}

struct PeerNanos {
    double ours = 0;
    double pugi = 0;
    double expat = 0;  // 0 = not measured
};

// Times ours and the peers by turns (expat may be absent).
PeerNanos Contest(std::function<void()> ours, std::function<void()> pugi,
                  std::function<void()> expat = nullptr) {
    const bool withExpat = static_cast<bool>(expat);
    std::vector<std::function<void()>> ops{std::move(ours), std::move(pugi)};
    if (withExpat) {
        ops.push_back(std::move(expat));
    }
    const std::vector<double> nanos = MedianNanosEach(ops);
    return PeerNanos{nanos[0], nanos[1], withExpat ? nanos[2] : 0};
}

double MegabytesPerSecond(size_t bytes, double nanos) {
    return static_cast<double>(bytes) / nanos * 1e9 / (1 << 20);
}

void PrintCell(const char* who, double nanos, const BenchInput& input) {
    std::printf(" | %-7s %8.1f ns/el %8.1f MB/s", who, nanos / static_cast<double>(input.elements),
                MegabytesPerSecond(input.bytes.size(), nanos));
}

void PrintRow(const char* label, const PeerNanos& t, const BenchInput& input) {
    std::printf("  %-18s", label);
    PrintCell("ours", t.ours, input);
    if (t.pugi > 0) {
        PrintCell("pugixml", t.pugi, input);
        std::printf(" x%.2f", t.ours / t.pugi);
    }
    if (t.expat > 0) {
        PrintCell("expat", t.expat, input);
        std::printf(" x%.2f", t.ours / t.expat);
    }
    std::printf("\n");
}

struct HeapFigure {
    int64_t peak = 0;
    int64_t retained = 0;  // still allocated when the operation ends (the loaded document)
};

template <typename Op>
HeapFigure MeasureHeap(Op op) {
    const int64_t base = HeapInUse();
    ResetHeapPeak();
    HeapFigure figure;
    op(figure, base);
    figure.peak = HeapPeak() - base;
    return figure;
}

struct Goals {
    std::vector<std::string> lines;
    void Add(const std::string& what, double value, double limit, const char* unit) {
        char line[256];
        std::snprintf(line, sizeof line, "  %-58s %8.2f %-6s (limit %.2f)  %s", what.c_str(), value, unit,
                      limit, value <= limit ? "met" : "MISSED");
        lines.push_back(line);
    }
};

void AddSpeedGoals(const BenchInput& input, const PeerNanos& parse, const PeerNanos& load, Goals& goals) {
    if (input.name.find("-1MB") != std::string::npos || input.name.find("-20MB") != std::string::npos) {
        goals.Add("ParseDocument ns/element vs pugixml parse, " + input.name, parse.ours / parse.pugi, 1.0,
                  "x");
    }
    if (input.name == "utf8-20MB") {
        goals.Add("LoadFromFile vs pugixml load_file, " + input.name, load.ours / load.pugi, 1.5, "x");
    }
}

void CheckCounts(const BenchInput& input, const CXmlDocument& doc, const pugi::xml_document& pugiDoc) {
    const ExpatOutcome expat = ExpatParse(input.bytes);
    const int64_t ours = doc.NextFree() - 1;
    const int64_t pugi = PugiElementCount(pugiDoc);
    if (ours != input.elements || pugi != input.elements || expat.elements != input.elements ||
        !doc.IsWellFormed() || !expat.wellFormed) {
        std::printf(
            "  WARNING: elements generated %lld, ours %lld (well-formed %d), pugixml %lld, expat %lld "
            "(well-formed %d)\n",
            static_cast<long long>(input.elements), static_cast<long long>(ours), doc.IsWellFormed(),
            static_cast<long long>(pugi), static_cast<long long>(expat.elements), expat.wellFormed);
    }
}

void PrintHeap(const BenchInput& input, const std::string& path, Goals& goals) {
    const double bytes = static_cast<double>(input.bytes.size());
    const HeapFigure ours = MeasureHeap([&](HeapFigure& figure, int64_t base) {
        CXmlDocument doc;
        doc.LoadFromFile(FromUtf8(path));
        figure.retained = HeapInUse() - base;
    });
    const HeapFigure pugi = MeasureHeap([&](HeapFigure& figure, int64_t base) {
        pugi::xml_document doc;
        PugiLoad(doc, path);
        figure.retained = HeapInUse() - base;
    });
    const HeapFigure expat = MeasureHeap([&](HeapFigure&, int64_t) { ExpatLoad(path); });
    std::printf(
        "  %-18s | ours    %6.2f B/B peak, %6.2f B/B kept | pugixml %6.2f B/B peak, %6.2f B/B kept"
        " | expat %6.3f B/B peak\n",
        "heap, load file", ours.peak / bytes, ours.retained / bytes, pugi.peak / bytes, pugi.retained / bytes,
        expat.peak / bytes);
    goals.Add("LoadFromFile peak heap per input byte, " + input.name, ours.peak / bytes, 3.1, "B/B");
}

void BenchSkinInput(const BenchInput& input, const std::string& path, Goals& goals) {
    std::printf("\n== %s: %zu bytes, %lld elements\n", input.name.c_str(), input.bytes.size(),
                static_cast<long long>(input.elements));
    LoadedText loaded = LoadText(path);

    const PeerNanos parse = Contest([&] { ParseOurs(loaded); }, [&] { ParsePugi(input.bytes); },
                                    [&] { g_sink = g_sink + ExpatParse(input.bytes).elements; });
    PrintRow("parse in memory", parse, input);
    const PeerNanos copyParse = Contest([&] { CopyAndParseOurs(loaded); }, [&] { ParsePugi(input.bytes); });
    PrintRow("copy + parse", copyParse, input);

    const PeerNanos load = Contest([&] { LoadOurs(path); }, [&] { LoadPugi(path); },
                                   [&] { g_sink = g_sink + ExpatLoad(path).elements; });
    PrintRow("load file", load, input);

    CXmlDocument doc;
    doc.SetText(loaded.text, loaded.flags);
    doc.ParseDocument();
    pugi::xml_document pugiDoc;
    PugiParse(pugiDoc, input.bytes);
    CheckCounts(input, doc, pugiDoc);
    const PeerNanos text = Contest([&] { g_sink = g_sink + ReadAllText(doc); },
                                   [&] { g_sink = g_sink + PugiReadAllText(pugiDoc); });
    PrintRow("every element text", text, input);
    PrintRow("parse + text", {parse.ours + text.ours, parse.pugi + text.pugi, parse.expat}, input);
    PrintRow("load + text", {load.ours + text.ours, load.pugi + text.pugi, load.expat}, input);
    PrintHeap(input, path, goals);
    AddSpeedGoals(input, parse, load, goals);
}

void BenchHostileInput(const BenchInput& input) {
    const WString text = FromUtf8(input.bytes);
    CXmlDocument doc;
    doc.SetText(text);
    const bool wellFormed = doc.ParseDocument();
    pugi::xml_document pugiDoc;
    const bool pugiOk = PugiParse(pugiDoc, input.bytes);
    const ExpatOutcome expat = ExpatParse(input.bytes);
    LoadedText loaded{text, 0};
    const PeerNanos parse = Contest([&] { ParseOurs(loaded); }, [&] { ParsePugi(input.bytes); },
                                    [&] { g_sink = g_sink + ExpatParse(input.bytes).elements; });
    std::printf("\n== %s: %zu bytes, %lld start tags\n", input.name.c_str(), input.bytes.size(),
                static_cast<long long>(input.elements));
    std::printf("  time per parse     | ours %9.3f ms (%d elements, well-formed %d, \"%s\")\n",
                parse.ours / 1e6, doc.NextFree() - 1, wellFormed, ToUtf8(doc.Report()).c_str());
    std::printf(
        "                     | pugixml %6.3f ms (ok %d) | expat %6.3f ms (ok %d, %lld elements seen)\n",
        parse.pugi / 1e6, pugiOk, parse.expat / 1e6, expat.wellFormed,
        static_cast<long long>(expat.elements));
}

// Freed heap stays with the process, so repeated runs reuse pages that are already mapped: the figures
// then show the parsers' work rather than the kernel's first touch of fresh pages, which on a sandboxed
// machine can cost more than the parse itself. The same holds for all three parsers.
void KeepHeapPages() {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
}

int RunReport(const std::string& only) {
    KeepHeapPages();
    const fs::path dir = fs::temp_directory_path() / ("dashwell-xml-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::printf(
        "XML reader benchmark. Time: median thread CPU time (user + system) of repeated runs.\n"
        "MB/s counts file bytes; ns/el is per element; xN = our time / peer time (above 1: slower).\n"
        "Ours parses the UTF-16 text of the file, the peers parse the file's bytes.\n"
        "Freed heap is kept between runs (mallopt), so pages are not faulted in afresh each run.\n"
        "Heap: bytes allocated per input byte, peak and kept after the load, counted through replaced\n"
        "operator new/delete, pugixml's allocation hooks and expat's memory suite.\n"
        "Inputs in %s\n",
        dir.string().c_str());
    Goals goals;
    for (const BenchInput& input : MakeAllInputs()) {
        if (input.name.find(only) == std::string::npos) {
            continue;
        }
        const std::string path = WriteInput(dir, input);
        if (input.name.rfind("hostile", 0) == 0) {
            BenchHostileInput(input);
        } else {
            BenchSkinInput(input, path, goals);
        }
        fs::remove(path);
    }
    fs::remove_all(dir);
    std::printf("\nGoals\n");
    for (const std::string& line : goals.lines) {
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

int WriteInputs(const char* dir) {
    fs::create_directories(dir);
    for (const BenchInput& input : MakeAllInputs()) {
        std::printf("%s\n", WriteInput(dir, input).c_str());
    }
    return 0;
}

}  // namespace

// callgrind.sh counts instructions only inside this function (--toggle-collect).
extern "C" __attribute__((noinline)) void BenchMeasuredOperation(const std::function<void()>& op) {
    op();
}

namespace {

std::function<void()> PrepareOne(const std::string& mode, const std::string& path) {
    if (mode == "parse") {
        return [loaded = LoadText(path)]() mutable { ParseOurs(loaded); };
    }
    if (mode == "copy-parse") {
        return [loaded = LoadText(path)] { CopyAndParseOurs(loaded); };
    }
    if (mode == "load") {
        return [path] { LoadOurs(path); };
    }
    if (mode == "text") {
        auto doc = std::make_shared<CXmlDocument>();
        doc->LoadFromFile(FromUtf8(path));
        return [doc] { g_sink = g_sink + ReadAllText(*doc); };
    }
    std::string bytes;
    if (std::ifstream file{path, std::ios::binary}) {
        bytes.assign(std::istreambuf_iterator<char>(file), {});
    }
    if (mode == "pugixml") {
        return [bytes] { ParsePugi(bytes); };
    }
    if (mode == "pugixml-load") {
        return [path] { LoadPugi(path); };
    }
    if (mode == "expat") {
        return [bytes] { g_sink = g_sink + ExpatParse(bytes).elements; };
    }
    if (mode == "expat-load") {
        return [path] { g_sink = g_sink + ExpatLoad(path).elements; };
    }
    return nullptr;
}

int RunOne(const std::string& mode, const std::string& path) {
    const std::function<void()> op = PrepareOne(mode, path);
    if (!op) {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    BenchMeasuredOperation(op);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CountPugixmlAllocations();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() <= 1 && (args.empty() || args[0].rfind("--", 0) != 0)) {
        return RunReport(args.empty() ? std::string() : args[0]);
    }
    if (args.size() == 2 && args[0] == "--write-inputs") {
        return WriteInputs(args[1].c_str());
    }
    if (args.size() == 3 && args[0] == "--one") {
        return RunOne(args[1], args[2]);
    }
    std::fprintf(stderr, "usage: xml_bench [INPUT_SUBSTRING | --write-inputs DIR | --one MODE FILE]\n");
    return 2;
}
