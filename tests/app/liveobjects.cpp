#include "liveobjects.h"

#include <QDir>
#include <QMetaMethod>
#include <QObject>

// Exported by QtCore, declared only in its private headers.
extern Q_DECL_IMPORT quintptr qtHookData[];

namespace {

// The entries of the hook table: its version, its size and the two hooks.
enum HookIndex { HookDataVersion = 0, HookDataSize = 1, AddQObject = 3, RemoveQObject = 4 };

// QObject::receivers is protected; a member pointer named through a
// subclass reaches it on any object.
struct ReceiverCount : QObject
{
    static int of(const QObject *object, const QMetaMethod &signal)
    {
        const QByteArray name = QByteArray::number(QSIGNAL_CODE) + signal.methodSignature();
        return (object->*&ReceiverCount::receivers)(name.constData());
    }
};

} // namespace

std::mutex CLiveObjects::mutex;
CLiveObjects *CLiveObjects::active = nullptr;

CLiveObjects::CLiveObjects()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        active = this;
    }
    qtHookData[AddQObject] = reinterpret_cast<quintptr>(&CLiveObjects::added);
    qtHookData[RemoveQObject] = reinterpret_cast<quintptr>(&CLiveObjects::removed);
}

CLiveObjects::~CLiveObjects()
{
    qtHookData[AddQObject] = 0;
    qtHookData[RemoveQObject] = 0;
    const std::lock_guard<std::mutex> lock(mutex);
    active = nullptr;
}

bool CLiveObjects::available()
{
    return qtHookData[HookDataVersion] >= 1 && qtHookData[HookDataSize] > RemoveQObject;
}

int CLiveObjects::threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

int CLiveObjects::objectCount() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return int(objects.size());
}

int CLiveObjects::connectionCount() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    int count = 0;
    for (const QObject *object : objects) {
        const QMetaObject *meta = object->metaObject();
        for (int i = 0; i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            // A signal with default arguments has clones that share its connections.
            if (method.methodType() == QMetaMethod::Signal
                && !(method.attributes() & QMetaMethod::Cloned))
                count += ReceiverCount::of(object, method);
        }
    }
    return count;
}

void CLiveObjects::added(QObject *object)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (active)
        active->objects.insert(object);
}

void CLiveObjects::removed(QObject *object)
{
    const std::lock_guard<std::mutex> lock(mutex);
    if (active)
        active->objects.erase(object);
}
