// The stored sequence: everything written comes back, and a document that cannot be read is
// refused whole, naming the place, without touching the document already open.
#include "FakeElement.h"

#include "app/ostrel/SequenceDocument.h"
#include "app/ostrel/SettingsDialog.h"
#include "app/ostrel/StandardsCatalog.h"
#include "host/contract/IStandards.h"
#include "host/core/ComError.h"
#include "host/results/LimitItem.h"
#include "host/results/Progress.h"
#include "host/results/Standard.h"

#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::testing;

namespace {

FakePlugIn& plugIn()
{
    static FakePlugIn instance;
    return instance;
}

ElementFactory factory()
{
    return [](const QString& plugInId, std::int32_t testId) -> TestElementPtr {
        if (plugInId != QLatin1String(FakePlugIn::kId))
            return nullptr;
        return plugIn().CreateTest(testId);
    };
}

std::shared_ptr<FakeElement> fake(const SequenceDocument& document, int index)
{
    return std::dynamic_pointer_cast<FakeElement>(document.Entry(index).element);
}

// Two elements with configuration, limits and a result, plus the sequence's own data.
std::unique_ptr<SequenceDocument> sampleDocument()
{
    auto document = std::make_unique<SequenceDocument>();
    document->SetTitle(QStringLiteral("Ward 3, monitor check"));
    document->SetDut({QStringLiteral("SN-0042"), QStringLiteral("Monitor X"), QStringLiteral("Ward 3"), QStringLiteral("A. Tech")});
    document->SetSelectedStandards({{QStringLiteral("AAMI"), QStringLiteral("AAMI SP10")}});
    auto mti = std::make_shared<MtiData>();
    mti->SetName(QStringLiteral("NB-4410"), 1);
    mti->SetValues(QStringLiteral("4410-17"), QStringLiteral("2.05"), QStringLiteral("NB-4410"));
    document->Instruments()->Add(mti);

    document->Add(plugIn().CreateTest(10));
    document->Add(plugIn().CreateTest(30));
    document->Rename(1, QStringLiteral("Leak, with \"quotes\" & <marks>"));
    document->SetEnabled(1, false);

    auto first = fake(*document, 0);
    first->config().setting = QStringLiteral("cuff only");
    auto standard = first->limits().CreateStandard(Variant(QStringLiteral("AAMI")), Variant(QStringLiteral("AAMI SP10")));
    auto item = std::make_shared<LimitItem>();
    item->Initialize(QStringLiteral("DROP"), QStringLiteral("mmHg"), QStringLiteral("5"), QStringLiteral("0.5"));
    standard->AddLimitItem(item);
    auto& result = first->result();
    result.status = 2;
    result.mtiId = 1;
    result.comment = QStringLiteral("cuff worn");
    result.measurements = {std::make_shared<FakeMeasurement>(QStringLiteral("DROP"), QStringLiteral("20371::Pressure Drop"),
                                                             Variant(7.25), Variant(3.0), QStringLiteral("mmHg"), 2, QStringLiteral("M"))};
    return document;
}

class SequenceDocumentTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(SequenceDocumentTest, EverythingStoredComesBack)
{
    auto original = sampleDocument();
    original->SaveAs(path(QStringLiteral("seq.xml")));
    EXPECT_FALSE(original->IsModified());

    auto progress = std::make_shared<Progress>();
    auto loaded = SequenceDocument::Load(path(QStringLiteral("seq.xml")), factory(), progress);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->IsModified());
    EXPECT_EQ(loaded->Title(), original->Title());
    EXPECT_EQ(loaded->Dut(), original->Dut());
    EXPECT_EQ(loaded->SelectedStandards(), original->SelectedStandards());

    ASSERT_EQ(loaded->Instruments()->Count(), 1);
    auto mti = loaded->Instruments()->Item(0);
    EXPECT_EQ(mti->Name(), QStringLiteral("NB-4410"));
    EXPECT_EQ(mti->Number(), 1);
    EXPECT_EQ(mti->SerialNo(), QStringLiteral("4410-17"));
    EXPECT_EQ(mti->FWVersion(), QStringLiteral("2.05"));

    ASSERT_EQ(loaded->Count(), 2);
    EXPECT_TRUE(loaded->Entry(0).enabled);
    EXPECT_FALSE(loaded->Entry(1).enabled);
    EXPECT_EQ(SequenceDocument::ElementName(loaded->Entry(1).element), QStringLiteral("Leak, with \"quotes\" & <marks>"));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(loaded->Entry(i).element->TestID(), original->Entry(i).element->TestID());
        EXPECT_EQ(loaded->Entry(i).element->ID(), original->Entry(i).element->ID());
    }
    EXPECT_NE(loaded->Entry(0).element->ID(), loaded->Entry(1).element->ID());

    auto first = fake(*loaded, 0);
    EXPECT_EQ(first->config().setting, QStringLiteral("cuff only"));
    ASSERT_TRUE(first->limits().standards);
    ASSERT_EQ(first->limits().standards->Count(), 1);
    auto standard = first->limits().standards->Item(0);
    EXPECT_EQ(standard->FullName(), QStringLiteral("AAMI SP10"));
    ASSERT_EQ(standard->LimitItems().size(), 1u);
    EXPECT_FLOAT_EQ(standard->LimitItems()[0]->Limit(0), 5.0f);
    EXPECT_FLOAT_EQ(standard->LimitItems()[0]->Limit(1), 0.5f);

    auto& result = first->result();
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.mtiId, 1);
    EXPECT_EQ(result.comment, QStringLiteral("cuff worn"));
    ASSERT_EQ(result.measurements.size(), 1u);
    EXPECT_DOUBLE_EQ(result.measurements[0]->value.toDouble(), 7.25);
    EXPECT_EQ(result.measurements[0]->flags, QStringLiteral("M"));

    // The element without a result stays without one.
    EXPECT_FALSE(loaded->Entry(1).element->Result());
}

TEST_F(SequenceDocumentTest, SavingReplacesTheFileWhole)
{
    auto document = sampleDocument();
    const QString file = path(QStringLiteral("seq.xml"));
    document->SaveAs(file);
    document->Remove(0);
    document->Save();
    auto loaded = SequenceDocument::Load(file, factory(), nullptr);
    EXPECT_EQ(loaded->Count(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("seq.xml")}); // no temporary left
}

// Each bad document is refused with a message naming the file and what is wrong.
struct BadDocument {
    const char* name;
    std::function<QByteArray(const QByteArray& good)> damage;
    const char* expectedInMessage;
};

TEST_F(SequenceDocumentTest, ABadDocumentIsRefusedNamingThePlace)
{
    const std::vector<BadDocument> cases = {
        {"cut short", [](const QByteArray& good) { return good.left(good.size() / 2); }, "seq.xml"},
        {"not xml", [](const QByteArray&) { return QByteArray("this is no document"); }, "seq.xml"},
        {"empty file", [](const QByteArray&) { return QByteArray(); }, "seq.xml"},
        {"another root",
         [](const QByteArray&) { return QByteArray("<TemplateData><TestElement/></TemplateData>"); }, "TemplateData"},
        {"unknown test",
         [](const QByteArray& good) {
             QByteArray bad = good;
             return bad.replace("TestID=\"30\"", "TestID=\"99\"");
         },
         "element 2"},
        {"test ID not a number",
         [](const QByteArray& good) {
             QByteArray bad = good;
             return bad.replace("TestID=\"10\"", "TestID=\"ten\"");
         },
         "element 1"},
        {"corrupted result",
         [](const QByteArray& good) {
             QByteArray bad = good;
             return bad.replace("Status=\"2\"", "Status=\"broken\"");
         },
         "result without status"},
        {"part of another kind",
         [](const QByteArray& good) {
             QByteArray bad = good;
             return bad.replace("<PlugInData", "<Surprise").replace("</PlugInData>", "</Surprise>");
         },
         "Surprise"},
    };
    auto good = sampleDocument();
    good->SaveAs(path(QStringLiteral("good.xml")));
    QFile goodFile(path(QStringLiteral("good.xml")));
    ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
    const QByteArray goodBytes = goodFile.readAll();

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakeLog().clear();
        const QString file = path(QStringLiteral("seq.xml"));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(c.damage(goodBytes));
        out.close();
        try {
            SequenceDocument::Load(file, factory(), nullptr);
            ADD_FAILURE() << "loaded";
        } catch (const ComError& failure) {
            EXPECT_TRUE(failure.description().contains(QString::fromUtf8(c.expectedInMessage))) << failure.description().toStdString();
        }
        // The elements made before the failure were terminated, not leaked.
        for (const auto& line : fakeLog())
            if (line.startsWith(QStringLiteral("perform")))
                ADD_FAILURE() << "performed while loading";
        // The document already open is untouched.
        EXPECT_EQ(good->Count(), 2);
        EXPECT_EQ(fake(*good, 0)->result().measurements.size(), 1u);
        EXPECT_FALSE(good->IsModified());
    }
}

TEST_F(SequenceDocumentTest, ElementsMadeForARefusedDocumentAreTerminated)
{
    auto good = sampleDocument();
    good->SaveAs(path(QStringLiteral("seq.xml")));
    QFile file(path(QStringLiteral("seq.xml")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    bytes.replace("TestID=\"30\"", "TestID=\"99\"");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    fakeLog().clear();
    EXPECT_THROW(SequenceDocument::Load(path(QStringLiteral("seq.xml")), factory(), nullptr), ComError);
    EXPECT_EQ(fakeLog(), std::vector<QString>{QStringLiteral("terminate 1")});
}

TEST_F(SequenceDocumentTest, EditingMarksTheDocumentModified)
{
    SequenceDocument document;
    document.Add(plugIn().CreateTest(10));
    document.Add(plugIn().CreateTest(20));
    document.Add(plugIn().CreateTest(30));
    document.SaveAs(path(QStringLiteral("seq.xml")));

    document.Move(0, 2);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.Entry(2).element->TestID(), 10);
    EXPECT_EQ(document.Entry(0).element->TestID(), 20);

    // IDs stay unique when an element is added after a removal.
    document.Remove(1);
    document.Add(plugIn().CreateTest(30));
    std::set<std::int32_t> ids;
    for (int i = 0; i < document.Count(); ++i)
        ids.insert(document.Entry(i).element->ID());
    EXPECT_EQ(ids.size(), 3u);
}

} // namespace

namespace {

TEST(SequenceStandards, ANewSequenceSelectsTheStandardsItsElementsCarryUntilOneIsChosen)
{
    QTemporaryDir dir;
    SequenceDocument document;
    EXPECT_TRUE(document.SelectedStandards().isEmpty());
    auto first = std::dynamic_pointer_cast<FakeElement>(plugIn().CreateTest(10));
    first->limits().CreateStandard(Variant("MINE"), Variant("My own limits"));
    first->limits().CreateStandard(Variant("EXAMPLE-A"), Variant("Example A"));
    auto second = std::dynamic_pointer_cast<FakeElement>(plugIn().CreateTest(20));
    second->limits().CreateStandard(Variant("MINE"), Variant("My own limits"));
    document.Add(first);
    document.Add(second);
    const QList<StandardRef> carried{{QStringLiteral("MINE"), QStringLiteral("My own limits")},
                                     {QStringLiteral("EXAMPLE-A"), QStringLiteral("Example A")}};
    EXPECT_EQ(document.SelectedStandards(), carried);
    EXPECT_FALSE(document.SelectionChosen());

    // The settings offer them beside the library's; the user-made one can be chosen.
    const StandardsCatalog catalog;
    SettingsDialog settings(catalog, document.SelectedStandards(), nullptr, &document);
    auto* list = settings.findChild<QListWidget*>(QStringLiteral("lstStandards"));
    ASSERT_TRUE(list);
    const auto mine = list->findItems(QStringLiteral("MINE - My own limits"), Qt::MatchExactly);
    ASSERT_EQ(mine.size(), 1);
    EXPECT_EQ(mine[0]->checkState(), Qt::Checked);
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i) != mine[0])
            list->item(i)->setCheckState(Qt::Unchecked);
    document.SetSelectedStandards(settings.SelectedStandards());
    EXPECT_EQ(document.SelectedStandards(), (QList<StandardRef>{carried[0]}));

    // The choice is stored, and the run resolves it to the elements' own standard.
    document.SaveAs(dir.filePath(QStringLiteral("chosen.xml")));
    auto loaded = SequenceDocument::Load(dir.filePath(QStringLiteral("chosen.xml")), factory(), nullptr);
    EXPECT_TRUE(loaded->SelectionChosen());
    EXPECT_EQ(loaded->SelectedStandards(), (QList<StandardRef>{carried[0]}));
    QList<StandardRef> unresolved;
    const auto resolved = catalog.Resolve(*loaded, &unresolved);
    ASSERT_EQ(resolved->Count(), 1);
    EXPECT_EQ(resolved->Item(0)->ShortName(), QStringLiteral("MINE"));
    EXPECT_TRUE(unresolved.isEmpty());

    // A standard no element carries judges nothing: it is named, not passed over.
    loaded->SetSelectedStandards({{QStringLiteral("EXAMPLE-B"), QStringLiteral("Example B")}});
    EXPECT_EQ(catalog.Resolve(*loaded, &unresolved)->Count(), 0);
    ASSERT_EQ(unresolved.size(), 1);
    EXPECT_EQ(unresolved[0].shortName, QStringLiteral("EXAMPLE-B"));
}

TEST(SequenceStandards, ElementsLoadedWithRefusedValuesAreNamed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("refused.xml"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<OstrelSequence Format="1"><Sequence>
  <Element PlugIn="FAKE" TestID="10" ID="3" Name="One" Enabled="yes"/>
  <Element PlugIn="FAKE" TestID="10" ID="3" Name="Two" Enabled="0"/>
  <Element PlugIn="FAKE" TestID="10" ID="4" Name="Three"/>
</Sequence></OstrelSequence>)");
    file.close();
    auto progress = std::make_shared<Progress>();
    auto document = SequenceDocument::Load(path, factory(), progress);
    ASSERT_EQ(document->Count(), 3);
    ASSERT_EQ(document->Problems().size(), 2) << document->Problems().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(document->Problems()[0].contains(QStringLiteral("element 1 \"One\": Enabled=\"yes\" is refused")))
        << document->Problems()[0].toStdString();
    EXPECT_TRUE(document->Problems()[1].contains(QStringLiteral("element 2 \"Two\": ID=\"3\" is refused")))
        << document->Problems()[1].toStdString();
    EXPECT_TRUE(document->Problems()[0].startsWith(QFileInfo(path).absoluteFilePath()));
    EXPECT_FALSE(document->Entry(1).enabled);
    EXPECT_TRUE(document->Entry(2).enabled); // no attribute: enabled, as before
    EXPECT_EQ(progress->WorstSeverity(), SequenceDocument::kRefusedSeverity);
}

} // namespace
