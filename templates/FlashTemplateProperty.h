#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class XmlNode;
class FlashTemplateProperty;
using FlashTemplatePropertyPtr = std::shared_ptr<FlashTemplateProperty>;
using FlashTemplatePropertyList = QList<FlashTemplatePropertyPtr>;

// Type codes of a property; the number is what the editor switches on and what
// stored templates name through the keyword of the `type` attribute.
enum FlashTemplatePropertyType : int {
    pt_text = 0,
    pt_number = 1,
    pt_color = 2,
    pt_list = 3,
    pt_composite = 4,
    pt_file = 5,
    pt_list_fromFunction = 6,
    pt_form_security = 7,
    pt_font = 8,
    pt_form_contactabout = 9,
    pt_bool = 10,
};

// The type code of a keyword such as "pt_color" (exact case); 0 for anything else.
int flashTemplatePropertyTypeFromString(const QString &keyword);
// True when the upper-case text is exactly "YES", "SHOW", "ENABLE" or "TRUE".
bool valueAsBool(const QString &text);

// One node of a template's property tree: a key, the caption and help text the
// editor shows, a type that picks the editor, and a value that is always text.
// Text fields that can be absent (a missing element) say so through hasX();
// their getter then answers the empty text.
class FlashTemplateProperty : public std::enable_shared_from_this<FlashTemplateProperty>
{
public:
    FlashTemplateProperty() = default;

    // Fills the node from a `property` element (children from its
    // `childProperties`). Does nothing when the element is null or not named
    // "property". Missing required elements are logged and leave the field absent.
    void loadFromNode(const XmlNode &element);

    // The node whose children hold this one; null for a top-level node.
    FlashTemplatePropertyPtr parent() const { return m_parent.lock(); }
    void setParent(const FlashTemplatePropertyPtr &parent) { m_parent = parent; }

    int propertyType() const { return m_propertyType; }
    void setPropertyType(int type) { m_propertyType = type; }

    QString key() const { return m_key.value_or(QString()); }
    bool hasKey() const { return m_key.has_value(); }
    void setKey(const QString &key) { m_key = key; }

    // "Empty" until loaded.
    QString title() const { return m_title.value_or(QString()); }
    bool hasTitle() const { return m_title.has_value(); }
    void setTitle(const QString &title) { m_title = title; }

    // Caption beside a check box; the empty text when the element is absent.
    QString aTitle() const { return m_aTitle.value_or(QString()); }
    bool hasATitle() const { return m_aTitle.has_value(); }
    void setATitle(const QString &aTitle) { m_aTitle = aTitle; }

    QString desc() const { return m_desc.value_or(QString()); }

    // The title and help text in the user's language, for the property editor;
    // the shipped templates' texts are translated, others stay as written.
    QString displayTitle() const;
    QString displayDesc() const;
    bool hasDesc() const { return m_desc.has_value(); }
    void setDesc(const QString &desc) { m_desc = desc; }

    QString value() const { return m_value.value_or(QString()); }
    bool hasValue() const { return m_value.has_value(); }
    // Stores the text as it is (no "STYLE_RESOURCE:" expansion; that is the
    // template's setters' business). An empty text is a value, not an absence.
    void setValue(const QString &value) { m_value = value; }

    // Choices of a list ("a,b,c") or the file filter of a file ("Images|*.jpg;*.png").
    QString valueSource() const { return m_valueSource.value_or(QString()); }
    bool hasValueSource() const { return m_valueSource.has_value(); }
    void setValueSource(const QString &valueSource) { m_valueSource = valueSource; }

    QString defaultValue() const { return m_defaultValue.value_or(QString()); }
    bool hasDefaultValue() const { return m_defaultValue.has_value(); }
    void setDefaultValue(const QString &defaultValue) { m_defaultValue = defaultValue; }

    const FlashTemplatePropertyList &childProperties() const { return m_childProperties; }
    void setChildProperties(const FlashTemplatePropertyList &children) { m_childProperties = children; }
    // Appends and sets the child's parent to this node (when this node is shared).
    void addChildProperty(const FlashTemplatePropertyPtr &child);
    int childCount() const { return int(m_childProperties.size()); }

    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // valueAsBool of the value.
    bool boolValue() const { return valueAsBool(value()); }
    // The choices of a list: valueSource split at every "," (no trimming).
    QStringList listOptions() const;
    // File extensions (without dot) a file dialog offers for this node:
    // ";" removed, the part after the first "|" when there is one, split at
    // "*.", the empty piece before the first "*." dropped. Empty when none.
    QStringList fileExtensions() const;
    // The human part of the file filter (before "|"), e.g. "Images"; empty when none.
    QString fileFilterName() const;

private:
    std::weak_ptr<FlashTemplateProperty> m_parent;
    int m_propertyType = pt_text;
    std::optional<QString> m_key;
    std::optional<QString> m_title = QStringLiteral("Empty");
    std::optional<QString> m_aTitle;
    std::optional<QString> m_desc;
    std::optional<QString> m_value;
    std::optional<QString> m_valueSource;
    std::optional<QString> m_defaultValue;
    FlashTemplatePropertyList m_childProperties;
    bool m_readOnly = false;
};
