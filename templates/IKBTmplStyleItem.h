#pragma once

#include <QImage>
#include <QString>

// One style in the template chooser's gallery: its preview picture, the path
// of that picture (the item's identity and the chooser's result) and its name.
struct IKBTmplStyleItem
{
    QImage image; // null when shot.jpg is missing or unreadable
    QString imageID;
    QString styleName;

    const QString &imageUID() const { return imageID; }
    const QString &imageTitle() const { return styleName; }
};
