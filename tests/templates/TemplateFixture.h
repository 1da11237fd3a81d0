#pragma once

#include "TestRoots.h"

#include "platform/Paths.h"

#include <QByteArray>
#include <QDir>
#include <QString>

// A private resource folder with templates and styles written by the test.
class TemplateFixture : public RootedTest
{
protected:
    void SetUp() override { Paths::setResources(res()); }

    QString res() const { return roots.root() + QStringLiteral("/res"); }
    QString appFiles(const QString &relative) const { return res() + QStringLiteral("/AppFiles/") + relative; }

    // One `property` element; `children` are further property elements.
    static QByteArray prop(const char *key, const char *value, const char *type = "pt_text",
                           const QByteArray &children = {}, const QByteArray &extraAttributes = {})
    {
        QByteArray xml = QByteArray("<property type=\"") + type + "\"" + extraAttributes + "><key>" + key +
                         "</key><title>" + key + "</title><desc/><value>" + value +
                         "</value><valueSource/><defaultValue/>";
        if (!children.isEmpty())
            xml += "<childProperties>" + children + "</childProperties>";
        return xml + "</property>";
    }

    static QByteArray metadata(const QByteArray &properties, const char *htmlPath = "index.html")
    {
        return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<template><info><htmlPath>") + htmlPath +
               "</htmlPath><swfPath>Main.swf</swfPath><defaultStyle>Blank</defaultStyle>"
               "<macAppFilesFolder>app</macAppFilesFolder><mobileTmplFilesPath>mobile</mobileTmplFilesPath>"
               "</info><properties>" +
               properties + "</properties></template>";
    }

    QString writeTemplate(const QString &name, const QByteArray &properties, const char *htmlPath = "index.html")
    {
        return writeRaw(name, metadata(properties, htmlPath));
    }
    QString writeRaw(const QString &name, const QByteArray &bytes)
    {
        return roots.writeFile(QStringLiteral("res/AppFiles/Templates/") + name + QStringLiteral("/flashTemplate.xml"),
                               bytes);
    }
    QString writeStyle(const QString &tmpl, const QString &style, const QByteArray &settings)
    {
        roots.writeFile(QStringLiteral("res/AppFiles/Styles/%1/%2/tmplSetting.txt").arg(tmpl, style), settings);
        return appFiles(QStringLiteral("Styles/%1/%2").arg(tmpl, style));
    }
};
