#include "publish/HTMLConfigInfo.h"
#include "publish/TextTemplate.h"

#include "TestRoots.h"

#include <gtest/gtest.h>

TEST(TextTemplate, fillsPlaceholdersAsTheScannerReadsThem)
{
    const std::pair<const char *, const char *> cases[] = {
        {"a${index.title}b", "aPreviewb"},
        {"a${x}b", "ab"},
        {"a${}b", "ab"},
        {"<b>${index.title}</b>${meta.keywords}!", "<b>Preview</b>k1,k2!"},
        {"no placeholder at all", "no placeholder at all"},
        // A missing closing brace makes the rest the key.
        {"a${index.title", "aPreview"},
        {"a${index.titl", "a"},
        // White space is dropped where the scanner skips it.
        {"\n\n  <html>", "<html>"},
        {"<meta>\n${meta.keywords}\n  next line", "<meta>\nk1,k2next line"},
        {"trailing space  \n", "trailing space  \n"},
        // Before the key white space is skipped; after it, it belongs to the key.
        {"a${  index.title}b", "aPreviewb"},
        {"a${index.title }b", "ab"},
        {"a${x y}b", "aspacedb"},
        // A placeholder with nothing before it ends the substitution.
        {"a${index.title}${meta.keywords} rest ${index.title}", "aPreview${meta.keywords} rest ${index.title}"},
        {"a${index.title} \n ${meta.keywords}", "aPreview${meta.keywords}"},
        {"  ${index.title} b ${meta.keywords}", "${index.title} b ${meta.keywords}"},
        // Values go in unescaped.
        {"<title>${html}</title>", "<title>A < B & C \u00e9</title>"},
    };
    for (const auto &[text, filled] : cases) {
        TextTemplate page(QString::fromUtf8(text));
        page.setItem(QStringLiteral("index.title"), QStringLiteral("Preview"));
        page.setItem(QStringLiteral("meta.keywords"), QStringLiteral("k1,k2"));
        page.setItem(QStringLiteral("x y"), QStringLiteral("spaced"));
        page.setItem(QStringLiteral("html"), QStringLiteral("A < B & C \u00e9"));
        EXPECT_EQ(page.parse(), QString::fromUtf8(filled)) << text;
    }
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
