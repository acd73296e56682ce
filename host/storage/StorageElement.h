#pragma once
// The host's storage document: an XML element tree (pugixml underneath). Elements are handles
// that keep their document alive. Every Save creates its element through the document
// (detached) and returns it; the caller appends it where it belongs.
// Child(i) and ChildCount() read a list of a parent's element children that the document
// keeps until that parent changes (for the few parents read last), so the usual index loop
// over n children costs O(n), also with loops nested inside it.
#include "host/contract/Forward.h"

#include <QString>
#include <memory>
#include <vector>

#include <pugixml.hpp>

namespace ostrel {

class StorageElement {
public:
    StorageElement() = default; // no element
    StorageElement(std::shared_ptr<StorageDocument> document, const pugi::xml_node& node);

    explicit operator bool() const { return static_cast<bool>(m_document) && static_cast<bool>(m_node); }
    bool isNull() const { return !*this; }

    std::shared_ptr<StorageDocument> Document() const { return m_document; }

    QString Name() const;
    void Rename(const QString& name);
    QString Attribute(const QString& name) const; // "" when absent
    bool HasAttribute(const QString& name) const;
    void SetAttribute(const QString& name, const QString& value);
    QString Text() const;
    void SetText(const QString& text);
    StorageElement AddChild(const QString& name, const QString& text); // appended, returned
    void AppendChild(const StorageElement& element); // moves a detached element (or copies one of another document)
    int ChildCount() const;
    StorageElement Child(int index) const; // 0-based; no element when out of range
    std::vector<StorageElement> Children() const; // the element children, in order
    StorageElement FirstChild(const QString& name) const;

    pugi::xml_node node() const { return m_node; }

private:
    std::shared_ptr<StorageDocument> m_document;
    pugi::xml_node m_node;
};

class StorageDocument : public std::enable_shared_from_this<StorageDocument> {
public:
    static std::shared_ptr<StorageDocument> Create();
    ~StorageDocument();

    // A new element, not yet placed in the tree; no element when it cannot be made.
    StorageElement CreateElement(const QString& name);

    StorageElement Root() const;            // no element for an empty document
    void SetRoot(const StorageElement& element);

    // Whole-document file access. Load fails with a ComError naming the file and the offset of
    // a parse error, and then leaves the document as it was; a successful load replaces the
    // whole tree (elements of the old tree are no longer valid). Save writes a temporary file
    // and renames it over the target.
    void LoadFile(const QString& path);
    void LoadText(const QByteArray& utf8);
    void SaveFile(const QString& path) const;
    QByteArray ToText() const;

    pugi::xml_document& xml();

private:
    friend class StorageElement;
    StorageDocument();
    void LoadBuffer(const QByteArray& content, const QString& what);
    // The element children of a node of this document, read once until the node changes.
    const std::vector<pugi::xml_node>& elementChildren(const pugi::xml_node& parent) const;
    void childrenChanged(const pugi::xml_node& parent) const; // a child was added or moved away
    void childAppended(const pugi::xml_node& parent, const pugi::xml_node& child) const;
    void writeTo(pugi::xml_writer& writer) const;
    void nodesRemoved() const;                                // nodes were freed: forget every list
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace ostrel
