// The automatic operator on a blood-pressure window: after the run it reads the monitor's
// display ("OstrelSim.MonitorDisplay", here a stand-in registered in-process) and types each
// reading into the row of its key in the result view, then goes on. Readings that do not
// belong to the run, or no display at all, leave "next" disabled: the window is skipped at once,
// without the grace a window gets that may still enable "next" by itself.
#include "app/ostrel/AutoOperator.h"
#include "tests/support/app/FakeGuideWindow.h"
#include "tests/support/app/FakeMonitorDisplay.h"
#include "host/core/ClassTable.h"

#include <QAction>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace ostrel;
using nb4410sim::IMonitorDisplay;
using nb4410sim::MonitorDisplayState;
using ostrel::testing::FakeMonitorDisplay;
using ostrel::testing::shownState;

namespace {

struct WindowBehaviour {
    QStringList keys;               // the rows of the result view, in order
    bool startEditing = true;       // the edit box is on the first row after the run
    bool measurementBegins = true;  // the run starts a new measurement on the display
    bool measurementEnds = true;    // ... which completes
    MonitorDisplayState readings;   // what the display shows at the end
};

// A stand-in test-guide window with a result view that behaves as the blood-pressure view
// does: the edit box "txtEdit" edits the current row's last column, Return moves on, a click
// on a row's last column edits that row, and "next" is enabled once every row has a reading.
class FakeReadingWindow : public ostrel::testing::FakeGuideWindow {
public:
    explicit FakeReadingWindow(WindowBehaviour behaviour)
        : FakeGuideWindow({QStringLiteral("abort"), QStringLiteral("skip"), QStringLiteral("next"), QStringLiteral("play"),
                           QStringLiteral("stop")}),
          m_behaviour(std::move(behaviour)),
          m_play(Button(QStringLiteral("play"))),
          m_stop(Button(QStringLiteral("stop"))),
          m_next(Button(QStringLiteral("next")))
    {
        onPress = [this](const QString& key) { pressed(key); };
        m_next->setEnabled(false);
        m_stop->setEnabled(false);

        m_list = new QTreeWidget(this);
        m_list->setObjectName(QStringLiteral("lvwResult"));
        m_list->setColumnCount(5);
        Layout()->addWidget(m_list);
        for (const QString& key : m_behaviour.keys) {
            auto* row = new QTreeWidgetItem(m_list, QStringList{key + QStringLiteral(" reading"), {}, {}, {}, {}});
            row->setData(0, Qt::UserRole, key);
        }
        m_edit = new QLineEdit(m_list->viewport());
        m_edit->setObjectName(QStringLiteral("txtEdit"));
        m_edit->hide();
        m_edit->installEventFilter(this);
        connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (QTreeWidgetItem* row = m_list->currentItem())
                row->setText(kValueColumn, text);
            m_next->setEnabled(allEntered());
        });
        connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row, int column) {
            if (column == kValueColumn)
                beginEdit(row);
        });
        resize(600, 300);
        // However the operator behaves, the test does not hang.
        QTimer::singleShot(20000, this, [this] { pressed(QStringLiteral("abort")); });
    }

    QString reading(const QString& key) const
    {
        for (int i = 0; i < m_list->topLevelItemCount(); ++i)
            if (m_list->topLevelItem(i)->data(0, Qt::UserRole).toString() == key)
                return m_list->topLevelItem(i)->text(kValueColumn);
        return QStringLiteral("<no row>");
    }
    QString leftBy() const { return m_leftBy; }
    int returnKeys() const { return m_returnKeys; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_edit && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                ++m_returnKeys;
                const int index = m_list->indexOfTopLevelItem(m_list->currentItem());
                if (index + 1 < m_list->topLevelItemCount())
                    beginEdit(m_list->topLevelItem(index + 1));
                else
                    m_edit->hide();
                return true;
            }
        }
        return FakeGuideWindow::eventFilter(watched, event);
    }

private:
    static constexpr int kValueColumn = 4;

    void pressed(const QString& key)
    {
        if (key == QLatin1String("play"))
            run();
        else if (key != QLatin1String("stop")) {
            m_leftBy = key;
            accept();
        }
    }

    void run()
    {
        m_play->setChecked(true);
        m_stop->setEnabled(true);
        MonitorDisplayState& display = shownState();
        if (m_behaviour.measurementBegins)
            display = MonitorDisplayState{display.measurementNumber + 1};
        for (int turn = 0; turn < 3; ++turn) {
            QEventLoop loop;
            QTimer::singleShot(5, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (m_behaviour.measurementEnds) {
            const std::int32_t number = display.measurementNumber;
            display = m_behaviour.readings;
            display.measurementNumber = number;
            display.complete = true;
        }
        m_play->setChecked(false);
        m_stop->setEnabled(false);
        if (m_behaviour.startEditing && m_list->topLevelItemCount() > 0)
            beginEdit(m_list->topLevelItem(0));
    }

    void beginEdit(QTreeWidgetItem* row)
    {
        m_list->setCurrentItem(row);
        m_edit->setGeometry(m_list->visualItemRect(row));
        m_edit->setText(row->text(kValueColumn));
        m_edit->show();
        m_edit->selectAll();
    }

    bool allEntered() const
    {
        for (int i = 0; i < m_list->topLevelItemCount(); ++i)
            if (m_list->topLevelItem(i)->text(kValueColumn).isEmpty())
                return false;
        return true;
    }

    WindowBehaviour m_behaviour;
    QAction* m_play;
    QAction* m_stop;
    QAction* m_next;
    QTreeWidget* m_list;
    QLineEdit* m_edit;
    QString m_leftBy;
    int m_returnKeys = 0;
};

class AutoOperatorReadingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hadClass = ClassRegistry::instance().FindLocal(kProgId, &m_previous);
        ClassRegistry::instance().RegisterLocal(kProgId, ClassFactory{&createObject<FakeMonitorDisplay>, nullptr});
        shownState() = MonitorDisplayState{};
    }
    void TearDown() override
    {
        // Puts back what was there, unless the simulator's own library came in meanwhile.
        ClassFactory now;
        const bool stillMine = ClassRegistry::instance().FindLocal(kProgId, &now) && now.create == &createObject<FakeMonitorDisplay>;
        if (stillMine && m_hadClass)
            ClassRegistry::instance().RegisterLocal(kProgId, m_previous);
        else if (stillMine)
            ClassRegistry::instance().UnregisterLocal(kProgId);
    }
    void withoutDisplay() { ClassRegistry::instance().UnregisterLocal(kProgId); }

    // Runs the window under the operator; the operator's problems are returned. Where the
    // window must be skipped at once, the grace is longer than the window's own 20 s abort.
    static constexpr int kShortGraceMs = 300;
    static constexpr int kEndlessGraceMs = 600000;
    QStringList operate(FakeReadingWindow& window, int graceMs = kShortGraceMs)
    {
        AutoOperator automatic;
        automatic.SetNextWaitMs(graceMs);
        automatic.Start();
        window.exec();
        automatic.Stop();
        return automatic.Problems();
    }

    const QString kProgId = QString::fromLatin1(IMonitorDisplay::kProgId);
    bool m_hadClass = false;
    ClassFactory m_previous;
};

MonitorDisplayState displayOf(double sys, double dia, double map, double heartRate)
{
    MonitorDisplayState state;
    state.systolicMmHg = sys;
    state.diastolicMmHg = dia;
    state.mapMmHg = map;
    state.heartRateBpm = heartRate;
    return state;
}

TEST_F(AutoOperatorReadingsTest, TypesEachRowsReadingAndGoesOn)
{
    const QStringList all{QStringLiteral("SYST"), QStringLiteral("DIAS"), QStringLiteral("HART"), QStringLiteral("MAPR")};
    struct Case {
        const char* name;
        QStringList keys;
        bool startEditing;
        MonitorDisplayState readings;
        QStringList expected; // per key of keys
    };
    const Case cases[] = {
        {"preset rows", all, true, displayOf(121, 79, 93, 82), {"121", "79", "82", "93"}},
        {"independent rows, no MAP", all.mid(0, 3), true, displayOf(150, 100, 117, 75), {"150", "100", "75"}},
        {"rows in another order",
         {QStringLiteral("MAPR"), QStringLiteral("HART"), QStringLiteral("DIAS"), QStringLiteral("SYST")},
         true,
         displayOf(120, 80, 93, 60),
         {"93", "60", "80", "120"}},
        {"a reading with decimals", all, true, displayOf(120, 80, 93.5, 60), {"120", "80", "60", "93.5"}},
        {"the edit box is not open after the run", all, false, displayOf(118, 77, 91, 64), {"118", "77", "64", "91"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeReadingWindow window({.keys = c.keys, .startEditing = c.startEditing, .readings = c.readings});
        const QStringList problems = operate(window);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(window.leftBy(), QStringLiteral("next"));
        for (int i = 0; i < c.keys.size(); ++i)
            EXPECT_EQ(window.reading(c.keys[i]), c.expected[i]) << c.keys[i].toStdString();
        // Each reading is committed with Return, as typed at the keyboard.
        EXPECT_EQ(window.returnKeys(), c.keys.size());
    }
}

TEST_F(AutoOperatorReadingsTest, ReadingsThatAreNotThisRunsAreNotTyped)
{
    const QStringList keys{QStringLiteral("SYST"), QStringLiteral("DIAS"), QStringLiteral("HART")};
    struct Case {
        const char* name;
        bool begins;
        bool ends;
        const char* problem;
    };
    const Case cases[] = {
        // The display still shows an earlier measurement (the monitor never started one).
        {"an earlier measurement", false, true, "no readings of this run"},
        {"a measurement that did not end", true, false, "no readings of this run"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shownState() = displayOf(120, 80, 93, 80);
        shownState().complete = true;
        shownState().measurementNumber = 4;
        FakeReadingWindow window({.keys = keys, .measurementBegins = c.begins, .measurementEnds = c.ends,
                                  .readings = displayOf(130, 85, 100, 70)});
        const QStringList problems = operate(window, kEndlessGraceMs);
        EXPECT_EQ(window.leftBy(), QStringLiteral("skip"));
        for (const QString& key : keys)
            EXPECT_EQ(window.reading(key), QString()) << key.toStdString();
        ASSERT_FALSE(problems.isEmpty());
        EXPECT_TRUE(problems.join(QLatin1Char('\n')).contains(QLatin1String(c.problem)))
            << problems.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(AutoOperatorReadingsTest, ARowTheDisplayHasNoReadingForLeavesTheWindowToBeSkipped)
{
    FakeReadingWindow window({.keys = {QStringLiteral("SYST"), QStringLiteral("PULS")}, .readings = displayOf(120, 80, 93, 80)});
    const QStringList problems = operate(window, kEndlessGraceMs);
    EXPECT_EQ(window.leftBy(), QStringLiteral("skip"));
    EXPECT_EQ(window.reading(QStringLiteral("PULS")), QString());
    EXPECT_TRUE(problems.join(QLatin1Char('\n')).contains(QStringLiteral("no reading for \"PULS reading\"")))
        << problems.join(QLatin1Char('\n')).toStdString();
}

// An instrument other than the built-in simulator: nobody can read its monitor but a person.
TEST_F(AutoOperatorReadingsTest, WithoutAMonitorDisplayTheWindowIsSkippedAtOnceSayingWhy)
{
    withoutDisplay();
    const QStringList keys{QStringLiteral("SYST"), QStringLiteral("DIAS"), QStringLiteral("HART")};
    FakeReadingWindow window({.keys = keys, .readings = displayOf(120, 80, 93, 80)});
    const QStringList problems = operate(window, kEndlessGraceMs);
    EXPECT_EQ(window.leftBy(), QStringLiteral("skip"));
    for (const QString& key : keys)
        EXPECT_EQ(window.reading(key), QString()) << key.toStdString();
    const QString told = problems.join(QLatin1Char('\n'));
    EXPECT_TRUE(told.contains(QStringLiteral("--operator person"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("pressed skip"))) << told.toStdString();
}

} // namespace
