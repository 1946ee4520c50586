// The wait cursor: shown while a holder lives, nested holders hand back in turn, and the
// cursor from before comes back at the end.
#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <optional>

namespace {

std::optional<Qt::CursorShape> Override() {
    const QCursor* c = QGuiApplication::overrideCursor();
    return c ? std::optional(c->shape()) : std::nullopt;
}

TEST(BusyCursor, showsTheWaitCursorAndRestoresThePreviousOneNested) {
    ASSERT_EQ(Override(), std::nullopt);
    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    {
        BusyCursor outer;
        EXPECT_EQ(Override(), Qt::WaitCursor);
        {
            BusyCursor inner;
            EXPECT_EQ(Override(), Qt::WaitCursor);
        }
        EXPECT_EQ(Override(), Qt::WaitCursor);
    }
    EXPECT_EQ(Override(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    {
        BusyCursor alone;
        EXPECT_EQ(Override(), Qt::WaitCursor);
    }
    EXPECT_EQ(Override(), std::nullopt);
}

} // namespace
