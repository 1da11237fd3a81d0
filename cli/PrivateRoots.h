#pragma once

#include <QString>
#include <QTemporaryDir>

// Points the path roots that the engine writes below (user data with the
// preview folder, the temporary folder with the import work folders, the
// computer-wide data with the player's trust file, and the settings store)
// into one fresh folder of this run, so that the tool neither disturbs a
// running desktop application nor another run, and leaves nothing behind:
// the folder goes when the object does.
class PrivateRoots
{
public:
    PrivateRoots();
    ~PrivateRoots();
    PrivateRoots(const PrivateRoots &) = delete;
    PrivateRoots &operator=(const PrivateRoots &) = delete;

    // False when the folder could not be made (the temporary folder is not writable).
    bool isValid() const { return m_dir.isValid(); }
    QString errorString() const { return m_dir.errorString(); }
    QString path() const { return m_dir.path(); }

    // Redirects the roots; until then they are untouched.
    void apply();
    // Removes the folder now (it is also removed on destruction).
    void remove();

private:
    QTemporaryDir m_dir;
};
