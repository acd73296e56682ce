#pragma once
// One test sequence and everything stored with it: metadata, the device under test, the
// standards selected for it, the instruments used and the elements in order. Stored as one
// XML storage document; Save writes a temporary file and renames it over the target.
#include "DeviceUnderTest.h"

#include "host/contract/ITestElement.h"
#include "host/core/MtiData.h"
#include "host/results/PressureCurve.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace ostrel {

// Recreates an element of a plug-in by its test ID (IPlugIn::CreateTest in the application).
using ElementFactory = std::function<TestElementPtr(const QString& plugInId, std::int32_t testId)>;

struct SequenceEntry {
    TestElementPtr element;
    bool enabled = true;
    QDateTime started; // when the element's last run began and its result became final (UTC)
    QDateTime ended;
    PressureCurve curve; // of the run that gave the element's result; empty when none was charted
};

class SequenceDocument {
public:
    SequenceDocument();
    ~SequenceDocument(); // terminates its elements
    SequenceDocument(const SequenceDocument&) = delete;
    SequenceDocument& operator=(const SequenceDocument&) = delete;

    // Reads a whole document; on any failure nothing is returned and the error (a ComError)
    // names the file and the place: the parser's offset, or the element and its failure.
    static std::unique_ptr<SequenceDocument> Load(const QString& path, const ElementFactory& factory,
                                                  ProgressPtr progress);
    void SaveAs(const QString& path);
    void Save(); // to Path(); fails when the document has none

    QString Path() const { return m_path; }
    // What loading refused, one line each naming the file, the element, the field and what is
    // allowed: values no editor accepts, limits that are not finite numbers, an "Enabled" that
    // is neither "1" nor "0", duplicate element IDs. The window shows them as warnings; a
    // headless run refuses such a document.
    const QStringList& Problems() const { return m_problems; }
    // Progress entries at or above this severity are refusals.
    static constexpr std::int32_t kRefusedSeverity = 3;
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true) { m_modified = modified; }

    QString Title() const { return m_title; }
    void SetTitle(const QString& title);
    QDateTime Created() const { return m_created; }
    QDateTime Saved() const { return m_saved; }

    const DeviceUnderTest& Dut() const { return m_dut; }
    void SetDut(const DeviceUnderTest& dut);

    // The standards the run judges with. Until one is chosen (a new sequence), the standards
    // the elements carry, in the order of the elements: what the window shows is what is judged.
    QList<StandardRef> SelectedStandards() const;
    void SetSelectedStandards(const QList<StandardRef>& standards);
    bool SelectionChosen() const { return m_selectionChosen; }
    // The standards the elements' limits hold, each once, in the order of the elements.
    QList<StandardRef> ElementStandards() const;

    std::shared_ptr<InstrumentList> Instruments() const { return m_instruments; }

    int Count() const { return static_cast<int>(m_entries.size()); }
    const SequenceEntry& Entry(int index) const { return m_entries.at(static_cast<size_t>(index)); }
    // -1 when not in the sequence. The place where the element is expected (the one a run has
    // just started) is looked at first, so a run's look-ups do not walk the whole sequence.
    int IndexOf(const ITestElement* element, int expected = -1) const;
    // Appends (or inserts before index) and gives the element an ID unique in the sequence.
    void Add(TestElementPtr element, int index = -1);
    void Remove(int index); // terminates the element
    void Move(int from, int to);
    void SetEnabled(int index, bool enabled);
    void Rename(int index, const QString& name);
    void SetRunTimes(int index, const QDateTime& started, const QDateTime& ended);
    void SetCurve(int index, const PressureCurve& curve);

    static QString ElementName(const TestElementPtr& element); // the information's name, or "Test <ID>"

private:
    std::shared_ptr<StorageDocument> toStorage() const;
    void loadFrom(const StorageElement& root, const ElementFactory& factory, ProgressPtr progress);
    // Loads one element's data through a progress of its own, then passes its entries on to
    // progress; refusals become problems.
    void loadElement(const TestElementPtr& element, const StorageElement& stored, const QString& where, ProgressPtr progress);
    void refuse(const QString& where, const QString& why, const ProgressPtr& progress);
    std::int32_t nextElementId() const;

    QString m_path;
    QStringList m_problems;
    bool m_modified = false;
    QString m_title;
    QDateTime m_created;
    QDateTime m_saved;
    DeviceUnderTest m_dut;
    QList<StandardRef> m_standards;
    bool m_selectionChosen = false; // set by a choice and by loading a stored selection
    std::shared_ptr<InstrumentList> m_instruments;
    std::vector<SequenceEntry> m_entries;
};

} // namespace ostrel
