// The cuff pressure a leak and an over-pressure run chart in the test guide: run headless by the
// automatic operator against the built-in simulator, kept by the host beside each element's
// data, saved and loaded again unchanged, and drawn in the PDF and HTML reports.
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/RunCommand.h"
#include "host/contract/IResultData.h"
#include "host/core/ComError.h"
#include "host/storage/StorageElement.h"
#include "tests/support/PdfText.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The stored curves of the document's elements, in order (empty for an element without one).
std::vector<PressureCurve> storedCurves(const QString& path)
{
    auto storage = StorageDocument::Create();
    storage->LoadFile(path);
    std::vector<PressureCurve> curves;
    for (const StorageElement& element : storage->Root().FirstChild(QStringLiteral("Sequence")).Children())
        curves.push_back(PressureCurve::Load(element.FirstChild(QLatin1String(PressureCurve::kElement))));
    return curves;
}

TEST(PressureCurveRunTest, ARunsCurveReachesTheDocumentAndTheReport)
{
    auto host = std::make_shared<PlugInHost>();
    ASSERT_NO_THROW(host->Load()); // a plug-in that does not load is a failure, not a reason to skip
    QTemporaryDir dir;
    const auto file = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    {
        SequenceDocument document;
        document.SetTitle(QStringLiteral("Curve check"));
        for (std::int32_t testId : {300, 400, 200})
            document.Add(host->CreateElement(QStringLiteral("NB-4410"), testId));
        document.SaveAs(file("sequence.xml"));
    }
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    RunCommand command(out, err);
    command.UsePlugIn(host);
    const int status = command.Run(QStringList{file("sequence.xml"), QStringLiteral("--operator"), QStringLiteral("auto"),
                                    QStringLiteral("--sim-speed"), QStringLiteral("200"), QStringLiteral("--save"), file("result.xml"),
                                    QStringLiteral("--report"), file("report.pdf"), QStringLiteral("--html"), file("report.html")});
    ASSERT_NE(status, RunCommand::kExitError) << output.toStdString() << errors.toStdString();

    // The leak and over-pressure runs are charted; the cuff-volume reply carries no pressure.
    const std::vector<PressureCurve> curves = storedCurves(file("result.xml"));
    ASSERT_EQ(curves.size(), 3u);
    for (int i : {0, 1}) {
        const PressureCurve& curve = curves[static_cast<size_t>(i)];
        ASSERT_GT(curve.Count(), 2) << "element " << i;
        EXPECT_LE(curve.Count(), PressureCurve::kMaxPoints);
        for (int p = 1; p < curve.Count(); ++p)
            EXPECT_GT(curve.Points()[static_cast<size_t>(p)].ms, curve.Points()[static_cast<size_t>(p - 1)].ms);
        // The cuff was pumped up: the curve is the run's, not a line of zeros.
        EXPECT_GT(curve.PeakMmHg(), 50.0) << "element " << i;
    }
    EXPECT_TRUE(curves[2].IsEmpty());

    // Loaded and saved again, the curves are the same; the elements' own data loads as before.
    auto loaded = SequenceDocument::Load(file("result.xml"), host->Factory(), nullptr);
    ASSERT_EQ(loaded->Count(), 3);
    EXPECT_EQ(loaded->Entry(0).curve, curves[0]);
    EXPECT_EQ(loaded->Entry(1).curve, curves[1]);
    EXPECT_NE(loaded->Entry(0).element->Result()->Status(), 0);
    loaded->SaveAs(file("again.xml"));
    EXPECT_EQ(storedCurves(file("again.xml"))[0], curves[0]);

    // The HTML report draws the curve as SVG; the PDF's chart carries its caption and axes.
    const QString html = QString::fromUtf8(readFile(file("report.html")));
    EXPECT_EQ(html.count(QStringLiteral("<polyline")), 2);
    EXPECT_EQ(html.count(QStringLiteral("Cuff pressure over time")), 2);
    OSTREL_SKIP_WITHOUT_PDFTOTEXT();
    // Compatibility form: the PDF's font sets "ff" as one ligature glyph.
    const QString text = ostrel::testing::pdfText(file("report.pdf"), {}).normalized(QString::NormalizationForm_KC);
    EXPECT_EQ(text.count(QStringLiteral("Cuff pressure over time")), 2) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Time (s)")), 2) << text.toStdString();
}

} // namespace
