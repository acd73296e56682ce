#include "StorageElement.h"

#include "host/core/ComError.h"

#include <QFile>
#include <QSaveFile>
#include <array>
#include <cstdint>

namespace ostrel {

namespace {

constexpr char kSource[] = "ostrel.StorageDocument";
// Detached elements live under this node of the document until they are appended somewhere;
// it is never written out.
constexpr const char* kHolderName = "ostrel.detached";
// Whitespace-only text is kept when it is an element's only content, and line ends are read
// as written, so that every stored text reads back unchanged.
constexpr unsigned kParseOptions = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata_single;

// A text as pugixml takes it: UTF-8 with a terminating zero. Names and most values are short
// ASCII, converted a character a byte on the stack; the rest goes through QString's UTF-8.
class Utf8 {
public:
    explicit Utf8(const QString& text)
    {
        const qsizetype size = text.size();
        if (size < kOnStack) {
            const QChar* chars = text.constData();
            qsizetype i = 0;
            for (; i < size && chars[i].unicode() < 0x80; ++i)
                m_stack[i] = static_cast<char>(chars[i].unicode());
            if (i == size) {
                m_stack[size] = '\0';
                m_text = m_stack;
                return;
            }
        }
        m_heap = text.toUtf8();
        m_text = m_heap.constData();
    }
    Utf8(const Utf8&) = delete;
    Utf8& operator=(const Utf8&) = delete;

    const char* constData() const { return m_text; }

private:
    static constexpr qsizetype kOnStack = 128;
    char m_stack[kOnStack];
    QByteArray m_heap;
    const char* m_text = nullptr;
};

Utf8 utf8(const QString& text)
{
    return Utf8(text);
}

QString fromUtf8(const char* text)
{
    return QString::fromUtf8(text);
}

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char(':');
}

bool isValidName(const QString& name)
{
    if (name.isEmpty() || !isNameStart(name.front()))
        return false;
    for (QChar c : name)
        if (!(isNameStart(c) || c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.')))
            return false;
    return true;
}

[[noreturn]] void invalidName(const QString& name)
{
    throw ComError(kE_InvalidArg, kSource, QStringLiteral("\"%1\" is not a valid element or attribute name").arg(name), 1);
}

// "line 3, column 7 (offset 42)" of a byte offset in a buffer.
QString describeOffset(const QByteArray& buffer, std::ptrdiff_t offset)
{
    const qsizetype end = std::clamp<qsizetype>(offset, 0, buffer.size());
    int line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < end; ++i) {
        if (buffer[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return QStringLiteral("line %1, column %2 (offset %3)").arg(line).arg(end - lineStart + 1).arg(offset);
}

} // namespace

// ---- elements ------------------------------------------------------------------------------

StorageElement::StorageElement(std::shared_ptr<StorageDocument> document, const pugi::xml_node& node)
    : m_document(std::move(document)), m_node(node)
{
}

QString StorageElement::Name() const
{
    return fromUtf8(m_node.name());
}

void StorageElement::Rename(const QString& name)
{
    if (!isValidName(name))
        invalidName(name);
    m_node.set_name(utf8(name).constData());
}

QString StorageElement::Attribute(const QString& name) const
{
    return fromUtf8(m_node.attribute(utf8(name).constData()).value());
}

bool StorageElement::HasAttribute(const QString& name) const
{
    return static_cast<bool>(m_node.attribute(utf8(name).constData()));
}

void StorageElement::SetAttribute(const QString& name, const QString& value)
{
    if (!*this)
        return;
    if (!isValidName(name))
        invalidName(name);
    const Utf8 key(name);
    pugi::xml_attribute attribute = m_node.attribute(key.constData());
    if (!attribute)
        attribute = m_node.append_attribute(key.constData());
    attribute.set_value(utf8(value).constData());
}

QString StorageElement::Text() const
{
    return fromUtf8(m_node.text().get());
}

void StorageElement::SetText(const QString& text)
{
    if (*this)
        m_node.text().set(utf8(text).constData());
}

StorageElement StorageElement::AddChild(const QString& name, const QString& text)
{
    if (!*this)
        return {};
    if (!isValidName(name))
        invalidName(name);
    pugi::xml_node child = m_node.append_child(utf8(name).constData());
    m_document->childAppended(m_node, child);
    if (!text.isEmpty())
        child.text().set(utf8(text).constData());
    return {m_document, child};
}

void StorageElement::AppendChild(const StorageElement& element)
{
    if (!*this || !element)
        return;
    pugi::xml_node placed;
    if (element.m_document == m_document) {
        // Its old parent's list is read again (also when that parent is this element).
        m_document->childrenChanged(element.m_node.parent());
        placed = m_node.append_move(element.m_node);
    } else {
        placed = m_node.append_copy(element.m_node);
    }
    m_document->childAppended(m_node, placed);
}

int StorageElement::ChildCount() const
{
    if (!*this)
        return 0;
    return static_cast<int>(m_document->elementChildren(m_node).size());
}

StorageElement StorageElement::Child(int index) const
{
    if (!*this || index < 0)
        return {};
    const std::vector<pugi::xml_node>& children = m_document->elementChildren(m_node);
    if (static_cast<size_t>(index) >= children.size())
        return {};
    return {m_document, children[static_cast<size_t>(index)]};
}

std::vector<StorageElement> StorageElement::Children() const
{
    std::vector<StorageElement> children;
    if (!*this)
        return children;
    for (const pugi::xml_node& child : m_document->elementChildren(m_node))
        children.emplace_back(m_document, child);
    return children;
}

StorageElement StorageElement::FirstChild(const QString& name) const
{
    pugi::xml_node child = m_node.child(utf8(name).constData());
    return child ? StorageElement(m_document, child) : StorageElement();
}

// ---- the document --------------------------------------------------------------------------

struct StorageDocument::Impl {
    // Held by pointer: a freshly parsed tree takes the place of the old one without a copy.
    std::unique_ptr<pugi::xml_document> document = std::make_unique<pugi::xml_document>();

    pugi::xml_node holder;

    // The element children of a few parents read lately. A loop over a long list of children
    // reads many short lists below each child between two of its own reads, so room is made
    // by dropping the shortest list (the least recently used of equals): the long list of
    // the outer loop stays, and a list read again is a short one. Slots keep their storage,
    // and a lookup is a scan of a few addresses: a walk over a large document allocates
    // nothing here and hashes nothing. A slot is valid only while no node is freed (see
    // nodesRemoved).
    struct ChildList {
        const pugi::xml_node_struct* parent = nullptr;
        std::vector<pugi::xml_node> children;
        std::uint64_t used = 0;
    };
    static constexpr size_t kChildLists = 8;
    std::array<ChildList, kChildLists> lists;
    std::uint64_t uses = 0;

    pugi::xml_document& xml() { return *document; }

    ChildList* find(const pugi::xml_node_struct* parent)
    {
        for (ChildList& list : lists)
            if (list.parent == parent && parent) {
                list.used = ++uses;
                return &list;
            }
        return nullptr;
    }

    ChildList& read(const pugi::xml_node& parent)
    {
        ChildList* room = &lists[0];
        for (ChildList& list : lists) {
            if (!list.parent) {
                room = &list;
                break;
            }
            const size_t size = list.children.size();
            if (size < room->children.size() || (size == room->children.size() && list.used < room->used))
                room = &list;
        }
        room->parent = parent.internal_object();
        room->used = ++uses;
        room->children.clear();
        for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
            if (child.type() == pugi::node_element)
                room->children.push_back(child);
        return *room;
    }

    void forget(const pugi::xml_node_struct* parent)
    {
        for (ChildList& list : lists)
            if (list.parent == parent) {
                list.parent = nullptr;
                list.used = 0;
            }
    }

    void forgetAll()
    {
        for (ChildList& list : lists) {
            list.parent = nullptr;
            list.used = 0;
        }
    }

    void ensureHolder()
    {
        holder = xml().child(kHolderName);
        if (!holder)
            holder = xml().append_child(kHolderName);
    }
};

StorageDocument::StorageDocument() : m_impl(std::make_unique<Impl>())
{
    m_impl->ensureHolder();
}

StorageDocument::~StorageDocument() = default;

std::shared_ptr<StorageDocument> StorageDocument::Create()
{
    return std::shared_ptr<StorageDocument>(new StorageDocument());
}

pugi::xml_document& StorageDocument::xml()
{
    return m_impl->xml();
}

const std::vector<pugi::xml_node>& StorageDocument::elementChildren(const pugi::xml_node& parent) const
{
    if (Impl::ChildList* list = m_impl->find(parent.internal_object()))
        return list->children;
    return m_impl->read(parent).children;
}

void StorageDocument::childAppended(const pugi::xml_node& parent, const pugi::xml_node& child) const
{
    // A list already read grows by the child; one not read yet is read in full when asked for.
    if (!child || !parent)
        return;
    for (Impl::ChildList& list : m_impl->lists)
        if (list.parent == parent.internal_object())
            list.children.push_back(child);
}

void StorageDocument::childrenChanged(const pugi::xml_node& parent) const
{
    m_impl->forget(parent.internal_object());
}

void StorageDocument::nodesRemoved() const
{
    m_impl->forgetAll();
}

StorageElement StorageDocument::CreateElement(const QString& name)
{
    if (!isValidName(name))
        return {};
    pugi::xml_node node = m_impl->holder.append_child(utf8(name).constData());
    childAppended(m_impl->holder, node);
    if (!node)
        return {};
    return {shared_from_this(), node};
}

StorageElement StorageDocument::Root() const
{
    for (pugi::xml_node child = m_impl->xml().first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && child != m_impl->holder)
            return {std::const_pointer_cast<StorageDocument>(shared_from_this()), child};
    return {};
}

void StorageDocument::SetRoot(const StorageElement& element)
{
    if (!element)
        return;
    pugi::xml_node old = Root().node();
    if (element.Document().get() == this)
        childrenChanged(element.node().parent());
    pugi::xml_node placed = element.Document().get() == this ? m_impl->xml().append_move(element.node())
                                                             : m_impl->xml().append_copy(element.node());
    childrenChanged(m_impl->xml());
    if (old && old != placed) {
        m_impl->xml().remove_child(old);
        nodesRemoved();
    }
}

void StorageDocument::LoadText(const QByteArray& utf8Text)
{
    LoadBuffer(utf8Text, QStringLiteral("the document"));
}

void StorageDocument::LoadBuffer(const QByteArray& content, const QString& what)
{
    auto parsed = std::make_unique<pugi::xml_document>();
    const pugi::xml_parse_result result =
        parsed->load_buffer(content.constData(), static_cast<size_t>(content.size()), kParseOptions, pugi::encoding_auto);
    if (!result)
        throw ComError(kE_Fail, kSource,
                       QStringLiteral("%1 cannot be read: %2 at %3")
                           .arg(what, fromUtf8(result.description()), describeOffset(content, result.offset)),
                       1);
    if (!parsed->document_element())
        throw ComError(kE_Fail, kSource, QStringLiteral("%1 holds no element").arg(what), 1);
    m_impl->document = std::move(parsed);
    nodesRemoved();
    m_impl->ensureHolder();
}

void StorageDocument::LoadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ComError(kErrFileNotFound, kSource, QStringLiteral("\"%1\" cannot be opened: %2").arg(path, file.errorString()), 1);
    LoadBuffer(file.readAll(), QStringLiteral("\"%1\"").arg(path));
}

void StorageDocument::writeTo(pugi::xml_writer& writer) const
{
    static constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    writer.write(kDeclaration, sizeof(kDeclaration) - 1);
    for (pugi::xml_node child = m_impl->xml().first_child(); child; child = child.next_sibling()) {
        if (child == m_impl->holder || child.type() == pugi::node_declaration)
            continue;
        child.print(writer, "  ", pugi::format_default, pugi::encoding_utf8);
    }
}

QByteArray StorageDocument::ToText() const
{
    struct Writer : pugi::xml_writer {
        QByteArray text;
        void write(const void* data, size_t size) override
        {
            text.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
        }
    } writer;
    writeTo(writer);
    return writer.text;
}

void StorageDocument::SaveFile(const QString& path) const
{
    QSaveFile file(path); // a temporary file renamed over the target on commit
    if (!file.open(QIODevice::WriteOnly))
        throw ComError(kE_Fail, kSource, QStringLiteral("\"%1\" cannot be written: %2").arg(path, file.errorString()), 1);
    // Written to the file as it is printed: a large document is never held twice in memory.
    struct Writer : pugi::xml_writer {
        QSaveFile& file;
        bool failed = false;
        explicit Writer(QSaveFile& target) : file(target) {}
        void write(const void* data, size_t size) override
        {
            const auto length = static_cast<qint64>(size);
            failed = failed || file.write(static_cast<const char*>(data), length) != length;
        }
    } writer(file);
    writeTo(writer);
    if (writer.failed || !file.commit())
        throw ComError(kE_Fail, kSource, QStringLiteral("\"%1\" cannot be written: %2").arg(path, file.errorString()), 1);
}

} // namespace ostrel
