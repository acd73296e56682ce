#include "FakeGuide.h"

#include "host/core/MessageService.h"
#include "tests/support/app/FakeGuideWindow.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace ostrel::testing {

PerformScript guidedRun(GuideBehaviour behaviour)
{
    return [behaviour](FakeElement& element, const std::shared_ptr<IRunContext>& context) {
        FakeGuideWindow window({QStringLiteral("abort"), QStringLiteral("next"), QStringLiteral("play"), QStringLiteral("stop")});
        QAction* next = window.Button(QStringLiteral("next"));
        QAction* play = window.Button(QStringLiteral("play"));
        QAction* stop = window.Button(QStringLiteral("stop"));
        next->setEnabled(false);
        stop->setEnabled(false);
        bool stopRequested = false;
        std::int32_t navigation = -1;
        bool performed = false;

        const auto run = [&] {
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
        };
        window.onPress = [&](const QString& key) {
            if (key == QLatin1String("play")) {
                run();
            } else if (key == QLatin1String("stop")) {
                stopRequested = true;
            } else if (key == QLatin1String("next")) {
                navigation = 0;
                window.hide();
            } else if (key == QLatin1String("abort")) {
                if (!MessageService::instance().Confirm(QStringLiteral("Abort the test?"), QStringLiteral("Ostrel")))
                    return;
                stopRequested = true;
                navigation = 2;
                window.hide();
            }
        };
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
