#include "TestRoots.h"
#include "platform/Clock.h"
#include "platform/FileCopy.h"
#include "platform/NotificationCenter.h"
#include "platform/Paths.h"
#include "platform/PdfRasterizer.h"
#include "platform/ProcessRunner.h"
#include "platform/Xml.h"

#include <QFileInfo>
#include <QThread>

TEST(Clock, StampUsesTheWeekBasedYear)
{
    const QDateTime midDecember(QDate(2026, 12, 5), QTime(14, 37, 59));
    EXPECT_EQ(Clock::stamp(midDecember), QStringLiteral("051226143759"));
    // 31 December 2024 lies in week 1 of 2025; 1 January 2027 in week 53 of 2026.
    EXPECT_EQ(Clock::stamp(QDateTime(QDate(2024, 12, 31), QTime(0, 0, 1))), QStringLiteral("311225000001"));
    EXPECT_EQ(Clock::stamp(QDateTime(QDate(2027, 1, 1), QTime(23, 5, 0))), QStringLiteral("010126230500"));
}

TEST(NotificationCenter, DeliversToObserversOfTheNameOnThePostingThread)
{
    QList<QVariantMap> seen;
    Qt::HANDLE thread = nullptr;
    {
        ScopedObserver observer(QStringLiteral("Ping"), [&](const Notification &n) {
            seen.append(n.userInfo);
            thread = QThread::currentThreadId();
        });
        ScopedObserver other(QStringLiteral("Pong"), [&](const Notification &) { ADD_FAILURE(); });
        // A std::thread rather than a QThread: its join() is visible to
        // ThreadSanitizer, QThread::wait() (inside Qt) is not.
        std::thread worker([] {
            NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("Ping"), nullptr,
                                                                     {{QStringLiteral("pageIndex"), 1}});
        });
        worker.join();
        EXPECT_NE(thread, QThread::currentThreadId());
    }
    NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("Ping"));
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen.first().value(QStringLiteral("pageIndex")).toInt(), 1);
}

TEST(NotificationCenter, ObserverMayRemoveItselfWhileHandling)
{
    int calls = 0;
    auto observer = std::make_unique<ScopedObserver>();
    *observer = ScopedObserver(QStringLiteral("Once"), [&](const Notification &) {
        ++calls;
        observer.reset();
    });
    NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("Once"));
    NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("Once"));
    EXPECT_EQ(calls, 1);
}

TEST(Paths, JoinNeverDoublesOrTrailsSeparators)
{
    EXPECT_EQ(Paths::join(QStringLiteral("/base/"), QStringLiteral("/Tomefold/preview/")),
              QStringLiteral("/base/Tomefold/preview"));
    EXPECT_EQ(Paths::join(QStringLiteral("/base"), QStringLiteral("x")), QStringLiteral("/base/x"));
    EXPECT_EQ(Paths::join(QStringLiteral("/"), QString()), QStringLiteral("/"));
}

TEST(Xml, ParsesStrictlyOrTolerantlyAndSerialisesCData)
{
    QString error;
    EXPECT_TRUE(XmlDocument::parse("<a><b>", false, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    const XmlDocument recovered = XmlDocument::parseTolerant("<a><b x='1'>t</b>");
    ASSERT_FALSE(recovered.isNull());
    EXPECT_EQ(recovered.root().child(QStringLiteral("b")).attribute(QStringLiteral("x")), QStringLiteral("1"));
    EXPECT_TRUE(XmlDocument::parseTolerant(QByteArray("\x00\x01\x02", 3)).isNull());
    EXPECT_TRUE(XmlDocument::parse(QByteArray()).isNull());

    XmlDocument doc = XmlDocument::create(QStringLiteral("data"));
    doc.root().addCData(QStringLiteral("a]]>b"));
    doc.root().addChild(QStringLiteral("t"), QStringLiteral("<&> ü"));
    const XmlDocument back = XmlDocument::parse(doc.toBytes());
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.root().child(QStringLiteral("t")).text(), QStringLiteral("<&> ü"));
    EXPECT_TRUE(back.root().text().startsWith(QStringLiteral("a]]>b")));
}

TEST(Xml, ExternalEntitiesAreNotLoaded)
{
    const XmlDocument doc =
        XmlDocument::parse("<!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><a>&x;</a>", true);
    ASSERT_FALSE(doc.isNull());
    EXPECT_FALSE(doc.root().text().contains(QStringLiteral("root:")));
}

TEST(ProcessRunner, ReportsOutputExitAndMissingPrograms)
{
    const ProcessResult ok =
        ProcessRunner::run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("printf '12|34'; exit 3")});
    EXPECT_TRUE(ok.started);
    EXPECT_EQ(ok.exitCode, 3);
    EXPECT_EQ(ok.standardOutput, QByteArray("12|34"));
    EXPECT_FALSE(ok.ok());
    EXPECT_FALSE(ProcessRunner::run(QStringLiteral("/no/such/program"), {}).started);
    const ProcessResult slow = ProcessRunner::run(QStringLiteral("/bin/sleep"), {QStringLiteral("5")}, 100);
    EXPECT_TRUE(slow.timedOut);
}

// A copy cut short by the kernel (here a file-size limit, as on a full disk)
// fails with the system's reason and leaves nothing; a copy never replaces.
TEST(FileCopy, CopiesWholeOrNothingAndSaysWhy)
{
    TestRoots roots;
    const QString from = roots.writeFile(QStringLiteral("big.bin"), QByteArray(200000, 'x'));
    const QString to = roots.root() + QStringLiteral("/copy.bin");
    QString why;
    EXPECT_TRUE(underFileSizeLimit(65536, [&] { return !FileCopy::copy(from, to, &why); }));
    EXPECT_EQ(why, QStringLiteral("File too large"));
    EXPECT_FALSE(QFileInfo::exists(to));
    ASSERT_TRUE(FileCopy::copy(from, to, &why));
    EXPECT_EQ(readAll(to), readAll(from));
    EXPECT_FALSE(FileCopy::copy(from, to, &why));
    EXPECT_EQ(why, QStringLiteral("File exists"));
}

TEST(PdfRasterizer, HalfImageIsTheRoundedMeanOfEachTwoByTwo)
{
    // Odd sides: the last column and row count twice.
    QImage image(37, 5, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, quint32(x + 1) * 2654435761U ^ quint32(y + 1) * 40503U);
    const QImage half = PdfRasterizer::halfImage(image);
    ASSERT_EQ(half.size(), QSize(19, 3));
    for (int y = 0; y < half.height(); ++y)
        for (int x = 0; x < half.width(); ++x)
            for (int shift : {0, 8, 16, 24}) {
                quint32 sum = 2;
                for (int d : {0, 1, 2, 3})
                    sum += (image.pixel(std::min(2 * x + d % 2, 36), std::min(2 * y + d / 2, 4)) >> shift) & 0xff;
                EXPECT_EQ((half.pixel(x, y) >> shift) & 0xff, sum / 4) << x << "," << y << "," << shift;
            }
}
