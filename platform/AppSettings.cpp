#include "platform/AppSettings.h"

#include "platform/Logging.h"
#include "platform/UserDefaults.h"

#include <QMutex>

#include <functional>
#include <vector>
#include <memory>

namespace {

const auto logger = Logging::logger("AppSettings");

constexpr const char *kImportTextKey = "importText";

QMutex gCreationLock;
std::unique_ptr<AppSettings> gSetting;

// The persisted fields, in declaration order: the store's keys are the names.
struct Field
{
    const char *key;
    bool isString;
    std::function<QVariant(const AppSettings &)> get;
    std::function<void(AppSettings &, const QVariant &)> set;
};

#define STRING_FIELD(name, setter)                                                                                     \
    Field                                                                                                              \
    {                                                                                                                  \
#name, true,                                                                                                   \
            [](const AppSettings &s) { return QVariant(s.name()); }, [](AppSettings & s,                               \
                                                                        const QVariant &v) { s.setter(v.toString()); } \
    }
#define INT_FIELD(name, setter)                                                                                        \
    Field                                                                                                              \
    {                                                                                                                  \
#name, false,                                                                                                  \
            [](const AppSettings &s) { return QVariant(s.name()); }, [](AppSettings & s,                               \
                                                                        const QVariant &v) { s.setter(v.toInt()); }    \
    }

const std::vector<Field> &fields()
{
    static const std::vector<Field> all = {
        STRING_FIELD(lastImportedFile, setLastImportedFile),
        INT_FIELD(importPageRangeType, setImportPageRangeType),
        STRING_FIELD(importPageRange, setImportPageRange),
        INT_FIELD(importQualityLevel, setImportQualityLevel),
        STRING_FIELD(lastOutputFileFolder, setLastOutputFileFolder),
        STRING_FIELD(lastOutputFileName, setLastOutputFileName),
        STRING_FIELD(lastOutputFileTitle, setLastOutputFileTitle),
        INT_FIELD(OutputCreateMobile, setOutputCreateMobile),
        INT_FIELD(MobileType, setMobileType),
        INT_FIELD(outputType, setOutputType),
        INT_FIELD(importBookmark, setImportBookmark),
        INT_FIELD(importLinks, setImportLinks),
        INT_FIELD(ImportType, setImportType),
        INT_FIELD(PageWidth, setPageWidth),
        INT_FIELD(PageHeight, setPageHeight),
    };
    return all;
}

} // namespace

AppSettings *AppSettings::shareInstance()
{
    QMutexLocker lock(&gCreationLock);
    if (!gSetting)
        gSetting.reset(new AppSettings());
    return gSetting.get();
}

void AppSettings::resetSharedInstance()
{
    QMutexLocker lock(&gCreationLock);
    gSetting.reset();
}

AppSettings::AppSettings()
{
    loadSettings();
    // Strings are never absent after start-up (loading keeps "" for a missing key).
    setPageWidth(1080);
    setPageHeight(1440);
}

void AppSettings::loadSettings()
{
    autoLoad();
}

void AppSettings::saveSettings()
{
    autoSave();
}

void AppSettings::autoLoad()
{
    const auto store = UserDefaults::open();
    if (store->status() != QSettings::NoError)
        LOG4CXX_WARN(logger, "user defaults cannot be read: " << UserDefaults::storePath());
    for (const Field &field : fields()) {
        const QVariant value = store->value(QString::fromLatin1(field.key));
        if (field.isString) {
            // An absent string clears the field; the value is taken as text
            // whatever type the store gives it.
            field.set(*this, value.isValid() ? QVariant(value.toString()) : QVariant(QString()));
            continue;
        }
        bool ok = false;
        const int number = value.toInt(&ok);
        if (ok)
            field.set(*this, number);
        else if (value.isValid())
            LOG4CXX_WARN(logger, "user default " << field.key << " is not a number; kept its value");
    }
    bool ok = false;
    const int text = store->value(QString::fromLatin1(kImportTextKey)).toInt(&ok);
    m_importText = ok && text == 0 ? 0 : 1;
}

void AppSettings::autoSave()
{
    const auto store = UserDefaults::open();
    for (const Field &field : fields())
        store->setValue(QString::fromLatin1(field.key), field.get(*this));
    store->setValue(QString::fromLatin1(kImportTextKey), m_importText);
    store->sync();
    if (store->status() != QSettings::NoError)
        LOG4CXX_WARN(logger, "user defaults cannot be written: " << UserDefaults::storePath());
}

int AppSettings::qualityForLevel(int level)
{
    static const int qualities[] = {100, 85, 65, 45, 25};
    return level >= 0 && level < 5 ? qualities[level] : 100;
}
