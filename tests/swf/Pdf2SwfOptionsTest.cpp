#include "Pdf2SwfOptions.h"

#include <gtest/gtest.h>

TEST(Pdf2SwfOptions, AcceptsValuesAsSeparateArguments)
{
    QString error;
    const auto o = Pdf2SwfOptions::parse({QStringLiteral("-o"), QStringLiteral("out.swf"), QStringLiteral("-p"),
                                          QStringLiteral("7"), QStringLiteral("-s"), QStringLiteral("jpegquality=0"),
                                          QStringLiteral("in.pdf")},
                                         error);
    ASSERT_TRUE(o) << error.toStdString();
    EXPECT_EQ(o->page, 7);
    EXPECT_EQ(o->jpegQuality, 1) << "quality 0 is the lowest the encoder takes";
    EXPECT_EQ(o->zoom, 72.0);
}

TEST(Pdf2SwfOptions, RefusesWhatCannotBeDoneWithAReason)
{
    const QStringList base{QStringLiteral("in.pdf"), QStringLiteral("-oout.swf")};
    const QList<QStringList> bad{
        {QStringLiteral("-oout.swf")},
        {QStringLiteral("in.pdf")},
        base + QStringList{QStringLiteral("-p 2-5")},
        base + QStringList{QStringLiteral("-p 0-0")},
        base + QStringList{QStringLiteral("-p x")},
        base + QStringList{QStringLiteral("-s jpegquality=101")},
        base + QStringList{QStringLiteral("-s zoom=0")},
        base + QStringList{QStringLiteral("-s zoom=abc")},
        base + QStringList{QStringLiteral("other.pdf")},
        base + QStringList{QStringLiteral("-p")},
    };
    for (const QStringList &args : bad) {
        QString error;
        EXPECT_FALSE(Pdf2SwfOptions::parse(args, error)) << args.join(u' ').toStdString();
        EXPECT_FALSE(error.isEmpty()) << args.join(u' ').toStdString();
    }
}
