// The busy indicator draws each phase once and copies it afterwards: what it shows must still
// follow the phase, the running state and the colours it is given.
#include "host/run/XProgressSphere.h"

#include <QImage>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using ostrel::XProgressSphere;

QImage picture(XProgressSphere& sphere)
{
    return sphere.grab().toImage();
}

TEST(ProgressSphere, ShowsThePhaseTheStateAndTheColoursItIsGiven)
{
    XProgressSphere sphere;
    sphere.resize(32, 32);
    const QImage still = picture(sphere);

    sphere.Start();
    const QImage first = picture(sphere);
    EXPECT_NE(first, still);
    // The ring turns on its own timer: wait for the next phase.
    const int phase = sphere.Phase();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sphere.Phase() != phase; }, 2000));
    const QImage next = picture(sphere);
    EXPECT_NE(next, first);

    sphere.Stop();
    EXPECT_EQ(picture(sphere), still);

    QPalette palette = sphere.palette();
    palette.setColor(QPalette::Highlight, Qt::red);
    sphere.setPalette(palette);
    const QImage red = picture(sphere);
    EXPECT_NE(red, still);
    EXPECT_EQ(red.pixelColor(16, 16), still.pixelColor(16, 16)); // the background between the dots

    sphere.resize(48, 48);
    EXPECT_EQ(picture(sphere).size(), QSize(48, 48) * sphere.devicePixelRatioF());
}

} // namespace
