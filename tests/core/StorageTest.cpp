#include "host/core/ComError.h"
#include "host/storage/StatusCodec.h"
#include "host/storage/StorageElement.h"
#include "tests/support/Failures.h"
#include "tests/support/TempFiles.h"

#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace ostrel;

namespace {

TEST(StorageDocument, DetachedElementsMoveWhereTheyAreAppended)
{
    auto doc = StorageDocument::Create();
    StorageElement root = doc->CreateElement("ResultItem");
    doc->SetRoot(root);
    StorageElement detached = doc->CreateElement("Measurement");
    detached.SetAttribute("Key", "SYST");
    EXPECT_EQ(root.ChildCount(), 0);
    root.AppendChild(detached);
    ASSERT_EQ(root.ChildCount(), 1);
    EXPECT_EQ(root.Child(0).Attribute("Key"), "SYST");
    EXPECT_FALSE(root.Child(1));
    EXPECT_FALSE(root.Child(-1));
    // Elements never appended are not written.
    doc->CreateElement("Orphan");
    const QByteArray text = doc->ToText();
    EXPECT_FALSE(text.contains("Orphan")) << text.constData();
    EXPECT_FALSE(text.contains("ostrel.detached")) << text.constData();
    EXPECT_FALSE(doc->CreateElement("1bad"));
    EXPECT_FALSE(doc->CreateElement(""));
}

// The names of an element's children as Child(i) reads them and as Children() lists them.
QStringList childNames(const StorageElement& parent)
{
    QStringList byIndex;
    for (int i = 0; i < parent.ChildCount(); ++i)
        byIndex << parent.Child(i).Name();
    QStringList listed;
    for (const StorageElement& child : parent.Children())
        listed << child.Name();
    EXPECT_EQ(byIndex, listed);
    return byIndex;
}

TEST(StorageDocument, ChildrenReadAfterEveryChangeOfTheTree)
{
    auto doc = StorageDocument::Create();
    doc->SetRoot(doc->CreateElement("Sequence"));
    StorageElement root = doc->Root();
    root.SetText(" "); // text is not a child element
    EXPECT_EQ(childNames(root), QStringList());
    root.AddChild("A", "");
    EXPECT_EQ(childNames(root), QStringList({"A"}));
    StorageElement wrapper = doc->CreateElement("Wrapper");
    wrapper.AddChild("B", "");
    wrapper.AddChild("C", "text");
    EXPECT_EQ(childNames(wrapper), QStringList({"B", "C"}));
    // Moving children one by one out of a wrapper, as a save unwraps a core's data.
    while (wrapper.ChildCount() > 0)
        root.AppendChild(wrapper.Child(0));
    EXPECT_EQ(childNames(root), QStringList({"A", "B", "C"}));
    EXPECT_EQ(childNames(wrapper), QStringList());
    EXPECT_EQ(root.Child(2).Text(), "text");
    // Another handle on the same element sees the change.
    StorageElement same = doc->Root();
    same.AddChild("D", "");
    EXPECT_EQ(childNames(root), QStringList({"A", "B", "C", "D"}));
    // Appending a child to its own parent moves it to the end.
    root.AppendChild(root.Child(0));
    EXPECT_EQ(childNames(root), QStringList({"B", "C", "D", "A"}));

    // A new root frees the old tree; the new one lists its own children.
    StorageElement next = doc->CreateElement("Other");
    next.AddChild("X", "");
    doc->SetRoot(next);
    EXPECT_EQ(childNames(doc->Root()), QStringList({"X"}));
    for (int i = 0; i < 50; ++i)
        doc->Root().AddChild(QStringLiteral("N%1").arg(i), "");
    EXPECT_EQ(doc->Root().ChildCount(), 51);
    EXPECT_EQ(doc->Root().Child(50).Name(), "N49");

    // A load replaces the whole tree.
    doc->LoadText("<R><P/><Q><S/></Q><!-- note --><T/></R>");
    EXPECT_EQ(childNames(doc->Root()), QStringList({"P", "Q", "T"}));
    EXPECT_EQ(childNames(doc->Root().Child(1)), QStringList({"S"}));
    EXPECT_FALSE(StorageElement().Child(0));
    EXPECT_EQ(StorageElement().ChildCount(), 0);
}

// A loop over a long list reads the children of many other parents between two of its own
// reads, as loading a sequence does; moves between parents whose lists were read show in both.
TEST(StorageDocument, ChildListsStayRightWhileManyOthersAreRead)
{
    auto doc = StorageDocument::Create();
    doc->SetRoot(doc->CreateElement("Sequence"));
    StorageElement root = doc->Root();
    for (int i = 0; i < 40; ++i) {
        StorageElement element = root.AddChild(QStringLiteral("E%1").arg(i), "");
        for (const char* part : {"P", "Q", "R"})
            element.AddChild(part, "").AddChild(QStringLiteral("V%1").arg(i), "");
    }
    int inner = 0;
    for (int i = 0; i < root.ChildCount(); ++i) {
        const StorageElement element = root.Child(i);
        ASSERT_EQ(element.Name(), QStringLiteral("E%1").arg(i));
        for (int j = 0; j < element.ChildCount(); ++j)
            for (int k = 0; k < element.Child(j).ChildCount(); ++k)
                inner += element.Child(j).Child(k).Name() == QStringLiteral("V%1").arg(i) ? 1 : 0;
    }
    EXPECT_EQ(inner, 120);

    StorageElement first = root.Child(0);
    StorageElement second = root.Child(1);
    EXPECT_EQ(childNames(first), QStringList({"P", "Q", "R"}));
    EXPECT_EQ(childNames(second), QStringList({"P", "Q", "R"}));
    second.AppendChild(first.Child(1));
    EXPECT_EQ(childNames(first), QStringList({"P", "R"}));
    EXPECT_EQ(childNames(second), QStringList({"P", "Q", "R", "Q"}));
    EXPECT_EQ(second.Child(3).Child(0).Name(), "V0");
    EXPECT_EQ(root.ChildCount(), 40);
    EXPECT_EQ(root.Child(39).Name(), "E39");
}

TEST(StorageDocument, ElementsOfAnotherDocumentAreCopied)
{
    auto a = StorageDocument::Create();
    auto b = StorageDocument::Create();
    StorageElement root = a->CreateElement("Root");
    a->SetRoot(root);
    StorageElement foreign = b->CreateElement("ExpectedResult");
    foreign.AddChild("Standard", "IEC");
    root.AppendChild(foreign);
    EXPECT_EQ(root.FirstChild("ExpectedResult").FirstChild("Standard").Text(), "IEC");
    foreign.Rename("Renamed");
    EXPECT_EQ(root.Child(0).Name(), "ExpectedResult");
}

TEST(StorageDocument, FileRoundTripKeepsTextsExactly)
{
    ostrel::testing::TempFiles files;
    auto doc = StorageDocument::Create();
    StorageElement root = doc->CreateElement("PlugInData");
    doc->SetRoot(root);
    root.SetAttribute("PlugIn", "NB-4410");
    root.SetAttribute("Odd", "a \"b\" <c> & d\te\nf");
    const QString texts[] = {"line one\r\nline two", "   ", " padded ", "<&>]]>", QString::fromUtf8("Grüße ✓")};
    for (const QString& t : texts)
        root.AddChild("Comment", t);
    root.AddChild("Empty", "");
    doc->SaveFile(files.path("doc.xml"));

    auto back = StorageDocument::Create();
    back->LoadFile(files.path("doc.xml"));
    StorageElement r = back->Root();
    ASSERT_TRUE(r);
    EXPECT_EQ(r.Name(), "PlugInData");
    EXPECT_EQ(r.Attribute("PlugIn"), "NB-4410");
    EXPECT_EQ(r.Attribute("Odd"), "a \"b\" <c> & d\te\nf");
    EXPECT_EQ(r.Attribute("Absent"), "");
    ASSERT_EQ(r.ChildCount(), 6);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(r.Child(i).Text(), texts[i]) << i;
    EXPECT_EQ(r.Child(5).Text(), "");
}

TEST(StorageDocument, LoadErrorsNameTheFileAndPlace)
{
    ostrel::testing::TempFiles files;
    const QString path = files.write("broken.xml", "<a>\n  <b>\n</a>\n");
    auto doc = StorageDocument::Create();
    doc->SetRoot(doc->CreateElement("Kept"));
    const auto error = ostrel::testing::errorOf([&] { doc->LoadFile(path); });
    ASSERT_TRUE(error) << "a broken file was read";
    EXPECT_TRUE(error->description().contains("broken.xml")) << qPrintable(error->description());
    EXPECT_TRUE(error->description().contains("line 3")) << qPrintable(error->description());
    EXPECT_EQ(doc->Root().Name(), "Kept");
    EXPECT_THROW(doc->LoadFile(files.path("absent.xml")), ComError);
    EXPECT_THROW(doc->LoadText(""), ComError);
}

TEST(StatusCodec, StatusReadsBack)
{
    auto doc = StorageDocument::Create();
    for (std::int32_t status : {0, 1, 2, 3, -5, 2147483647}) {
        StorageElement e = StatusCodec::StatusToElement(doc, status, status == 2 ? "failed" : "");
        EXPECT_EQ(e.Name(), "Status");
        std::int32_t back = -1;
        QString text = "x";
        StatusCodec::ElementToStatus(e, back, text);
        EXPECT_EQ(back, status);
        EXPECT_EQ(text, status == 2 ? "failed" : "");
    }
}

TEST(StatusCodec, ValuesReadBackWithTheirTypes)
{
    VariantArray grid(2, 2);
    grid.at(0, 1) = Variant(0.1f);
    grid.at(1, 0) = Variant("a");
    const Variant values[] = {
        Variant(),
        Variant::null(),
        Variant(true),
        Variant(false),
        Variant(std::uint8_t{255}),
        Variant(std::int16_t{-32768}),
        Variant(std::int32_t{-2147483647 - 1}),
        Variant(0.1f),
        Variant(3.4028235e38f),
        Variant(1e-45f),
        Variant(16777215.0f),
        Variant(0.1 + 0.2),
        Variant(5e-324),
        Variant(std::numeric_limits<double>::infinity()),
        Variant(QString()),
        Variant("  text with <xml> & \r\n lines  "),
        Variant("12"),
        Variant(VariantArray{Variant(std::int32_t{1}), Variant("two"), Variant(VariantArray{})}),
        Variant(grid),
    };
    ostrel::testing::TempFiles files;
    auto doc = StorageDocument::Create();
    StorageElement root = doc->CreateElement("Values");
    doc->SetRoot(root);
    std::int32_t valueType = 0;
    for (const Variant& v : values)
        root.AppendChild(StatusCodec::ValueToElement(doc, v, valueType++));
    doc->SaveFile(files.path("values.xml"));
    auto back = StorageDocument::Create();
    back->LoadFile(files.path("values.xml"));
    ASSERT_EQ(back->Root().ChildCount(), static_cast<int>(std::size(values)));
    for (int i = 0; i < back->Root().ChildCount(); ++i) {
        Variant read;
        std::int32_t readType = -1;
        StatusCodec::ElementToValue(back->Root().Child(i), read, readType);
        EXPECT_EQ(read, values[i]) << i << ": " << qPrintable(values[i].text());
        EXPECT_EQ(readType, i);
    }
    // NaN is stored too, though it equals nothing.
    Variant nan;
    std::int32_t t = 0;
    StatusCodec::ElementToValue(StatusCodec::ValueToElement(doc, std::nan(""), 2), nan, t);
    EXPECT_TRUE(std::isnan(nan.toDouble()));
}

TEST(StatusCodec, RefusesValuesItCannotRead)
{
    auto doc = StorageDocument::Create();
    StorageElement e = doc->CreateElement("Value");
    e.SetAttribute("VarType", "Long");
    e.SetText("12abc");
    Variant v;
    std::int32_t t = 0;
    EXPECT_THROW(StatusCodec::ElementToValue(e, v, t), ComError);
    e.SetText("99999999999");
    EXPECT_THROW(StatusCodec::ElementToValue(e, v, t), ComError);
    e.SetAttribute("VarType", "Gizmo");
    EXPECT_THROW(StatusCodec::ElementToValue(e, v, t), ComError);
    EXPECT_THROW(StatusCodec::ValueToElement(doc, Variant(std::make_shared<IObject>()), 0), ComError);
}

} // namespace
