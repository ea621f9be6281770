#ifndef CHECKERS_TESTS_APP_LIVEOBJECTS_H
#define CHECKERS_TESTS_APP_LIVEOBJECTS_H

#include <QtGlobal>

#include <mutex>
#include <unordered_set>

class QObject;

// While it lives, holds every QObject made and not yet destroyed, as Qt's
// hook table reports each construction and destruction (the table that
// profilers use). It sees objects without a parent, such as the computer
// players, and objects of every thread. One at a time.
class CLiveObjects
{
public:
    CLiveObjects();
    ~CLiveObjects();
    CLiveObjects(const CLiveObjects &) = delete;
    CLiveObjects &operator=(const CLiveObjects &) = delete;

    // Whether this Qt calls the hooks; without them nothing is seen.
    static bool available();
    // The threads of this process, the GUI thread included.
    static int threadCount();

    int objectCount() const;
    // The connections from a signal of one of these objects.
    int connectionCount() const;

private:
    static void added(QObject *object);
    static void removed(QObject *object);

    // The hooks may still run on another thread while the holder goes: they
    // find it through this pointer, under the mutex.
    static std::mutex mutex;
    static CLiveObjects *active;

    std::unordered_set<QObject *> objects;
};

#endif
