#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// The per-user key-value store on QSettings (an INI file below Paths::config()).
// Every caller opens the same file, so values written by one are read by the next.
namespace UserDefaults {

// Path of the store's file.
QString storePath();

// A fresh handle on the store. Cheap; QSettings caches and syncs per file.
std::unique_ptr<QSettings> open();

} // namespace UserDefaults
