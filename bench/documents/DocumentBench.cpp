// Load, save and the reports of sequences of 10 to 5,000 elements, beside pugixml reading and
// writing the same bytes (the floor). The elements are the sample's six, each with the result
// of one run of the sample against the built-in simulator, repeated to the size wanted.
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/ReportBuilder.h"
#include "app/ostrel/ResultExporter.h"
#include "app/ostrel/RunCommand.h"
#include "app/ostrel/SequenceDocument.h"
#include "app/ostrel/SequenceResults.h"
#include "host/results/Progress.h"
#include "host/results/Report.h"
#include "host/storage/StorageElement.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>
#include <map>
#include <pugixml.hpp>
#include <sstream>

namespace bench {

namespace {

using namespace ostrel;

constexpr int kSizes[] = {10, 100, 1000, 5000};

// The sample run once (at a high time scale), its saved result repeated to each size.
class Corpus {
public:
    static Corpus& instance()
    {
        static Corpus corpus;
        return corpus;
    }

    std::shared_ptr<PlugInHost> host() const { return m_host; }
    bool valid() const { return !m_result.isEmpty(); }
    QString error() const { return m_error; }

    // A sequence of n elements with results; all disabled when enabled is false.
    QString file(int n, bool enabled = true)
    {
        const QString path = m_dir.filePath(QStringLiteral("seq-%1-%2.xml").arg(n).arg(enabled ? 1 : 0));
        if (!QFile::exists(path))
            write(path, n, enabled);
        return path;
    }
    QString scratch(const QString& name) const { return m_dir.filePath(name); }
    // The runs' history goes to a database of this run, not to the user's.
    QString database() const { return QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("history.sqlite")); }

    std::unique_ptr<SequenceDocument> load(int n, bool enabled = true)
    {
        return SequenceDocument::Load(file(n, enabled), m_host->Factory(), std::make_shared<Progress>());
    }

private:
    Corpus() : m_host(std::make_shared<PlugInHost>())
    {
        m_host->Load();
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        RunCommand command(outStream, errStream);
        command.UsePlugIn(m_host);
        const QString saved = m_dir.filePath(QStringLiteral("sample-result.xml"));
        command.Run(QStringList{QString::fromUtf8(OSTREL_SAMPLE), QStringLiteral("--operator"), QStringLiteral("auto"),
                                QStringLiteral("--sim-speed"), QStringLiteral("200"), QStringLiteral("--save"), saved,
                                QStringLiteral("--db"), database()});
        QFile file(saved);
        if (file.open(QIODevice::ReadOnly))
            m_result = file.readAll();
        if (m_result.isEmpty())
            m_error = QStringLiteral("the sample did not run: ") + err;
    }

    void write(const QString& path, int n, bool enabled) const
    {
        pugi::xml_document xml;
        xml.load_buffer(m_result.constData(), static_cast<size_t>(m_result.size()));
        pugi::xml_node sequence = xml.document_element().child("Sequence");
        std::vector<pugi::xml_node> originals;
        for (pugi::xml_node element : sequence.children("Element"))
            originals.push_back(element);
        pugi::xml_document copies;
        for (const pugi::xml_node& element : originals)
            copies.append_copy(element);
        for (const pugi::xml_node& element : originals)
            sequence.remove_child(element);
        std::vector<pugi::xml_node> kinds;
        for (pugi::xml_node element : copies.children("Element"))
            kinds.push_back(element);
        for (int i = 0; i < n; ++i) {
            pugi::xml_node element = sequence.append_copy(kinds[static_cast<size_t>(i) % kinds.size()]);
            element.attribute("ID").set_value(i + 1);
            const std::string name = std::string(element.attribute("Name").value()) + " " + std::to_string(i + 1);
            element.attribute("Name").set_value(name.c_str());
            element.attribute("Enabled").set_value(enabled ? "1" : "0");
        }
        xml.save_file(QFile::encodeName(path).constData());
    }

    QTemporaryDir m_dir;
    std::shared_ptr<PlugInHost> m_host;
    QByteArray m_result;
    QString m_error;
};

bool ready(benchmark::State& state)
{
    if (Corpus::instance().valid())
        return true;
    state.SkipWithError(Corpus::instance().error().toStdString().c_str());
    return false;
}

int size(const benchmark::State& state)
{
    return static_cast<int>(state.range(0));
}

// Peak resident memory since the last reset, in MiB (Linux).
double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The floor: pugixml parses the bytes of the file and writes them out again.
void BM_FloorParseWrite(benchmark::State& state)
{
    if (!ready(state))
        return;
    QFile file(Corpus::instance().file(size(state)));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        pugi::xml_document xml;
        xml.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()));
        std::ostringstream out;
        xml.save(out);
        benchmark::DoNotOptimize(out.str().size());
    }
}

void BM_Load(benchmark::State& state)
{
    if (!ready(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(Corpus::instance().load(size(state)));
}

void BM_Save(benchmark::State& state)
{
    if (!ready(state))
        return;
    auto document = Corpus::instance().load(size(state));
    const QString path = Corpus::instance().scratch(QStringLiteral("saved.xml"));
    for (auto _ : state)
        document->SaveAs(path);
}

// "ostrel run FILE --save OUT" with every element disabled: open, one line per element, the
// summary and the save; the per-element lines must not rebuild the whole document's results.
void BM_RunDisabledAndSave(benchmark::State& state)
{
    if (!ready(state))
        return;
    const QString input = Corpus::instance().file(size(state), false);
    const QString output = Corpus::instance().scratch(QStringLiteral("run-saved.xml"));
    for (auto _ : state) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        RunCommand command(outStream, errStream);
        command.UsePlugIn(Corpus::instance().host());
        benchmark::DoNotOptimize(command.Run(QStringList{input, QStringLiteral("--operator"), QStringLiteral("auto"),
                                                         QStringLiteral("--save"), output, QStringLiteral("--db"),
                                                         Corpus::instance().database()}));
    }
}

// What a run prints of a loaded document, and nothing else: each element's result read for
// its line (values only), the lines and the summary. Part of BM_RunDisabledAndSave, measured
// apart because no way of loading or saving can make the run cheaper than this.
void BM_RunLines(benchmark::State& state)
{
    if (!ready(state))
        return;
    auto document = Corpus::instance().load(size(state), false);
    const QList<StandardRef> selected = document->SelectedStandards();
    for (auto _ : state) {
        QString out;
        QTextStream stream(&out);
        std::vector<ElementResult> results;
        results.reserve(static_cast<size_t>(document->Count()));
        for (int i = 0; i < document->Count(); ++i) {
            const SequenceEntry& entry = document->Entry(i);
            results.push_back(SequenceResults::ForElement(entry.element, entry.enabled, i + 1, selected,
                                                          SequenceResults::Detail::ValuesOnly));
            stream << RunCommand::ElementLine(results.back(), document->Count()) << '\n';
        }
        stream << RunCommand::SummaryTable(results);
        stream.flush();
        benchmark::DoNotOptimize(out.size());
    }
}

// Reading the stored results that those lines show, and nothing else of the elements: each
// element takes its stored "ResultItem" again. A run cannot print the values without it.
void BM_LoadResults(benchmark::State& state)
{
    if (!ready(state))
        return;
    auto document = Corpus::instance().load(size(state), false);
    auto stored = StorageDocument::Create();
    stored->LoadFile(Corpus::instance().file(size(state), false));
    std::vector<StorageElement> results;
    for (const StorageElement& element : stored->Root().FirstChild(QStringLiteral("Sequence")).Children())
        results.push_back(element.FirstChild(QStringLiteral("ResultItem")));
    const auto progress = std::make_shared<Progress>();
    for (auto _ : state)
        for (int i = 0; i < document->Count() && i < static_cast<int>(results.size()); ++i)
            if (results[static_cast<size_t>(i)])
                document->Entry(i).element->Load(results[static_cast<size_t>(i)], progress);
}

void BM_Pdf(benchmark::State& state)
{
    if (!ready(state))
        return;
    auto document = Corpus::instance().load(size(state));
    const auto context = ReportBuilder::MakeContext(*document, nullptr);
    const QString path = Corpus::instance().scratch(QStringLiteral("report.pdf"));
    const double before = peakMiB();
    resetPeak();
    for (auto _ : state)
        ReportBuilder::Build(*document, context, false)->RenderPdf(path);
    state.counters["peak_MiB"] = peakMiB();
    state.counters["added_MiB"] = peakMiB() - before;
}

void BM_Html(benchmark::State& state)
{
    if (!ready(state))
        return;
    auto document = Corpus::instance().load(size(state));
    const auto context = ReportBuilder::MakeContext(*document, nullptr);
    const QString path = Corpus::instance().scratch(QStringLiteral("report.html"));
    for (auto _ : state) {
        const auto report = ReportBuilder::Build(*document, context, false);
        ResultExporter::WriteFile(path, [&](QIODevice& out) { report->WriteHtml(out); });
    }
}

void BM_Json(benchmark::State& state)
{
    if (!ready(state))
        return;
    auto document = Corpus::instance().load(size(state));
    const QString path = Corpus::instance().scratch(QStringLiteral("results.json"));
    for (auto _ : state)
        ResultExporter::WriteJson(path, *document);
}

void sizes(benchmark::internal::Benchmark* b)
{
    for (int n : kSizes)
        b->Arg(n);
    b->Unit(benchmark::kMillisecond)->UseRealTime()->ReportAggregatesOnly(true);
}

BENCHMARK(BM_FloorParseWrite)->Apply(sizes);
BENCHMARK(BM_Load)->Apply(sizes);
BENCHMARK(BM_Save)->Apply(sizes);
BENCHMARK(BM_RunDisabledAndSave)->Apply(sizes);
BENCHMARK(BM_RunLines)->Apply(sizes);
BENCHMARK(BM_LoadResults)->Apply(sizes);
BENCHMARK(BM_Pdf)->Apply(sizes);
BENCHMARK(BM_Html)->Apply(sizes);
BENCHMARK(BM_Json)->Apply(sizes);

} // namespace

} // namespace bench
