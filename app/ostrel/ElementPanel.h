#pragma once
// The selected element's three panes: its configuration editor and its limits editor (the
// plug-in's dialogs docked through IDialog), and its result (status, measurements with value,
// unit and limits, and the result's own dialog for the comment). Standards of the library can
// be copied into the element's limits.
#include "DeviceUnderTest.h"

#include "host/contract/IDialog.h"
#include "host/contract/ITestElement.h"

#include <QList>
#include <QTabWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace ostrel {

class StandardsCatalog;

class ElementPanel : public QTabWidget {
    Q_OBJECT
public:
    ElementPanel(const StandardsCatalog& standards, QWidget* parent = nullptr);
    ~ElementPanel() override;

    // nullptr shows nothing. selection: the sequence's standards, for the limits column.
    void ShowElement(TestElementPtr element, const QList<StandardRef>& selection);
    void RefreshResult();
    void SetLocked(bool locked);
    TestElementPtr Element() const { return m_element; }

    QTableWidget* Measurements() const { return m_grdMeasurements; }
    QLabel* StatusLabel() const { return m_lblStatus; }
    QPlainTextEdit* CommentBox() const { return m_txtComment; }

signals:
    // A docked editor reported a change, or a standard was added to the limits.
    void Modified();

private:
    QScrollArea* makePane(const QString& objectName);
    DialogPtr dock(DialogPtr dialog, QWidget* pane, QLabel* placeholder);
    void dropDialogs();
    void showConfiguration();
    void showLimits();
    void addStandardFromLibrary();
    bool fillMeasurements(); // true when the element has a result
    void showComment();
    void commentEdited();
    void changed(const QString& eventName);

    const StandardsCatalog& m_standards;
    TestElementPtr m_element;
    QList<StandardRef> m_selection;
    DialogPtr m_configDialog;
    DialogPtr m_limitsDialog;
    DialogPtr m_resultDialog;
    QWidget* m_configPane;
    QLabel* m_lblNoConfiguration;
    QWidget* m_limitsPane;
    QLabel* m_lblNoLimits;
    QComboBox* m_cboLibrary;
    QPushButton* m_cmdAddStandard;
    QLabel* m_lblStatus;
    QTableWidget* m_grdMeasurements;
    QPlainTextEdit* m_txtComment;
    bool m_showingComment = false;
    bool m_locked = false;
    QWidget* m_resultPane;
    QLabel* m_lblNoResultDialog;
};

} // namespace ostrel
