#include "FakeGuide.h"

#include "host/core/MessageService.h"

#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QToolBar>

namespace ostrel::testing {

PerformScript guidedRun(GuideBehaviour behaviour)
{
    return [behaviour](FakeElement& element, const std::shared_ptr<IRunContext>& context) {
        QDialog window;
        window.setWindowTitle(QStringLiteral("TEST GUIDE"));
        auto* toolbar = new QToolBar(&window);
        toolbar->setObjectName(QStringLiteral("tbrPerform"));
        const auto add = [&](const char* key) {
            QAction* action = toolbar->addAction(QString::fromLatin1(key));
            action->setObjectName(QString::fromLatin1(key));
            return action;
        };
        QAction* abort = add("abort");
        QAction* next = add("next");
        QAction* play = add("play");
        QAction* stop = add("stop");
        play->setCheckable(true);
        next->setEnabled(false);
        stop->setEnabled(false);
        bool stopRequested = false;
        std::int32_t navigation = -1;
        bool performed = false;

        QObject::connect(play, &QAction::triggered, &window, [&] {
            play->setChecked(true);
            stop->setEnabled(true);
            next->setEnabled(false);
            stopRequested = false;
            performed = true;
            if (behaviour.confirmDuringRun)
                MessageService::instance().Confirm(QStringLiteral("Is the cuff attached?"), QStringLiteral("Ostrel"));
            QElapsedTimer clock;
            clock.start();
            while (!stopRequested && (behaviour.endless || clock.elapsed() < behaviour.runMs)) {
                QEventLoop loop;
                QTimer::singleShot(5, &loop, &QEventLoop::quit);
                loop.exec();
            }
            play->setChecked(false);
            stop->setEnabled(false);
            next->setEnabled(behaviour.enableNextAfterRun);
        });
        QObject::connect(stop, &QAction::triggered, &window, [&] { stopRequested = true; });
        QObject::connect(next, &QAction::triggered, &window, [&] {
            if (!next->isEnabled())
                return;
            navigation = 0;
            window.hide();
        });
        QObject::connect(abort, &QAction::triggered, &window, [&] {
            if (!MessageService::instance().Confirm(QStringLiteral("Abort the test?"), QStringLiteral("Ostrel")))
                return;
            stopRequested = true;
            navigation = 2;
            window.hide();
        });
        window.exec();

        if (navigation == 0 && performed) {
            auto& result = element.result();
            result.status = behaviour.status;
            result.measurements = {std::make_shared<FakeMeasurement>(QStringLiteral("DROP"), QStringLiteral("Pressure Drop"),
                                                                     Variant(behaviour.value), Variant(), QStringLiteral("mmHg"),
                                                                     behaviour.status)};
            context->ResultFinal(std::dynamic_pointer_cast<ITestElement>(element.shared_from_this()));
        }
        if (navigation >= 0)
            context->Navigate(navigation);
    };
}

} // namespace ostrel::testing
