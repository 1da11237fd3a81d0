#include "publish/HTMLConfigInfo.h"
#include "publish/TextTemplate.h"

#include "TestRoots.h"

#include <gtest/gtest.h>

namespace {
QString fill(const QString &text)
{
    TextTemplate page(text);
    page.setItem(QStringLiteral("index.title"), QStringLiteral("Preview"));
    page.setItem(QStringLiteral("meta.keywords"), QStringLiteral("k1,k2"));
    page.setItem(QStringLiteral("x y"), QStringLiteral("spaced"));
    return page.parse();
}
} // namespace

TEST(TextTemplate, substitutesPlaceholders)
{
    EXPECT_EQ(fill(QStringLiteral("a${index.title}b")), QStringLiteral("aPreviewb"));
    EXPECT_EQ(fill(QStringLiteral("a${x}b")), QStringLiteral("ab"));
    EXPECT_EQ(fill(QStringLiteral("a${}b")), QStringLiteral("ab"));
    EXPECT_EQ(fill(QStringLiteral("<b>${index.title}</b>${meta.keywords}!")), QStringLiteral("<b>Preview</b>k1,k2!"));
    EXPECT_EQ(fill(QStringLiteral("no placeholder at all")), QStringLiteral("no placeholder at all"));
    // A missing closing brace makes the rest the key.
    EXPECT_EQ(fill(QStringLiteral("a${index.title")), QStringLiteral("aPreview"));
    EXPECT_EQ(fill(QStringLiteral("a${index.titl")), QStringLiteral("a"));
}

TEST(TextTemplate, dropsWhiteSpaceWhereTheScannerSkipsIt)
{
    EXPECT_EQ(fill(QStringLiteral("\n\n  <html>")), QStringLiteral("<html>"));
    EXPECT_EQ(fill(QStringLiteral("<meta>\n${meta.keywords}\n  next line")), QStringLiteral("<meta>\nk1,k2next line"));
    EXPECT_EQ(fill(QStringLiteral("trailing space  \n")), QStringLiteral("trailing space  \n"));
    // Before the key white space is skipped; after it, it belongs to the key.
    EXPECT_EQ(fill(QStringLiteral("a${  index.title}b")), QStringLiteral("aPreviewb"));
    EXPECT_EQ(fill(QStringLiteral("a${index.title }b")), QStringLiteral("ab"));
    EXPECT_EQ(fill(QStringLiteral("a${x y}b")), QStringLiteral("aspacedb"));
}

TEST(TextTemplate, aPlaceholderWithNothingBeforeItEndsTheSubstitution)
{
    EXPECT_EQ(fill(QStringLiteral("a${index.title}${meta.keywords} rest ${index.title}")),
              QStringLiteral("aPreview${meta.keywords} rest ${index.title}"));
    EXPECT_EQ(fill(QStringLiteral("a${index.title} \n ${meta.keywords}")), QStringLiteral("aPreview${meta.keywords}"));
    EXPECT_EQ(fill(QStringLiteral("  ${index.title} b ${meta.keywords}")),
              QStringLiteral("${index.title} b ${meta.keywords}"));
}

TEST(TextTemplate, insertsValuesUnescaped)
{
    TextTemplate page(QStringLiteral("<title>${index.title}</title>"));
    page.setItem(QStringLiteral("index.title"), QStringLiteral("A < B & C \u00e9"));
    EXPECT_EQ(page.parse(), QStringLiteral("<title>A < B & C \u00e9</title>"));
}

TEST_F(RootedTest, htmlPageIsFilledAndWrittenAsUtf8)
{
    const QString source =
        roots.writeFile(QStringLiteral("page.html"),
                        "\n<html><title>${index.title}</title>\n<meta name=\"keywords\" content=\"${meta.keywords}\">"
                        "<meta name=\"description\" content=\"${meta.description}\"></html>");
    HTMLConfigInfo info;
    info.setHTMLTitle(QStringLiteral("L\u00e9gende"));
    const QString out = roots.root() + QStringLiteral("/out.html");
    ASSERT_TRUE(info.generateHTMLFrom(source, out));
    EXPECT_EQ(QString::fromUtf8(readAll(out)),
              QStringLiteral("<html><title>L\u00e9gende</title>\n<meta name=\"keywords\" content=\"Quirefold,page "
                             "flip,flipping-book\"><meta name=\"description\" content=\"") +
                  info.HTMLDescription() + QStringLiteral("\"></html>"));

    // An unreadable page writes nothing and leaves an existing file alone.
    roots.writeFile(QStringLiteral("keep.html"), "old");
    EXPECT_FALSE(info.generateHTMLFrom(roots.root() + QStringLiteral("/missing.html"),
                                       roots.root() + QStringLiteral("/keep.html")));
    EXPECT_EQ(readAll(roots.root() + QStringLiteral("/keep.html")), QByteArray("old"));
}
